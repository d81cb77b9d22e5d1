#include "order/Requirements.h"

#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Breakdown.h"
#include "order/NameTable.h"
#include "order/Order.h"
#include "order/Units.h"

#include <algorithm>

std::vector<const COrderItem*> SelectedItems(const COrder& order, const COrderSelection& selection)
{
    std::vector<const COrderItem*> result;
    for (const auto& item : order.items)
        if (selection.Empty() || selection.items.count(item->id) || selection.groups.count(item->group))
            result.push_back(item.get());
    return result;
}

const CFormulaTier* ItemFormulaTier(const CFormula& formula, const std::string& tierName)
{
    for (const auto& tier : formula.tiers)
        if (tier->levelName == tierName)
            return tier.get();
    return CGameDatabase::FindFormulaTier(formula, tierName);
}

const CTechniqueTier* ItemTechniqueTier(const CTechnique& technique, const std::string& tierName)
{
    for (const auto& tier : technique.tiers)
        if (tier->levelName == tierName)
            return tier.get();
    return CGameDatabase::FindTechniqueTier(technique, tierName);
}

void Sort(CRequirementList& list, ESortMode mode)
{
    // The same order as a bubble sort that swaps only strictly misplaced neighbours: equal
    // elements keep their places, in n log n. Positions are sorted, then each entry is
    // moved once.
    std::vector<std::size_t> order(list.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    if (mode == SortByQuantity)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return list[a].quantity > list[b].quantity; });
    else
    {
        // Compared from a copy in one block rather than from strings spread over the heap.
        std::string keys;
        std::vector<std::size_t> start{0};
        start.reserve(list.size() + 1);
        for (const CRequirement& entry : list)
        {
            keys += entry.name;
            start.push_back(keys.size());
        }
        const auto key = [&](std::size_t i) { return std::string_view(keys).substr(start[i], start[i + 1] - start[i]); };
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    }
    CRequirementList sorted;
    sorted.reserve(list.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(list[i]));
    list = std::move(sorted);
}

namespace
{
// A result list with an index by name, so sums over large orders stay linear. Entries of
// the same name are chained in list order; the index answers the first of them.
class CSums
{
public:
    explicit CSums(CRequirementList& list) : m_list(list)
    {
        m_next.reserve(list.size());
        m_last.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i)
            Link(i, CNameTable::Hash(list[i].name));
    }

    CRequirement* Find(const std::string& name)
    {
        const std::size_t first = First(name, CNameTable::Hash(name));
        return first == CNameTable::npos ? nullptr : &m_list[first];
    }

    // Adds to the first entry of that name, or appends one.
    void Add(const std::string& name, std::int64_t quantity, const char* type = "")
    {
        const std::size_t hash = CNameTable::Hash(name);
        const std::size_t first = First(name, hash);
        if (first != CNameTable::npos)
            m_list[first].quantity = SaturatingAdd(m_list[first].quantity, quantity);
        else
            Append(name, quantity, type, hash);
    }

    // Adds to every entry of that name, or appends one.
    void AddToAll(const std::string& name, std::int64_t quantity)
    {
        const std::size_t hash = CNameTable::Hash(name);
        const std::size_t first = First(name, hash);
        if (first == CNameTable::npos)
            return Append(name, quantity, "", hash);
        for (std::size_t i = first; i != CNameTable::npos; i = m_next[i])
            m_list[i].quantity = SaturatingAdd(m_list[i].quantity, quantity);
    }

    void Append(const std::string& name, std::int64_t quantity, const char* type)
    {
        Append(name, quantity, type, CNameTable::Hash(name));
    }

private:
    std::size_t First(const std::string& name, std::size_t hash) const
    {
        return m_table.Find(name, hash, [this](std::size_t i) { return KeyOf(i); });
    }

    // The names are compared in a copy kept together in one block: the list's own strings
    // lie wherever the allocator put them, which costs a cache miss per comparison.
    std::string_view KeyOf(std::size_t i) const
    {
        return std::string_view(m_keys).substr(m_keyStart[i], m_keyStart[i + 1] - m_keyStart[i]);
    }

    void Append(const std::string& name, std::int64_t quantity, const char* type, std::size_t hash)
    {
        m_list.push_back({name, quantity, type});
        Link(m_list.size() - 1, hash);
    }

    // Indexes entry i, the last of the list so far.
    void Link(std::size_t i, std::size_t hash)
    {
        const std::size_t first = First(m_list[i].name, hash);
        m_keys += m_list[i].name;
        m_keyStart.push_back(m_keys.size());
        m_next.push_back(CNameTable::npos);
        m_last.push_back(i);
        if (first == CNameTable::npos)
        {
            m_table.Insert(hash, i);
            return;
        }
        m_next[m_last[first]] = i;
        m_last[first] = i;
    }

    CRequirementList& m_list;
    CNameTable m_table;
    std::string m_keys;
    std::vector<std::size_t> m_keyStart{0}; // entry i's name is m_keys[m_keyStart[i], m_keyStart[i + 1])
    std::vector<std::size_t> m_next; // the next entry of the same name, or npos
    std::vector<std::size_t> m_last; // for a first entry: the last one of its name
};

// Breaks needs down to base resources, each producible name batched once on its total need,
// so a name many formulae share costs one step however many paths lead to it. A depth-first
// walk from the needs in order (without recursion: chains of formulae may be long) numbers
// every name after the names below it; an input that leads back to a name still being walked
// counts as a base resource there, so a cycle ends. Base names are added in the order the
// walk first meets them.
void ExpandAll(CBreakdown& breakdown, const std::vector<std::pair<CBreakdown::CNode*, std::int64_t>>& needs,
               CSums& sums)
{
    constexpr std::size_t unseen = static_cast<std::size_t>(-1);
    constexpr std::size_t onPath = unseen - 1;
    std::vector<std::size_t> finish; // per node: unseen, onPath, or its place in `finished`
    std::vector<std::int64_t> need;
    std::vector<std::int64_t> baseTotal;
    std::vector<char> isBase;
    std::vector<CBreakdown::CNode*> finished;
    std::vector<CBreakdown::CNode*> baseOrder;
    const auto grow = [&](const CBreakdown::CNode& node)
    {
        if (node.index >= finish.size())
        {
            const std::size_t size = std::max(node.index + 1, breakdown.NodeCount());
            finish.resize(size, unseen);
            need.resize(size, 0);
            baseTotal.resize(size, 0);
            isBase.resize(size, 0);
        }
    };
    const auto markBase = [&](CBreakdown::CNode& node)
    {
        if (!isBase[node.index])
        {
            isBase[node.index] = 1;
            baseOrder.push_back(&node);
        }
    };
    const auto finishNode = [&](CBreakdown::CNode& node)
    {
        finish[node.index] = finished.size();
        finished.push_back(&node);
    };

    struct CFrame
    {
        CBreakdown::CNode* node;
        std::size_t next;
    };
    std::vector<CFrame> frames;
    for (const auto& [root, quantity] : needs)
    {
        grow(*root);
        need[root->index] = SaturatingAdd(need[root->index], quantity);
        if (finish[root->index] != unseen)
            continue;
        if (!root->producer)
        {
            finishNode(*root);
            markBase(*root);
            continue;
        }
        finish[root->index] = onPath;
        frames.push_back({root, 0});
        while (!frames.empty())
        {
            CBreakdown::CNode& node = *frames.back().node;
            const std::vector<CBreakdown::CInput>& inputs = breakdown.Inputs(node);
            if (frames.back().next == inputs.size())
            {
                finishNode(node);
                frames.pop_back();
                continue;
            }
            CBreakdown::CNode& child = *inputs[frames.back().next++].node;
            grow(child);
            if (finish[child.index] == onPath)
                markBase(child);
            else if (finish[child.index] == unseen)
            {
                if (child.producer)
                {
                    finish[child.index] = onPath;
                    frames.push_back({&child, 0});
                }
                else
                {
                    finishNode(child);
                    markBase(child);
                }
            }
        }
    }

    // Every consumer of a name finishes after it, so the reverse order meets a name's whole
    // need before passing it on.
    for (auto it = finished.rbegin(); it != finished.rend(); ++it)
    {
        CBreakdown::CNode& node = **it;
        const std::int64_t n = need[node.index];
        if (!node.producer)
        {
            baseTotal[node.index] = SaturatingAdd(baseTotal[node.index], n);
            continue;
        }
        // A negative need (negative units in a formula) makes nothing.
        const std::int64_t batches = BatchesFor(std::max<std::int64_t>(n, 0), node.producer.formula->batchQty);
        for (const CBreakdown::CInput& input : breakdown.Inputs(node))
        {
            const std::int64_t q = SaturatingMultiply(input.units, batches);
            std::int64_t& total =
                finish[input.node->index] >= finish[node.index] ? baseTotal[input.node->index] : need[input.node->index];
            total = SaturatingAdd(total, q);
        }
    }
    for (CBreakdown::CNode* node : baseOrder)
        sums.AddToAll(*node->name, baseTotal[node->index]);
}

// "N Name": N is the number before the first blank (0 when nothing is), Name everything
// after it.
void AddDirectBonuses(const std::vector<CAttribute>& attributes, int batches, CSums& bonuses)
{
    for (const CAttribute& attribute : attributes)
    {
        if (attribute.key != "bonus")
            continue;
        const std::size_t blank = attribute.value.find(' ');
        const std::string name = blank == std::string::npos ? attribute.value : attribute.value.substr(blank + 1);
        const std::int64_t amount =
            SaturatingMultiply(Atoi(std::string_view(attribute.value).substr(0, blank)), batches);
        bonuses.Add(name, amount, "Direct");
    }
}

// Reads "%d%% %s" as sscanf would: a per cent value, a per-cent sign and a statistic.
bool ParsePercentageBonus(const std::string& value, int& percent, std::string& statistic)
{
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    std::size_t i = 0;
    while (i < value.size() && isSpace(value[i]))
        ++i;
    const std::size_t numberStart = i;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        ++i;
    const std::size_t digits = i;
    while (i < value.size() && value[i] >= '0' && value[i] <= '9')
        ++i;
    if (i == digits || i >= value.size() || value[i] != '%')
        return false;
    percent = Atoi(std::string_view(value).substr(numberStart, i - numberStart));
    ++i;
    while (i < value.size() && isSpace(value[i]))
        ++i;
    std::size_t end = i;
    while (end < value.size() && !isSpace(value[end]))
        ++end;
    if (end == i)
        return false;
    statistic = value.substr(i, end - i);
    return true;
}
} // namespace

void Expand(const CGameDatabase& db, const CProfile* profile, const std::string& name, std::int64_t n,
            CRequirementList& list)
{
    // A copy: the name may be one of the list's own entries, which appending can move.
    const std::string top = name;
    CBreakdown breakdown(db, profile);
    CSums sums(list);
    ExpandAll(breakdown, {{&breakdown.NodeOf(top), n}}, sums);
}

CRequirementList ComputeComponents(const CGameDatabase& db, const std::vector<const COrderItem*>& items,
                                   const CProfile* profile, EBreakdownMode breakdown, ESortMode sort)
{
    CRequirementList list;
    CSums sums(list);
    for (const COrderItem* item : items)
    {
        std::int64_t adjust = 0;
        for (const COrderTechnique& technique : item->techniques)
        {
            const CTechnique* found = db.FindTechnique(technique.category, technique.name);
            const CTechniqueTier* tier = found ? ItemTechniqueTier(*found, technique.tierName) : nullptr;
            if (!tier)
                continue;
            adjust += tier->skillAdjust;
            for (const CResource& component : tier->components)
                sums.Add(component.name, SaturatingMultiply(component.qtyAtMin, item->batches));
        }
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        const CFormulaTier* tier = formula ? ItemFormulaTier(*formula, item->tierName) : nullptr;
        if (!tier)
            continue;
        for (const CResource& resource : tier->resources)
            sums.Add(resource.name, SaturatingMultiply(UnitsNeeded(resource, profile, adjust), item->batches));
    }
    if (breakdown == BreakdownBaseResources)
    {
        CRequirementList base;
        {
            CBreakdown breakdown(db, profile);
            CSums baseSums(base);
            std::vector<std::pair<CBreakdown::CNode*, std::int64_t>> needs;
            needs.reserve(list.size());
            for (const CRequirement& entry : list)
                needs.emplace_back(&breakdown.NodeOf(entry.name), entry.quantity);
            ExpandAll(breakdown, needs, baseSums);
        }
        list = std::move(base);
    }
    Sort(list, sort);
    return list;
}

CRequirementList ComputeBonuses(const CGameDatabase& db, const std::vector<const COrderItem*>& items,
                                EBonusMode mode, ESortMode sort)
{
    CRequirementList list;
    CSums bonuses(list);
    for (const COrderItem* item : items)
    {
        for (const COrderTechnique& technique : item->techniques)
        {
            const CTechnique* found = db.FindTechnique(technique.category, technique.name);
            if (const CTechniqueTier* tier = found ? ItemTechniqueTier(*found, technique.tierName) : nullptr)
                AddDirectBonuses(tier->attributes, item->batches, bonuses);
        }
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        if (!formula)
            continue;
        AddDirectBonuses(formula->attributes, item->batches, bonuses);
        if (const CFormulaTier* tier = ItemFormulaTier(*formula, item->tierName))
            AddDirectBonuses(tier->attributes, item->batches, bonuses);
    }
    if (mode == BonusesIncludeIndirect)
    {
        for (const char* statistic : {"Strength", "Power", "Focus", "Dexterity"})
        {
            const CRequirement* stat = bonuses.Find(statistic);
            if (!stat)
                continue;
            const std::int64_t total = stat->quantity;
            for (const auto& set : db.TechniqueSets())
                for (const auto& technique : set->techniques)
                    for (const CAttribute& attribute : technique->attributes)
                    {
                        int percent = 0;
                        std::string name;
                        if (attribute.key != "percentagestatbonus" || !ParsePercentageBonus(attribute.value, percent, name) ||
                            name != statistic)
                            continue;
                        const std::int64_t amount = SaturatingMultiply(percent, total) / 1000;
                        if (amount <= 0)
                            continue;
                        if (CRequirement* entry = bonuses.Find(technique->name))
                        {
                            entry->type = "Both";
                            entry->quantity = SaturatingAdd(entry->quantity, amount);
                        }
                        else
                            bonuses.Append(technique->name, amount, "Indirect");
                    }
        }
    }
    Sort(list, sort);
    return list;
}
