#include "browsers/FormulaTree.h"

#include "BrowserFixture.h"

#include <gtest/gtest.h>

namespace
{
CFormulaFilter Custom(const std::string& name = {}, const std::string& classEntry = {})
{
    CFormulaFilter filter;
    filter.category = "Custom";
    filter.name = name;
    filter.classCode = ClassCode(classEntry);
    filter.race = classEntry.empty() ? std::string() : RaceWord(filter.classCode);
    return filter;
}

std::vector<std::string> Labels(const CFormulaTree& tree)
{
    std::vector<std::string> labels;
    for (const CTreeCategory& category : tree.categories)
    {
        labels.push_back(category.label);
        for (const CTreeFormula& formula : category.formulae)
            labels.push_back("  " + formula.formula->name);
    }
    return labels;
}
} // namespace

TEST(ClassList, EveryEntryWithCodeAndRace)
{
    const auto& names = ClassNames();
    ASSERT_EQ(names.size(), 49u);
    EXPECT_EQ(names.front(), "Adventure: Battle Mage (BTLM)");
    EXPECT_EQ(names[27], "Adventure: Wizard (WIZ)");
    EXPECT_EQ(names[28], "Craft: Alchemist (ALC)");
    EXPECT_EQ(names.back(), "Craft: Weaver (WVR)");
    int khutit = 0;
    for (const std::string& name : names)
    {
        const std::string code = ClassCode(name);
        EXPECT_GE(code.size(), 3u) << name;
        if (RaceWord(code) == "Khutit")
            ++khutit;
    }
    EXPECT_EQ(khutit, 3);
}

TEST(ClassList, CodeAndRaceWord)
{
    const struct
    {
        const char* entry;
        const char* code;
        const char* race;
    } cases[] = {
        {"Adventure: Dragon (DRAG)", "DRAG", "Khutit"},
        {"Craft: Dragon Crafter (DCRA)", "DCRA", "Khutit"},
        {"Craft: Dragon Lairshaper (DLSH)", "DLSH", "Khutit"},
        {"Craft: Blacksmith (BLK)", "BLK", "Human"},
        {"Adventure: Druid (DRU)", "DRU", "Human"},
        {"odd (drag)", "drag", "Human"},
        {"two (AB) (CD)", "AB", "Human"},
        {"no parenthesis", "", "Human"},
        {"unclosed (ABC", "", "Human"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(ClassCode(c.entry), c.code) << c.entry;
        EXPECT_EQ(RaceWord(ClassCode(c.entry)), c.race) << c.entry;
    }
}

TEST(CustomFilter, ClassAndRaceRule)
{
    const struct
    {
        const char* what;
        std::vector<CAttribute> formula;
        std::vector<CAttribute> tier;
        std::string nameFilter;
        bool shown;
    } cases[] = {
        {"class listed", {{"reqclass", "BLK, ARM"}}, {}, "", true},
        {"class not listed", {{"reqclass", "WPN"}}, {}, "", false},
        {"class not listed, name matches", {{"reqclass", "WPN"}}, {}, "hal", true},
        {"last reqclass wins: tier refuses",
         {{"reqclass", "BLK"}},
         {{"reqclass", "WPN"}},
         "",
         false},
        {"last reqclass wins: tier accepts",
         {{"reqclass", "WPN"}},
         {{"reqclass", "BLK"}},
         "",
         true},
        {"class beats race", {{"reqclass", "BLK"}, {"reqrace", "Khutit"}}, {}, "", true},
        {"race only, listed", {{"reqrace", "Human, Elf"}}, {}, "", true},
        {"race only, not listed", {{"reqrace", "Khutit"}}, {}, "", false},
        {"race only, not listed, name matches", {{"reqrace", "Khutit"}}, {}, "HALBERD", true},
        {"last reqrace wins", {{"reqrace", "Human"}}, {{"reqrace", "Khutit"}}, "", false},
        {"neither, name matches", {{"bonus", "5 Strength"}}, {}, "hal", false},
        {"neither", {}, {}, "", false},
    };
    for (const auto& c : cases)
    {
        CFormula formula;
        formula.name = "Halberd";
        formula.attributes = c.formula;
        auto tier = std::make_unique<CFormulaTier>();
        tier->attributes = c.tier;
        formula.tiers.push_back(std::move(tier));
        EXPECT_EQ(CustomShows(formula, Custom(c.nameFilter, "Craft: Blacksmith (BLK)")), c.shown)
            << c.what;
    }
}

TEST(CustomFilter, WithoutClassOnlyTheNameOrTechniqueDecides)
{
    CFormula formula;
    formula.name = "Halberd";
    formula.attributes = {{"reqclass", "BLK"}};
    EXPECT_FALSE(CustomShows(formula, Custom()));
    EXPECT_TRUE(CustomShows(formula, Custom("LBE")));
    EXPECT_FALSE(CustomShows(formula, Custom("sword")));
}

TEST(FormulaTree, AllCategoriesSortedWithCounts)
{
    CBrowserFixture f;
    CFormulaFilter filter;
    filter.category = "All";
    const CFormulaTree tree = BuildFormulaTree(f.db, filter, "weapons", "Sword");
    const std::vector<std::string> expected = {"Armour (1/1)", "  Helm",   "Resources (2/2)",
                                               "  Bars",       "  Loop",   "Weapons (3/3)",
                                               "  Axe",        "  dagger", "  Sword"};
    EXPECT_EQ(Labels(tree), expected);
    EXPECT_EQ(tree.found, 6);
    EXPECT_EQ(tree.foundText, "6 Formulae");
    // The current formula is found with its category compared without case.
    EXPECT_EQ(tree.currentCategory, 2);
    EXPECT_EQ(tree.currentFormula, 2);
    EXPECT_EQ(CategoryEntries(f.db),
              (std::vector<std::string>{"All", "Custom", "Weapons", "Armour", "Resources"}));
}

TEST(FormulaTree, OneCategoryAndCustomFilters)
{
    CBrowserFixture f;
    CFormulaFilter filter;
    filter.category = "Armour";
    CFormulaTree tree = BuildFormulaTree(f.db, filter, "Weapons", "Sword");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Armour (1/1)", "  Helm"}));
    EXPECT_EQ(tree.currentCategory, -1);
    EXPECT_EQ(tree.foundText, "1 Formulae");

    // "Custom" without a filter shows nothing at all.
    tree = BuildFormulaTree(f.db, Custom(), "", "");
    EXPECT_TRUE(tree.categories.empty());
    EXPECT_EQ(tree.foundText, "0 Formulae (Filtered)");

    // Categories whose formulae are all filtered out do not appear.
    tree = BuildFormulaTree(f.db, Custom("SW"), "", "");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Weapons (1/3)", "  Sword"}));
    EXPECT_EQ(tree.foundText, "1 Formulae (Filtered)");

    f.helm->attributes = {{"reqclass", "ARM"}};
    tree = BuildFormulaTree(f.db, Custom("", "Craft: Armorer (ARM)"), "", "");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Armour (1/1)", "  Helm"}));
    EXPECT_EQ(tree.foundText, "1 Formulae (ARM)");
}

TEST(FormulaTree, SearchesReplaceEachOther)
{
    CBrowserFixture f;
    CFormulaFilter filter;
    filter.category = "Weapons";
    filter.technique = f.db.FindTechnique("All", "Sharpen");
    ApplyClassSearch(filter, "Adventure: Dragon (DRAG)");
    EXPECT_EQ(filter.category, "Custom");
    EXPECT_EQ(filter.classCode, "DRAG");
    EXPECT_EQ(filter.race, "Khutit");
    EXPECT_EQ(filter.technique, nullptr);
    ApplyNameSearch(filter, "helm");
    EXPECT_EQ(filter.name, "helm");
    EXPECT_EQ(filter.classCode, "");
    EXPECT_EQ(BuildFormulaTree(f.db, filter, "", "").foundText, "1 Formulae (Filtered)");
    ApplyClassSearch(filter, "Craft: Mason (MSN)");
    EXPECT_EQ(filter.name, "");
    EXPECT_EQ(filter.race, "Human");
}

TEST(FormulaTree, TechniqueFilter)
{
    CBrowserFixture f;
    const CTechnique* sharpen = f.db.FindTechnique("All", "Sharpen");
    ASSERT_NE(sharpen, nullptr);
    // Sharpen starts at Tier II: the sword has such tiers, the helm only Tier I.
    EXPECT_TRUE(TechniqueAppliesTo(*sharpen, *f.sword));
    EXPECT_FALSE(TechniqueAppliesTo(*sharpen, *f.helm));
    EXPECT_FALSE(TechniqueFitsTier(*sharpen, *f.sword, *f.sword->tiers[0]));
    EXPECT_TRUE(TechniqueFitsTier(*sharpen, *f.sword, *f.sword->tiers[1]));

    CFormulaFilter filter = Custom();
    filter.technique = sharpen;
    CFormulaTree tree = BuildFormulaTree(f.db, filter, "", "");
    EXPECT_EQ(Labels(tree),
              (std::vector<std::string>{"Resources (1/2)", "  Bars", "Weapons (1/3)", "  Sword"}));

    // Keyword sets narrow it down: every keyword of one set must be on the formula or tier.
    f.sharpen->keywordSets = {{"blade", "metal"}, {"hafted"}};
    EXPECT_FALSE(TechniqueAppliesTo(*sharpen, *f.sword));
    f.sword->keywords = {"blade"};
    f.sword->tiers[1]->keywords = {"metal"};
    EXPECT_TRUE(TechniqueAppliesTo(*sharpen, *f.sword));
}
