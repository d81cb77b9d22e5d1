#include "BrowserFixture.h"

CResource CBrowserFixture::Resource(const std::string& name, const std::string& skill, int units,
                                    int minSkill, int qtyAtMin, int optSkill, int qtyAtOpt)
{
    CResource resource;
    resource.name = name;
    resource.skill = skill;
    resource.units = units;
    resource.minSkill = minSkill;
    resource.qtyAtMin = qtyAtMin;
    resource.optSkill = optSkill;
    resource.qtyAtOpt = qtyAtOpt;
    return resource;
}

CFormulaSet& CBrowserFixture::AddSet(const std::string& name, const std::string& category)
{
    auto set = std::make_unique<CFormulaSet>();
    set->name = name;
    set->category = category;
    CFormulaSet& added = *set;
    db.Edit([&](CGameDatabase::CLists& lists) { lists.formulaSets.push_back(std::move(set)); });
    return added;
}

CFormula& CBrowserFixture::AddFormula(CFormulaSet& set, const std::string& name, int batchQty)
{
    auto formula = std::make_unique<CFormula>();
    formula->name = name;
    formula->batchQty = batchQty;
    formula->category = set.category;
    db.Edit([&](CGameDatabase::CLists&) { set.formulae.push_back(std::move(formula)); });
    return *set.formulae.back();
}

CFormulaTier& CBrowserFixture::AddTier(CFormula& formula, const std::string& name, int level,
                                       int allowed)
{
    auto tier = std::make_unique<CFormulaTier>();
    tier->name = name;
    tier->level = level;
    tier->levelName = TierName(level);
    tier->batchQty = formula.batchQty;
    tier->allowedTechniques = allowed;
    db.Edit([&](CGameDatabase::CLists&) { formula.tiers.push_back(std::move(tier)); });
    return *formula.tiers.back();
}

CTechnique& CBrowserFixture::AddTechnique(const std::string& name)
{
    auto technique = std::make_unique<CTechnique>();
    technique->name = name;
    CTechniqueSet& set = *m_techniques;
    db.Edit([&](CGameDatabase::CLists&) { set.techniques.push_back(std::move(technique)); });
    return *set.techniques.back();
}

CTechniqueTier& CBrowserFixture::AddTechniqueTier(CTechnique& technique, const std::string& name,
                                                  int level, int adjust, int size)
{
    auto tier = std::make_unique<CTechniqueTier>();
    tier->name = name;
    tier->level = level;
    tier->levelName = TierName(level);
    tier->skillAdjust = adjust;
    tier->techSize = size;
    db.Edit([&](CGameDatabase::CLists&) { technique.tiers.push_back(std::move(tier)); });
    return *technique.tiers.back();
}

COrderTechnique CBrowserFixture::Technique(const std::string& name, const std::string& tier)
{
    COrderTechnique technique;
    technique.category = "All";
    technique.name = name;
    technique.tierName = tier;
    return technique;
}

std::unique_ptr<COrderItem> CBrowserFixture::Helm()
{
    auto item = std::make_unique<COrderItem>();
    item->itemName = "Iron Helm";
    item->formula = "Helm";
    item->category = "Armour";
    item->tierName = "Tier I";
    item->group = "Main";
    return item;
}

CProfile CBrowserFixture::Profile(int smithing, int smelting, const std::string& type)
{
    CProfile profile;
    profile.name = "Aldo";
    profile.server = "Ember";
    profile.type = type;
    profile.craftSkills = {{"Smithing", smithing}, {"Smelting", smelting}};
    return profile;
}

CBrowserFixture::CBrowserFixture()
{
    CFormulaSet& weapons = AddSet("Blades", "Weapons");
    sword = &AddFormula(weapons, "Sword", 1);
    CFormulaTier& iron = AddTier(*sword, "Iron Sword", 1, 1);
    iron.resources = {Resource("Iron Bar", "Smithing", 1, 10, 8, 50, 4),
                      Resource("Leather", "Smithing", 2, 0, 1, 10, 1)};
    CFormulaTier& steel = AddTier(*sword, "Steel Sword", 2, 1);
    steel.resources = {Resource("Steel Bar", "Smithing", 0, 20, 6, 60, 2),
                       Resource("Coal", "Smelting", 1, 0, 3, 0, 3)};
    CFormulaTier& mithril = AddTier(*sword, "Mithril Sword", 3, 2);
    mithril.resources = {Resource("Alpha", "Smithing", 1, 0, 1, 0, 1)};
    axe = &AddFormula(weapons, "Axe", 1);
    AddFormula(weapons, "dagger", 1);

    CFormulaSet& armour = AddSet("Helms", "Armour");
    helm = &AddFormula(armour, "Helm", 1);
    AddTier(*helm, "Iron Helm", 1, 1);

    CFormulaSet& smelting = AddSet("Smelting", "Resources");
    CFormula& bars = AddFormula(smelting, "Bars", 3);
    AddTier(bars, "Iron Bar", 1, 1).resources = {Resource("Iron Ore", "Smelting", 1, 0, 2, 0, 2),
                                                 Resource("Coal", "Smelting", 1, 0, 1, 0, 1)};
    AddTier(bars, "Steel Bar", 2, 1).resources = {Resource("Iron Bar", "Smelting", 1, 0, 1, 0, 1),
                                                  Resource("Coal", "Smelting", 1, 0, 2, 0, 2)};
    CFormula& loop = AddFormula(smelting, "Loop", 1);
    AddTier(loop, "Alpha", 1, 1).resources = {Resource("Beta", "Smelting", 1, 0, 1, 0, 1)};
    AddTier(loop, "Beta", 1, 1).resources = {Resource("Alpha", "Smelting", 1, 0, 1, 0, 1)};

    db.FormulaCategories = {"Weapons", "Armour", "Resources"};

    auto techniques = std::make_unique<CTechniqueSet>();
    techniques->name = "Smithing Techniques";
    techniques->category = "Blacksmithing";
    m_techniques = techniques.get();
    db.AddTechniqueSet(std::move(techniques));
    db.TechniqueCategories = {"Blacksmithing"};
    sharpen = &AddTechnique("Sharpen");
    AddTechniqueTier(*sharpen, "Keen Edge", 2, 10, 1).components = {
        Resource("Whetstone", "", 1, 0, 2, 0, 2)};
    AddTechniqueTier(*sharpen, "Razor Edge", 3, 20, 2).components = {
        Resource("Whetstone", "", 1, 0, 1, 0, 1), Resource("Oil", "", 1, 0, 1, 0, 1)};
    temper = &AddTechnique("Temper");
    AddTechniqueTier(*temper, "Light Temper", 1, 5, 1).components = {
        Resource("Oil", "", 1, 0, 3, 0, 3)};
}

CJoinedRows Joined(const CBrowserRows& rows, char separator)
{
    CJoinedRows joined;
    for (const CBrowserRow& row : rows)
    {
        std::string text;
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            text += (i == 0 ? "" : std::string(1, separator)) + row.cells[i];
        joined.push_back({text, row.kind});
    }
    return joined;
}

std::vector<std::string> CellTexts(const CBrowserRows& rows, char separator)
{
    std::vector<std::string> texts;
    for (const CJoinedRow& row : Joined(rows, separator))
        texts.push_back(row.text);
    return texts;
}
