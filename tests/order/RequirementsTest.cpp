#include "OrderFixture.h"
#include "order/Requirements.h"

#include <gtest/gtest.h>

namespace
{
std::string Dump(const CRequirementList& list)
{
    std::string text;
    for (const CRequirement& entry : list)
        text += entry.name + "=" + std::to_string(entry.quantity) + (entry.type.empty() ? "" : ":" + entry.type) + ";";
    return text;
}

std::vector<const COrderItem*> Items(const COrder& order)
{
    return SelectedItems(order, {});
}
} // namespace

TEST(Requirements, SortIsStableInBothModes)
{
    CRequirementList list = {{"b", 2, {}}, {"a", 2, {}}, {"c", 5, {}}, {"B", 1, {}}, {"a", 1, {}}};
    Sort(list, SortByName);
    EXPECT_EQ(Dump(list), "B=1;a=2;a=1;b=2;c=5;");
    list = {{"b", 2, {}}, {"a", 2, {}}, {"c", 5, {}}, {"d", 1, {}}};
    Sort(list, SortByQuantity);
    EXPECT_EQ(Dump(list), "c=5;b=2;a=2;d=1;");
}

class RequirementsOrder : public ::testing::Test, public COrderFixture
{
protected:
    void SetUp() override
    {
        auto first = Item("Iron Sword", "Sword", "Tier I", 3);
        first->techniques.push_back({"Blacksmithing", "Sharpen", "Tier I"});
        order.AddItem(std::move(first));
        order.AddItem(Item("Steel Sword", "Sword", "Tier II", 2, "Other"));
        order.AddItem(Item("Iron Sword", "Sword", "Tier I", 1));
    }
    COrder order;
};

TEST_F(RequirementsOrder, ComponentsSumOverItemsWithTechniquesFirst)
{
    const CProfile profile = Profile(30);
    EXPECT_EQ(Dump(ComputeComponents(db, Items(order), &profile, BreakdownComponents, SortByName)),
              "Iron Bar=27;Leather=8;Steel Bar=10;Whetstone=6;");
    EXPECT_EQ(Dump(ComputeComponents(db, Items(order), &profile, BreakdownSubcomponents, SortByQuantity)),
              "Iron Bar=27;Steel Bar=10;Leather=8;Whetstone=6;");
}

TEST_F(RequirementsOrder, WithoutProfileOnlyTechniqueComponentsCount)
{
    EXPECT_EQ(Dump(ComputeComponents(db, Items(order), nullptr, BreakdownComponents, SortByQuantity)),
              "Whetstone=6;Iron Bar=0;Leather=0;Steel Bar=0;");
}

TEST_F(RequirementsOrder, BaseResourcesSumOverEveryPath)
{
    const CProfile profile = Profile(30);
    // Iron Bar 27 -> 9 batches; Steel Bar 10 -> 4 batches -> Iron Bar 4 -> 2 batches.
    EXPECT_EQ(Dump(ComputeComponents(db, Items(order), &profile, BreakdownBaseResources, SortByName)),
              "Coal=19;Iron Ore=22;Leather=8;Whetstone=6;");
}

TEST_F(RequirementsOrder, SelectionTakesTickedItemsAndGroups)
{
    const int firstId = order.items[0]->id;
    const int lastId = order.items[2]->id;
    EXPECT_EQ(SelectedItems(order, {}).size(), 3u);
    COrderSelection byItem;
    byItem.items = {lastId};
    ASSERT_EQ(SelectedItems(order, byItem).size(), 1u);
    EXPECT_EQ(SelectedItems(order, byItem)[0]->id, lastId);
    COrderSelection byGroup;
    byGroup.groups = {"Main"};
    ASSERT_EQ(SelectedItems(order, byGroup).size(), 2u);
    EXPECT_EQ(SelectedItems(order, byGroup)[0]->id, firstId);
    byGroup.groups = {"Other"};
    byGroup.items = {lastId};
    EXPECT_EQ(SelectedItems(order, byGroup).size(), 2u);
}

TEST_F(RequirementsOrder, CyclesOfResourceFormulaeStop)
{
    CFormulaSet& loop = AddSet("Loop", "Resources");
    CFormula& alchemy = AddFormula(loop, "Alchemy", 1);
    AddTier(alchemy, "Philter", 1).resources.push_back(Resource("Essence", "Smelting", 1, 0, 1, 0, 1));
    CFormulaTier& essence = AddTier(alchemy, "Essence", 2);
    essence.resources.push_back(Resource("Philter", "Smelting", 1, 0, 2, 0, 2));
    essence.resources.push_back(Resource("Water", "Smelting", 1, 0, 1, 0, 1));
    const CProfile profile = Profile(0);
    CRequirementList base;
    Expand(db, &profile, "Philter", 3, base);
    EXPECT_EQ(Dump(base), "Philter=6;Water=3;");
    base.clear();
    Expand(db, &profile, "Essence", 2, base);
    EXPECT_EQ(Dump(base), "Essence=4;Water=2;");
}

TEST_F(RequirementsOrder, LargeOrdersAreComputedIn64Bits)
{
    CFormula& anvil = AddFormula(*weapons, "Anvil", 1);
    AddTier(anvil, "Great Anvil", 1).resources.push_back(Resource("Mithril", "Smithing", 50, 100, 100000, 200, 90000));
    COrder big;
    big.AddItem(Item("Great Anvil", "Anvil", "Tier I", 100000));
    big.AddItem(Item("Great Anvil", "Anvil", "Tier I", 100000));
    const CProfile profile = Profile(30);
    EXPECT_EQ(Dump(ComputeComponents(db, Items(big), &profile, BreakdownComponents, SortByName)),
              "Mithril=1000000000000;");
}

TEST_F(RequirementsOrder, TierIsFoundByLevelNameThenByName)
{
    COrder byName;
    byName.AddItem(Item("Steel Sword", "Sword", "Steel Sword", 1));
    byName.AddItem(Item("Nothing", "Sword", "Tier IX", 1));
    byName.AddItem(Item("Unknown", "Axe", "Tier I", 1));
    const CProfile profile = Profile(20);
    EXPECT_EQ(Dump(ComputeComponents(db, Items(byName), &profile, BreakdownComponents, SortByName)), "Steel Bar=6;");
}

TEST_F(RequirementsOrder, DirectAndIndirectBonuses)
{
    order.items[0]->techniques.push_back({"All", "Might", "Tier I"});
    order.items[1]->techniques.push_back({"All", "Sharpen", "Tier II"});
    // Damage 3 x 3; Strength 5 x 3 + 4 x 2 = 23 (the third item adds 5 more).
    EXPECT_EQ(Dump(ComputeBonuses(db, Items(order), BonusesDirect, SortByName)), "Damage=9:Direct;Strength=28:Direct;");
    // 50% of 28 is 1400 / 1000 = 1.
    EXPECT_EQ(Dump(ComputeBonuses(db, Items(order), BonusesIncludeIndirect, SortByQuantity)),
              "Strength=28:Direct;Damage=9:Direct;Might=1:Indirect;");
}

TEST_F(RequirementsOrder, IndirectBonusesNeedTheStatisticAndRoundDown)
{
    COrder single;
    single.AddItem(Item("Iron Sword", "Sword", "Tier I", 1));
    // 50% of 5 rounds to 0: nothing is added.
    EXPECT_EQ(Dump(ComputeBonuses(db, Items(single), BonusesIncludeIndirect, SortByName)), "Strength=5:Direct;");
    COrder steel;
    steel.AddItem(Item("Steel Sword", "Sword", "Tier II", 50));
    EXPECT_EQ(Dump(ComputeBonuses(db, Items(steel), BonusesIncludeIndirect, SortByName)), "");
}

TEST_F(RequirementsOrder, BonusAmountIsTheNumberBeforeTheFirstBlank)
{
    // Nothing before the first blank is 0 of the rest; the name keeps its blanks.
    techniques->techniques[0]->tiers[0]->attributes = {{"bonus", " +3 Luck"}, {"bonus", "2  Grace"}};
    COrder single;
    single.AddItem(Item("Iron Sword", "Sword", "Tier I", 4));
    single.items[0]->techniques.push_back({"All", "Sharpen", "Tier I"});
    EXPECT_EQ(Dump(ComputeBonuses(db, Items(single), BonusesDirect, SortByName)), " Grace=8:Direct;+3 Luck=0:Direct;Strength=20:Direct;");
}

TEST_F(RequirementsOrder, IndirectBonusOfADirectNameIsBoth)
{
    techniques->techniques[0]->tiers[0]->attributes.push_back({"bonus", "2 Might"});
    techniques->techniques[1]->attributes.push_back({"percentagestatbonus", "bad"});
    techniques->techniques[1]->attributes.push_back({"percentagestatbonus", "100% Damage"});
    EXPECT_EQ(Dump(ComputeBonuses(db, Items(order), BonusesIncludeIndirect, SortByName)),
              "Damage=9:Direct;Might=7:Both;Strength=20:Direct;");
}
