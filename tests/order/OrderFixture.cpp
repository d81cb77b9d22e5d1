#include "OrderFixture.h"

CResource COrderFixture::Resource(const std::string& name, const std::string& skill, int units, int minSkill,
                                  int qtyAtMin, int optSkill, int qtyAtOpt)
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

CFormula& COrderFixture::AddFormula(CFormulaSet& set, const std::string& name, int batchQty)
{
    auto formula = std::make_unique<CFormula>();
    formula->name = name;
    formula->batchQty = batchQty;
    formula->category = set.category;
    db.Edit([&](CGameDatabase::CLists&) { set.formulae.push_back(std::move(formula)); });
    return *set.formulae.back();
}

CFormulaTier& COrderFixture::AddTier(CFormula& formula, const std::string& name, int level)
{
    auto tier = std::make_unique<CFormulaTier>();
    tier->name = name;
    tier->level = level;
    tier->levelName = TierName(level);
    tier->batchQty = formula.batchQty;
    db.Edit([&](CGameDatabase::CLists&) { formula.tiers.push_back(std::move(tier)); });
    return *formula.tiers.back();
}

CFormulaSet& COrderFixture::AddSet(const std::string& name, const std::string& category)
{
    auto set = std::make_unique<CFormulaSet>();
    set->name = name;
    set->category = category;
    CFormulaSet& added = *set;
    db.Edit([&](CGameDatabase::CLists& lists) { lists.formulaSets.push_back(std::move(set)); });
    return added;
}

CTechnique& COrderFixture::AddTechnique(const std::string& name)
{
    auto technique = std::make_unique<CTechnique>();
    technique->name = name;
    CTechniqueSet& set = *techniques;
    db.Edit([&](CGameDatabase::CLists&) { set.techniques.push_back(std::move(technique)); });
    return *set.techniques.back();
}

CTechniqueTier& COrderFixture::AddTechniqueTier(CTechnique& technique, const std::string& name, int level, int adjust)
{
    auto tier = std::make_unique<CTechniqueTier>();
    tier->name = name;
    tier->level = level;
    tier->levelName = TierName(level);
    tier->skillAdjust = adjust;
    db.Edit([&](CGameDatabase::CLists&) { technique.tiers.push_back(std::move(tier)); });
    return *technique.tiers.back();
}

COrderFixture::COrderFixture()
{
    weapons = &AddSet("Weapons", "Blacksmithing");
    CFormula& sword = AddFormula(*weapons, "Sword", 1);
    CFormulaTier& iron = AddTier(sword, "Iron Sword", 1);
    iron.resources.push_back(Resource("Iron Bar", "Smithing", 1, 10, 8, 50, 4));
    iron.resources.push_back(Resource("Leather", "Smithing", 2, 0, 1, 10, 1));
    iron.attributes.push_back({"bonus", "5 Strength"});
    CFormulaTier& steel = AddTier(sword, "Steel Sword", 2);
    steel.resources.push_back(Resource("Steel Bar", "Smithing", 0, 20, 6, 60, 2));

    smelting = &AddSet("Smelting", "Resources");
    CFormula& bars = AddFormula(*smelting, "Bars", 3);
    CFormulaTier& ironBar = AddTier(bars, "Iron Bar", 1);
    ironBar.resources.push_back(Resource("Iron Ore", "Smelting", 1, 0, 2, 0, 2));
    ironBar.resources.push_back(Resource("Coal", "Smelting", 1, 0, 1, 0, 1));
    CFormulaTier& steelBar = AddTier(bars, "Steel Bar", 2);
    steelBar.resources.push_back(Resource("Iron Bar", "Smelting", 1, 0, 1, 0, 1));
    steelBar.resources.push_back(Resource("Coal", "Smelting", 2, 0, 1, 0, 1));

    auto set = std::make_unique<CTechniqueSet>();
    set->name = "Enhancements";
    set->category = "Blacksmithing";
    techniques = set.get();
    db.AddTechniqueSet(std::move(set));
    CTechnique& sharpen = AddTechnique("Sharpen");
    CTechniqueTier& keen = AddTechniqueTier(sharpen, "Keen Edge", 1, 10);
    keen.components.push_back(Resource("Whetstone", "", 0, 0, 2, 0, 2));
    keen.attributes.push_back({"bonus", "3 Damage"});
    CTechniqueTier& razor = AddTechniqueTier(sharpen, "Razor Edge", 2, 20);
    razor.attributes.push_back({"bonus", "4 Strength"});
    CTechnique& might = AddTechnique("Might");
    might.attributes.push_back({"percentagestatbonus", "50% Strength"});
    AddTechniqueTier(might, "Mighty", 1, 0);
}

std::unique_ptr<COrderItem> COrderFixture::Item(const std::string& name, const std::string& formula,
                                                const std::string& tier, int batches, const std::string& group)
{
    auto item = std::make_unique<COrderItem>();
    item->itemName = name;
    item->group = group;
    item->formula = formula;
    item->category = "Blacksmithing";
    item->tierName = tier;
    item->batches = batches;
    return item;
}

CProfile COrderFixture::Profile(int smithing, int smelting)
{
    CProfile profile;
    profile.name = "Tester";
    profile.craftSkills.push_back({"Smithing", smithing});
    profile.craftSkills.push_back({"Smelting", smelting});
    return profile;
}

void COrderFixture::AddItems(COrder& order, const std::vector<std::pair<std::string, int>>& items)
{
    for (const auto& [formula, batches] : items)
        order.AddItem(formula == "Steel" ? Item("Steel Sword", "Sword", "Tier II", batches)
                                         : Item(formula, formula, "Tier I", batches));
}
