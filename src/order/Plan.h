#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CGameDatabase;
class CProfileList;
struct CPlanCosting;
struct CPriceList;
class COrder;
struct COrderItem;
struct CProfile;

// What is left to make and to gather once the acquired counts are taken off, with every
// intermediate batched once on its total need.
struct CPlanRow
{
    std::string name;
    std::int64_t need = 0;
    std::int64_t acquired = 0;
    std::int64_t remaining = 0;
    // Crafts only.
    std::int64_t batches = 0;
    std::int64_t made = 0;
    std::int64_t leftover = 0;
    // The longest path from the order's items; their own resources are at depth 1.
    int depth = 0;
    // The cost-aware plan. Amounts in ten-thousandths of a coin, costs in hundredths.
    bool bought = false;       // a buy row among the crafts: nothing of it is made
    int crafter = 0;           // crafts: the index into CPlan::characters
    bool priced = false;       // gathers: has a price (unpriced ones cost nothing)
    std::int64_t unitCost = 0; // crafts, buys and priced gathers
    std::int64_t cost = 0;     // buys and gathers: remaining x price
};

struct CPlan
{
    // Deepest first (made first), then by name; gather rows by name.
    std::vector<CPlanRow> crafts;
    std::vector<CPlanRow> gathers;
    // Prices were in effect: the plan has its cost columns and a total.
    bool costed = false;
    std::vector<std::string> characters; // "SERVER:NAME", empty for no profile
    std::int64_t total = 0;              // the buy and gather costs, in hundredths
};

// Starts from the components of the items (techniques' components and resources with each
// item's adjustment) and works down the "Resources" formulae in an order where a name comes
// after every name that consumes it. A name on a cycle of formulae counts as gathered.
CPlan ComputePlan(const CGameDatabase& db, const COrder& order,
                  const std::vector<const COrderItem*>& items, const CProfile* profile);
// The same plan with unit costs: each made name is crafted by the character who makes it
// cheapest, or bought when its price is less; a bought name's resources are not needed.
// Depths stay those of the plan without buying.
CPlan ComputePlan(const CGameDatabase& db, const COrder& order,
                  const std::vector<const COrderItem*>& items, const CProfile* profile,
                  const CPlanCosting& costing);

// The gather rows under each place they are found, places byte-wise, "Not gathered" last.
struct CLocationRow
{
    const CPlanRow* row = nullptr;
    int locations = 0;        // how many places list the component (0: none)
    std::string gatheredWith; // "Tool (Skill)" of each gather method, joined with "; "
};
struct CLocationGroup
{
    std::string location;
    std::vector<CLocationRow> rows;
};
std::vector<CLocationGroup> GroupByLocation(const CGameDatabase& db, const CPlan& plan);

// One plan per profile side by side: what each character must gather, and how each order
// item's direct resources come out at its skills. With prices, each character's cost-aware
// plan, and a "cost" row of its total in hundredths after the "total" row.
struct CCompareCell
{
    std::int64_t units = 0;
    int efficiency = 0; // items: the least efficient resource; -1 below a minimum skill
    bool present = false;
    bool cheapest = false;
};
struct CCompareRow
{
    std::string kind; // "gather", "total", "cost" or "item"
    std::string name;
    std::vector<CCompareCell> cells; // one per profile
};
struct CComparison
{
    std::vector<std::string> profiles; // "SERVER:NAME"
    std::vector<CCompareRow> rows;
};
CComparison ComparePlans(const CGameDatabase& db, const COrder& order,
                         const std::vector<const COrderItem*>& items,
                         const std::vector<const CProfile*>& profiles,
                         const CPriceList* prices = nullptr);

// The characters compared when none are named: every profile but the built-in template.
std::vector<const CProfile*> ComparedProfiles(const CProfileList& profiles);

// "SERVER:NAME", as --profile takes it.
std::string ProfileLabel(const CProfile& profile);
