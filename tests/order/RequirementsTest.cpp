#include "OrderFixture.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "order/Report.h"
#include "order/Requirements.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <limits>

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

namespace
{
// A "Resources" set whose formula i makes "<prefix> i" from `copies` entries of "<prefix>
// i+1" (units each, one per batch, made `batchQty` a batch); the last one is made from Ore.
void AddLinks(CGameDatabase& db, const std::string& prefix, int count, int copies, int units, int batchQty = 1)
{
    auto set = std::make_unique<CFormulaSet>();
    set->name = prefix;
    set->category = "Resources";
    for (int i = 0; i < count; ++i)
    {
        auto formula = std::make_unique<CFormula>();
        formula->name = prefix + " formula " + std::to_string(i);
        formula->category = "Resources";
        formula->batchQty = batchQty;
        auto tier = std::make_unique<CFormulaTier>();
        tier->name = prefix + " " + std::to_string(i);
        tier->level = 1;
        tier->levelName = "Tier I";
        const std::string input = i + 1 < count ? prefix + " " + std::to_string(i + 1) : "Ore";
        for (int copy = 0; copy < copies; ++copy)
            tier->resources.push_back(COrderFixture::Resource(input, "Smelting", units, 0, 1, 0, 1));
        formula->tiers.push_back(std::move(tier));
        set->formulae.push_back(std::move(formula));
    }
    db.AddFormulaSet(std::move(set));
}

CReportRequest Subcomponents(const CGameDatabase& db, const COrder& order, const CProfile& profile)
{
    CReportRequest request;
    request.db = &db;
    request.order = &order;
    request.profile = &profile;
    request.content = ReportComponentsOnly;
    request.breakdown = BreakdownSubcomponents;
    return request;
}
} // namespace

// 200,000 sub-formulae one below the other: every walk over them is a loop, not a recursion
// as deep as the chain.
TEST_F(RequirementsOrder, ChainsOfTwoHundredThousandFormulaeAreWalked)
{
    AddLinks(db, "Link", 200000, 1, 1);
    CFormula& ring = AddFormula(*weapons, "Ring", 1);
    AddTier(ring, "Chain Ring", 1).resources.push_back(Resource("Link 0", "Smithing", 1, 0, 2, 0, 2));
    COrder chain;
    chain.AddItem(Item("Chain Ring", "Ring", "Tier I", 3));
    chain.acquired = {{"Ore", "4"}, {"Link 199999", "1"}, {"Tin", "2"}};
    const CProfile profile = Profile(0);

    EXPECT_EQ(Dump(ComputeComponents(db, Items(chain), &profile, BreakdownBaseResources, SortByName)), "Ore=6;");
    EXPECT_EQ(GenerateReport(Subcomponents(db, chain, profile)).refused,
              Format(Messages::SubcomponentsTooMany, 1000000LL, 100));
    // The order's save keeps what the chain needs at its far end and drops the rest.
    CTempDir dir;
    ASSERT_TRUE(chain.Write(dir / "chain.xml", db));
    EXPECT_EQ(chain.acquired, (std::map<std::string, std::string>{{"Link 199999", "1"}, {"Ore", "4"}}));
}

// 40 formulae each made from two of the next: 2^40 paths, 41 names. Each path is batched on
// its own, and the breakdown of a name reached again is added in one step; the sub-component
// tree, a row per path, is refused.
TEST_F(RequirementsOrder, DiamondsOfFormulaeAreCountedOncePerName)
{
    AddLinks(db, "Dia", 40, 2, 1);
    AddLinks(db, "Odd", 3, 2, 3, 4); // made 4 a batch: batched on each path, not on the total
    CFormula& ring = AddFormula(*weapons, "Ring", 1);
    CFormulaTier& tier = AddTier(ring, "Diamond Ring", 1);
    tier.resources.push_back(Resource("Dia 0", "Smithing", 1, 0, 1, 0, 1));
    tier.resources.push_back(Resource("Odd 0", "Smithing", 1, 0, 5, 0, 5));
    COrder diamond;
    diamond.AddItem(Item("Diamond Ring", "Ring", "Tier I", 1));
    const CProfile profile = Profile(0);

    // Odd 0: 5 needed, 2 batches, 6 of Odd 1 on each of 2 paths; 2 batches each, 6 of Odd 2
    // on each of 4 paths; 2 batches each, 6 Ore on each of 8 paths: 48 (30 if batched on
    // the totals).
    EXPECT_EQ(Dump(ComputeComponents(db, Items(diamond), &profile, BreakdownBaseResources, SortByName)),
              "Ore=" + std::to_string((std::int64_t{1} << 40) + 48) + ";");
    const CReport report = GenerateReport(Subcomponents(db, diamond, profile));
    EXPECT_EQ(report.refused, Format(Messages::SubcomponentsTooMany, 1000000LL, 100));
    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(ReportCells(report.rows[1]), (std::vector<std::string>{report.refused, "", ""}));
}

// A name reached twice whose own sum passes the 64-bit range and comes back: added again in
// one step it gives what its additions one by one give.
TEST_F(RequirementsOrder, BreakdownsAddedAgainSaturateAsTheirAdditions)
{
    CFormulaSet& set = AddSet("Edge", "Resources");
    CFormulaTier& edge = AddTier(AddFormula(set, "Edge", 1), "Edge", 1);
    for (int i = 0; i < 3; ++i)
        edge.resources.push_back(Resource("Ore", "Smelting", 2147483647, 0, 2147483647, 0, 2147483647));
    edge.resources.push_back(Resource("Ore", "Smelting", -5, 0, 1, 0, 1));
    const CProfile profile = Profile(0);
    CRequirementList base;
    // Each Edge adds almost 2^62 three times (the third stops at the top), then takes 5 away.
    ASSERT_TRUE(Expand(db, &profile, "Edge", 1, base));
    ASSERT_TRUE(Expand(db, &profile, "Edge", 1, base));
    const std::string once = Dump(base);
    EXPECT_EQ(once, "Ore=" + std::to_string(std::numeric_limits<std::int64_t>::max() - 5) + ";");
    CFormulaTier& pair = AddTier(AddFormula(set, "Pair", 1), "Pair", 1);
    pair.resources.push_back(Resource("Edge", "Smelting", 1, 0, 1, 0, 1));
    pair.resources.push_back(Resource("Edge", "Smelting", 1, 0, 1, 0, 1));
    base.clear();
    ASSERT_TRUE(Expand(db, &profile, "Pair", 1, base));
    EXPECT_EQ(Dump(base), once);
}

// 20 formulae each made from all the others: more paths than could ever be walked. The
// breakdown stops at its bound and is refused, as the sub-component tree is.
TEST_F(RequirementsOrder, FormulaeNamingEachOtherAreRefusedPastTheBound)
{
    CFormulaSet& set = AddSet("Knot", "Resources");
    for (int i = 0; i < 20; ++i)
    {
        CFormulaTier& knot = AddTier(AddFormula(set, "Knot " + std::to_string(i), 1), "Knot " + std::to_string(i), 1);
        for (int other = 0; other < 20; ++other)
            if (other != i)
                knot.resources.push_back(Resource("Knot " + std::to_string(other), "Smelting", 1, 0, 1, 0, 1));
    }
    CFormula& ring = AddFormula(*weapons, "Ring", 1);
    AddTier(ring, "Knot Ring", 1).resources.push_back(Resource("Knot 0", "Smithing", 1, 0, 1, 0, 1));
    COrder knot;
    knot.AddItem(Item("Knot Ring", "Ring", "Tier I", 1));
    const CProfile profile = Profile(0);

    CReportRequest request = Subcomponents(db, knot, profile);
    request.breakdown = BreakdownBaseResources;
    const CReport report = GenerateReport(request);
    EXPECT_EQ(report.refused, Format(Messages::BaseResourcesTooMany, 20000000LL));
    ASSERT_EQ(report.rows.size(), 2u);
    EXPECT_EQ(ReportCells(report.rows[1]), (std::vector<std::string>{report.refused, "", ""}));
}
