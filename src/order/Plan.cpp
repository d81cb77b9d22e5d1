#include "order/Plan.h"

#include "database/GameDatabase.h"
#include "order/Breakdown.h"
#include "order/CostPlan.h"
#include "order/Order.h"
#include "order/PlanGraph.h"
#include "order/Prices.h"
#include "order/Requirements.h"
#include "order/Units.h"
#include "profile/Profile.h"

#include <algorithm>
#include <limits>
#include <map>

namespace
{
constexpr const char* NotGathered = "Not gathered";

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
    return ComputePlan(db, order, items, profile, CPlanCosting{});
}

CPlan ComputePlan(const CGameDatabase& db, const COrder& order,
                  const std::vector<const COrderItem*>& items, const CProfile* profile,
                  const CPlanCosting& costing)
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

    CPlan plan;
    const std::vector<const CProfile*> characters =
        costing.characters.empty() ? std::vector<const CProfile*>{profile} : costing.characters;
    for (const CProfile* character : characters)
        plan.characters.push_back(character ? ProfileLabel(*character) : std::string());
    // Without prices every step costs nothing and the first character makes it.
    plan.costed = costing.prices != nullptr;
    const std::vector<CUnitCost> costs = plan.costed
                                             ? UnitCosts(graph, *costing.prices, characters)
                                             : std::vector<CUnitCost>(graph.Vertices().size());

    auto& vertices = graph.Vertices();
    for (std::size_t i = 0; i < needs.size(); ++i)
    {
        CPlanGraph::CVertex& root = vertices[roots[i]];
        root.need = SaturatingAdd(root.need, needs[i].quantity);
        root.reached = root.live = true;
        root.depth = 1;
    }

    for (const std::size_t v : graph.ConsumersFirst())
    {
        CPlanGraph::CVertex& vertex = vertices[v];
        if (!vertex.reached)
            continue;
        // Depth follows every path a made name opens, bought or not.
        if (vertex.Produced())
            for (const std::size_t child : vertex.children)
            {
                vertices[child].reached = true;
                vertices[child].depth = std::max(vertices[child].depth, vertex.depth + 1);
            }
        if (!vertex.live)
            continue;
        const CUnitCost& cost = costs[v];
        CPlanRow row;
        row.name = *vertex.node->name;
        // Negative units in a formula give no need, and a negative count in the file is no
        // stock: neither may raise what is left to do.
        row.need = std::max<std::int64_t>(0, vertex.need);
        row.acquired = std::max<std::int64_t>(0, AcquiredCount(order, row.name));
        row.remaining = std::max<std::int64_t>(0, SaturatingSubtract(row.need, row.acquired));
        row.depth = vertex.depth;
        row.unitCost = cost.unit;
        row.priced = cost.priced;
        if (!vertex.Produced() || cost.bought)
        {
            row.bought = cost.bought;
            if (const std::int64_t* price = plan.costed ? costing.prices->Find(row.name) : nullptr)
                row.cost = SaturatingMultiply(row.remaining, *price);
            plan.total = SaturatingAdd(plan.total, row.cost);
            std::vector<CPlanRow>& rows = row.bought ? plan.crafts : plan.gathers;
            rows.push_back(std::move(row));
            continue;
        }
        row.crafter = cost.crafter;
        const CProfile* crafter = characters[static_cast<std::size_t>(cost.crafter)];
        const std::int64_t perBatch = std::max(1, vertex.node->producer.formula->batchQty);
        row.batches = BatchesFor(row.remaining, perBatch);
        row.made = SaturatingMultiply(row.batches, perBatch);
        row.leftover = std::max<std::int64_t>(0, SaturatingSubtract(row.made, row.remaining));
        const auto& inputs = breakdown.Inputs(*vertex.node);
        const std::vector<CResource>& resources = vertex.node->producer.tier->resources;
        for (std::size_t i = 0; i < inputs.size(); ++i)
        {
            CPlanGraph::CVertex& child = vertices[vertex.children[i]];
            const std::int64_t units =
                crafter == profile ? inputs[i].units : UnitsNeeded(resources[i], crafter, 0);
            child.need = SaturatingAdd(child.need, SaturatingMultiply(units, row.batches));
            child.live = true;
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
                         const std::vector<const CProfile*>& profiles, const CPriceList* prices)
{
    CComparison comparison;
    const std::size_t columns = profiles.size();
    std::map<std::string, std::vector<CCompareCell>> gathers;
    CCompareRow total{"total", "Total", std::vector<CCompareCell>(columns)};
    CCompareRow cost{"cost", "Total Cost", std::vector<CCompareCell>(columns)};
    for (std::size_t p = 0; p < columns; ++p)
    {
        comparison.profiles.push_back(ProfileLabel(*profiles[p]));
        total.cells[p].present = true;
        // With prices, each character's own cost-aware plan: what it buys is not gathered.
        const CPlan plan = ComputePlan(db, order, items, profiles[p], {prices, {profiles[p]}});
        cost.cells[p] = {plan.total, 0, true, false};
        for (const CPlanRow& row : plan.gathers)
        {
            auto& cells = gathers.try_emplace(row.name, columns).first->second;
            cells[p] = {row.remaining, 0, true, false};
            total.cells[p].units = SaturatingAdd(total.cells[p].units, row.remaining);
        }
    }
    for (auto& [name, cells] : gathers)
        comparison.rows.push_back({"gather", name, std::move(cells)});
    comparison.rows.push_back(std::move(total));
    if (prices)
        comparison.rows.push_back(std::move(cost));
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
