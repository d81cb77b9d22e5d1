#pragma once

#include "browsers/BrowserRows.h"
#include "order/Order.h"

#include <string>
#include <string_view>
#include <vector>

class CGameDatabase;
struct CFormula;
struct CFormulaTier;
struct CTechnique;
struct CTechniqueTier;
struct CWorkingItem;

// The technique browser's category list, tree, tier rows and "Apply" check, as data the
// window only has to show.

// "All", then every technique category in database order.
std::vector<std::string> TechCategoryEntries(const CGameDatabase& db);

// What the usable filter judges against: the formula browser's working item at its tier.
// Both null while that browser has no item.
struct CTechTarget
{
    const CFormula* formula = nullptr;
    const CFormulaTier* tier = nullptr;

    bool Empty() const { return !formula || !tier; }
};
CTechTarget TechTarget(const CGameDatabase& db, const CWorkingItem& working);

// A technique tier is usable on the target when it can go on the item's tier: its tier
// number is not above the item's and its size fits the item's technique slots. These are
// the limits "Apply" enforces. Without a target nothing can be judged, so every tier counts
// as usable; a technique is usable when one of its tiers is.
bool TechniqueTierUsable(const CTechniqueTier& tier, const CTechTarget& target);
bool TechniqueUsable(const CTechnique& technique, const CTechTarget& target);

struct CTechTreeTechnique
{
    std::string name;
    int iconIndex = 0;
    const CTechnique* technique = nullptr;
};

struct CTechTreeCategory
{
    std::string name;
    std::string label; // "%s (%d/%d)": shown, total
    int iconIndex = 0;
    int shown = 0;
    int total = 0;
    std::vector<CTechTreeTechnique> techniques; // sorted as the tree sorts
};

struct CTechniqueTree
{
    std::vector<CTechTreeCategory> categories; // only those with techniques shown, sorted
    int found = 0;
    // Where the current technique sits; -1 when it is not shown.
    int currentCategory = -1;
    int currentTechnique = -1;
    std::string foundText; // "%d Techniques", " (Usable)" while the filter hides any
};

// Fills the tree for the category entry ("All" or a category); with usableOnly, only the
// techniques usable on the target. The current technique is found by category and name.
CTechniqueTree BuildTechniqueTree(const CGameDatabase& db, const std::string& category,
                                  bool usableOnly, const CTechTarget& target,
                                  std::string_view currentCategory,
                                  std::string_view currentTechnique);

// The tiers grid: one row per tier in technique order, "tier available" when it is usable
// on the target; a single "None" row for a technique without tiers.
CBrowserRows TechniqueTierRows(const CTechnique* technique, const CTechTarget& target);
// The tier chosen when a technique is selected: the highest usable one, else the first;
// -1 without tiers.
int PreferredTechniqueTier(const CTechnique& technique, const CTechTarget& target);

// The details grid, rows of a label and a value: the technique's name and descriptions, then the
// chosen tier's level, origin, description, skill adjustment, size, bonuses and components.
CBrowserRows TechniqueDetailRows(const CTechnique& technique, const CTechniqueTier* tier);

// The line naming the item the techniques go on, with the slots its techniques take.
std::string TechniqueItemText(const CGameDatabase& db, const CWorkingItem& working);

// The order item's record of a technique tier chosen in the browser.
COrderTechnique TechniqueChoice(const std::string& category, const CTechnique& technique,
                                const CTechniqueTier& tier);

// "Apply": the message when the tier cannot go on the working item (no item, unknown tier,
// no slots left for its size, the item's tier too low), empty when it can.
std::string CheckApplyTechnique(const CGameDatabase& db, const CWorkingItem& working,
                                const COrderTechnique& technique);
