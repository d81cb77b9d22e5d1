#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

class CGameDatabase;
class COrder;
struct COrderItem;
struct CProfile;
struct CFormula;
struct CFormulaTier;
struct CTechnique;
struct CTechniqueTier;

// One line of a result: a component or resource with its quantity, or a bonus with its
// amount and type ("Direct", "Indirect" or "Both").
struct CRequirement
{
    std::string name;
    std::int64_t quantity = 0;
    std::string type;
};
using CRequirementList = std::vector<CRequirement>;

enum EBreakdownMode
{
    BreakdownComponents = 0,
    BreakdownSubcomponents = 1,
    BreakdownBaseResources = 2
};

enum ESortMode
{
    SortByName = 0,
    SortByQuantity = 1
};

enum EBonusMode
{
    BonusesDirect = 0,
    BonusesIncludeIndirect = 1
};

// The settings store the modes as these numbers; one out of range reads as the first mode.
inline EBreakdownMode BreakdownModeOf(int stored)
{
    return stored >= 0 && stored <= 2 ? static_cast<EBreakdownMode>(stored) : BreakdownComponents;
}
inline EBonusMode BonusModeOf(int stored)
{
    return stored == 1 ? BonusesIncludeIndirect : BonusesDirect;
}

// The ticked entries of the order tree: item ids and group names.
struct COrderSelection
{
    std::set<int> items;
    std::set<std::string> groups;
    bool Empty() const { return items.empty() && groups.empty(); }
};

// The items a report covers, in order-list order: the ticked items and the items of ticked
// groups, or every item when nothing is ticked.
std::vector<const COrderItem*> SelectedItems(const COrder& order, const COrderSelection& selection);

// An item's tier is named by its level name ("Tier II"); failing that, by its name.
const CFormulaTier* ItemFormulaTier(const CFormula& formula, const std::string& tierName);
const CTechniqueTier* ItemTechniqueTier(const CTechnique& technique, const std::string& tierName);

// Stable bubble sort: by name ascending (byte-wise) or by quantity descending.
void Sort(CRequirementList& list, ESortMode mode);

// A base breakdown goes down every path of formulae; where formulae name each other the
// paths are countless, so a breakdown of more steps than this is refused.
inline constexpr std::uint64_t MaxBreakdownSteps = 20000000;

// Adds a name's base resources to list: a producible name is broken down through its
// producing tier in ceil(need / batch quantity) batches on every path to it, a name met again
// on its own path counts as a base resource there. False, the list unchanged, past
// MaxBreakdownSteps.
bool Expand(const CGameDatabase& db, const CProfile* profile, const std::string& name, std::int64_t n,
            CRequirementList& list);

// The components of the items; in base-resource mode an empty list, with *refused set, past
// MaxBreakdownSteps.
CRequirementList ComputeComponents(const CGameDatabase& db, const std::vector<const COrderItem*>& items,
                                   const CProfile* profile, EBreakdownMode breakdown, ESortMode sort,
                                   bool* refused = nullptr);
CRequirementList ComputeBonuses(const CGameDatabase& db, const std::vector<const COrderItem*>& items,
                                EBonusMode mode, ESortMode sort);
