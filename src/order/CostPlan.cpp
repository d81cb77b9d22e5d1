#include "order/CostPlan.h"

#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/PlanGraph.h"
#include "order/Prices.h"
#include "order/Requirements.h"
#include "order/Units.h"

#include <algorithm>
#include <limits>

namespace
{
constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t Min = std::numeric_limits<std::int64_t>::min();
} // namespace

std::int64_t RoundedDivide(std::int64_t a, std::int64_t b)
{
    if (a == Max || a == Min)
        return a;
    const std::int64_t quotient = a / b;
    const std::int64_t remainder = a % b; // |remainder| < b, so twice it fits
    if (remainder >= 0)
        return quotient + (2 * remainder >= b ? 1 : 0);
    return quotient - (-2 * remainder > b ? 1 : 0);
}

std::int64_t PriceUnits(std::int64_t hundredths)
{
    return SaturatingMultiply(hundredths, 100);
}

std::vector<CUnitCost> UnitCosts(const CPlanGraph& graph, const CPriceList& prices,
                                 const std::vector<const CProfile*>& characters)
{
    const auto& vertices = graph.Vertices();
    std::vector<CUnitCost> costs(vertices.size());
    for (const std::size_t v : graph.ConsumedFirst())
    {
        const CPlanGraph::CVertex& vertex = vertices[v];
        CUnitCost& cost = costs[v];
        const std::int64_t* price = prices.Find(*vertex.node->name);
        cost.priced = price != nullptr;
        if (!vertex.Produced())
        {
            cost.unit = price ? PriceUnits(*price) : 0;
            continue;
        }
        const std::int64_t perBatch = std::max(1, vertex.node->producer.formula->batchQty);
        const std::vector<CResource>& resources = vertex.node->producer.tier->resources;
        std::int64_t least = 0;
        for (std::size_t c = 0; c < characters.size(); ++c)
        {
            std::int64_t sum = 0;
            for (std::size_t i = 0; i < resources.size(); ++i)
                sum = SaturatingAdd(sum,
                                    SaturatingMultiply(UnitsNeeded(resources[i], characters[c], 0),
                                                       costs[vertex.children[i]].unit));
            const std::int64_t craft = RoundedDivide(sum, perBatch);
            if (c == 0 || craft < least)
            {
                least = craft;
                cost.crafter = static_cast<int>(c);
            }
        }
        // An equal price crafts.
        cost.bought = price && PriceUnits(*price) < least;
        cost.unit = cost.bought ? PriceUnits(*price) : least;
    }
    return costs;
}

std::vector<CProfitRow> ComputeProfits(const CGameDatabase& db,
                                       const std::vector<const COrderItem*>& items,
                                       const CProfile* profile, const CPlanCosting& costing)
{
    // Each item's own components; every name of them gets its unit cost from one graph.
    std::vector<const COrderItem*> priced;
    std::vector<CRequirementList> components;
    for (const COrderItem* item : items)
    {
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        if (!formula || !ItemFormulaTier(*formula, item->tierName))
            continue;
        priced.push_back(item);
        components.push_back(ComputeComponents(db, {item}, profile, BreakdownComponents, SortByName));
    }
    CBreakdown breakdown(db, profile);
    CPlanGraph graph(breakdown);
    std::vector<std::vector<std::size_t>> vertices(components.size());
    for (std::size_t i = 0; i < components.size(); ++i)
        for (const CRequirement& entry : components[i])
        {
            vertices[i].push_back(graph.VertexOf(breakdown.NodeOf(entry.name)));
            graph.Discover(vertices[i].back());
        }
    const CPriceList none;
    const CPriceList& prices = costing.prices ? *costing.prices : none;
    const std::vector<const CProfile*> characters =
        costing.characters.empty() ? std::vector<const CProfile*>{profile} : costing.characters;
    const std::vector<CUnitCost> costs = UnitCosts(graph, prices, characters);

    std::vector<CProfitRow> rows;
    for (std::size_t i = 0; i < priced.size(); ++i)
    {
        const COrderItem* item = priced[i];
        CProfitRow row;
        row.name = item->itemName;
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        row.made = SaturatingMultiply(item->batches, std::max(1, formula->batchQty));
        std::int64_t total = 0;
        for (std::size_t k = 0; k < components[i].size(); ++k)
            total = SaturatingAdd(total, SaturatingMultiply(components[i][k].quantity, costs[vertices[i][k]].unit));
        // Batches below one cannot come from an order file; they divide by one.
        row.unitCost = RoundedDivide(total, std::max<std::int64_t>(1, row.made));
        if (const std::int64_t* price = prices.Find(item->itemName))
        {
            row.price = *price;
            row.margin = SaturatingSubtract(PriceUnits(*price), row.unitCost);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
