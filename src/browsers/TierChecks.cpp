#include "browsers/TierChecks.h"

#include "app/Messages.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/Requirements.h"
#include "xml/NumberText.h"

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

CTierGrid TierGrid(const CFormula* formula, const std::string& workingTier,
                   const std::string& lastLevel, bool addMode)
{
    CTierGrid grid;
    if (!formula || formula->tiers.empty())
    {
        grid.rows.push_back({std::string(Messages::GridNone), BrowserRowKind::TierNotAvailable});
        return grid;
    }
    const auto& tiers = formula->tiers;
    for (const auto& tier : tiers)
        grid.rows.push_back({tier->name, BrowserRowKind::TierAvailable});
    int chosen = -1;
    if (addMode && !lastLevel.empty())
    {
        for (std::size_t i = 0; i < tiers.size() && chosen < 0; ++i)
            if (tiers[i]->levelName == lastLevel)
                chosen = static_cast<int>(i);
        if (chosen < 0)
            chosen = static_cast<int>(tiers.size()) - 1;
    }
    for (std::size_t i = 0; i < tiers.size() && chosen < 0; ++i)
        if (tiers[i]->name == workingTier || tiers[i]->levelName == workingTier)
            chosen = static_cast<int>(i);
    if (chosen < 0)
        chosen = 0;
    grid.selected = chosen;
    grid.tier = ItemTierName(*formula, *tiers[static_cast<std::size_t>(chosen)]);
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
