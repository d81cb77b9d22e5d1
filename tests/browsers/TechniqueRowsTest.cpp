#include "BrowserFixture.h"

#include "browsers/TechniqueRows.h"
#include "browsers/WorkingItem.h"

#include <gtest/gtest.h>

namespace
{
using enum EBrowserRow;

// The fixture's smithing techniques, an alchemy set whose only technique wants potions
// (keywords the sword lacks), and a lower-case technique to show how the tree sorts.
struct CTechniqueData : CBrowserFixture
{
    CTechnique* brew = nullptr;

    CTechniqueData()
    {
        auto alchemy = std::make_unique<CTechniqueSet>();
        alchemy->name = "Alchemy Techniques";
        alchemy->category = "Alchemy";
        alchemy->iconIndex = 7;
        auto technique = std::make_unique<CTechnique>();
        technique->name = "Brew";
        technique->keywordSets = {{"potion"}};
        AddTechniqueTier(*technique, "Strong Brew", 2, 10, 1);
        brew = technique.get();
        alchemy->techniques.push_back(std::move(technique));
        db.AddTechniqueSet(std::move(alchemy));
        AddTechnique("anneal");
        db.TechniqueCategories = {"Alchemy", "Blacksmithing"};
    }

    // The working item: the sword at the tier of the level given.
    CWorkingItem Sword(const std::string& level, std::vector<COrderTechnique> attached = {})
    {
        CWorkingItem working;
        StartWorkingItem(working, *sword);
        working.item.tierName = level;
        working.item.techniques = std::move(attached);
        return working;
    }

    const CTechnique& Sharpen() const { return *db.FindTechnique("All", "Sharpen"); }
};

std::vector<std::string> Labels(const CTechniqueTree& tree)
{
    std::vector<std::string> labels;
    for (const CTechTreeCategory& category : tree.categories)
    {
        labels.push_back(category.label);
        for (const CTechTreeTechnique& technique : category.techniques)
            labels.push_back("  " + technique.name);
    }
    return labels;
}

} // namespace

TEST(TechniqueRows, CategoryEntriesStartWithAll)
{
    CTechniqueData f;
    EXPECT_EQ(TechCategoryEntries(f.db),
              (std::vector<std::string>{"All", "Alchemy", "Blacksmithing"}));
}

TEST(TechniqueRows, TreeWithAndWithoutTheUsableFilter)
{
    CTechniqueData f;
    const CTechTarget none;
    const CTechTarget iron = TechTarget(f.db, f.Sword("Tier I"));
    ASSERT_FALSE(iron.Empty());

    // Everything, sorted without regard to case; the icon is the set's.
    CTechniqueTree tree = BuildTechniqueTree(f.db, "All", false, iron, "", "");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Alchemy (1/1)", "  Brew", "Blacksmithing (3/3)",
                                                      "  anneal", "  Sharpen", "  Temper"}));
    EXPECT_EQ(tree.categories[0].iconIndex, 7);
    EXPECT_EQ(tree.foundText, "4 Techniques");

    // On the Tier I sword: Sharpen and Brew start at Tier II; "anneal" has no tiers at all.
    // The emptied category is left out.
    tree = BuildTechniqueTree(f.db, "All", true, iron, "Blacksmithing", "Temper");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Blacksmithing (1/3)", "  Temper"}));
    EXPECT_EQ(tree.found, 1);
    EXPECT_EQ(tree.foundText, "1 Techniques (Usable)");
    EXPECT_EQ(tree.currentCategory, 0);
    EXPECT_EQ(tree.currentTechnique, 0);

    // The Tier II sword takes Brew, whatever its keywords, and Keen Edge of Sharpen.
    tree = BuildTechniqueTree(f.db, "All", true, TechTarget(f.db, f.Sword("Tier II")), "", "");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Alchemy (1/1)", "  Brew", "Blacksmithing (2/3)",
                                                      "  Sharpen", "  Temper"}));

    // The Tier III sword takes both tiers of Sharpen.
    const CTechTarget mithril = TechTarget(f.db, f.Sword("Tier III"));
    tree = BuildTechniqueTree(f.db, "Blacksmithing", true, mithril, "Blacksmithing", "Temper");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Blacksmithing (2/3)", "  Sharpen", "  Temper"}));
    EXPECT_EQ(tree.currentTechnique, 1);

    // Without an item the filter has nothing to judge by and hides nothing.
    tree = BuildTechniqueTree(f.db, "All", true, none, "Alchemy", "Sharpen");
    EXPECT_EQ(tree.found, 4);
    EXPECT_EQ(tree.foundText, "4 Techniques");
    EXPECT_EQ(tree.currentCategory, -1);

    // One category; a category with nothing usable shows an empty tree.
    tree = BuildTechniqueTree(f.db, "Alchemy", false, iron, "Alchemy", "Brew");
    EXPECT_EQ(Labels(tree), (std::vector<std::string>{"Alchemy (1/1)", "  Brew"}));
    EXPECT_EQ(tree.currentCategory, 0);
    tree = BuildTechniqueTree(f.db, "Alchemy", true, iron, "", "");
    EXPECT_TRUE(tree.categories.empty());
    EXPECT_EQ(tree.foundText, "0 Techniques (Usable)");
    EXPECT_TRUE(BuildTechniqueTree(f.db, "Masonry", false, none, "", "").categories.empty());
}

TEST(TechniqueRows, TierRowsAndTheTierChosenFirst)
{
    CTechniqueData f;
    const CTechnique& sharpen = f.Sharpen();
    struct Case
    {
        std::string level; // empty: no item
        CJoinedRows rows;
        int preferred;
    };
    const Case cases[] = {
        // Razor Edge is Tier III and takes two slots.
        {"Tier II", {{"Keen Edge", TierAvailable}, {"Razor Edge", TierNotAvailable}}, 0},
        {"Tier III", {{"Keen Edge", TierAvailable}, {"Razor Edge", TierAvailable}}, 1},
        {"Tier I", {{"Keen Edge", TierNotAvailable}, {"Razor Edge", TierNotAvailable}}, 0},
        {"", {{"Keen Edge", TierAvailable}, {"Razor Edge", TierAvailable}}, 1},
    };
    for (const Case& c : cases)
    {
        const CTechTarget target = c.level.empty() ? CTechTarget{} : TechTarget(f.db, f.Sword(c.level));
        EXPECT_EQ(Joined(TechniqueTierRows(&sharpen, target)), c.rows) << c.level;
        EXPECT_EQ(PreferredTechniqueTier(sharpen, target), c.preferred) << c.level;
    }
    const CTechnique& anneal = *f.db.FindTechnique("Blacksmithing", "anneal");
    EXPECT_EQ(Joined(TechniqueTierRows(&anneal, {})), (CJoinedRows{{"None", TierNotAvailable}}));
    EXPECT_EQ(Joined(TechniqueTierRows(nullptr, {})), (CJoinedRows{{"None", TierNotAvailable}}));
    EXPECT_EQ(PreferredTechniqueTier(anneal, {}), -1);
}

TEST(TechniqueRows, DetailRowsOfATechniqueAndItsTier)
{
    CTechniqueData f;
    CTechnique& sharpen = *f.sharpen;
    sharpen.description = "Hones the edge.";
    sharpen.subdescription = "Taught at the forge.";
    CTechniqueTier& razor = *sharpen.tiers[1];
    razor.origin = "Forge Guild";
    razor.description = "A finer edge still.";
    razor.usageAdjust = -5;
    razor.attributes = {{"bonus", "+2 Smithing"}, {"effect", "bleed"}, {"bonus", "+1 Dexterity"}};

    const CBrowserRows rows = TechniqueDetailRows(sharpen, &razor);
    const std::vector<std::string> expected = {"|Sharpen",
                                               "|Hones the edge.",
                                               "|Taught at the forge.",
                                               "|",
                                               "Tier|Razor Edge",
                                               "Level|Tier III",
                                               "Origin|Forge Guild",
                                               "|A finer edge still.",
                                               "Skill Adjust|+20",
                                               "Usage Adjust|-5",
                                               "Size|2",
                                               "Bonus|+2 Smithing",
                                               "|+1 Dexterity",
                                               "|",
                                               "Components|1 x Whetstone",
                                               "|1 x Oil"};
    EXPECT_EQ(CellTexts(rows), expected);
    EXPECT_EQ(rows[0].kind, Title);
    EXPECT_EQ(rows[2].kind, Description);
    EXPECT_EQ(rows[7].kind, Description);
    EXPECT_EQ(rows[11].kind, Bonus);
    EXPECT_EQ(rows[15].kind, Requirement);

    // A bare tier: no origin, description or usage row; a tier without components says so.
    CTechnique& temper = *f.temper;
    temper.tiers[0]->components.clear();
    temper.tiers[0]->skillAdjust = 0;
    EXPECT_EQ(CellTexts(TechniqueDetailRows(temper, temper.tiers[0].get())),
              (std::vector<std::string>{"|Temper", "|", "Tier|Light Temper", "Level|Tier I",
                                        "Skill Adjust|+0", "Size|1", "|", "Components|None"}));
    EXPECT_EQ(CellTexts(TechniqueDetailRows(temper, nullptr)), (std::vector<std::string>{"|Temper"}));
}

TEST(TechniqueRows, ItemLineCountsTheSlotsBySize)
{
    CTechniqueData f;
    EXPECT_EQ(TechniqueItemText(f.db, CWorkingItem{}), "None chosen in the Formula Database");
    EXPECT_EQ(TechniqueItemText(f.db, f.Sword("Tier III", {CBrowserFixture::Technique("Sharpen", "Razor Edge")})),
              "Mithril Sword (Tier III), 2 of 2 technique slots used");
    EXPECT_EQ(TechniqueItemText(f.db, f.Sword("Tier II")), "Steel Sword (Tier II), 0 of 1 technique slots used");
    // A tier the formula does not have is no item.
    EXPECT_EQ(TechniqueItemText(f.db, f.Sword("Tier IX")), "None chosen in the Formula Database");
}

TEST(TechniqueRows, ApplyRefusesWithTheReason)
{
    CTechniqueData f;
    const COrderTechnique keen = CBrowserFixture::Technique("Sharpen", "Keen Edge");
    const COrderTechnique razor = CBrowserFixture::Technique("Sharpen", "Razor Edge");
    const COrderTechnique light = CBrowserFixture::Technique("Temper", "Light Temper");
    struct Case
    {
        std::string level; // empty: no item
        std::vector<COrderTechnique> attached;
        COrderTechnique applied;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"", {}, light,
         "Please choose a formula and its tier in the Formula Database before applying a technique."},
        {"Tier III", {}, CBrowserFixture::Technique("Sharpen", "Dull Edge"),
         "Error - Cannot find the tier 'Dull Edge' for the technique 'Sharpen'"},
        {"Tier III", {}, CBrowserFixture::Technique("Polish", "Keen Edge"),
         "Error - Cannot find the tier 'Keen Edge' for the technique 'Polish'"},
        {"Tier I", {}, keen, "This tier of the Formula 'Iron Sword' (Tier I) is too low for 'Keen Edge' (Tier II)."},
        {"Tier II", {light}, keen,
         "This tier of the Formula 'Steel Sword' has no room for 'Sharpen': it can only take 1 techniques."},
        // Razor Edge takes two slots, one is left.
        {"Tier III", {light}, razor,
         "This tier of the Formula 'Mithril Sword' has no room for 'Sharpen': it can only take 2 techniques."},
        {"Tier III", {}, razor, ""},
        {"Tier III", {light}, keen, ""},
        {"Tier II", {}, keen, ""},
        // The tier named by its level, as order files name it.
        {"Tier II", {}, CBrowserFixture::Technique("Sharpen", "Tier II"), ""},
    };
    for (const Case& c : cases)
    {
        CWorkingItem working = c.level.empty() ? CWorkingItem{} : f.Sword(c.level, c.attached);
        EXPECT_EQ(CheckApplyTechnique(f.db, working, c.applied), c.message) << c.level;
        if (c.level.empty())
            continue;
        // The formula browser attaches exactly what the check lets through.
        COrder order;
        const std::size_t before = working.item.techniques.size();
        AttachTechnique(f.db, working, order, c.applied);
        EXPECT_EQ(working.item.techniques.size(), before + (c.message.empty() ? 1 : 0)) << c.level;
    }
}
