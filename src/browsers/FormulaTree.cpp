#include "browsers/FormulaTree.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/BrowserRows.h"
#include "database/GameDatabase.h"

#include <algorithm>
#include <unordered_map>

namespace
{
bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerByte(x) == LowerByte(y); });
}

bool HasKeyword(const std::vector<std::string>& keywords, const std::string& keyword)
{
    return std::find(keywords.begin(), keywords.end(), keyword) != keywords.end();
}

bool KeywordsMatch(const std::vector<CKeywordSet>& sets, const CFormula& formula,
                   const CFormulaTier& tier)
{
    if (sets.empty())
        return true;
    for (const CKeywordSet& set : sets)
    {
        const bool all = std::all_of(set.begin(), set.end(),
                                     [&](const std::string& keyword) {
                                         return HasKeyword(tier.keywords, keyword) ||
                                                HasKeyword(formula.keywords, keyword);
                                     });
        if (all)
            return true;
    }
    return false;
}

int CategoryIcon(const CGameDatabase& db, const std::string& name)
{
    for (const CCategory& category : db.categories)
        if (category.name == name)
            return category.iconIndex;
    return 0;
}
} // namespace

std::vector<std::string> CategoryEntries(const CGameDatabase& db)
{
    std::vector<std::string> entries{std::string(Messages::CategoryAll),
                                     std::string(Messages::CategoryCustom)};
    entries.insert(entries.end(), db.FormulaCategories.begin(), db.FormulaCategories.end());
    return entries;
}

const std::vector<std::string>& ClassNames()
{
    static const std::vector<std::string> names = {"Adventure: Battle Mage (BTLM)",
                                                   "Adventure: Berserker (BERS)",
                                                   "Adventure: Blood Mage (BLDM)",
                                                   "Adventure: Chaos Warrior (CHSW)",
                                                   "Adventure: Cleric (CLRC)",
                                                   "Adventure: Conjurer (CONJ)",
                                                   "Adventure: Crossbowman (CRSB)",
                                                   "Adventure: Dragon (DRAG)",
                                                   "Adventure: Druid (DRU)",
                                                   "Adventure: Elemental Archer (ELAR)",
                                                   "Adventure: Flame Disciple (FLMD)",
                                                   "Adventure: Guardian (GRDN)",
                                                   "Adventure: Healer (HLR)",
                                                   "Adventure: Ice Disciple (ICED)",
                                                   "Adventure: Knight of Creation (KNOC)",
                                                   "Adventure: Mage (MAGE)",
                                                   "Adventure: Monk (MONK)",
                                                   "Adventure: Paladin (PLDN)",
                                                   "Adventure: Ranger (RNGR)",
                                                   "Adventure: Reaver (RVR)",
                                                   "Adventure: Scout (SCT)",
                                                   "Adventure: Shaman (SHMN)",
                                                   "Adventure: Sorcerer (SORC)",
                                                   "Adventure: Spearman (SPRM)",
                                                   "Adventure: Spiritist (SPRT)",
                                                   "Adventure: Storm Disciple (STMD)",
                                                   "Adventure: Warrior (WAR)",
                                                   "Adventure: Wizard (WIZ)",
                                                   "Craft: Alchemist (ALC)",
                                                   "Craft: Armorer (ARM)",
                                                   "Craft: Blacksmith (BLK)",
                                                   "Craft: Carpenter (CRP)",
                                                   "Craft: Confectioner (CNF)",
                                                   "Craft: Dragon Crafter (DCRA)",
                                                   "Craft: Dragon Lairshaper (DLSH)",
                                                   "Craft: Enchanter (ENC)",
                                                   "Craft: Fitter (FIT)",
                                                   "Craft: Fletcher (FLT)",
                                                   "Craft: Gatherer (GTH)",
                                                   "Craft: Jeweler (JWL)",
                                                   "Craft: Mason (MSN)",
                                                   "Craft: Miner (MIN)",
                                                   "Craft: Outfitter (OUT)",
                                                   "Craft: Scholar (SCH)",
                                                   "Craft: Spellcrafter (SPL)",
                                                   "Craft: Tailor (TLR)",
                                                   "Craft: Tinkerer (TNK)",
                                                   "Craft: Weaponsmith (WPN)",
                                                   "Craft: Weaver (WVR)"};
    return names;
}

std::string ClassCode(std::string_view entry)
{
    const std::size_t open = entry.find('(');
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = entry.find(')', open + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(entry.substr(open + 1, close - open - 1));
}

std::string RaceWord(std::string_view classCode)
{
    if (classCode == "DRAG" || classCode == "DCRA" || classCode == "DLSH")
        return std::string(Messages::RaceKhutit);
    return std::string(Messages::RaceHuman);
}

bool TechniqueFitsTier(const CTechnique& technique, const CFormula& formula,
                       const CFormulaTier& tier)
{
    const int number = TierNumber(tier.levelName);
    for (const auto& techTier : technique.tiers)
    {
        if (TierNumber(techTier->levelName) > number || techTier->techSize > tier.allowedTechniques)
            continue;
        const auto& sets =
            techTier->keywordSets.empty() ? technique.keywordSets : techTier->keywordSets;
        if (KeywordsMatch(sets, formula, tier))
            return true;
    }
    return false;
}

bool TechniqueAppliesTo(const CTechnique& technique, const CFormula& formula)
{
    return std::any_of(formula.tiers.begin(), formula.tiers.end(),
                       [&](const auto& tier)
                       { return TechniqueFitsTier(technique, formula, *tier); });
}

void ApplyNameSearch(CFormulaFilter& filter, const std::string& name)
{
    filter.name = name;
    filter.classCode.clear();
    filter.race.clear();
    filter.technique = nullptr;
    filter.category = Messages::CategoryCustom;
}

void ApplyClassSearch(CFormulaFilter& filter, const std::string& classEntry)
{
    filter.name.clear();
    filter.classCode = ClassCode(classEntry);
    filter.race = RaceWord(filter.classCode);
    filter.technique = nullptr;
    filter.category = Messages::CategoryCustom;
}

bool CustomShows(const CFormula& formula, const CFormulaFilter& filter)
{
    bool match = false;
    if (filter.technique)
        match = TechniqueAppliesTo(*filter.technique, formula);
    if (!filter.name.empty())
        match = ContainsNoCase(formula.name, filter.name);
    if (filter.classCode.empty())
        return match;

    // The last "reqclass" and the last "reqrace" seen decide: +1 contains, -1 not, 0 none.
    int classResult = 0;
    int raceResult = 0;
    const auto scan = [&](const std::vector<CAttribute>& attributes)
    {
        for (const CAttribute& attribute : attributes)
        {
            if (attribute.key == "reqclass")
                classResult = attribute.value.find(filter.classCode) != std::string::npos ? 1 : -1;
            else if (attribute.key == "reqrace")
                raceResult = attribute.value.find(filter.race) != std::string::npos ? 1 : -1;
        }
    };
    scan(formula.attributes);
    for (const auto& tier : formula.tiers)
        scan(tier->attributes);

    if (classResult == 1)
        return true;
    if (classResult == -1)
        return match;
    if (raceResult == -1)
        return match;
    return raceResult == 1;
}

CFormulaOrder FormulaOrder(const CGameDatabase& db)
{
    CFormulaOrder order;
    // The sets of each category, so the order stays linear in the number of formulae.
    std::unordered_map<std::string, std::vector<const CFormulaSet*>> setsOf;
    for (const auto& set : db.FormulaSets())
        setsOf[set->category].push_back(set.get());
    std::unordered_map<std::string, std::size_t> categoryIndex;
    for (const std::string& name : db.FormulaCategories)
    {
        // A category listed twice is filled once.
        if (!categoryIndex.emplace(name, order.categories.size()).second)
            continue;
        CFormulaOrder::CCategory& category = order.categories.emplace_back();
        category.name = name;
        category.iconIndex = CategoryIcon(db, name);
        if (const auto sets = setsOf.find(name); sets != setsOf.end())
            for (const CFormulaSet* set : sets->second)
                for (const auto& formula : set->formulae)
                    category.formulae.push_back(formula.get());
        std::stable_sort(category.formulae.begin(), category.formulae.end(),
                         [](const CFormula* a, const CFormula* b) { return TreeLess(a->name, b->name); });
    }
    return order;
}

CFormulaTree BuildFormulaTree(const CFormulaOrder& order, const CFormulaFilter& filter,
                              std::string_view currentCategory, std::string_view currentFormula)
{
    const bool all = filter.category == Messages::CategoryAll;
    const bool custom = filter.category == Messages::CategoryCustom;
    CFormulaTree tree;
    // The current formula sits in the first category of its name that shows it.
    bool currentFound = false;
    for (const CFormulaOrder::CCategory& source : order.categories)
    {
        if (!all && !custom && source.name != filter.category)
            continue;
        CTreeCategory category{source.name, {}, source.iconIndex, 0,
                               static_cast<int>(source.formulae.size()), {}};
        for (const CFormula* formula : source.formulae)
            if (!custom || CustomShows(*formula, filter))
                category.formulae.push_back({formula});
        category.shown = static_cast<int>(category.formulae.size());
        tree.found += category.shown;
        category.label = TreeCategoryLabel(category.name, category.shown, category.total);
        if (!category.formulae.empty())
            tree.categories.push_back(std::move(category));
    }
    std::stable_sort(tree.categories.begin(), tree.categories.end(),
                     [](const CTreeCategory& a, const CTreeCategory& b) { return TreeLess(a.label, b.label); });
    // In the first category (database order) of that name that shows the formula.
    for (const CFormulaOrder::CCategory& source : order.categories)
    {
        if (currentFound || !EqualNoCase(source.name, currentCategory))
            continue;
        for (std::size_t c = 0; c < tree.categories.size(); ++c)
        {
            if (tree.categories[c].name != source.name)
                continue;
            const auto& formulae = tree.categories[c].formulae;
            for (std::size_t f = 0; f < formulae.size() && !currentFound; ++f)
                if (formulae[f].formula->name == currentFormula)
                {
                    tree.currentCategory = static_cast<int>(c);
                    tree.currentFormula = static_cast<int>(f);
                    currentFound = true;
                }
        }
    }
    tree.foundText = FormulaeFoundText(tree.found, filter);
    return tree;
}

CFormulaTree BuildFormulaTree(const CGameDatabase& db, const CFormulaFilter& filter,
                              std::string_view currentCategory, std::string_view currentFormula)
{
    return BuildFormulaTree(FormulaOrder(db), filter, currentCategory, currentFormula);
}

std::string TreeCategoryLabel(const std::string& name, int shown, int total)
{
    return Format(Messages::TreeCategoryLabel, name.c_str(), shown, total);
}

std::string FormulaeFoundText(int count, const CFormulaFilter& filter)
{
    std::string text = Format(Messages::FormulaeFound, count);
    if (filter.category == Messages::CategoryCustom)
    {
        if (!filter.classCode.empty())
            text += " (" + filter.classCode + ")";
        else
            text += Messages::FoundFiltered;
    }
    return text;
}
