#include "browsers/WorkingItem.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/TierChecks.h"
#include "database/GameDatabase.h"
#include "order/OrderWindowLogic.h"
#include "order/Requirements.h"
#include "profile/Profile.h"

#include <algorithm>

namespace
{
const CFormula* WorkingFormula(const CGameDatabase& db, const CWorkingItem& working)
{
    return db.FindFormula(working.item.category, working.item.formula);
}

const CTechniqueTier* AttachedTier(const CGameDatabase& db, const COrderTechnique& attached)
{
    const CTechnique* technique = db.FindTechnique(attached.category, attached.name);
    return technique ? ItemTechniqueTier(*technique, attached.tierName) : nullptr;
}
} // namespace

void StartWorkingItem(CWorkingItem& working, const CFormula& formula)
{
    COrderItem item;
    item.formula = formula.name;
    item.category = formula.category;
    if (const CFormulaTier* tier = PreferredTier(formula, working.lastLevel))
    {
        item.tierName = ItemTierName(formula, *tier);
        item.itemName = tier->name;
    }
    item.batches = 1;
    working.item = std::move(item);
    working.inOrder = false;
}

std::string AddButtonCaption(const CWorkingItem& working)
{
    return std::string(working.inOrder ? Messages::IncreaseQty : Messages::AddItem);
}

int AddOrIncrease(CWorkingItem& working, COrder& order, const std::string& selectedGroup)
{
    if (!working.inOrder || !order.FindItem(working.item.id))
    {
        working.item.group = GroupForNewItem(order, selectedGroup);
        const COrderItem& added = order.AddItem(std::make_unique<COrderItem>(working.item));
        working.item.id = added.id;
        working.inOrder = true;
    }
    else
    {
        working.item.batches = std::min(working.item.batches + 1, COrder::MaxBatches);
        UpdateOrderItem(working, order);
    }
    order.modified = true;
    return working.item.id;
}

void UpdateOrderItem(const CWorkingItem& working, COrder& order)
{
    if (COrderItem* item = order.FindItem(working.item.id))
    {
        // The group is the order window's to change.
        const std::string group = item->group;
        *item = working.item;
        item->group = group;
        order.modified = true;
    }
}

const CFormulaTier* WorkingTier(const CGameDatabase& db, const CWorkingItem& working)
{
    const CFormula* formula = WorkingFormula(db, working);
    return formula ? ItemFormulaTier(*formula, working.item.tierName) : nullptr;
}

std::string ChooseTier(const CGameDatabase& db, CWorkingItem& working, COrder& order,
                       const std::string& tierName)
{
    const CFormula* formula = WorkingFormula(db, working);
    const CFormulaTier* tier =
        formula ? CGameDatabase::FindFormulaTier(*formula, tierName) : nullptr;
    if (!tier)
        return {};
    std::string message = CheckTier(db, *tier, working.item.techniques);
    if (!message.empty())
        return message;
    working.item.tierName = ItemTierName(*formula, *tier);
    working.item.itemName = tier->name;
    working.lastLevel = tier->levelName;
    if (working.inOrder)
        UpdateOrderItem(working, order);
    return {};
}

CBrowserRows TechniqueRows(const CGameDatabase& db, const CWorkingItem& working)
{
    CBrowserRows rows;
    for (const COrderTechnique& attached : working.item.techniques)
        if (db.FindTechnique(attached.category, attached.name))
            rows.push_back({EBrowserRow::Technique, {attached.name}});
    return rows.empty() ? NoneRow(EBrowserRow::Technique) : rows;
}

bool RemoveTechnique(const CGameDatabase& db, CWorkingItem& working, COrder& order, int row)
{
    // Rows list only the techniques the database knows, so count those to find the row's.
    auto& techniques = working.item.techniques;
    int shown = 0;
    for (auto it = techniques.begin(); it != techniques.end(); ++it)
    {
        if (!db.FindTechnique(it->category, it->name) || shown++ != row)
            continue;
        techniques.erase(it);
        if (working.inOrder)
            UpdateOrderItem(working, order);
        return true;
    }
    return false;
}

int UsedTechniqueSlots(const CGameDatabase& db, const CWorkingItem& working)
{
    int used = 0;
    for (const COrderTechnique& attached : working.item.techniques)
    {
        const CTechniqueTier* tier = AttachedTier(db, attached);
        used += tier ? tier->techSize : 1;
    }
    return used;
}

std::string AttachTechnique(const CGameDatabase& db, CWorkingItem& working, COrder& order,
                            const COrderTechnique& technique)
{
    const CFormulaTier* tier = WorkingTier(db, working);
    if (!tier)
        return {};
    const CTechniqueTier* techTier = AttachedTier(db, technique);
    if (!techTier)
        return Format(Messages::TechniqueTierMissing, technique.tierName.c_str(),
                      technique.name.c_str());
    if (UsedTechniqueSlots(db, working) + techTier->techSize > tier->allowedTechniques)
        return Format(Messages::TechniqueNoSlots, tier->name.c_str(), technique.name.c_str(),
                      tier->allowedTechniques);
    if (TierNumber(tier->levelName) < TierNumber(techTier->levelName))
        return Format(Messages::TierCannotTake, tier->name.c_str(), technique.name.c_str());
    working.item.techniques.push_back(technique);
    if (working.inOrder)
        UpdateOrderItem(working, order);
    return {};
}

std::vector<std::string> QuickItemEntries(const CGameDatabase& db, const COrder& order)
{
    std::vector<std::string> entries{std::string(Messages::GridNone)};
    for (const auto& item : order.items)
    {
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        entries.push_back(ItemLabel(formula ? formula->batchQty : 1, *item));
    }
    return entries;
}

bool PickQuickItem(CWorkingItem& working, const COrder& order, int entry)
{
    if (entry == 0)
    {
        working.inOrder = false;
        return true;
    }
    if (entry < 0 || entry > order.ItemCount())
        return false;
    working.item = *order.items[static_cast<std::size_t>(entry - 1)];
    working.inOrder = true;
    return true;
}

std::string LoadedItemCategory(const std::string& currentCategory,
                               const std::string& formulaCategory, bool treeShowsFormula)
{
    if (currentCategory == Messages::CategoryCustom && treeShowsFormula)
        return currentCategory;
    return formulaCategory;
}

CProfileEntries ProfileEntries(const CProfileList& list)
{
    CProfileEntries result;
    for (const auto& profile : list.profiles)
    {
        if (profile.get() == list.templateProfile)
            continue;
        if (profile.get() == list.current)
            result.current = static_cast<int>(result.entries.size());
        result.entries.push_back(profile->server + ":" + profile->name);
        result.profiles.push_back(profile.get());
    }
    return result;
}

bool CanEditCurrentSkill(const CProfile* profile)
{
    return profile && profile->type != ProfileTypes::Default;
}

bool SetCurrentSkill(CProfile* profile, const std::string& skill, const std::string& text)
{
    if (!CanEditCurrentSkill(profile) || skill.empty())
        return false;
    std::size_t begin = text.find_first_not_of(' ');
    std::size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos)
        return false;
    const std::string digits = text.substr(begin, end - begin + 1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int value = Atoi(digits);
    auto it = std::find_if(profile->craftSkills.begin(), profile->craftSkills.end(),
                           [&](const CProfileValue& entry) { return entry.name == skill; });
    if (it == profile->craftSkills.end())
        profile->craftSkills.push_back({skill, value});
    else
        it->value = value;
    profile->changed = true;
    return true;
}
