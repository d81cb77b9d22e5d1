#include "OrderFixture.h"
#include "order/Plan.h"
#include "order/PlanExport.h"
#include "order/ReportGrid.h"
#include "order/Requirements.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{
// "name need/acquired/remaining" then, for crafts, " xbatches=made+leftover", then " @depth".
std::string Dump(const CPlan& plan)
{
    std::string text;
    const auto row = [&](const CPlanRow& r, bool craft)
    {
        text += r.name + " " + std::to_string(r.need) + "/" + std::to_string(r.acquired) + "/" +
                std::to_string(r.remaining);
        if (craft)
            text += " x" + std::to_string(r.batches) + "=" + std::to_string(r.made) + "+" +
                    std::to_string(r.leftover);
        text += " @" + std::to_string(r.depth) + "; ";
    };
    for (const CPlanRow& r : plan.crafts)
        row(r, true);
    text += "| ";
    for (const CPlanRow& r : plan.gathers)
        row(r, false);
    return text;
}

class PlanTest : public ::testing::Test, public COrderFixture
{
protected:
    PlanTest()
    {
        // Potion -> Tonic -> Philter <-> Essence: the cycle's names are gathered, and what
        // lies only below them (Water under Essence) is never reached.
        CFormulaSet& loop = AddSet("Loop", "Resources");
        CFormula& alchemy = AddFormula(loop, "Alchemy", 1);
        AddTier(alchemy, "Philter", 1)
            .resources.push_back(Resource("Essence", "Smelting", 1, 0, 1, 0, 1));
        CFormulaTier& essence = AddTier(alchemy, "Essence", 2);
        essence.resources.push_back(Resource("Philter", "Smelting", 1, 0, 2, 0, 2));
        essence.resources.push_back(Resource("Water", "Smelting", 1, 0, 1, 0, 1));
        CFormula& tonics = AddFormula(loop, "Tonics", 4);
        CFormulaTier& tonic = AddTier(tonics, "Tonic", 1);
        tonic.resources.push_back(Resource("Philter", "Smelting", 1, 0, 3, 0, 3));
        tonic.resources.push_back(Resource("Salt", "Smelting", 1, 0, 1, 0, 1));
        CFormula& potion = AddFormula(*weapons, "Potion", 1);
        AddTier(potion, "Flask", 1)
            .resources.push_back(Resource("Tonic", "Smithing", 1, 0, 5, 0, 5));
        // 2,000,000,000 Steel Bars a batch below skill 100.
        CFormula& anvil = AddFormula(*weapons, "Anvil", 1);
        AddTier(anvil, "Great Anvil", 1)
            .resources.push_back(Resource("Steel Bar", "Smithing", 1, 100, 2000000000, 200, 1));
        // Units of INT_MIN: a need far below the 64-bit range.
        CFormula& hex = AddFormula(*weapons, "Hex", 1);
        AddTier(hex, "Hex", 1).resources.push_back(
            Resource("Void", "Smithing", INT32_MIN, 0, INT32_MAX, 0, INT32_MAX));
    }
};
} // namespace

TEST_F(PlanTest, IntermediatesAreBatchedOnceOnTheirTotalNeed)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<std::string, int>> items; // formula, batches (tier I unless Steel)
        std::map<std::string, std::string> acquired;
        int smithing;
        const char* expected;
    } cases[] = {
        // Smithing 23: Iron Bar 7, Leather 2, Steel Bar 6 a batch. Steel Bar 6 -> 2 batches -> Iron
        // Bar
        // +2, Coal +4; Iron Bar 9 -> 3 batches (item by item it would be 3 + 1) -> Ore 6, Coal 3.
        {"shared",
         {{"Sword", 1}, {"Steel", 1}},
         {},
         23,
         "Iron Bar 9/0/9 x3=9+0 @2; Steel Bar 6/0/6 x2=6+0 @1; | Coal 7/0/7 @3; Iron Ore 6/0/6 @3; "
         "Leather 2/0/2 @1; "},
        // Acquired Steel Bars cut what is made below them; a count beyond the need leaves 0, a
        // negative one counts as none.
        {"acquired",
         {{"Sword", 1}, {"Steel", 1}},
         {{"Steel Bar", "4"}, {"Iron Bar", "1"}, {"Coal", "10"}, {"Leather", "-5"}},
         23,
         "Iron Bar 8/1/7 x3=9+2 @2; Steel Bar 6/4/2 x1=3+1 @1; | Coal 5/10/0 @3; Iron Ore 6/0/6 "
         "@3; Leather 2/0/2 @1; "},
        {"cycle",
         {{"Potion", 2}},
         {},
         0,
         "Tonic 10/0/10 x3=12+2 @1; | Philter 9/0/9 @2; Salt 3/0/3 @2; "},
        // 2e14 Steel Bars: 66,666,666,666,667 batches; Coal 2 x that + 22,222,222,222,223.
        {"64-bit",
         {{"Anvil", 100000}},
         {},
         0,
         "Iron Bar 66666666666667/0/66666666666667 x22222222222223=66666666666669+2 @2; Steel Bar "
         "200000000000000/0/200000000000000 "
         "x66666666666667=200000000000001+1 @1; | Coal 155555555555557/0/155555555555557 @3; Iron "
         "Ore 44444444444446/0/44444444444446 "
         "@3; "},
        // A need that saturates below zero counts as none; taking the acquired count off it
        // must not wrap round to the largest number.
        {"negative", {{"Hex", 100000}}, {{"Void", "5"}}, 0, "| Void 0/5/0 @1; "},
    };
    for (const Case& c : cases)
    {
        COrder order;
        AddItems(order, c.items);
        order.acquired = c.acquired;
        const CProfile profile = Profile(c.smithing);
        EXPECT_EQ(Dump(ComputePlan(db, order, SelectedItems(order, {}), &profile)), c.expected)
            << c.what;
    }
}

TEST_F(PlanTest, GatheringListByLocationAndItsExports)
{
    const auto component = [&](const std::string& name, std::vector<std::string> places,
                               std::vector<CGatherMethod> methods)
    {
        auto record = std::make_unique<CComponent>();
        record->name = name;
        record->locations = std::move(places);
        record->gatherMethods = std::move(methods);
        db.AddComponent(std::move(record));
    };
    component("Iron Ore", {"Quarry", "Deep Mine", "Quarry"},
              {{"Pick", "Mining", "", "", "", {}}, {"", "Prospecting", "", "", "", {}}});
    component("Coal", {"Deep Mine"}, {});
    COrder order;
    order.AddItem(Item("Sword", "Sword", "Tier I", 1));
    order.acquired = {{"Coal", "1"}};
    const CProfile profile = Profile(23);
    const CPlan plan = ComputePlan(db, order, SelectedItems(order, {}), &profile);
    const std::vector<CLocationGroup> groups = GroupByLocation(db, plan);
    EXPECT_EQ(PlanCsv(plan, &groups),
              "kind,name,need,acquired,remaining,batches,made,leftover,depth,location,locations,"
              "gathered_with\n"
              "craft,Iron Bar,7,0,7,3,9,2,1,,,\n"
              "gather,Coal,3,1,2,,,,2,Deep Mine,1,\n"
              "gather,Iron Ore,6,0,6,,,,2,Deep Mine,2,Pick (Mining); Prospecting\n"
              "gather,Iron Ore,6,0,6,,,,2,Quarry,2,Pick (Mining); Prospecting\n"
              "gather,Leather,2,0,2,,,,1,Not gathered,0,\n");
    CReportGrid grid(PlanColumns);
    AddPlanRows(grid, plan, &groups);
    EXPECT_EQ(ReportGridText(grid),
              "30\tCraft|Need|Acquired|Remaining|Batches|Made|Leftover|Depth\n"
              "31\tIron Bar|7|0|7|3|9|2|1\n"
              "30\tDeep Mine|Need|Acquired|Remaining|Locations|Gathered With||Depth\n"
              "31\tCoal|3|1|2||||2\n"
              "32\tIron Ore|6|0|6|2|Pick (Mining); Prospecting||2\n"
              "30\tQuarry|Need|Acquired|Remaining|Locations|Gathered With||Depth\n"
              "31\tIron Ore|6|0|6|2|Pick (Mining); Prospecting||2\n"
              "30\tNot gathered|Need|Acquired|Remaining|Locations|Gathered With||Depth\n"
              "31\tLeather|2|0|2||||1\n");
    EXPECT_EQ(PlanJson(plan),
              "{\n  \"rows\": [\n"
              "    {\"kind\": \"craft\", \"name\": \"Iron Bar\", \"need\": 7, \"acquired\": 0, "
              "\"remaining\": 7, "
              "\"batches\": 3, \"made\": 9, \"leftover\": 2, \"depth\": 1},\n"
              "    {\"kind\": \"gather\", \"name\": \"Coal\", \"need\": 3, \"acquired\": 1, "
              "\"remaining\": 2, "
              "\"batches\": null, \"made\": null, \"leftover\": null, \"depth\": 2},\n"
              "    {\"kind\": \"gather\", \"name\": \"Iron Ore\", \"need\": 6, \"acquired\": 0, "
              "\"remaining\": 6, "
              "\"batches\": null, \"made\": null, \"leftover\": null, \"depth\": 2},\n"
              "    {\"kind\": \"gather\", \"name\": \"Leather\", \"need\": 2, \"acquired\": 0, "
              "\"remaining\": 2, "
              "\"batches\": null, \"made\": null, \"leftover\": null, \"depth\": 1}\n  ]\n}\n");
}

TEST_F(PlanTest, ComparisonMarksTheCheapestCharacter)
{
    COrder order;
    order.AddItem(Item("Sword", "Sword", "Tier I", 2));
    order.AddItem(Item("Steel Sword", "Sword", "Tier II", 1));
    CProfile novice = Profile(5);
    novice.server = "Vale";
    CProfile expert = Profile(50);
    expert.server = "Vale";
    expert.name = "Expert";
    const CComparison comparison =
        ComparePlans(db, order, SelectedItems(order, {}), {&novice, &expert});
    CReportGrid grid(3);
    AddCompareRows(grid, comparison);
    // Novice: Iron Bar 16 + Steel Bar 6 -> 2 batches -> Iron Bar 18 -> 6 batches: Ore 12, Coal 4
    // + 6. Expert: Iron Bar 8 + Steel Bar 3 -> 1 batch -> Iron Bar 9 -> 3 batches: Ore 6, Coal 2
    // + 3.
    EXPECT_EQ(ReportGridText(grid), "30\tGather|Vale:Tester|Vale:Expert\n"
                                    "31\tCoal|10|5 *\n"
                                    "32\tIron Ore|12|6 *\n"
                                    "31\tLeather|4 *|4 *\n"
                                    "33\tTotal|26|15 *\n"
                                    "30\tItem|Vale:Tester|Vale:Expert\n"
                                    "31\tSword|20 (Too Low)|12 (100%) *\n"
                                    "32\tSteel Sword|6 (Too Low)|3 (75%) *\n");
    EXPECT_EQ(CompareCsv(comparison),
              "kind,name,profile,units,efficiency,cheapest\n"
              "gather,Coal,Vale:Tester,10,,0\ngather,Coal,Vale:Expert,5,,1\n"
              "gather,Iron Ore,Vale:Tester,12,,0\ngather,Iron Ore,Vale:Expert,6,,1\n"
              "gather,Leather,Vale:Tester,4,,1\ngather,Leather,Vale:Expert,4,,1\n"
              "total,Total,Vale:Tester,26,,0\ntotal,Total,Vale:Expert,15,,1\n"
              "item,Sword,Vale:Tester,20,Too Low,0\nitem,Sword,Vale:Expert,12,100,1\n"
              "item,Steel Sword,Vale:Tester,6,Too Low,0\nitem,Steel Sword,Vale:Expert,3,75,1\n");
}
