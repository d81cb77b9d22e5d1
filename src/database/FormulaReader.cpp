#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "database/ReaderHelpers.h"
#include "xml/XmlDocument.h"

#include <climits>
#include <cstdint>

using namespace ReaderHelpers;

namespace
{
constexpr std::string_view ResourcesCategory = "Resources";

int Saturate(std::int64_t value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

CResource ReadResource(const CXmlDocument& doc, CXmlElement& resource)
{
    CResource r;
    resource.GetText(doc, "resource-name", r.name, true);
    resource.GetText(doc, "resource-skill", r.skill, true);
    // Units of 0 are kept as 0; the calculation counts them as 1.
    resource.GetInt(doc, "resource-units", r.units, true);
    resource.GetIntAndAttributeInt(doc, "resource-min", r.qtyAtMin, r.minSkill, true);
    resource.GetIntAndAttributeInt(doc, "resource-opt", r.qtyAtOpt, r.optSkill, true);
    if (r.qtyAtMin == 0)
        r.qtyAtMin = Saturate(2 * static_cast<std::int64_t>(r.qtyAtOpt));
    return r;
}

// One "tier" element of an item, placed among the formula's tiers and read into it.
void ReadFormulaTier(CFormula& formula, const CXmlDocument& doc, CXmlElement& tier, bool clear)
{
    std::string name;
    tier.GetText(doc, "tier-name", name, true);
    const CTierLevel level = ReadTierLevel(doc, tier);
    bool isNew = false;
    CFormulaTier& t = PlaceTier(formula.tiers, name, level.level, isNew);
    // A fresh tier takes the defaults of absent elements; a tier laid over by the overlay
    // keeps what it had.
    const bool fresh = clear || isNew;
    if (level.present || fresh)
    {
        t.level = level.level;
        t.levelName = level.levelName;
    }

    int batchQty = 0;
    if (tier.GetInt(doc, "tier-batchqty", batchQty, true))
        t.batchQty = batchQty == 0 ? 1 : batchQty;
    else if (fresh)
        t.batchQty = formula.batchQty == 0 ? 1 : formula.batchQty;
    tier.GetText(doc, "tier-desc", t.description, fresh);
    tier.GetInt(doc, "tier-allowedtechniques", t.allowedTechniques, fresh);
    if (t.allowedTechniques == 0)
        t.allowedTechniques = Saturate((static_cast<std::int64_t>(t.level) + 1) / 2);

    std::string key;
    std::string value;
    CXmlElement attributes("tier-attributes");
    if (attributes.FindNext(doc, tier))
        while (attributes.NextTextAndAttribute(doc, "tier-attribute", key, value, true))
            t.attributes.push_back(NormaliseAttribute(key, value));

    CXmlElement keywords("tier-keywords");
    if (keywords.FindNext(doc, tier))
        while (keywords.NextText(doc, "tier-keyword", value, true))
            if (IsKeptKeyword(value))
            {
                t.keywords.push_back(value);
                formula.hasTierKeywords = true;
            }

    CXmlElement resources("resources");
    CXmlElement resource("resource");
    if (resources.FindNext(doc, tier))
        while (resource.FindNext(doc, resources))
            t.resources.push_back(ReadResource(doc, resource));
}
} // namespace

CTierLevel ReaderHelpers::ReadTierLevel(const CXmlDocument& doc, CXmlElement& tier)
{
    CTierLevel result;
    std::string text;
    result.present = tier.GetTextAndAttribute(doc, "tier-lvl", result.levelName, text, true);
    result.level = result.present ? Atoi(text) : -1;
    if (result.levelName.empty())
        result.levelName = TierName(result.level);
    return result;
}

void CGameDatabase::ReadFormula(CFormula& formula, const std::string& category,
                                const CXmlDocument& doc, CXmlElement& item, bool clear)
{
    if (clear)
    {
        formula.keywords.clear();
        formula.attributes.clear();
        formula.tiers.clear();
        formula.hasTierKeywords = false;
    }
    item.GetText(doc, "item-name", formula.name, clear);
    std::string icon;
    if (item.GetText(doc, "item-icon", icon, true))
        formula.iconIndex = IconIndex(icon);
    if (&formula.category != &category)
        formula.category = category;
    item.GetInt(doc, "item-batchqty", formula.batchQty, clear);
    if (formula.batchQty == 0)
        formula.batchQty = 1;

    std::string key;
    std::string value;
    CXmlElement attributes("item-attributes");
    if (attributes.FindNext(doc, item))
        while (attributes.NextTextAndAttribute(doc, "item-attribute", key, value, true))
            formula.attributes.push_back(NormaliseAttribute(key, value));

    CXmlElement keywords("item-keywords");
    if (keywords.FindNext(doc, item))
        while (keywords.NextText(doc, "item-keyword", value, true))
            if (IsKeptKeyword(value))
                formula.keywords.push_back(value);

    CXmlElement tier("tier");
    while (tier.FindNext(doc, item))
        ReadFormulaTier(formula, doc, tier, clear);

    if (formula.hasTierKeywords)
        for (auto& t : formula.tiers)
            t->keywords.insert(t->keywords.end(), formula.keywords.begin(), formula.keywords.end());
}

std::unique_ptr<CFormulaSet> CGameDatabase::ReadFormulaSetFile(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement setElement("formulaset");
    if (!setElement.FindNext(doc, root))
        return nullptr;

    auto set = std::make_unique<CFormulaSet>();
    setElement.GetText(doc, "formulaset-name", set->name, true);
    if (const CSubcategory* sub = FindSubcategory(set->name))
        set->iconIndex = sub->iconIndex;
    setElement.GetText(doc, "formulaset-category", set->category, true);

    CXmlElement item("item");
    while (item.FindNext(doc, setElement))
    {
        auto formula = std::make_unique<CFormula>();
        ReadFormula(*formula, set->category, doc, item, true);
        set->formulae.push_back(std::move(formula));
    }
    return set;
}

bool CGameDatabase::ReadFormulaOverlay(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement formulas("formulas");
    if (!formulas.FindNext(doc, root))
        return false;

    CXmlElement item("item");
    std::string name;
    std::string category;
    std::string setName;
    while (item.FindNext(doc, formulas))
    {
        item.GetText(doc, "item-name", name, true);
        item.GetText(doc, "item-category", category, true);
        item.GetText(doc, "item-formulaset", setName, true);

        if (CFormula* existing = FindFormula("All", name))
        {
            // Laid over in place: the formula stays in its set and keeps its category, so
            // that lookups by its category still find it.
            ReadFormula(*existing, existing->category, doc, item, false);
            InvalidateProducers();
            continue;
        }
        if (category.empty() || setName.empty())
            continue;

        long pos = FindFormulaSetIndex(category, setName);
        if (pos < 0)
        {
            auto set = std::make_unique<CFormulaSet>();
            set->name = setName;
            set->category = category;
            if (const CSubcategory* sub = FindSubcategory(setName))
                set->iconIndex = sub->iconIndex;
            // A "Resources" set made here produces like any other, however it was loaded.
            if (category == ResourcesCategory)
                ResourceFormulaSets.push_back(set.get());
            formulaSets.push_back(std::move(set));
            pos = static_cast<long>(formulaSets.size()) - 1;
        }
        auto formula = std::make_unique<CFormula>();
        ReadFormula(*formula, category, doc, item, false);
        CFormula* raw = formula.get();
        CFormulaSet& target = *formulaSets[static_cast<std::size_t>(pos)];
        target.formulae.push_back(std::move(formula));
        NoteFormulaAppended(raw, static_cast<std::size_t>(pos));
        if (target.category == ResourcesCategory)
            InvalidateProducers();
    }
    return true;
}
