#include "order/OrderHistory.h"

#include "base/Messages.h"

#include <algorithm>
#include <unordered_map>

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

// Estimates of the heap a copy takes: each block with malloc's own word beside it, the
// texts too long to be held inside their strings in blocks of their own.
constexpr std::size_t BlockBytes(std::size_t bytes)
{
    return (bytes + sizeof(std::size_t) + 15) / 16 * 16;
}

std::size_t TextBytes(const std::string& text)
{
    return text.capacity() > std::string().capacity() ? BlockBytes(text.capacity() + 1) : 0;
}

std::size_t ItemBytes(const COrderItem& item)
{
    // The record and its shared count are one block.
    std::size_t bytes = BlockBytes(sizeof(COrderItem) + 2 * sizeof(void*)) + TextBytes(item.itemName) +
                        TextBytes(item.group) + TextBytes(item.formula) + TextBytes(item.category) +
                        TextBytes(item.tierName);
    if (!item.techniques.empty())
        bytes += BlockBytes(item.techniques.capacity() * sizeof(COrderTechnique));
    for (const COrderTechnique& technique : item.techniques)
        bytes += TextBytes(technique.category) + TextBytes(technique.name) + TextBytes(technique.tierName);
    return bytes;
}

std::size_t GroupsBytes(const std::vector<std::string>& groups)
{
    std::size_t bytes = BlockBytes(sizeof(groups) + 2 * sizeof(void*)) + BlockBytes(groups.capacity() * sizeof(std::string));
    for (const std::string& group : groups)
        bytes += TextBytes(group);
    return bytes;
}

std::size_t AcquiredBytes(const std::map<std::string, std::string>& acquired)
{
    // A map node: three links and a colour beside its pair.
    std::size_t bytes = BlockBytes(sizeof(acquired) + 2 * sizeof(void*));
    for (const auto& [name, count] : acquired)
        bytes += BlockBytes(4 * sizeof(void*) + sizeof(std::pair<const std::string, std::string>)) + TextBytes(name) +
                 TextBytes(count);
    return bytes;
}
} // namespace

COrderHistory::COrderHistory(COrder& order) : m_order(order)
{
    m_states.push_back(Capture(nullptr));
}

COrderHistory::CState COrderHistory::Capture(const CState* previous) const
{
    CState state;
    state.filePath = m_order.filePath;
    const auto& items = m_order.items;
    const std::size_t count = items.size();
    // The previous state's item at a place; every run but the last is full.
    const auto previousAt = [&](std::size_t i) -> const CItemPtr*
    {
        if (!previous || i / RunLength >= previous->runs.size())
            return nullptr;
        const CRun& run = *previous->runs[i / RunLength];
        return i % RunLength < run.size() ? &run[i % RunLength] : nullptr;
    };
    // Items that moved (a deletion before them, a drag) are found by id.
    std::unordered_map<int, const CItemPtr*> byId;
    const auto previousWithId = [&](int id) -> const CItemPtr*
    {
        if (byId.empty() && previous)
            for (const auto& run : previous->runs)
                for (const CItemPtr& item : *run)
                    byId.emplace(item->id, &item);
        const auto found = byId.find(id);
        return found == byId.end() ? nullptr : found->second;
    };

    state.runs.reserve((count + RunLength - 1) / RunLength);
    for (std::size_t begin = 0; begin < count; begin += RunLength)
    {
        const std::size_t end = std::min(count, begin + RunLength);
        const std::size_t runIndex = begin / RunLength;
        if (previous && runIndex < previous->runs.size())
        {
            const CRun& old = *previous->runs[runIndex];
            bool same = old.size() == end - begin;
            for (std::size_t i = begin; same && i < end; ++i)
                same = SameItem(*items[i], *old[i - begin]);
            if (same)
            {
                state.runs.push_back(previous->runs[runIndex]);
                continue;
            }
        }
        auto run = std::make_shared<CRun>();
        run->reserve(end - begin);
        for (std::size_t i = begin; i < end; ++i)
        {
            const COrderItem& item = *items[i];
            const CItemPtr* kept = previousAt(i);
            if (!kept || (*kept)->id != item.id)
                kept = previousWithId(item.id);
            if (kept && SameItem(item, **kept))
                run->push_back(*kept);
            else
            {
                run->push_back(std::make_shared<const COrderItem>(item));
                state.bytes += ItemBytes(item);
            }
        }
        state.bytes += BlockBytes(sizeof(CRun) + 2 * sizeof(void*)) + BlockBytes(run->capacity() * sizeof(CItemPtr));
        state.runs.push_back(std::move(run));
    }
    state.bytes += BlockBytes(state.runs.capacity() * sizeof(state.runs[0]));

    if (previous && *previous->groups == m_order.groups)
        state.groups = previous->groups;
    else
    {
        state.groups = std::make_shared<const std::vector<std::string>>(m_order.groups);
        state.bytes += GroupsBytes(*state.groups);
    }
    if (previous && *previous->acquired == m_order.acquired)
        state.acquired = previous->acquired;
    else
    {
        state.acquired = std::make_shared<const std::map<std::string, std::string>>(m_order.acquired);
        state.bytes += AcquiredBytes(*state.acquired);
    }
    return state;
}

bool COrderHistory::Same(const CState& a, const CState& b)
{
    if (a.filePath != b.filePath || a.runs.size() != b.runs.size() ||
        (a.groups != b.groups && *a.groups != *b.groups) || (a.acquired != b.acquired && *a.acquired != *b.acquired))
        return false;
    for (std::size_t r = 0; r < a.runs.size(); ++r)
    {
        if (a.runs[r] == b.runs[r])
            continue;
        const CRun& x = *a.runs[r];
        const CRun& y = *b.runs[r];
        if (x.size() != y.size())
            return false;
        for (std::size_t i = 0; i < x.size(); ++i)
            if (x[i] != y[i] && !SameItem(*x[i], *y[i]))
                return false;
    }
    return true;
}

void COrderHistory::Restore(const CState& state)
{
    // Items that are already as the state has them stay where the windows may point at them.
    std::vector<std::unique_ptr<COrderItem>> now = std::move(m_order.items);
    m_order.items.clear();
    std::size_t i = 0;
    for (const auto& run : state.runs)
        for (const CItemPtr& item : *run)
        {
            if (i < now.size() && now[i] && SameItem(*now[i], *item))
                m_order.items.push_back(std::move(now[i]));
            else
                m_order.items.push_back(std::make_unique<COrderItem>(*item));
            ++i;
        }
    if (m_order.groups != *state.groups)
        m_order.groups = *state.groups;
    if (m_order.acquired != *state.acquired)
        m_order.acquired = *state.acquired;
    m_order.filePath = state.filePath;
}

void COrderHistory::DropOldest()
{
    m_states.erase(m_states.begin());
    m_names.erase(m_names.begin());
    // The new first state is the start now, no longer a step.
    m_stepBytes -= m_states.front().bytes;
    --m_index;
    if (m_clean)
        m_clean = *m_clean == 0 ? std::nullopt : std::optional<std::size_t>(*m_clean - 1);
}

void COrderHistory::SetModified()
{
    m_order.modified = m_clean != m_index;
}

bool COrderHistory::Commit(const std::string& name, const std::string& mergeKey)
{
    CState now = Capture(&m_states[m_index]);
    if (Same(now, m_states[m_index]))
        return false;
    // A redo branch ends where a new edit begins.
    for (std::size_t i = m_index + 1; i < m_states.size(); ++i)
        m_stepBytes -= m_states[i].bytes;
    m_states.resize(m_index + 1);
    m_names.resize(m_index);
    if (m_clean && *m_clean > m_index)
        m_clean.reset();
    const bool merge = !mergeKey.empty() && mergeKey == m_mergeKey && m_index > 0 && m_names.back() == name &&
                       m_clean != m_index;
    if (merge)
    {
        // The merged step is counted against the state before it.
        now = Capture(&m_states[m_index - 1]);
        m_stepBytes += now.bytes - m_states[m_index].bytes;
        m_states[m_index] = std::move(now);
    }
    else
    {
        m_stepBytes += now.bytes;
        m_states.push_back(std::move(now));
        m_names.push_back(name);
        ++m_index;
        // The last step always stays undoable, however large.
        while (Steps() > MaxSteps || (m_stepBytes > MaxBytes && Steps() > 1))
            DropOldest();
    }
    m_mergeKey = mergeKey;
    m_order.modified = true;
    return true;
}

void COrderHistory::Reset()
{
    m_states.clear();
    m_states.push_back(Capture(nullptr));
    m_names.clear();
    m_index = 0;
    m_clean = 0;
    m_mergeKey.clear();
    m_stepBytes = 0;
}

void COrderHistory::MarkClean()
{
    CState now = Capture(&m_states[m_index]);
    if (m_index > 0)
    {
        now.bytes += m_states[m_index].bytes;
        m_stepBytes += now.bytes - m_states[m_index].bytes;
    }
    m_states[m_index] = std::move(now);
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
