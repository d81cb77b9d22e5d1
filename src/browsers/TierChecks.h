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
    int selected = -1; // the row of the current tier; -1 with no tiers
    std::string tier;  // the tier the working item takes (ItemTierName)
};

// How an order item names a tier: by its level name ("Tier II") as order files do, by its
// product name when another tier of the formula shares the level name.
std::string ItemTierName(const CFormula& formula, const CFormulaTier& tier);

// The tiers grid. The working item's tier is selected; in "Add Item" mode a tier of the
// last chosen tier's level ("Tier II") is preferred, and when the formula has none of that
// level its last tier is taken. Nothing is preferred before a tier was ever chosen.
CTierGrid TierGrid(const CFormula* formula, const std::string& workingTier,
                   const std::string& lastLevel, bool addMode);

// The checks of choosing a tier for the attached techniques (each must be found with its
// tier): the message to show, empty when the tier can be taken.
std::string CheckTier(const CGameDatabase& db, const CFormulaTier& tier,
                      const std::vector<COrderTechnique>& techniques);
