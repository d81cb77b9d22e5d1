#pragma once

#include "browsers/BrowserRows.h"
#include "order/Order.h"

#include <string>
#include <vector>

class CGameDatabase;
class CProfileList;
struct CFormula;
struct CFormulaTier;
struct CProfile;

// The item the formula browser builds before and after it joins the order.
struct CWorkingItem
{
    COrderItem item;
    bool inOrder = false;  // "Increase Qty" mode
    std::string lastLevel; // level name of the last chosen tier ("Tier III")
};

// A new item of the formula at its preferred tier (PreferredTier): one batch, no techniques.
void StartWorkingItem(CWorkingItem& working, const CFormula& formula);

// "Add Item" or "Increase Qty".
std::string AddButtonCaption(const CWorkingItem& working);

// "Add Item" appends a copy with a new id to the group GroupForNewItem chooses (the group
// selected in the order window, else the first); "Increase Qty" adds a batch and updates
// the order's item. Both mark the order modified. Returns the id of the order's item.
int AddOrIncrease(CWorkingItem& working, COrder& order, const std::string& selectedGroup = {});

// After an edit in "Increase Qty" mode: the order's item takes the working item's values.
void UpdateOrderItem(const CWorkingItem& working, COrder& order);

// The working item's formula tier, or null.
const CFormulaTier* WorkingTier(const CGameDatabase& db, const CWorkingItem& working);

// Chooses a tier by its name: the checks' message when it is refused (nothing changes),
// otherwise the tier is taken and remembered, and empty is returned.
std::string ChooseTier(const CGameDatabase& db, CWorkingItem& working, COrder& order,
                       const std::string& tierName);

// The techniques grid: the attached techniques found in the database, or a single "None".
CBrowserRows TechniqueRows(const CGameDatabase& db, const CWorkingItem& working);

// "Remove Technique" on grid row n (0 = first row): removes the technique that row shows.
bool RemoveTechnique(const CGameDatabase& db, CWorkingItem& working, COrder& order, int row);

// The slots the attached techniques take (each by its tier's size).
int UsedTechniqueSlots(const CGameDatabase& db, const CWorkingItem& working);

// Attaches a technique tier from the technique browser: the message when it is refused
// (no room left by size, or the item's tier too low for the technique's tier), else empty.
std::string AttachTechnique(const CGameDatabase& db, CWorkingItem& working, COrder& order,
                            const COrderTechnique& technique);

// The Quick Item list: "None", then every order item as the order window labels it.
std::vector<std::string> QuickItemEntries(const CGameDatabase& db, const COrder& order);
// Entry 0 returns to "Add Item" mode; entry n makes the n-th order item the working item.
// False when there is no such entry.
bool PickQuickItem(CWorkingItem& working, const COrder& order, int entry);

// The category list entry after loading an order item: the formula's category, except in
// "Custom" while the tree already shows the formula.
std::string LoadedItemCategory(const std::string& currentCategory,
                               const std::string& formulaCategory, bool treeShowsFormula);

// The Profile combo: "server:name" of every profile but the template, and the current one's
// place (-1 when none).
struct CProfileEntries
{
    std::vector<std::string> entries;
    std::vector<CProfile*> profiles;
    int current = -1;
};
CProfileEntries ProfileEntries(const CProfileList& list);

// Current skills can be edited for a current profile that is not of type "Default".
bool CanEditCurrentSkill(const CProfile* profile);
// Sets the craft skill to the number typed; anything but a whole number from 0 up is
// refused and changes nothing. Marks the profile changed.
bool SetCurrentSkill(CProfile* profile, const std::string& skill, const std::string& text);
