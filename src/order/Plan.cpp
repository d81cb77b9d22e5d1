#include "order/Plan.h"

#include "database/GameDatabase.h"
#include "order/Breakdown.h"
#include "order/Order.h"
#include "order/Requirements.h"
#include "order/Units.h"
#include "profile/Profile.h"

#include <algorithm>
#include <limits>
#include <map>
#include <unordered_map>

namespace
{
constexpr std::size_t npos = static_cast<std::size_t>(-1);
constexpr const char* NotGathered = "Not gathered";

// The producer graph reachable from the need list. Children follow the producing tier's
// resources in order, so children[i] is the node of the breakdown's input i.
class CPlanGraph
{
public:
    struct CVertex
    {
        CBreakdown::CNode* node = nullptr;
        std::vector<std::size_t> children;
        std::size_t index = npos;
        std::size_t low = 0;
        bool onStack = false;
        bool cycle = false; // on a cycle of formulae: counted as gathered
        bool live = false;  // reached from the need list without passing a gathered name
        std::int64_t need = 0;
        int depth = 0;
    };

    explicit CPlanGraph(CBreakdown& breakdown) : m_breakdown(breakdown) {}

    std::size_t VertexOf(CBreakdown::CNode& node)
    {
        const auto [it, added] = m_index.try_emplace(&node, m_vertices.size());
        if (added)
        {
            m_vertices.emplace_back();
            m_vertices.back().node = &node;
        }
        return it->second;
    }

    // Tarjan's strongly connected components, without recursion: chains of formulae may be
    // long. Components come out consumers last, so their reverse puts consumers first.
    void Discover(std::size_t root)
    {
        if (m_vertices[root].index != npos)
            return;
        struct CFrame
        {
            std::size_t vertex;
            std::size_t next;
        };
        std::vector<CFrame> frames;
        Visit(root);
        frames.push_back({root, 0});
        while (!frames.empty())
        {
            const std::size_t v = frames.back().vertex;
            if (frames.back().next < m_vertices[v].children.size())
            {
                const std::size_t w = m_vertices[v].children[frames.back().next++];
                if (m_vertices[w].index == npos)
                {
                    Visit(w);
                    frames.push_back({w, 0});
                }
                else if (m_vertices[w].onStack)
                    m_vertices[v].low = std::min(m_vertices[v].low, m_vertices[w].index);
                continue;
            }
            frames.pop_back();
            if (!frames.empty())
            {
                CVertex& parent = m_vertices[frames.back().vertex];
                parent.low = std::min(parent.low, m_vertices[v].low);
            }
            if (m_vertices[v].low != m_vertices[v].index)
                continue;
            std::size_t first = m_stack.size();
            do
                --first;
            while (m_stack[first] != v);
            const bool cycle =
                m_stack.size() - first > 1 ||
                std::count(m_vertices[v].children.begin(), m_vertices[v].children.end(), v) > 0;
            for (std::size_t i = first; i < m_stack.size(); ++i)
            {
                m_vertices[m_stack[i]].onStack = false;
                m_vertices[m_stack[i]].cycle = cycle;
                m_finished.push_back(m_stack[i]);
            }
            m_stack.resize(first);
        }
    }

    std::vector<CVertex>& Vertices() { return m_vertices; }
    // Every vertex, consumers before what they consume.
    std::vector<std::size_t> ConsumersFirst() const
    {
        return {m_finished.rbegin(), m_finished.rend()};
    }

private:
    void Visit(std::size_t v)
    {
        m_vertices[v].index = m_counter;
        m_vertices[v].low = m_counter++;
        m_vertices[v].onStack = true;
        m_stack.push_back(v);
        CBreakdown::CNode& node = *m_vertices[v].node;
        if (!node.producer)
            return;
        std::vector<std::size_t> children;
        for (const CBreakdown::CInput& input : m_breakdown.Inputs(node))
            children.push_back(VertexOf(*input.node));
        m_vertices[v].children = std::move(children);
    }

    CBreakdown& m_breakdown;
    std::vector<CVertex> m_vertices;
    std::unordered_map<const CBreakdown::CNode*, std::size_t> m_index;
    std::vector<std::size_t> m_stack;
    std::vector<std::size_t> m_finished;
    std::size_t m_counter = 0;
};

std::int64_t ItemAdjust(const CGameDatabase& db, const COrderItem& item)
{
    std::int64_t adjust = 0;
    for (const COrderTechnique& technique : item.techniques)
    {
        const CTechnique* found = db.FindTechnique(technique.category, technique.name);
        if (const CTechniqueTier* tier =
                found ? ItemTechniqueTier(*found, technique.tierName) : nullptr)
            adjust += tier->skillAdjust;
    }
    return adjust;
}

void MarkCheapest(CCompareRow& row)
{
    std::int64_t least = std::numeric_limits<std::int64_t>::max();
    for (const CCompareCell& cell : row.cells)
        if (cell.present)
            least = std::min(least, cell.units);
    for (CCompareCell& cell : row.cells)
        cell.cheapest = cell.present && cell.units == least;
}
} // namespace

CPlan ComputePlan(const CGameDatabase& db, const COrder& order,
                  const std::vector<const COrderItem*>& items, const CProfile* profile)
{
    const CRequirementList needs =
        ComputeComponents(db, items, profile, BreakdownComponents, SortByName);
    CBreakdown breakdown(db, profile);
    CPlanGraph graph(breakdown);
    std::vector<std::size_t> roots;
    roots.reserve(needs.size());
    for (const CRequirement& entry : needs)
        roots.push_back(graph.VertexOf(breakdown.NodeOf(entry.name)));
    for (const std::size_t root : roots)
        graph.Discover(root);

    auto& vertices = graph.Vertices();
    for (std::size_t i = 0; i < needs.size(); ++i)
    {
        CPlanGraph::CVertex& root = vertices[roots[i]];
        root.need = SaturatingAdd(root.need, needs[i].quantity);
        root.live = true;
        root.depth = 1;
    }

    CPlan plan;
    std::vector<std::size_t> live;
    for (const std::size_t v : graph.ConsumersFirst())
    {
        CPlanGraph::CVertex& vertex = vertices[v];
        if (!vertex.live)
            continue;
        live.push_back(v);
        CPlanRow row;
        row.name = *vertex.node->name;
        // Negative units in a formula give no need, and a negative count in the file is no
        // stock: neither may raise what is left to do.
        row.need = std::max<std::int64_t>(0, vertex.need);
        row.acquired = std::max<std::int64_t>(0, AcquiredCount(order, row.name));
        row.remaining = std::max<std::int64_t>(0, SaturatingSubtract(row.need, row.acquired));
        row.depth = vertex.depth;
        if (!vertex.node->producer || vertex.cycle)
        {
            plan.gathers.push_back(std::move(row));
            continue;
        }
        const std::int64_t perBatch = std::max(1, vertex.node->producer.formula->batchQty);
        row.batches = BatchesFor(row.remaining, perBatch);
        row.made = SaturatingMultiply(row.batches, perBatch);
        row.leftover = std::max<std::int64_t>(0, SaturatingSubtract(row.made, row.remaining));
        const auto& inputs = breakdown.Inputs(*vertex.node);
        for (std::size_t i = 0; i < inputs.size(); ++i)
        {
            CPlanGraph::CVertex& child = vertices[vertex.children[i]];
            child.need =
                SaturatingAdd(child.need, SaturatingMultiply(inputs[i].units, row.batches));
            child.live = true;
            child.depth = std::max(child.depth, vertex.depth + 1);
        }
        plan.crafts.push_back(std::move(row));
    }
    std::sort(plan.crafts.begin(), plan.crafts.end(),
              [](const CPlanRow& a, const CPlanRow& b)
              { return a.depth != b.depth ? a.depth > b.depth : a.name < b.name; });
    std::sort(plan.gathers.begin(), plan.gathers.end(),
              [](const CPlanRow& a, const CPlanRow& b) { return a.name < b.name; });
    return plan;
}

std::vector<CLocationGroup> GroupByLocation(const CGameDatabase& db, const CPlan& plan)
{
    std::map<std::string, std::vector<CLocationRow>> places;
    std::vector<CLocationRow> nowhere;
    for (const CPlanRow& row : plan.gathers)
    {
        CLocationRow entry;
        entry.row = &row;
        std::vector<std::string> locations;
        if (const CComponent* component = db.FindComponent(row.name))
        {
            for (const std::string& location : component->locations)
                if (std::find(locations.begin(), locations.end(), location) == locations.end())
                    locations.push_back(location);
            for (const CGatherMethod& method : component->gatherMethods)
            {
                std::string text = method.tool.empty()    ? method.skill
                                   : method.skill.empty() ? method.tool
                                                          : method.tool + " (" + method.skill + ")";
                if (!text.empty())
                    entry.gatheredWith += (entry.gatheredWith.empty() ? "" : "; ") + text;
            }
        }
        entry.locations = static_cast<int>(locations.size());
        if (locations.empty())
            nowhere.push_back(entry);
        for (const std::string& location : locations)
            places[location].push_back(entry);
    }
    std::vector<CLocationGroup> groups;
    for (auto& [location, rows] : places)
        groups.push_back({location, std::move(rows)});
    if (!nowhere.empty())
        groups.push_back({NotGathered, std::move(nowhere)});
    return groups;
}

std::vector<const CProfile*> ComparedProfiles(const CProfileList& profiles)
{
    std::vector<const CProfile*> result;
    for (const auto& profile : profiles.profiles)
        if (profile.get() != profiles.templateProfile)
            result.push_back(profile.get());
    return result;
}

std::string ProfileLabel(const CProfile& profile)
{
    return profile.server + ":" + profile.name;
}

CComparison ComparePlans(const CGameDatabase& db, const COrder& order,
                         const std::vector<const COrderItem*>& items,
                         const std::vector<const CProfile*>& profiles)
{
    CComparison comparison;
    const std::size_t columns = profiles.size();
    std::map<std::string, std::vector<CCompareCell>> gathers;
    CCompareRow total{"total", "Total", std::vector<CCompareCell>(columns)};
    for (std::size_t p = 0; p < columns; ++p)
    {
        comparison.profiles.push_back(ProfileLabel(*profiles[p]));
        total.cells[p].present = true;
        for (const CPlanRow& row : ComputePlan(db, order, items, profiles[p]).gathers)
        {
            auto& cells = gathers.try_emplace(row.name, columns).first->second;
            cells[p] = {row.remaining, 0, true, false};
            total.cells[p].units = SaturatingAdd(total.cells[p].units, row.remaining);
        }
    }
    for (auto& [name, cells] : gathers)
        comparison.rows.push_back({"gather", name, std::move(cells)});
    comparison.rows.push_back(std::move(total));
    for (const COrderItem* item : items)
    {
        CCompareRow row{"item", item->itemName, std::vector<CCompareCell>(columns)};
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        const CFormulaTier* tier = formula ? ItemFormulaTier(*formula, item->tierName) : nullptr;
        const std::int64_t adjust = ItemAdjust(db, *item);
        for (std::size_t p = 0; tier && p < columns; ++p)
        {
            CCompareCell& cell = row.cells[p];
            cell = {0, 100, true, false};
            for (const CResource& resource : tier->resources)
            {
                cell.units = SaturatingAdd(
                    cell.units,
                    SaturatingMultiply(UnitsNeeded(resource, profiles[p], adjust), item->batches));
                cell.efficiency =
                    std::min(cell.efficiency, Efficiency(resource, profiles[p], adjust));
            }
        }
        comparison.rows.push_back(std::move(row));
    }
    for (CCompareRow& row : comparison.rows)
        MarkCheapest(row);
    return comparison;
}
