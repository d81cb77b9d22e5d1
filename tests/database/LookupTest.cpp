#include "base/Messages.h"
#include "database/GameDatabase.h"
#include "database/Links.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// A tier and the inputs it needs.
struct CTierSpec
{
    std::string name;
    std::vector<std::string> inputs;
};

std::unique_ptr<CFormula> MakeFormula(const std::string& name,
                                      const std::vector<CTierSpec>& tiers = {})
{
    auto formula = std::make_unique<CFormula>();
    formula->name = name;
    for (const CTierSpec& tierSetup : tiers)
    {
        auto tier = std::make_unique<CFormulaTier>();
        tier->name = tierSetup.name;
        for (const std::string& input : tierSetup.inputs)
        {
            CResource r;
            r.name = input;
            tier->resources.push_back(r);
        }
        formula->tiers.push_back(std::move(tier));
    }
    return formula;
}

std::unique_ptr<CFormulaSet> MakeSet(const std::string& name, const std::string& category,
                                     std::vector<std::unique_ptr<CFormula>> formulae)
{
    auto set = std::make_unique<CFormulaSet>();
    set->name = name;
    set->category = category;
    for (auto& formula : formulae)
    {
        formula->category = category;
        set->formulae.push_back(std::move(formula));
    }
    return set;
}

template <typename... T> std::vector<std::unique_ptr<CFormula>> List(T... formulae)
{
    std::vector<std::unique_ptr<CFormula>> list;
    (list.push_back(std::move(formulae)), ...);
    return list;
}

TEST(FormulaLookup, FirstMatchInListOrderAcrossMergesAndAppends)
{
    CGameDatabase db;
    db.AddFormulaSet(
        MakeSet("Smithing", "Armorer", List(MakeFormula("Helm"), MakeFormula("Shield"))));
    db.AddFormulaSet(
        MakeSet("Tailoring", "Weaver", List(MakeFormula("Cloak"), MakeFormula("Helm"))));
    db.AddFormulaSet(MakeSet("Smithing", "Weaver", List(MakeFormula("Boot"))));
    ASSERT_EQ(db.formulaSets.size(), 3u);

    CFormula* armorerHelm = db.formulaSets[0]->formulae[0].get();
    CFormula* weaverHelm = db.formulaSets[1]->formulae[1].get();
    EXPECT_EQ(db.FindFormula("All", "Helm"), armorerHelm);
    EXPECT_EQ(db.FindFormula("Custom", "Helm"), armorerHelm);
    EXPECT_EQ(db.FindFormula("Armorer", "Helm"), armorerHelm);
    EXPECT_EQ(db.FindFormula("Weaver", "Helm"), weaverHelm);
    EXPECT_EQ(db.FindFormula("Weaver", "Boot"), db.formulaSets[2]->formulae[0].get());
    EXPECT_FALSE(db.FindFormula("Armorer", "Cloak"));
    EXPECT_FALSE(db.FindFormula("All", "helm"));
    EXPECT_FALSE(db.FindFormula("Resources", "Helm"));

    // Same name and category: merged into the earlier set, so a formula moved there comes
    // before a same-named one of a later set.
    db.AddFormulaSet(
        MakeSet("Smithing", "Weaver", List(MakeFormula("Cloak"), MakeFormula("Glove"))));
    ASSERT_EQ(db.formulaSets.size(), 3u);
    ASSERT_EQ(db.formulaSets[2]->formulae.size(), 3u);
    EXPECT_EQ(db.FindFormula("All", "Cloak"), db.formulaSets[1]->formulae[0].get());
    EXPECT_EQ(db.FindFormula("Weaver", "Glove"), db.formulaSets[2]->formulae[2].get());

    db.AddFormulaSet(MakeSet("Smithing", "Armorer", List(MakeFormula("Cloak"))));
    EXPECT_EQ(db.FindFormula("All", "Cloak"), db.formulaSets[0]->formulae[2].get());
    EXPECT_EQ(db.FindFormula("Weaver", "Cloak"), db.formulaSets[1]->formulae[0].get());

    // Sets pushed straight onto the list are found as well.
    db.formulaSets.push_back(MakeSet("Cooking", "Cook", List(MakeFormula("Stew"))));
    EXPECT_EQ(db.FindFormula("Cook", "Stew"), db.formulaSets[3]->formulae[0].get());

    // Changes in place are announced.
    db.formulaSets[0]->formulae.erase(db.formulaSets[0]->formulae.begin());
    db.InvalidateIndexes();
    EXPECT_EQ(db.FindFormula("All", "Helm"), weaverHelm);

    EXPECT_EQ(db.FormulaCount(), 8u);
    db.ClearDatabase();
    EXPECT_FALSE(db.FindFormula("All", "Helm"));
    EXPECT_EQ(db.FormulaCount(), 0u);
}

TEST(FormulaLookup, ResourceSetsProduceAndMergeIntoOne)
{
    CGameDatabase db;
    db.AddFormulaSet(
        MakeSet("Smelting", "Resources", List(MakeFormula("Ingot", {{"Iron Bar", {"Iron Ore"}}}))));
    db.AddFormulaSet(
        MakeSet("Smelting", "Smith", List(MakeFormula("Nail", {{"Iron Bar", {"Tin"}}}))));
    db.AddFormulaSet(MakeSet(
        "Smelting", "Resources",
        List(MakeFormula("Ingot", {{"Steel Bar", {"Iron Bar", "Coal"}}}),
             MakeFormula("Plate", {{"Iron Bar", {"Copper"}}, {"Steel Plate", {"Steel Bar"}}}))));
    ASSERT_EQ(db.formulaSets.size(), 2u);
    ASSERT_EQ(db.ResourceFormulaSets.size(), 1u);
    EXPECT_EQ(db.ResourceFormulaSets[0], db.formulaSets[0].get());

    const auto bar = db.FindProducingTier("Iron Bar");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar.formula, db.formulaSets[0]->formulae[0].get());
    EXPECT_EQ(bar.tier->resources[0].name, "Iron Ore");
    const auto steel = db.FindProducingTier("Steel Plate");
    ASSERT_TRUE(steel);
    EXPECT_EQ(steel.formula->name, "Plate");
    EXPECT_FALSE(db.FindProducingTier("Iron Ore"));
    EXPECT_FALSE(db.FindProducingTier("Nail"));

    struct CCase
    {
        const char* product;
        const char* resource;
        bool uses;
    };
    const CCase cases[] = {
        {"Steel Plate", "Steel Plate", true}, {"Steel Plate", "Iron Ore", true},
        {"Steel Plate", "Coal", true},        {"Steel Plate", "Copper", false},
        {"Iron Bar", "Coal", false},          {"Iron Ore", "Iron Ore", true},
        {"Iron Ore", "Coal", false},          {"Nail", "Tin", false},
    };
    for (const CCase& c : cases)
        EXPECT_EQ(db.UsesResource(c.product, c.resource), c.uses)
            << c.product << " / " << c.resource;

    db.ClearDatabase();
    EXPECT_TRUE(db.ResourceFormulaSets.empty());
    EXPECT_FALSE(db.FindProducingTier("Iron Bar"));
}

TEST(FormulaLookup, CyclesOfResourceFormulaeEnd)
{
    CGameDatabase db;
    db.AddFormulaSet(
        MakeSet("Loop", "Resources",
                List(MakeFormula("A", {{"A", {"B"}}}), MakeFormula("B", {{"B", {"C", "A"}}}),
                     MakeFormula("C", {{"C", {"A", "Water"}}}), MakeFormula("S", {{"S", {"S"}}}))));
    EXPECT_TRUE(db.UsesResource("A", "Water"));
    EXPECT_TRUE(db.UsesResource("B", "C"));
    EXPECT_FALSE(db.UsesResource("A", "Fire"));
    EXPECT_FALSE(db.UsesResource("S", "Fire"));
    EXPECT_TRUE(db.UsesResource("S", "S"));
}

TEST(TechniqueLookup, ByCategoryOrInAnySet)
{
    CGameDatabase db;
    const auto addSet = [&](const char* category, std::vector<const char*> names)
    {
        auto set = std::make_unique<CTechniqueSet>();
        set->category = category;
        for (const char* name : names)
        {
            auto technique = std::make_unique<CTechnique>();
            technique->name = name;
            auto tier = std::make_unique<CTechniqueTier>();
            tier->name = std::string(name) + " I";
            technique->tiers.push_back(std::move(tier));
            set->techniques.push_back(std::move(technique));
        }
        db.techniqueSets.push_back(std::move(set));
    };
    addSet("Spell", {"Glow", "Hum"});
    addSet("Enchanter", {"Glow"});
    addSet("Spell", {"Glow"});

    CTechnique* first = db.techniqueSets[0]->techniques[0].get();
    EXPECT_EQ(db.FindTechnique("All", "Glow"), first);
    EXPECT_EQ(db.FindTechnique("Custom", "Glow"), first);
    EXPECT_EQ(db.FindTechnique("Spell", "Glow"), first);
    EXPECT_EQ(db.FindTechnique("Enchanter", "Glow"), db.techniqueSets[1]->techniques[0].get());
    EXPECT_FALSE(db.FindTechnique("Enchanter", "Hum"));
    EXPECT_FALSE(db.FindTechnique("All", "glow"));
    // Technique sets are never merged.
    EXPECT_EQ(db.techniqueSets.size(), 3u);
    EXPECT_EQ(db.TechniqueCount(), 4u);
    EXPECT_EQ(db.TechniqueTierCount(), 4u);
    EXPECT_EQ(CGameDatabase::FindTechniqueTier(*first, "Glow I"), first->tiers[0].get());
    EXPECT_FALSE(CGameDatabase::FindTechniqueTier(*first, "Glow II"));

    addSet("Tinker", {"Buzz"});
    EXPECT_TRUE(db.FindTechnique("Tinker", "Buzz"));
}

TEST(CategoryLists, SortedWithoutDuplicates)
{
    CGameDatabase db;
    db.AddFormulaSet(MakeSet("A", "Weaver", {}));
    db.AddFormulaSet(MakeSet("B", "Armorer", {}));
    db.AddFormulaSet(MakeSet("C", "Weaver", {}));
    db.AddFormulaSet(MakeSet("D", "armorer", {}));
    db.AddFormulaSet(MakeSet("E", "\xC4lchemist", {}));
    for (const char* category : {"Spell", "Enchanter", "Spell"})
    {
        db.techniqueSets.push_back(std::make_unique<CTechniqueSet>());
        db.techniqueSets.back()->category = category;
    }
    db.BuildCategoryLists();
    EXPECT_EQ(db.FormulaCategories,
              (std::vector<std::string>{"Armorer", "Weaver", "armorer", "\xC4lchemist"}));
    EXPECT_EQ(db.TechniqueCategories, (std::vector<std::string>{"Enchanter", "Spell"}));
    db.BuildCategoryLists();
    EXPECT_EQ(db.FormulaCategories.size(), 4u);
}

TEST(Counts, FormulaeTiersAndResources)
{
    CGameDatabase db;
    db.AddFormulaSet(MakeSet(
        "S", "C", List(MakeFormula("F", {{"F1", {"a", "b"}}, {"F2", {"c"}}}), MakeFormula("G"))));
    db.AddFormulaSet(MakeSet("T", "C", List(MakeFormula("H", {{"H1", {}}}))));
    EXPECT_EQ(db.FormulaCount(), 3u);
    EXPECT_EQ(db.FormulaTierCount(), 3u);
    EXPECT_EQ(db.ResourceCount(), 3u);
}

class CRecordingOpener : public ILinkOpener
{
public:
    bool OpenUrl(const std::string& text) override
    {
        opened.push_back(text);
        return result;
    }
    std::vector<std::string> opened;
    bool result = true;
};

TEST(Links, OpenByKeyOrWarn)
{
    CGameDatabase db;
    db.HelpPages["orderwindow"] = "Help/orders.htm";
    CRecordingOpener opener;
    CScriptedPrompter prompter;

    EXPECT_TRUE(OpenLink(db, LinkKeys::OrderWindow, opener, prompter));
    EXPECT_EQ(opener.opened, (std::vector<std::string>{"Help/orders.htm"}));
    EXPECT_TRUE(prompter.warnings.empty());

    EXPECT_FALSE(OpenLink(db, LinkKeys::ReportWindow, opener, prompter));
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(prompter.warnings, (std::vector<std::string>{"Error - Cannot Find Requested Link"}));

    opener.result = false;
    EXPECT_FALSE(OpenLink(db, "orderwindow", opener, prompter));
    EXPECT_EQ(prompter.warnings.size(), 1u);
}
} // namespace
