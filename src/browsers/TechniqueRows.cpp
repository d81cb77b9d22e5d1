#include "browsers/TechniqueRows.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/WorkingItem.h"
#include "database/GameDatabase.h"
#include "order/Requirements.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace
{
void Add(CBrowserRows& rows, std::string_view label, std::string_view value, EBrowserRow kind)
{
    rows.push_back({kind, {std::string(label), std::string(value)}});
}
} // namespace

std::vector<std::string> TechCategoryEntries(const CGameDatabase& db)
{
    std::vector<std::string> entries{std::string(Messages::CategoryAll)};
    entries.insert(entries.end(), db.TechniqueCategories.begin(), db.TechniqueCategories.end());
    return entries;
}

CTechTarget TechTarget(const CGameDatabase& db, const CWorkingItem& working)
{
    CTechTarget target;
    target.formula = db.FindFormula(working.item.category, working.item.formula);
    target.tier = target.formula ? WorkingTier(db, working) : nullptr;
    if (!target.tier)
        target.formula = nullptr;
    return target;
}

bool TechniqueTierUsable(const CTechniqueTier& tier, const CTechTarget& target)
{
    if (target.Empty())
        return true;
    return TierNumber(tier.levelName) <= TierNumber(target.tier->levelName) &&
           tier.techSize <= target.tier->allowedTechniques;
}

bool TechniqueUsable(const CTechnique& technique, const CTechTarget& target)
{
    // Without an item there is nothing to judge by, not even a technique without tiers.
    if (target.Empty())
        return true;
    return std::any_of(technique.tiers.begin(), technique.tiers.end(),
                       [&](const auto& tier) { return TechniqueTierUsable(*tier, target); });
}

CTechniqueTree BuildTechniqueTree(const CGameDatabase& db, const std::string& category,
                                  bool usableOnly, const CTechTarget& target,
                                  std::string_view currentCategory,
                                  std::string_view currentTechnique)
{
    const bool all = category == Messages::CategoryAll;
    std::unordered_map<std::string, std::vector<const CTechniqueSet*>> setsOf;
    for (const auto& set : db.TechniqueSets())
        setsOf[set->category].push_back(set.get());

    CTechniqueTree tree;
    bool hidden = false;
    for (const std::string& name : db.TechniqueCategories)
    {
        const auto sets = setsOf.find(name);
        if ((!all && name != category) || sets == setsOf.end())
            continue;
        CTechTreeCategory entry;
        entry.name = name;
        entry.iconIndex = sets->second.front()->iconIndex;
        for (const CTechniqueSet* set : sets->second)
            for (const auto& technique : set->techniques)
            {
                ++entry.total;
                if (usableOnly && !TechniqueUsable(*technique, target))
                {
                    hidden = true;
                    continue;
                }
                ++entry.shown;
                entry.techniques.push_back({technique->name, technique->iconIndex, technique.get()});
            }
        // A category listed twice is filled once.
        setsOf.erase(sets);
        entry.label = Format(Messages::TreeCategoryLabel, entry.name.c_str(), entry.shown, entry.total);
        if (entry.techniques.empty())
            continue;
        std::stable_sort(entry.techniques.begin(), entry.techniques.end(),
                         [](const CTechTreeTechnique& a, const CTechTreeTechnique& b)
                         { return TreeLess(a.name, b.name); });
        tree.found += entry.shown;
        tree.categories.push_back(std::move(entry));
    }
    std::stable_sort(tree.categories.begin(), tree.categories.end(),
                     [](const CTechTreeCategory& a, const CTechTreeCategory& b)
                     { return TreeLess(a.label, b.label); });

    for (std::size_t c = 0; c < tree.categories.size() && tree.currentCategory < 0; ++c)
    {
        if (tree.categories[c].name != currentCategory)
            continue;
        const auto& techniques = tree.categories[c].techniques;
        for (std::size_t t = 0; t < techniques.size(); ++t)
            if (techniques[t].name == currentTechnique)
            {
                tree.currentCategory = static_cast<int>(c);
                tree.currentTechnique = static_cast<int>(t);
                break;
            }
    }
    tree.foundText = Format(Messages::TechniquesFound, tree.found);
    if (hidden)
        tree.foundText += Messages::TechniquesUsable;
    return tree;
}

CBrowserRows TechniqueTierRows(const CTechnique* technique, const CTechTarget& target)
{
    CBrowserRows rows;
    if (technique)
        for (const auto& tier : technique->tiers)
            rows.push_back({TechniqueTierUsable(*tier, target) ? EBrowserRow::TierAvailable
                                                               : EBrowserRow::TierNotAvailable,
                            {tier->name}});
    return rows.empty() ? NoneRow(EBrowserRow::TierNotAvailable) : rows;
}

int PreferredTechniqueTier(const CTechnique& technique, const CTechTarget& target)
{
    if (technique.tiers.empty())
        return -1;
    int best = -1;
    int bestNumber = 0;
    for (std::size_t i = 0; i < technique.tiers.size(); ++i)
    {
        const CTechniqueTier& tier = *technique.tiers[i];
        const int number = TierNumber(tier.levelName);
        if (TechniqueTierUsable(tier, target) && (best < 0 || number > bestNumber))
        {
            best = static_cast<int>(i);
            bestNumber = number;
        }
    }
    return best < 0 ? 0 : best;
}

CBrowserRows TechniqueDetailRows(const CTechnique& technique, const CTechniqueTier* tier)
{
    CBrowserRows rows;
    Add(rows, "", technique.name, EBrowserRow::Title);
    if (!technique.description.empty())
        Add(rows, "", technique.description, EBrowserRow::Description);
    if (!technique.subdescription.empty())
        Add(rows, "", technique.subdescription, EBrowserRow::Description);
    if (!tier)
        return rows;

    Add(rows, "", "", EBrowserRow::Plain);
    Add(rows, Messages::TechniqueTierLabel, tier->name, EBrowserRow::Plain);
    Add(rows, Messages::TechniqueLevelLabel, tier->levelName, EBrowserRow::Plain);
    if (!tier->origin.empty())
        Add(rows, Messages::TechniqueOriginLabel, tier->origin, EBrowserRow::Plain);
    if (!tier->description.empty())
        Add(rows, "", tier->description, EBrowserRow::Description);
    Add(rows, Messages::TechniqueSkillAdjustLabel, Format("%+d", tier->skillAdjust),
        EBrowserRow::Plain);
    // Only spells use it; elsewhere it is always 0.
    if (tier->usageAdjust != 0)
        Add(rows, Messages::TechniqueUsageAdjustLabel, Format("%+d", tier->usageAdjust),
            EBrowserRow::Plain);
    Add(rows, Messages::TechniqueSizeLabel, std::to_string(tier->techSize), EBrowserRow::Plain);

    bool first = true;
    for (const CAttribute& attribute : tier->attributes)
        if (attribute.key == "bonus")
        {
            Add(rows, first ? Messages::TechniqueBonusLabel : "", attribute.value,
                EBrowserRow::Bonus);
            first = false;
        }

    Add(rows, "", "", EBrowserRow::Plain);
    if (tier->components.empty())
        Add(rows, Messages::TechniqueComponentsLabel, Messages::GridNone,
            EBrowserRow::Requirement);
    first = true;
    for (const CResource& component : tier->components)
    {
        Add(rows, first ? Messages::TechniqueComponentsLabel : "",
            Format(Messages::TechniqueComponentFormat, component.qtyAtMin, component.name.c_str()),
            EBrowserRow::Requirement);
        first = false;
    }
    return rows;
}

std::string TechniqueItemText(const CGameDatabase& db, const CWorkingItem& working)
{
    const CTechTarget target = TechTarget(db, working);
    if (target.Empty())
        return std::string(Messages::TechniqueNoItem);
    return Format(Messages::TechniqueItemFormat, target.tier->name.c_str(),
                  target.tier->levelName.c_str(), UsedTechniqueSlots(db, working),
                  target.tier->allowedTechniques);
}

COrderTechnique TechniqueChoice(const std::string& category, const CTechnique& technique,
                                const CTechniqueTier& tier)
{
    return {category, technique.name, tier.name};
}

std::string CheckApplyTechnique(const CGameDatabase& db, const CWorkingItem& working,
                                const COrderTechnique& technique)
{
    const CTechTarget target = TechTarget(db, working);
    if (target.Empty())
        return std::string(Messages::TechniqueApplyNoItem);
    const CTechnique* found = db.FindTechnique(technique.category, technique.name);
    const CTechniqueTier* tier = found ? ItemTechniqueTier(*found, technique.tierName) : nullptr;
    if (!tier)
        return Format(Messages::TechniqueTierMissing, technique.tierName.c_str(),
                      technique.name.c_str());
    const CFormulaTier& itemTier = *target.tier;
    if (UsedTechniqueSlots(db, working) + tier->techSize > itemTier.allowedTechniques)
        return Format(Messages::TechniqueNoSlots, itemTier.name.c_str(), technique.name.c_str(),
                      itemTier.allowedTechniques);
    if (TierNumber(itemTier.levelName) < TierNumber(tier->levelName))
        return Format(Messages::TechniqueTierTooHigh, itemTier.name.c_str(),
                      itemTier.levelName.c_str(), tier->name.c_str(), tier->levelName.c_str());
    return {};
}
