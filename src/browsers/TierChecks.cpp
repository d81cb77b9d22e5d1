#include "browsers/TierChecks.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/Requirements.h"

#include <algorithm>

int MinimumTier(const CTechnique& technique)
{
    if (technique.tiers.empty())
        return 0;
    int lowest = TierNumber(technique.tiers.front()->levelName);
    for (const auto& tier : technique.tiers)
        lowest = std::min(lowest, TierNumber(tier->levelName));
    return lowest;
}

std::string ItemTierName(const CFormula& formula, const CFormulaTier& tier)
{
    const auto same =
        std::count_if(formula.tiers.begin(), formula.tiers.end(),
                      [&](const auto& other) { return other->levelName == tier.levelName; });
    return same == 1 ? tier.levelName : tier.name;
}

const CFormulaTier* PreferredTier(const CFormula& formula, const std::string& lastLevel)
{
    if (formula.tiers.empty())
        return nullptr;
    if (lastLevel.empty())
        return formula.tiers.front().get();
    for (const auto& tier : formula.tiers)
        if (tier->levelName == lastLevel)
            return tier.get();
    return formula.tiers.back().get();
}

CTierGrid TierGrid(const CFormula* formula, const std::string& workingTier)
{
    CTierGrid grid;
    if (!formula || formula->tiers.empty())
    {
        grid.rows = NoneRow(EBrowserRow::TierNotAvailable);
        return grid;
    }
    const CFormulaTier* working = ItemFormulaTier(*formula, workingTier);
    for (std::size_t i = 0; i < formula->tiers.size(); ++i)
    {
        grid.rows.push_back({EBrowserRow::TierAvailable, {formula->tiers[i]->name}});
        if (formula->tiers[i].get() == working)
            grid.selected = static_cast<int>(i);
    }
    return grid;
}

std::string CheckTier(const CGameDatabase& db, const CFormulaTier& tier,
                      const std::vector<COrderTechnique>& techniques)
{
    if (tier.allowedTechniques < static_cast<int>(techniques.size()))
        return Format(Messages::TierTooFewSlots, tier.name.c_str(), tier.allowedTechniques);
    const int number = TierNumber(tier.levelName);
    for (const COrderTechnique& attached : techniques)
    {
        const CTechnique* technique = db.FindTechnique(attached.category, attached.name);
        if (!technique || !ItemTechniqueTier(*technique, attached.tierName))
            return Format(Messages::TechniqueTierMissing, attached.tierName.c_str(),
                          attached.name.c_str());
        if (number < MinimumTier(*technique))
            return Format(Messages::TierCannotTake, tier.name.c_str(), attached.name.c_str());
    }
    return {};
}
