#include "order/OrderHistory.h"

#include "base/Messages.h"

namespace
{
bool SameTechniques(const std::vector<COrderTechnique>& a, const std::vector<COrderTechnique>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].category != b[i].category || a[i].name != b[i].name || a[i].tierName != b[i].tierName)
            return false;
    return true;
}

bool SameItem(const COrderItem& a, const COrderItem& b)
{
    return a.id == b.id && a.itemName == b.itemName && a.group == b.group && a.formula == b.formula &&
           a.category == b.category && a.tierName == b.tierName && a.batches == b.batches &&
           SameTechniques(a.techniques, b.techniques);
}
} // namespace

COrderHistory::COrderHistory(COrder& order) : m_order(order)
{
    m_states.push_back(Capture());
}

COrderHistory::CState COrderHistory::Capture() const
{
    CState state;
    state.items.reserve(m_order.items.size());
    for (const auto& item : m_order.items)
        state.items.push_back(*item);
    state.groups = m_order.groups;
    state.acquired = m_order.acquired;
    state.filePath = m_order.filePath;
    return state;
}

bool COrderHistory::Same(const CState& a, const CState& b)
{
    if (a.groups != b.groups || a.acquired != b.acquired || a.filePath != b.filePath || a.items.size() != b.items.size())
        return false;
    for (std::size_t i = 0; i < a.items.size(); ++i)
        if (!SameItem(a.items[i], b.items[i]))
            return false;
    return true;
}

void COrderHistory::Restore(const CState& state)
{
    m_order.items.clear();
    for (const COrderItem& item : state.items)
        m_order.items.push_back(std::make_unique<COrderItem>(item));
    m_order.groups = state.groups;
    m_order.acquired = state.acquired;
    m_order.filePath = state.filePath;
}

void COrderHistory::SetModified()
{
    m_order.modified = m_clean != m_index;
}

bool COrderHistory::Commit(const std::string& name, const std::string& mergeKey)
{
    CState now = Capture();
    if (Same(now, m_states[m_index]))
        return false;
    // A redo branch ends where a new edit begins.
    m_states.resize(m_index + 1);
    m_names.resize(m_index);
    if (m_clean && *m_clean > m_index)
        m_clean.reset();
    const bool merge = !mergeKey.empty() && mergeKey == m_mergeKey && m_index > 0 && m_names.back() == name &&
                       m_clean != m_index;
    if (merge)
        m_states[m_index] = std::move(now);
    else
    {
        m_states.push_back(std::move(now));
        m_names.push_back(name);
        ++m_index;
        if (m_states.size() > MaxSteps + 1)
        {
            m_states.erase(m_states.begin());
            m_names.erase(m_names.begin());
            --m_index;
            if (m_clean)
                m_clean = *m_clean == 0 ? std::nullopt : std::optional<std::size_t>(*m_clean - 1);
        }
    }
    m_mergeKey = mergeKey;
    m_order.modified = true;
    return true;
}

void COrderHistory::Reset()
{
    m_states.assign(1, Capture());
    m_names.clear();
    m_index = 0;
    m_clean = 0;
    m_mergeKey.clear();
}

void COrderHistory::MarkClean()
{
    m_states[m_index] = Capture();
    for (CState& state : m_states)
        state.filePath = m_order.filePath;
    m_clean = m_index;
    m_mergeKey.clear();
}

std::string COrderHistory::UndoText() const
{
    return CanUndo() ? std::string(Messages::UndoPrefix) + " " + m_names[m_index - 1]
                     : std::string(Messages::UndoPrefix);
}

std::string COrderHistory::RedoText() const
{
    return CanRedo() ? std::string(Messages::RedoPrefix) + " " + m_names[m_index] : std::string(Messages::RedoPrefix);
}

bool COrderHistory::Undo()
{
    if (!CanUndo())
        return false;
    // Edits made since the last commit would be lost silently; keep them as a step first.
    if (Commit(std::string(Messages::EditOrder)))
        m_mergeKey.clear();
    --m_index;
    Restore(m_states[m_index]);
    m_mergeKey.clear();
    SetModified();
    return true;
}

bool COrderHistory::Redo()
{
    if (!CanRedo())
        return false;
    ++m_index;
    Restore(m_states[m_index]);
    m_mergeKey.clear();
    SetModified();
    return true;
}
