#include "browsers/OrderWizard.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/FormulaTree.h"
#include "browsers/TechniqueRows.h"
#include "browsers/TierChecks.h"
#include "browsers/WorkingItem.h"
#include "database/GameDatabase.h"
#include "database/Loader.h"
#include "order/OrderWindowLogic.h"
#include "profile/Profile.h"

#include <algorithm>
#include <cctype>

namespace
{
std::string Lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

bool Contains(const std::vector<std::string>& list, const std::string& value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The profile's level in a school of the template's type; null when it has none.
const CCraftLevel* CraftLevel(const CProfile& profile, const std::string& school)
{
    for (const CCraftLevel& craft : profile.craftLevels)
        if (craft.name == school)
            return &craft;
    return nullptr;
}

const CProfileValue* AdventureLevel(const CProfile& profile, const std::string& school)
{
    for (const CProfileValue& adventure : profile.adventureLevels)
        if (adventure.name == school)
            return &adventure;
    return nullptr;
}

std::string EquipSlot(const CFormula& formula)
{
    for (const CAttribute& attribute : formula.attributes)
        if (attribute.key == "equipslot")
            return attribute.value;
    for (const auto& tier : formula.tiers)
        for (const CAttribute& attribute : tier->attributes)
            if (attribute.key == "equipslot")
                return attribute.value;
    return {};
}

CWorkingItem WorkingItemOf(const CWizardChoice& choice)
{
    CWorkingItem working;
    working.item = choice.Item({});
    return working;
}
} // namespace

std::string WizardTemplateName(const CWizardTemplate& wizard)
{
    return wizard.school + " (" + wizard.type + ")";
}

int TierOfLevel(int level)
{
    return std::clamp(1 + level / 5, 1, 10);
}

std::string TierRangeText(const CTierRange& range)
{
    if (range.lowest == range.highest)
        return TierName(range.lowest);
    return TierName(range.lowest) + " to " + TierName(range.highest);
}

std::optional<CTierRange> WorkableTiers(const CWizardWho& who, const CWizardTemplate& wizard)
{
    if (!who.profile)
        return CTierRange{TierOfLevel(who.level), TierOfLevel(who.level)};
    const bool adventure = wizard.type == Messages::WizardTypeAdventure;
    if (!adventure)
        if (const CCraftLevel* craft = CraftLevel(*who.profile, wizard.school))
        {
            // Work tiers of 0 (never filled in) fall back on the level.
            if (craft->workTierMin < 1 || craft->workTierMax < 1)
                return CTierRange{TierOfLevel(craft->level), TierOfLevel(craft->level)};
            const int low = std::clamp(std::min(craft->workTierMin, craft->workTierMax), 1, 10);
            const int high = std::clamp(std::max(craft->workTierMin, craft->workTierMax), 1, 10);
            return CTierRange{low, high};
        }
    if (wizard.type != Messages::WizardTypeCraft)
        if (const CProfileValue* level = AdventureLevel(*who.profile, wizard.school))
            return CTierRange{TierOfLevel(level->value), TierOfLevel(level->value)};
    return std::nullopt;
}

std::vector<const CWizardTemplate*> MatchingTemplates(const CGameDatabase& db, const CWizardWho& who)
{
    std::vector<const CWizardTemplate*> result;
    for (const auto& wizard : db.wizards)
    {
        if (!who.type.empty() && wizard->type != who.type)
            continue;
        if (!who.school.empty() && wizard->school != who.school)
            continue;
        if (!who.race.empty() && !wizard->races.empty() && !Contains(wizard->races, who.race))
            continue;
        if (who.profile && !WorkableTiers(who, *wizard))
            continue;
        result.push_back(wizard.get());
    }
    return result;
}

COrderItem CWizardChoice::Item(const std::string& group) const
{
    COrderItem item;
    item.group = group;
    if (formula)
    {
        item.formula = formula->name;
        item.category = formula->category;
    }
    if (const CFormulaTier* tier = Tier())
    {
        item.itemName = tier->name;
        item.tierName = ItemTierName(*formula, *tier);
    }
    item.batches = std::clamp(batches, COrder::MinBatches, COrder::MaxBatches);
    item.techniques = techniques;
    return item;
}

bool MatchesWizardFilter(const CFormula& formula, const std::string& filter)
{
    bool any = false;
    std::size_t begin = 0;
    while (begin <= filter.size())
    {
        const std::size_t end = std::min(filter.find_first_of(",|", begin), filter.size());
        std::string word = filter.substr(begin, end - begin);
        word.erase(0, word.find_first_not_of(' '));
        word.erase(word.find_last_not_of(' ') + 1);
        begin = end + 1;
        if (word.empty())
            continue;
        any = true;
        const std::string needle = Lower(word);
        if (Lower(formula.name).find(needle) != std::string::npos)
            return true;
        for (const std::string& keyword : formula.keywords)
            if (Lower(keyword).find(needle) != std::string::npos)
                return true;
    }
    return !any;
}

bool FitsWizardSlots(const CFormula& formula, const CWizardTemplate& wizard)
{
    const std::string slot = EquipSlot(formula);
    return wizard.slots.empty() || slot.empty() || Contains(wizard.slots, slot);
}

CWizardPlan PlanWizard(const CGameDatabase& db, const CWizardTemplate& wizard, const CTierRange& range)
{
    CWizardPlan plan;
    plan.wizard = &wizard;
    plan.range = range;
    const std::string name = WizardTemplateName(wizard);

    std::vector<const CWizardFormulaSet*> sets;
    for (const CWizardFormulaSet& set : wizard.formulaSets)
        sets.push_back(&set);
    std::stable_sort(sets.begin(), sets.end(),
                     [](const CWizardFormulaSet* a, const CWizardFormulaSet* b) { return a->priority < b->priority; });

    // A formula goes into the first set (by priority) that offers it.
    std::vector<const CFormula*> taken;
    for (const CWizardFormulaSet* set : sets)
    {
        CWizardSetPlan setPlan;
        setPlan.set = set;
        setPlan.ticked = set->optional == 0;
        for (const auto& dbSet : db.FormulaSets())
        {
            if (dbSet->name != set->name)
                continue;
            setPlan.known = true;
            for (const auto& formula : dbSet->formulae)
            {
                if (std::find(taken.begin(), taken.end(), formula.get()) != taken.end())
                    continue;
                if (!MatchesWizardFilter(*formula, set->filter) || !FitsWizardSlots(*formula, wizard))
                    continue;
                CWizardChoice choice;
                choice.formula = formula.get();
                for (const auto& tier : formula->tiers)
                {
                    const int number = TierNumber(tier->levelName);
                    if (number >= range.lowest && number <= range.highest)
                        choice.tiers.push_back(tier.get());
                }
                if (choice.tiers.empty())
                    continue;
                std::stable_sort(choice.tiers.begin(), choice.tiers.end(),
                                 [](const CFormulaTier* a, const CFormulaTier* b)
                                 { return TierNumber(a->levelName) < TierNumber(b->levelName); });
                choice.tier = static_cast<int>(choice.tiers.size()) - 1;
                taken.push_back(formula.get());
                setPlan.choices.push_back(std::move(choice));
            }
        }
        if (!setPlan.known)
            plan.problems.push_back(Format(Messages::WizardUnknownSet, name.c_str(), set->name.c_str()));
        else if (setPlan.choices.empty())
            plan.problems.push_back(Format(Messages::WizardSetEmpty, set->name.c_str(), set->filter.c_str(),
                                           TierRangeText(range).c_str()));
        plan.sets.push_back(std::move(setPlan));
    }
    for (const std::string& tech : wizard.techs)
        if (!db.FindTechnique(Messages::CategoryAll, tech))
            plan.problems.push_back(Format(Messages::WizardUnknownTechnique, name.c_str(), tech.c_str()));
    return plan;
}

std::vector<COrderTechnique> TechniqueOptions(const CGameDatabase& db, const CWizardTemplate& wizard,
                                              const CWizardChoice& choice)
{
    std::vector<COrderTechnique> options;
    const CFormulaTier* tier = choice.Tier();
    if (!choice.formula || !tier)
        return options;
    const CTechTarget target{choice.formula, tier};
    for (const std::string& name : wizard.techs)
    {
        const CTechnique* technique = db.FindTechnique(Messages::CategoryAll, name);
        if (!technique || !TechniqueFitsTier(*technique, *choice.formula, *tier))
            continue;
        const int preferred = PreferredTechniqueTier(*technique, target);
        if (preferred < 0)
            continue;
        const CTechniqueTier& techTier = *technique->tiers[static_cast<std::size_t>(preferred)];
        if (TechniqueTierUsable(techTier, target))
            options.push_back(TechniqueChoice(std::string(Messages::CategoryAll), *technique, techTier));
    }
    return options;
}

std::string SetChoiceTechnique(const CGameDatabase& db, CWizardChoice& choice, const COrderTechnique& technique,
                               bool on)
{
    auto& list = choice.techniques;
    const auto same = [&](const COrderTechnique& t) { return t.name == technique.name; };
    if (!on)
    {
        std::erase_if(list, same);
        return {};
    }
    if (std::any_of(list.begin(), list.end(), same))
        return {};
    std::string message = CheckApplyTechnique(db, WorkingItemOf(choice), technique);
    if (message.empty())
        list.push_back(technique);
    return message;
}

void KeepTakenTechniques(const CGameDatabase& db, const CWizardTemplate& wizard, CWizardChoice& choice)
{
    const std::vector<COrderTechnique> wanted = std::move(choice.techniques);
    choice.techniques.clear();
    const std::vector<COrderTechnique> options = TechniqueOptions(db, wizard, choice);
    for (const COrderTechnique& technique : wanted)
        for (const COrderTechnique& option : options)
            if (option.name == technique.name)
                SetChoiceTechnique(db, choice, option, true);
}

void TickEverything(const CGameDatabase& db, CWizardPlan& plan)
{
    for (CWizardSetPlan& set : plan.sets)
    {
        set.ticked = true;
        for (CWizardChoice& choice : set.choices)
        {
            choice.ticked = true;
            choice.tier = static_cast<int>(choice.tiers.size()) - 1;
            choice.batches = 1;
            choice.techniques.clear();
            for (const COrderTechnique& option : TechniqueOptions(db, *plan.wizard, choice))
                if (SetChoiceTechnique(db, choice, option, true).empty())
                    break;
        }
    }
}

CWizardPlan DefaultWizardPlan(const CGameDatabase& db, const CWizardTemplate& wizard, const CTierRange& range)
{
    CWizardPlan plan = PlanWizard(db, wizard, range);
    TickEverything(db, plan);
    return plan;
}

std::vector<COrderItem> WizardItems(const CWizardPlan& plan)
{
    std::vector<COrderItem> items;
    for (const CWizardSetPlan& set : plan.sets)
    {
        if (!set.ticked)
            continue;
        for (const CWizardChoice& choice : set.choices)
            if (choice.ticked && choice.Tier())
                items.push_back(choice.Item(set.set->name));
    }
    return items;
}

std::string WizardSummary(const CGameDatabase& db, const CWizardPlan& plan)
{
    const std::vector<COrderItem> items = WizardItems(plan);
    std::string body;
    std::string group;
    int groups = 0;
    for (const COrderItem& item : items)
    {
        if (groups == 0 || item.group != group)
        {
            group = item.group;
            ++groups;
            body += group + "\n";
        }
        const CFormula* formula = db.FindFormula(item.category, item.formula);
        body += "    " + ItemLabel(formula ? formula->batchQty : 1, item);
        for (std::size_t i = 0; i < item.techniques.size(); ++i)
            body += (i ? ", " : " (") + item.techniques[i].tierName;
        body += item.techniques.empty() ? "\n" : ")\n";
    }
    return Format(Messages::WizardSummaryHead, static_cast<int>(items.size()), groups) + "\n" + body;
}

int ApplyWizard(COrder& order, const CWizardPlan& plan, bool replace)
{
    const std::vector<COrderItem> items = WizardItems(plan);
    if (replace)
    {
        order.Clear();
        order.filePath = COrder::UntitledPath;
    }
    for (const COrderItem& item : items)
    {
        order.AddGroup(item.group);
        order.AddItem(std::make_unique<COrderItem>(item));
    }
    if (replace || !items.empty())
        order.modified = true;
    return static_cast<int>(items.size());
}

std::vector<CWizardFileProblem> UnreadableWizardFiles(const std::filesystem::path& folder)
{
    std::vector<CWizardFileProblem> problems;
    CGameDatabase reader;
    for (const std::filesystem::path& file : DatabaseFiles(folder))
    {
        const std::unique_ptr<CWizardTemplate> wizard = reader.ReadWizardFile(file);
        std::string reason;
        if (!wizard)
            reason = Messages::WizardFileNoWizard;
        else if (wizard->school.empty() || wizard->type.empty())
            reason = Messages::WizardFileNoSchool;
        else if (wizard->formulaSets.empty())
            reason = Messages::WizardFileNoSets;
        if (!reason.empty())
            problems.push_back({file, reason});
    }
    return problems;
}
