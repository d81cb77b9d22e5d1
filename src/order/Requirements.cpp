#include "order/Requirements.h"

#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Breakdown.h"
#include "order/NameTable.h"
#include "order/Order.h"
#include "order/Units.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

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

    // Changes every entry of that name, or appends one changed from 0.
    template <typename Change>
    void ChangeAll(const std::string& name, const Change& change)
    {
        const std::size_t hash = CNameTable::Hash(name);
        const std::size_t first = First(name, hash);
        if (first == CNameTable::npos)
            return Append(name, change(0), "", hash);
        for (std::size_t i = first; i != CNameTable::npos; i = m_next[i])
            m_list[i].quantity = change(m_list[i].quantity);
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

// A run of saturating additions, x -> min(max(x + shift, low), high). Two runs make one,
// so a breakdown kept as one run per name adds exactly what its additions one by one would,
// also where a sum passes the 64-bit range and comes back.
struct CAdditions
{
    __int128 shift = 0;
    std::int64_t low = std::numeric_limits<std::int64_t>::min();
    std::int64_t high = std::numeric_limits<std::int64_t>::max();

    static std::int64_t Clamp(__int128 x, std::int64_t low, std::int64_t high)
    {
        return x < low ? low : x > high ? high : static_cast<std::int64_t>(x);
    }
    std::int64_t Apply(std::int64_t x) const { return Clamp(x + shift, low, high); }
    // This run, then next.
    void Then(const CAdditions& next)
    {
        shift += next.shift;
        low = Clamp(low + next.shift, next.low, next.high);
        high = Clamp(high + next.shift, next.low, next.high);
        // Past the 64-bit range every x ends at the same bound; the shift stays small.
        constexpr __int128 range = static_cast<__int128>(1) << 64;
        if (shift >= range)
            low = high, shift = 0;
        else if (shift <= -range)
            high = low, shift = 0;
    }
};

// Breaks needs down to base resources path by path: a producible name is made in
// ceil(need / batch quantity) batches wherever it is needed, and a name met again on its own
// path counts as a base resource there. Without recursion (chains of formulae may be long).
// A name on no cycle of formulae breaks down the same whatever led to it, so the breakdown
// of one reached more than once is kept per batch count and added again in one step; names
// on a cycle are walked path by path, and a walk past MaxBreakdownSteps is given up.
class CBaseWalk
{
public:
    explicit CBaseWalk(CBreakdown& breakdown) : m_breakdown(breakdown) {}

    // False, with nothing added to sums, when the walk is given up.
    bool Expand(const std::vector<std::pair<CBreakdown::CNode*, std::int64_t>>& needs, CSums& sums)
    {
        std::vector<CBreakdown::CNode*> roots;
        roots.reserve(needs.size());
        for (const auto& need : needs)
            roots.push_back(need.first);
        MarkCycles(roots);
        m_at.assign(m_breakdown.NodeCount(), {});
        OpenSink();
        bool whole = true;
        for (const auto& [root, n] : needs)
            if (!Walk(*root, n))
            {
                whole = false;
                break;
            }
        for (CFrame& frame : m_frames)
            frame.node->onPath = false;
        m_frames.clear();
        if (!whole)
            return false;
        for (const auto& [node, run] : m_sinks.front().amounts)
            sums.ChangeAll(*node->name, [&run](std::int64_t quantity) { return run.Apply(quantity); });
        return true;
    }

private:
    struct CFrame
    {
        CBreakdown::CNode* node;
        std::int64_t batches;
        std::size_t next;
        bool kept; // its breakdown gathers in a sink of its own, to be kept
    };
    struct CKey
    {
        std::size_t node;
        std::int64_t batches;
        bool operator==(const CKey&) const = default;
    };
    struct CKeyHash
    {
        std::size_t operator()(const CKey& key) const
        {
            return std::hash<std::size_t>{}(key.node) * 31 + std::hash<std::int64_t>{}(key.batches);
        }
    };
    // Base amounts in the order their names first appear, one run of additions per name.
    using CKept = std::vector<std::pair<CBreakdown::CNode*, CAdditions>>;
    // Where a node's amount is in the innermost open sink that has one.
    struct CPlace
    {
        std::size_t sink = static_cast<std::size_t>(-1);
        std::size_t at = 0;
    };
    struct CSink
    {
        CKept amounts;
        std::vector<std::pair<std::size_t, CPlace>> shadowed; // node, its place before this sink
    };

    // Kept breakdowns hold at most this many amounts together; past it nothing more is kept
    // and the walk goes on path by path.
    static constexpr std::size_t MaxKeptAmounts = 1 << 20;

    // Tarjan's strongly connected components, without recursion, over everything the roots
    // lead to: marks the names on a cycle and counts the uses of every name.
    void MarkCycles(const std::vector<CBreakdown::CNode*>& roots)
    {
        constexpr std::size_t unseen = static_cast<std::size_t>(-1);
        std::vector<std::size_t> order;
        std::vector<std::size_t> low;
        std::vector<char> stacked;
        std::vector<CBreakdown::CNode*> stack;
        const auto grow = [&]
        {
            const std::size_t size = m_breakdown.NodeCount();
            order.resize(size, unseen);
            low.resize(size, 0);
            stacked.resize(size, 0);
            m_onCycle.resize(size, 0);
            m_uses.resize(size, 0);
        };
        std::size_t next = 0;
        const auto enter = [&](CBreakdown::CNode& node)
        {
            order[node.index] = low[node.index] = next++;
            stacked[node.index] = 1;
            stack.push_back(&node);
            m_frames.push_back({&node, 0, 0, false});
        };
        grow();
        for (CBreakdown::CNode* root : roots)
        {
            ++m_uses[root->index];
            if (order[root->index] != unseen)
                continue;
            enter(*root);
            while (!m_frames.empty())
            {
                CBreakdown::CNode& node = *m_frames.back().node;
                const std::vector<CBreakdown::CInput>& inputs = m_breakdown.Inputs(node);
                grow();
                if (m_frames.back().next < inputs.size())
                {
                    CBreakdown::CNode& child = *inputs[m_frames.back().next++].node;
                    ++m_uses[child.index];
                    if (&child == &node)
                        m_onCycle[node.index] = 1;
                    if (order[child.index] == unseen)
                        enter(child);
                    else if (stacked[child.index])
                        low[node.index] = std::min(low[node.index], order[child.index]);
                    continue;
                }
                m_frames.pop_back();
                if (!m_frames.empty())
                {
                    std::size_t& parentLow = low[m_frames.back().node->index];
                    parentLow = std::min(parentLow, low[node.index]);
                }
                if (low[node.index] != order[node.index])
                    continue;
                // node heads a component: everything above it on the stack.
                const bool cycle = stack.back() != &node;
                CBreakdown::CNode* member = nullptr;
                do
                {
                    member = stack.back();
                    stack.pop_back();
                    stacked[member->index] = 0;
                    if (cycle)
                        m_onCycle[member->index] = 1;
                } while (member != &node);
            }
        }
    }

    // The whole walk's sink, then one per kept breakdown under way.
    void OpenSink()
    {
        if (m_open == m_sinks.size())
            m_sinks.emplace_back();
        ++m_open;
    }

    // The top sink's amounts; the places it shadowed are given back.
    CKept CloseSink()
    {
        CSink& sink = m_sinks[--m_open];
        for (auto it = sink.shadowed.rbegin(); it != sink.shadowed.rend(); ++it)
            m_at[it->first] = it->second;
        sink.shadowed.clear();
        // A copy of its own size: the sink keeps its room for the next breakdown.
        CKept amounts(sink.amounts.begin(), sink.amounts.end());
        sink.amounts.clear();
        return amounts;
    }

    void Add(CBreakdown::CNode& node, const CAdditions& run)
    {
        const std::size_t top = m_open - 1;
        CSink& sink = m_sinks[top];
        CPlace& place = m_at[node.index];
        if (place.sink == top)
            return sink.amounts[place.at].second.Then(run);
        sink.shadowed.emplace_back(node.index, place);
        place = {top, sink.amounts.size()};
        sink.amounts.emplace_back(&node, run);
    }

    bool Count(std::size_t steps)
    {
        m_steps += steps;
        return m_steps <= MaxBreakdownSteps;
    }

    void AddKept(const CKept& kept)
    {
        for (const auto& [node, run] : kept)
            Add(*node, run);
    }

    // Starts the breakdown of n of node: false when it passes the bound.
    bool Enter(CBreakdown::CNode& node, std::int64_t n)
    {
        if (!Count(1))
            return false;
        if (!node.producer || node.onPath)
        {
            CAdditions run;
            run.shift = n;
            Add(node, run);
            return true;
        }
        const std::int64_t batches = BatchesFor(n, node.producer.formula->batchQty);
        const bool kept = !m_onCycle[node.index] && m_uses[node.index] > 1;
        if (kept)
        {
            const auto found = m_kept.find({node.index, batches});
            if (found != m_kept.end())
            {
                AddKept(found->second);
                return Count(found->second.size());
            }
            OpenSink();
        }
        node.onPath = true;
        m_frames.push_back({&node, batches, 0, kept});
        return true;
    }

    // Ends the breakdown on top of the walk.
    bool Leave()
    {
        const CFrame frame = m_frames.back();
        m_frames.pop_back();
        frame.node->onPath = false;
        if (!frame.kept)
            return true;
        CKept done = CloseSink();
        AddKept(done);
        if (!Count(done.size()))
            return false;
        if (m_keptAmounts + done.size() <= MaxKeptAmounts)
        {
            m_keptAmounts += done.size();
            m_kept.emplace(CKey{frame.node->index, frame.batches}, std::move(done));
        }
        return true;
    }

    bool Walk(CBreakdown::CNode& root, std::int64_t n)
    {
        if (!Enter(root, n))
            return false;
        while (!m_frames.empty())
        {
            CFrame& frame = m_frames.back();
            const std::vector<CBreakdown::CInput>& inputs = m_breakdown.Inputs(*frame.node);
            if (frame.next == inputs.size())
            {
                if (!Leave())
                    return false;
                continue;
            }
            const CBreakdown::CInput& input = inputs[frame.next++];
            if (!Enter(*input.node, SaturatingMultiply(input.units, frame.batches)))
                return false;
        }
        return true;
    }

    CBreakdown& m_breakdown;
    std::vector<char> m_onCycle;     // per node
    std::vector<std::uint32_t> m_uses; // per node: inputs and needs that name it
    std::vector<CFrame> m_frames;
    std::vector<CSink> m_sinks; // the first m_open are open
    std::size_t m_open = 0;
    std::vector<CPlace> m_at; // per node
    std::unordered_map<CKey, CKept, CKeyHash> m_kept;
    std::size_t m_keptAmounts = 0;
    std::uint64_t m_steps = 0;
};

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

bool Expand(const CGameDatabase& db, const CProfile* profile, const std::string& name, std::int64_t n,
            CRequirementList& list)
{
    // A copy: the name may be one of the list's own entries, which appending can move.
    const std::string top = name;
    CBreakdown breakdown(db, profile);
    CSums sums(list);
    return CBaseWalk(breakdown).Expand({{&breakdown.NodeOf(top), n}}, sums);
}

CRequirementList ComputeComponents(const CGameDatabase& db, const std::vector<const COrderItem*>& items,
                                   const CProfile* profile, EBreakdownMode breakdown, ESortMode sort,
                                   bool* refused)
{
    if (refused)
        *refused = false;
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
            if (!CBaseWalk(breakdown).Expand(needs, baseSums))
            {
                if (refused)
                    *refused = true;
                return {};
            }
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
