#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CGameDatabase;
class CPlanGraph;
struct COrderItem;
struct CPriceList;
struct CProfile;

// Who may craft the plan's steps, and at what prices. Amounts are 64-bit counts of
// ten-thousandths of a coin (prices: hundredths), saturating at the 64-bit range.
struct CPlanCosting
{
    const CPriceList* prices = nullptr; // null: no prices in effect
    std::vector<const CProfile*>
        characters; // in order; null is "no profile"; empty: the plan's profile
};

// The unit cost of a name of the producer graph. A base name (not made, or on a cycle)
// costs 100 x its price, or 0 unpriced. A made name costs what its tier's resources cost
// the cheapest character (the first of the least), per item made, rounded half up; unless
// its price is less: then it is bought at its price.
struct CUnitCost
{
    std::int64_t unit = 0;
    bool priced = false;
    bool bought = false;
    int crafter = 0; // index into the characters
};
// One per vertex of the graph.
std::vector<CUnitCost> UnitCosts(const CPlanGraph& graph, const CPriceList& prices,
                                 const std::vector<const CProfile*>& characters);

// a / b (b > 0) rounded half up to a whole number: halves go towards plus infinity, also
// for a negative a. A saturated a stays saturated.
std::int64_t RoundedDivide(std::int64_t a, std::int64_t b);
// 100 x a price in hundredths: the price in ten-thousandths.
std::int64_t PriceUnits(std::int64_t hundredths);

// The margin of each order item: made = batches x the formula's batch quantity; the unit
// cost is what the item's own components (the "Show Components" breakdown at the profile)
// cost, divided by made, rounded half up; margin = 100 x price - unit cost.
struct CProfitRow
{
    std::string name;
    std::int64_t made = 0;
    std::int64_t unitCost = 0;
    std::optional<std::int64_t> price; // hundredths
    std::int64_t margin = 0;           // with a price only
};
// Items whose formula or tier the database lacks are left out.
std::vector<CProfitRow> ComputeProfits(const CGameDatabase& db,
                                       const std::vector<const COrderItem*>& items,
                                       const CProfile* profile, const CPlanCosting& costing);
