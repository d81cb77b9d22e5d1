#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "database/ReaderHelpers.h"
#include "xml/XmlDocument.h"

#include <algorithm>
#include <climits>
#include <cstdint>

using namespace ReaderHelpers;

namespace
{
void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    std::string result;
    std::size_t start = 0;
    std::size_t hit = text.find(from);
    if (hit == std::string::npos)
        return;
    result.reserve(text.size());
    while (hit != std::string::npos)
    {
        result.append(text, start, hit - start).append(to);
        start = hit + from.size();
        hit = text.find(from, start);
    }
    result.append(text, start, std::string::npos);
    text = std::move(result);
}

void RemoveAll(std::string& text, std::initializer_list<std::string_view> phrases)
{
    for (std::string_view phrase : phrases)
        ReplaceAll(text, phrase, {});
}

// Reads a list of keyword lists: one per set element, its keywords from the leaf lines.
// dropFiltered: keywords of the game's internal classes are left out and sets left empty
// are dropped (returns whether a keyword was kept).
bool ReadKeywordSets(const CXmlDocument& doc, CXmlElement& parent, const char* listName,
                     const char* setName, const char* keywordName, bool dropFiltered,
                     std::vector<CKeywordSet>& out)
{
    bool keptAny = false;
    CXmlElement list(listName);
    CXmlElement set(setName);
    if (!list.FindNext(doc, parent))
        return false;
    std::string keyword;
    while (set.FindNext(doc, list))
    {
        CKeywordSet keywords;
        while (set.NextText(doc, keywordName, keyword, true))
            if (!dropFiltered || IsKeptKeyword(keyword))
                keywords.push_back(keyword);
        if (dropFiltered && keywords.empty())
            continue;
        keptAny = keptAny || !keywords.empty();
        out.push_back(std::move(keywords));
    }
    return keptAny;
}

void ReadAttributes(const CXmlDocument& doc, CXmlElement& parent, const char* listName,
                    const char* name, std::vector<CAttribute>& out)
{
    CXmlElement list(listName);
    if (!list.FindNext(doc, parent))
        return;
    std::string key;
    std::string value;
    while (list.NextTextAndAttribute(doc, name, key, value, true))
        out.push_back(NormaliseAttribute(key, value));
}

int Saturate(std::int64_t value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

void ReadTechniqueTier(CTechnique& technique, const std::string& category, const CXmlDocument& doc,
                       CXmlElement& tier, bool clear)
{
    std::string name;
    tier.GetText(doc, "tier-name", name, true);
    const CTierLevel level = ReadTierLevel(doc, tier);
    bool isNew = false;
    CTechniqueTier& t = PlaceTier(technique.tiers, name, level.level, isNew);
    const bool fresh = clear || isNew;
    if (level.present || fresh)
    {
        t.level = level.level;
        t.levelName = level.levelName;
    }

    tier.GetText(doc, "tier-origin", t.origin, fresh);
    tier.GetText(doc, "tier-desc", t.description, fresh);
    const bool hasSkillAdjust = tier.GetInt(doc, "tier-skilladjust", t.skillAdjust, fresh);
    if (!hasSkillAdjust && t.skillAdjust == 0)
        t.skillAdjust = Saturate(static_cast<std::int64_t>(t.level) * 10);
    const bool hasUsageAdjust = tier.GetInt(doc, "tier-usageadjust", t.usageAdjust, fresh);
    if (!hasUsageAdjust && category == "Spell" && t.usageAdjust == 0)
        t.usageAdjust = t.skillAdjust;
    if (!tier.GetInt(doc, "tier-techsize", t.techSize, false) && fresh)
        t.techSize = 1;
    tier.GetText(doc, "tier-prefix", t.prefix, fresh);
    tier.GetText(doc, "tier-suffix", t.suffix, fresh);

    if (ReadKeywordSets(doc, tier, "tier-keywords", "tier-keywordset", "tier-keyword", true,
                        t.keywordSets))
        technique.hasTierKeywords = true;
    ReadKeywordSets(doc, tier, "tier-effectkeywords", "tier-effectkeywordset", "tier-effectkeyword",
                    false, t.effectKeywordSets);
    ReadAttributes(doc, tier, "tier-attributes", "tier-attribute", t.attributes);

    const bool hasBonus = std::any_of(t.attributes.begin(), t.attributes.end(),
                                      [](const CAttribute& a) { return a.key == "bonus"; });
    if (!hasBonus)
        for (std::string& value : DeriveBonusValues(t.description))
            t.attributes.push_back({"bonus", std::move(value)});

    CXmlElement components("components");
    if (components.FindNext(doc, tier))
    {
        std::string quantity;
        std::string component;
        while (components.NextTextAndAttribute(doc, "component", quantity, component, true))
        {
            CResource r;
            r.name = component;
            r.qtyAtMin = r.qtyAtOpt = Atoi(quantity);
            t.components.push_back(std::move(r));
        }
    }
}
} // namespace

std::vector<std::string> DeriveBonusValues(std::string_view description)
{
    std::vector<std::string> bonuses;
    if (description.find("Health and Armor") != std::string_view::npos)
    {
        bonuses.emplace_back("+5 Health");
        bonuses.emplace_back("+5 Armor");
        return bonuses;
    }

    std::string p(description);
    ReplaceAll(p, "addtional", "additional");
    ReplaceAll(p, "This technique gives the user +", "an additional +");
    ReplaceAll(p, "to give a +", "an additional +");

    constexpr std::string_view additional = "an additional +";
    constexpr std::string_view objects = "certain objects with +";
    if (const std::size_t k = p.find(additional); k != std::string::npos)
    {
        p.erase(0, k + additional.size() - 1); // keep the "+"
        RemoveAll(p, {"to the ", "in the ", " trade skill.", " magic skill.", " adventure skill.",
                      " defense.", " statistic.", " skill when it is equipped.", " skill."});
        bonuses.push_back(std::move(p));
    }
    else if (const std::size_t j = p.find(objects); j != std::string::npos)
    {
        p.erase(0, j + objects.size() - 1);
        RemoveAll(p, {"in the ", " craft skills.", " and"});
        // The amount stands before the first space; every listed name receives it.
        if (const std::size_t s = p.find(' '); s != std::string::npos)
        {
            const std::string amount = p.substr(0, s);
            ReplaceAll(p, ",", "," + amount);
        }
        std::size_t start = 0;
        for (;;)
        {
            const std::size_t comma = p.find(',', start);
            std::string piece =
                p.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!piece.empty())
                bonuses.push_back(std::move(piece));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
    }
    return bonuses;
}

void CGameDatabase::ReadTechnique(CTechnique& technique, const std::string& category,
                                  const CXmlDocument& doc, CXmlElement& tech, bool clear)
{
    if (clear)
    {
        technique.attributes.clear();
        technique.keywordSets.clear();
        technique.effectKeywordSets.clear();
        technique.tiers.clear();
        technique.hasTierKeywords = false;
    }
    tech.GetText(doc, "tech-name", technique.name, clear);
    tech.GetText(doc, "tech-desc", technique.description, clear);
    tech.GetText(doc, "tech-subdesc", technique.subdescription, clear);
    tech.GetText(doc, "tech-prefix", technique.prefix, clear);
    tech.GetText(doc, "tech-suffix", technique.suffix, clear);
    std::string icon;
    if (tech.GetText(doc, "tech-icon", icon, true))
        technique.iconIndex = IconIndex(icon);
    else if (clear)
        technique.iconIndex = 0;

    ReadKeywordSets(doc, tech, "tech-keywords", "tech-keywordset", "tech-keyword", true,
                    technique.keywordSets);
    ReadKeywordSets(doc, tech, "tech-effectkeywords", "tech-effectkeywordset", "tech-effectkeyword",
                    false, technique.effectKeywordSets);
    ReadAttributes(doc, tech, "tech-attributes", "tech-attribute", technique.attributes);

    CXmlElement tier("tier");
    while (tier.FindNext(doc, tech))
        ReadTechniqueTier(technique, category, doc, tier, clear);

    if (technique.hasTierKeywords)
        for (auto& t : technique.tiers)
            t->keywordSets.insert(t->keywordSets.end(), technique.keywordSets.begin(),
                                  technique.keywordSets.end());
}

std::unique_ptr<CTechniqueSet>
CGameDatabase::ReadTechniqueSetFile(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement setElement("techniqueset");
    if (!setElement.FindNext(doc, root))
        return nullptr;

    auto set = std::make_unique<CTechniqueSet>();
    setElement.GetText(doc, "techniqueset-name", set->name, true);
    setElement.GetText(doc, "techniqueset-category", set->category, true);
    // A technique set takes the icon of the subcategory named like its category.
    if (const CSubcategory* sub = FindSubcategory(set->category))
        set->iconIndex = sub->iconIndex;

    CXmlElement tech("tech");
    while (tech.FindNext(doc, setElement))
    {
        auto technique = std::make_unique<CTechnique>();
        ReadTechnique(*technique, set->category, doc, tech, true);
        set->techniques.push_back(std::move(technique));
    }
    return set;
}

bool CGameDatabase::ReadTechniqueOverlay(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement techniques("techniques");
    if (!techniques.FindNext(doc, root))
        return false;

    CXmlElement tech("tech");
    std::string name;
    std::string category;
    while (tech.FindNext(doc, techniques))
    {
        tech.GetText(doc, "tech-name", name, true);
        tech.GetText(doc, "tech-category", category, true);
        // The overlay only amends techniques; it never creates one.
        if (CTechnique* technique = FindTechnique("All", name))
            ReadTechnique(*technique, category, doc, tech, false);
    }
    return true;
}
