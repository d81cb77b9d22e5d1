#include "PeerLoader.h"

#include "base/DataPaths.h"
#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_map>

namespace fs = std::filesystem;

namespace
{
// Bytes as they are: no entity decoding, no transcoding, like our reader.
constexpr unsigned ParseFlags = pugi::parse_default & ~pugi::parse_escapes;

bool LoadXml(pugi::xml_document& doc, const fs::path& path)
{
    return doc.load_file(path.c_str(), ParseFlags, pugi::encoding_utf8);
}

int Saturate(std::int64_t value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

bool Kept(std::string_view keyword)
{
    return !keyword.starts_with("techclass_") && !keyword.starts_with("tier_");
}

// The overlay's rule: an absent element leaves the value; clear empties it first.
bool Text(pugi::xml_node node, const char* name, std::string& out, bool clear)
{
    if (clear)
        out.clear();
    const pugi::xml_node child = node.child(name);
    if (!child)
        return false;
    out = child.child_value();
    return true;
}

bool Int(pugi::xml_node node, const char* name, int& out, bool clear)
{
    if (clear)
        out = 0;
    const pugi::xml_node child = node.child(name);
    if (!child)
        return false;
    out = Atoi(child.child_value());
    return true;
}

const char* FirstAttribute(pugi::xml_node node) { return node.first_attribute().value(); }

struct CLevel
{
    bool present = false;
    int level = -1;
    std::string name;
};

CLevel TierLevel(pugi::xml_node tier)
{
    CLevel l;
    if (const pugi::xml_node lvl = tier.child("tier-lvl"))
    {
        l.present = true;
        l.level = Atoi(lvl.child_value());
        l.name = FirstAttribute(lvl);
    }
    if (l.name.empty())
        l.name = TierName(l.level);
    return l;
}

template <typename Tier>
Tier& Place(std::vector<std::unique_ptr<Tier>>& tiers, const std::string& name, int level, bool& isNew)
{
    auto it = tiers.begin();
    for (; it != tiers.end(); ++it)
    {
        if ((*it)->name == name)
        {
            isNew = false;
            return **it;
        }
        if (level != -1 && (*it)->level > level)
            break;
    }
    isNew = true;
    auto placed = tiers.insert(it, std::make_unique<Tier>());
    (*placed)->name = name;
    return **placed;
}

int Icon(CIconManager* icons, const char* name) { return icons ? icons->IconIndex(name) : 0; }

void ReadFormula(CFormula& f, const std::string& category, pugi::xml_node item, bool clear, CIconManager* icons)
{
    if (clear)
    {
        f.keywords.clear();
        f.attributes.clear();
        f.tiers.clear();
        f.hasTierKeywords = false;
    }
    Text(item, "item-name", f.name, clear);
    if (const pugi::xml_node icon = item.child("item-icon"))
        f.iconIndex = Icon(icons, icon.child_value());
    if (&f.category != &category)
        f.category = category;
    Int(item, "item-batchqty", f.batchQty, clear);
    if (f.batchQty == 0)
        f.batchQty = 1;
    for (pugi::xml_node a : item.child("item-attributes").children("item-attribute"))
        f.attributes.push_back(NormaliseAttribute(FirstAttribute(a), a.child_value()));
    for (pugi::xml_node k : item.child("item-keywords").children("item-keyword"))
        if (Kept(k.child_value()))
            f.keywords.emplace_back(k.child_value());

    for (pugi::xml_node tier : item.children("tier"))
    {
        std::string name;
        Text(tier, "tier-name", name, true);
        const CLevel level = TierLevel(tier);
        bool isNew = false;
        CFormulaTier& t = Place(f.tiers, name, level.level, isNew);
        const bool fresh = clear || isNew;
        if (level.present || fresh)
        {
            t.level = level.level;
            t.levelName = level.name;
        }
        int batch = 0;
        if (Int(tier, "tier-batchqty", batch, true))
            t.batchQty = batch == 0 ? 1 : batch;
        else if (fresh)
            t.batchQty = f.batchQty == 0 ? 1 : f.batchQty;
        Text(tier, "tier-desc", t.description, fresh);
        Int(tier, "tier-allowedtechniques", t.allowedTechniques, fresh);
        if (t.allowedTechniques == 0)
            t.allowedTechniques = Saturate((static_cast<std::int64_t>(t.level) + 1) / 2);
        for (pugi::xml_node a : tier.child("tier-attributes").children("tier-attribute"))
            t.attributes.push_back(NormaliseAttribute(FirstAttribute(a), a.child_value()));
        for (pugi::xml_node k : tier.child("tier-keywords").children("tier-keyword"))
            if (Kept(k.child_value()))
            {
                t.keywords.emplace_back(k.child_value());
                f.hasTierKeywords = true;
            }
        for (pugi::xml_node res : tier.child("resources").children("resource"))
        {
            CResource r;
            Text(res, "resource-name", r.name, true);
            Text(res, "resource-skill", r.skill, true);
            Int(res, "resource-units", r.units, true);
            if (const pugi::xml_node min = res.child("resource-min"))
            {
                r.minSkill = Atoi(min.child_value());
                r.qtyAtMin = Atoi(FirstAttribute(min));
            }
            if (const pugi::xml_node opt = res.child("resource-opt"))
            {
                r.optSkill = Atoi(opt.child_value());
                r.qtyAtOpt = Atoi(FirstAttribute(opt));
            }
            if (r.qtyAtMin == 0)
                r.qtyAtMin = Saturate(2 * static_cast<std::int64_t>(r.qtyAtOpt));
            t.resources.push_back(std::move(r));
        }
    }
    if (f.hasTierKeywords)
        for (auto& t : f.tiers)
            t->keywords.insert(t->keywords.end(), f.keywords.begin(), f.keywords.end());
}

bool KeywordSets(pugi::xml_node parent, const char* list, const char* set, const char* keyword, bool filter,
                 std::vector<CKeywordSet>& out)
{
    bool kept = false;
    for (pugi::xml_node s : parent.child(list).children(set))
    {
        CKeywordSet words;
        for (pugi::xml_node k : s.children(keyword))
            if (!filter || Kept(k.child_value()))
                words.emplace_back(k.child_value());
        if (filter && words.empty())
            continue;
        kept = kept || !words.empty();
        out.push_back(std::move(words));
    }
    return kept;
}

void ReadTechnique(CTechnique& t, const std::string& category, pugi::xml_node tech, bool clear, CIconManager* icons)
{
    if (clear)
    {
        t.attributes.clear();
        t.keywordSets.clear();
        t.effectKeywordSets.clear();
        t.tiers.clear();
        t.hasTierKeywords = false;
    }
    Text(tech, "tech-name", t.name, clear);
    Text(tech, "tech-desc", t.description, clear);
    Text(tech, "tech-subdesc", t.subdescription, clear);
    Text(tech, "tech-prefix", t.prefix, clear);
    Text(tech, "tech-suffix", t.suffix, clear);
    if (const pugi::xml_node icon = tech.child("tech-icon"))
        t.iconIndex = Icon(icons, icon.child_value());
    else if (clear)
        t.iconIndex = 0;
    KeywordSets(tech, "tech-keywords", "tech-keywordset", "tech-keyword", true, t.keywordSets);
    KeywordSets(tech, "tech-effectkeywords", "tech-effectkeywordset", "tech-effectkeyword", false, t.effectKeywordSets);
    for (pugi::xml_node a : tech.child("tech-attributes").children("tech-attribute"))
        t.attributes.push_back(NormaliseAttribute(FirstAttribute(a), a.child_value()));

    for (pugi::xml_node tier : tech.children("tier"))
    {
        std::string name;
        Text(tier, "tier-name", name, true);
        const CLevel level = TierLevel(tier);
        bool isNew = false;
        CTechniqueTier& tt = Place(t.tiers, name, level.level, isNew);
        const bool fresh = clear || isNew;
        if (level.present || fresh)
        {
            tt.level = level.level;
            tt.levelName = level.name;
        }
        Text(tier, "tier-origin", tt.origin, fresh);
        Text(tier, "tier-desc", tt.description, fresh);
        if (!Int(tier, "tier-skilladjust", tt.skillAdjust, fresh) && tt.skillAdjust == 0)
            tt.skillAdjust = Saturate(static_cast<std::int64_t>(tt.level) * 10);
        if (!Int(tier, "tier-usageadjust", tt.usageAdjust, fresh) && category == "Spell" && tt.usageAdjust == 0)
            tt.usageAdjust = tt.skillAdjust;
        if (!Int(tier, "tier-techsize", tt.techSize, false) && fresh)
            tt.techSize = 1;
        Text(tier, "tier-prefix", tt.prefix, fresh);
        Text(tier, "tier-suffix", tt.suffix, fresh);
        if (KeywordSets(tier, "tier-keywords", "tier-keywordset", "tier-keyword", true, tt.keywordSets))
            t.hasTierKeywords = true;
        KeywordSets(tier, "tier-effectkeywords", "tier-effectkeywordset", "tier-effectkeyword", false,
                    tt.effectKeywordSets);
        for (pugi::xml_node a : tier.child("tier-attributes").children("tier-attribute"))
            tt.attributes.push_back(NormaliseAttribute(FirstAttribute(a), a.child_value()));
        if (std::none_of(tt.attributes.begin(), tt.attributes.end(), [](const CAttribute& a) { return a.key == "bonus"; }))
            for (std::string& value : DeriveBonusValues(tt.description))
                tt.attributes.push_back({"bonus", std::move(value)});
        for (pugi::xml_node c : tier.child("components").children("component"))
        {
            CResource r;
            r.name = c.child_value();
            r.qtyAtMin = r.qtyAtOpt = Atoi(FirstAttribute(c));
            tt.components.push_back(std::move(r));
        }
    }
    if (t.hasTierKeywords)
        for (auto& tier : t.tiers)
            tier->keywordSets.insert(tier->keywordSets.end(), t.keywordSets.begin(), t.keywordSets.end());
}

void ReadCategories(CGameDatabase& db, CIconManager* icons, const fs::path& path)
{
    pugi::xml_document doc;
    LoadXml(doc, path);
    for (pugi::xml_node c : doc.child("categories").children("category"))
    {
        CCategory category;
        Text(c, "category-name", category.name, true);
        Text(c, "category-desc", category.description, true);
        category.iconIndex = Icon(icons, c.child("category-icon").child_value());
        for (pugi::xml_node s : c.child("subcategories").children("subcategory"))
        {
            CSubcategory sub;
            sub.category = category.name;
            Text(s, "subcategory-name", sub.name, true);
            Text(s, "subcategory-desc", sub.description, true);
            sub.iconIndex = Icon(icons, s.child("subcategory-icon").child_value());
            db.subcategories.push_back(std::move(sub));
        }
        db.categories.push_back(std::move(category));
    }
}

void ReadComponents(CGameDatabase& db, const fs::path& path)
{
    db.components.clear();
    db.InvalidateIndexes();
    pugi::xml_document doc;
    LoadXml(doc, path);
    for (pugi::xml_node comp : doc.child("components").children("comp"))
    {
        auto c = std::make_unique<CComponent>();
        Text(comp, "comp-name", c->name, true);
        Int(comp, "comp-tier", c->tier, true);
        Text(comp, "comp-desc", c->description, true);
        Text(comp, "comp-type", c->type, true);
        Int(comp, "comp-bulk", c->bulk, true);
        Text(comp, "comp-pawnbuy", c->buyValue, true);
        Text(comp, "comp-pawnsell", c->sellValue, true);
        Text(comp, "comp-vielosell", c->vendorValue, true);
        for (pugi::xml_node g : comp.child("gather-methods").children("gather"))
        {
            CGatherMethod m;
            Text(g, "gather-skill", m.skill, true);
            Text(g, "gather-tool", m.tool, true);
            Text(g, "gather-rate", m.rate, true);
            Text(g, "min-skill", m.minSkill, true);
            Text(g, "max-skill", m.maxSkill, true);
            for (pugi::xml_node b : g.child("bonuses").children("bonus"))
            {
                CGatherBonus bonus;
                Text(b, "bonus-name", bonus.name, true);
                const pugi::xml_node amount = b.child("bonus-amount");
                bonus.amount = amount.child_value();
                bonus.qualifier = FirstAttribute(amount);
                m.bonuses.push_back(std::move(bonus));
            }
            c->gatherMethods.push_back(std::move(m));
        }
        for (pugi::xml_node l : comp.child("locs").children("loc-coord"))
            c->locations.emplace_back(l.child_value());
        db.components.push_back(std::move(c));
    }
}

std::unique_ptr<CWizardTemplate> ReadWizard(const fs::path& path)
{
    pugi::xml_document doc;
    LoadXml(doc, path);
    const pugi::xml_node w = doc.child("wizard");
    if (!w)
        return nullptr;
    auto result = std::make_unique<CWizardTemplate>();
    Text(w, "wizard-school", result->school, true);
    Text(w, "wizard-type", result->type, true);
    Int(w, "wizard-version", result->version, true);
    auto list = [&](const char* listName, const char* itemName, std::vector<std::string>& out)
    {
        for (pugi::xml_node n : w.child(listName).children(itemName))
            out.emplace_back(n.child_value());
    };
    list("races", "race", result->races);
    list("slots", "slot", result->slots);
    for (pugi::xml_node s : w.child("formulasets").children("formulaset"))
    {
        CWizardFormulaSet set;
        Text(s, "formulaset-name", set.name, true);
        Text(s, "formulaset-desc", set.description, true);
        Text(s, "formulaset-filter", set.filter, true);
        Int(s, "formulaset-priority", set.priority, true);
        Int(s, "formulaset-optional", set.optional, true);
        result->formulaSets.push_back(std::move(set));
    }
    list("techs", "tech", result->techs);
    return result;
}
} // namespace

void PeerRebuild(CGameDatabase& db, CIconManager* icons, const fs::path& data)
{
    db.ClearDatabase();
    db.icons = icons;
    ReadCategories(db, icons, DataPaths::Join(data, DataPaths::Categories));

    for (const fs::path& file : DatabaseFiles(DataPaths::Join(data, DataPaths::Crafts)))
    {
        pugi::xml_document doc;
        LoadXml(doc, file);
        const pugi::xml_node s = doc.child("formulaset");
        if (!s)
            continue;
        auto set = std::make_unique<CFormulaSet>();
        Text(s, "formulaset-name", set->name, true);
        if (const CSubcategory* sub = db.FindSubcategory(set->name))
            set->iconIndex = sub->iconIndex;
        set->category = s.child("formulaset-categories").child("formulaset-category").child_value();
        for (pugi::xml_node item : s.children("item"))
        {
            auto formula = std::make_unique<CFormula>();
            ReadFormula(*formula, set->category, item, true, icons);
            set->formulae.push_back(std::move(formula));
        }
        db.AddFormulaSet(std::move(set));
    }

    for (const fs::path& file : DatabaseFiles(DataPaths::Join(data, DataPaths::Techs)))
    {
        pugi::xml_document doc;
        LoadXml(doc, file);
        const pugi::xml_node s = doc.child("techniqueset");
        if (!s)
            continue;
        auto set = std::make_unique<CTechniqueSet>();
        Text(s, "techniqueset-name", set->name, true);
        set->category = s.child("techniqueset-categories").child("techniqueset-category").child_value();
        if (const CSubcategory* sub = db.FindSubcategory(set->category))
            set->iconIndex = sub->iconIndex;
        for (pugi::xml_node tech : s.children("tech"))
        {
            auto technique = std::make_unique<CTechnique>();
            ReadTechnique(*technique, set->category, tech, true, icons);
            set->techniques.push_back(std::move(technique));
        }
        db.techniqueSets.push_back(std::move(set));
    }

    ReadComponents(db, DataPaths::Join(data, DataPaths::Components));
    for (const fs::path& file : DatabaseFiles(DataPaths::Join(data, DataPaths::Wizards)))
        if (auto wizard = ReadWizard(file))
            db.wizards.push_back(std::move(wizard));

    {
        pugi::xml_document doc;
        LoadXml(doc, DataPaths::Join(data, DataPaths::TechniqueOverlay));
        for (pugi::xml_node tech : doc.child("techniques").children("tech"))
        {
            const std::string name = tech.child("tech-name").child_value();
            const std::string category = tech.child("tech-category").child_value();
            if (CTechnique* technique = db.FindTechnique("All", name))
                ReadTechnique(*technique, category, tech, false, icons);
        }
    }
    {
        pugi::xml_document doc;
        LoadXml(doc, DataPaths::Join(data, DataPaths::FormulaOverlay));
        // Formulae the overlay adds; the database's name index is brought up to date once
        // at the end rather than after every item.
        std::unordered_map<std::string, CFormula*> added;
        for (pugi::xml_node item : doc.child("formulas").children("item"))
        {
            const std::string name = item.child("item-name").child_value();
            const std::string category = item.child("item-category").child_value();
            const std::string setName = item.child("item-formulaset").child_value();
            CFormula* existing = db.FindFormula("All", name);
            if (!existing)
                if (auto it = added.find(name); it != added.end())
                    existing = it->second;
            if (existing)
            {
                ReadFormula(*existing, existing->category, item, false, icons);
                continue;
            }
            if (category.empty() || setName.empty())
                continue;
            CFormulaSet* target = nullptr;
            for (auto& set : db.formulaSets)
                if (set->name == setName && set->category == category)
                {
                    target = set.get();
                    break;
                }
            if (!target)
            {
                auto set = std::make_unique<CFormulaSet>();
                set->name = setName;
                set->category = category;
                if (const CSubcategory* sub = db.FindSubcategory(setName))
                    set->iconIndex = sub->iconIndex;
                target = set.get();
                db.formulaSets.push_back(std::move(set));
            }
            auto formula = std::make_unique<CFormula>();
            ReadFormula(*formula, category, item, false, icons);
            added.try_emplace(formula->name, formula.get());
            target->formulae.push_back(std::move(formula));
        }
    }
    db.ResourceFormulaSets.clear();
    for (const auto& set : db.formulaSets)
        if (set->category == "Resources")
            db.ResourceFormulaSets.push_back(set.get());
    db.InvalidateIndexes();
}
