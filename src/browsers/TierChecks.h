#pragma once

#include "browsers/BrowserRows.h"
#include "order/Order.h"

#include <string>
#include <vector>

class CGameDatabase;
struct CFormula;
struct CFormulaTier;
struct CTechnique;

// The lowest tier number among the technique's tiers' level names ("Tier III" is 3,
// "Default" 0); 0 for a technique without tiers.
int MinimumTier(const CTechnique& technique);

struct CTierGrid
{
    CBrowserRows rows; // one per tier, or a single "None"
    int selected = -1; // the row of the working item's tier; -1 when it has none
};

// How an order item names a tier: by its level name ("Tier II") as order files do, by its
// product name when another tier of the formula shares the level name.
std::string ItemTierName(const CFormula& formula, const CFormulaTier& tier);

// The tier a new item of the formula starts at: the first tier of the level chosen last
// ("Tier II"), the formula's last tier when it has none of that level, its first tier
// before a tier was ever chosen. Null for a formula without tiers.
const CFormulaTier* PreferredTier(const CFormula& formula, const std::string& lastLevel);

// The tiers grid, with the working item's own tier selected: the tier shown, highlighted
// and added is always the same one.
CTierGrid TierGrid(const CFormula* formula, const std::string& workingTier);

// The checks of choosing a tier for the attached techniques (each must be found with its
// tier): the message to show, empty when the tier can be taken.
std::string CheckTier(const CGameDatabase& db, const CFormulaTier& tier,
                      const std::vector<COrderTechnique>& techniques);
