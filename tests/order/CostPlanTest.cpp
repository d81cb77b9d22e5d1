#include "order/CostPlan.h"

#include "OrderFixture.h"
#include "order/Plan.h"
#include "order/PlanExport.h"
#include "order/Prices.h"
#include "order/ReportGrid.h"
#include "order/Requirements.h"

#include <gtest/gtest.h>

namespace
{
// Beside the fixture's swords and bars:
//   Resources "Parts": Gear (1 a batch): Cog Iron, Smelting 0 -> 4, 40 -> 2;
//     Rivet (1): Coal, Smithing 0 -> 4, 40 -> 2; Flux (8): Lime 1; Dross (8): Lime -1.
//   Blacksmithing: Machine (1): Gear 1, Rivet 1; Kiln (1): Flux 5, Dross 5, Charcoal 1.
class CostPlanTest : public ::testing::Test, public COrderFixture
{
protected:
    CostPlanTest()
    {
        CFormulaSet& parts = AddSet("Parts", "Resources");
        AddTier(AddFormula(parts, "Gears", 1), "Gear", 1)
            .resources.push_back(Resource("Cog Iron", "Smelting", 1, 0, 4, 40, 2));
        AddTier(AddFormula(parts, "Rivets", 1), "Rivet", 1)
            .resources.push_back(Resource("Coal", "Smithing", 1, 0, 4, 40, 2));
        AddTier(AddFormula(parts, "Fluxes", 8), "Flux", 1)
            .resources.push_back(Resource("Lime", "", 1, 0, 1, 0, 1));
        AddTier(AddFormula(parts, "Drosses", 8), "Dross", 1)
            .resources.push_back(Resource("Lime", "", 1, 0, -1, 0, -1));
        CFormulaTier& machine = AddTier(AddFormula(*weapons, "Machine", 1), "Machine", 1);
        machine.resources = {Resource("Gear", "", 1, 0, 1, 0, 1),
                             Resource("Rivet", "", 1, 0, 1, 0, 1)};
        CFormulaTier& kiln = AddTier(AddFormula(*weapons, "Kiln", 1), "Kiln", 1);
        kiln.resources = {Resource("Flux", "", 1, 0, 5, 0, 5), Resource("Dross", "", 1, 0, 5, 0, 5),
                          Resource("Charcoal", "", 1, 0, 1, 0, 1)};
        anvil = Character("Anvil", 40, 0);
        bellows = Character("Bellows", 0, 40);
    }

    static CProfile Character(const std::string& name, int smithing, int smelting)
    {
        CProfile profile = Profile(smithing, smelting);
        profile.server = "Vale";
        profile.name = name;
        return profile;
    }

    CProfile anvil;
    CProfile bellows;
};

CPriceList Prices(std::map<std::string, std::string> texts)
{
    CPriceList list;
    for (const auto& [name, text] : texts)
        EXPECT_TRUE(SetPriceText(list, name, text)) << text;
    return list;
}
} // namespace

TEST_F(CostPlanTest, EachStepIsCraftedByTheCheapestCharacterOrBought)
{
    const CProfile tester = Profile(23);
    const std::string header =
        "kind,name,need,acquired,remaining,batches,made,leftover,depth,crafter,unit_cost,cost\n";
    struct Case
    {
        const char* what;
        std::vector<std::pair<std::string, int>>
            items; // formula (tier I; "Steel": Steel Sword), batches
        std::map<std::string, std::string> prices;
        std::vector<const CProfile*> characters; // empty: the plan's profile, Tester at Smithing 23
        std::map<std::string, std::string> acquired;
        std::string expected;
    } cases[] = {
        // Iron Bar: (2 Ore x 1.00 + 1 Coal x 0.50) / 3 a batch = 0.8333 to craft, 0.83 to buy. Its
        // ore and coal are then not needed; Leather has no price and costs nothing.
        {"cheaper to buy",
         {{"Sword", 1}},
         {{"Iron Ore", "1"}, {"Coal", "0.50"}, {"Iron Bar", "0.83"}},
         {},
         {},
         header + "buy,Iron Bar,7,0,7,,,,1,,0.8300,5.81\n"
                  "gather,Leather,2,0,2,,,,1,,,0.00\n"
                  "total,,,,,,,,,,,5.81\n"},
        // (2 x 1.20 + 0.60) / 3 = 1.00 exactly: an equal price crafts. 4 ore still to gather.
        {"as dear: crafted",
         {{"Sword", 1}},
         {{"Iron Ore", "1.20"}, {"Coal", "0.6"}, {"Iron Bar", "1"}},
         {},
         {{"Iron Ore", "2"}},
         header + "craft,Iron Bar,7,0,7,3,9,2,1,:Tester,1.0000,\n"
                  "gather,Coal,3,0,3,,,,2,,0.6000,1.80\n"
                  "gather,Iron Ore,6,2,4,,,,2,,1.2000,4.80\n"
                  "gather,Leather,2,0,2,,,,1,,,0.00\n"
                  "total,,,,,,,,,,,6.60\n"},
        // Steel Bar: (1 Iron Bar x 0.8333 + 2 Coal x 0.50) / 3 = 0.6111, bought at 0.10; the Iron
        // Bar it would take is not made, but its depth stays that of the path through it.
        {"bought intermediate",
         {{"Sword", 1}, {"Steel", 1}},
         {{"Iron Ore", "1"}, {"Coal", "0.50"}, {"Steel Bar", "0.10"}},
         {},
         {},
         header + "craft,Iron Bar,7,0,7,3,9,2,2,:Tester,0.8333,\n"
                  "buy,Steel Bar,6,0,6,,,,1,,0.1000,0.60\n"
                  "gather,Coal,3,0,3,,,,3,,0.5000,1.50\n"
                  "gather,Iron Ore,6,0,6,,,,3,,1.0000,6.00\n"
                  "gather,Leather,2,0,2,,,,1,,,0.00\n"
                  "total,,,,,,,,,,,8.10\n"},
        // Gear: Anvil 4 x 1.00, Bellows 2 x 1.00; Rivet: Anvil 2 x 0.50, Bellows 4 x 0.50. Each
        // crafter's own units make the need below: 2 Cog Iron and 2 Coal a batch.
        {"two characters",
         {{"Machine", 3}},
         {{"Cog Iron", "1.00"}, {"Coal", "0.50"}},
         {&anvil, &bellows},
         {},
         header + "craft,Gear,3,0,3,3,3,0,1,Vale:Bellows,2.0000,\n"
                  "craft,Rivet,3,0,3,3,3,0,1,Vale:Anvil,1.0000,\n"
                  "gather,Coal,6,0,6,,,,2,,0.5000,3.00\n"
                  "gather,Cog Iron,6,0,6,,,,2,,1.0000,6.00\n"
                  "total,,,,,,,,,,,9.00\n"},
        // Without prices the first character crafts every step: the plan's own nine columns.
        {"no prices",
         {{"Machine", 3}},
         {},
         {&bellows, &anvil},
         {},
         "kind,name,need,acquired,remaining,batches,made,leftover,depth\n"
         "craft,Gear,3,0,3,3,3,0,1\n"
         "craft,Rivet,3,0,3,3,3,0,1\n"
         "gather,Coal,12,0,12,,,,2\n"
         "gather,Cog Iron,6,0,6,,,,2\n"},
        // Lime 0.01 over 8 a batch: 0.00125 rounds up to 0.0013, -0.00125 up to -0.0012.
        {"halves",
         {{"Kiln", 1}},
         {{"Lime", "0.01"}},
         {},
         {},
         header + "craft,Dross,5,0,5,1,8,3,1,:Tester,-0.0012,\n"
                  "craft,Flux,5,0,5,1,8,3,1,:Tester,0.0013,\n"
                  "gather,Charcoal,1,0,1,,,,1,,,0.00\n"
                  "gather,Lime,0,0,0,,,,2,,0.0100,0.00\n"
                  "total,,,,,,,,,,,0.00\n"},
        // The largest price: Lime's unit cost saturates and stays so over Flux's 8 a batch; the
        // total stays at the top. Dross takes -(2^63 - 1) / 8, rounded.
        {"saturation",
         {{"Kiln", 1}},
         {{"Lime", "92233720368547758.07"}, {"Charcoal", "1"}},
         {},
         {{"Dross", "5"}},
         header + "craft,Dross,5,5,0,0,0,0,1,:Tester,-115292150460684.6976,\n"
                  "craft,Flux,5,0,5,1,8,3,1,:Tester,922337203685477.5807,\n"
                  "gather,Charcoal,1,0,1,,,,1,,1.0000,1.00\n"
                  "gather,Lime,1,0,1,,,,2,,922337203685477.5807,92233720368547758.07\n"
                  "total,,,,,,,,,,,92233720368547758.07\n"},
    };
    for (const Case& c : cases)
    {
        COrder order;
        AddItems(order, c.items);
        order.acquired = c.acquired;
        const CPriceList prices = Prices(c.prices);
        CPlanCosting costing{c.prices.empty() ? nullptr : &prices, c.characters};
        const CPlan plan = ComputePlan(db, order, SelectedItems(order, {}), &tester, costing);
        EXPECT_EQ(PlanCsv(plan), c.expected) << c.what;
    }
}

TEST_F(CostPlanTest, ExportsBuyRowsAndTheTotal)
{
    COrder order;
    order.AddItem(Item("Sword", "Sword", "Tier I", 1));
    order.AddItem(Item("Steel Sword", "Sword", "Tier II", 1));
    const CPriceList prices = Prices({{"Iron Ore", "1"}, {"Coal", "0.50"}, {"Steel Bar", "0.10"}});
    const CProfile tester = Profile(23);
    const CPlan plan = ComputePlan(db, order, SelectedItems(order, {}), &tester, {&prices, {}});
    CReportGrid grid(PlanGridColumns(plan));
    AddPlanRows(grid, plan);
    EXPECT_EQ(
        ReportGridText(grid),
        "30\tCraft|Need|Acquired|Remaining|Batches|Made|Leftover|Depth|Crafter|Unit Cost|Cost\n"
        "31\tIron Bar|7|0|7|3|9|2|2|:Tester|0.8333|\n"
        "32\tSteel Bar|6|0|6||||1|(buy)|0.1000|0.60\n"
        "30\tGather|Need|Acquired|Remaining||||Depth||Unit Cost|Cost\n"
        "31\tCoal|3|0|3||||3||0.5000|1.50\n"
        "32\tIron Ore|6|0|6||||3||1.0000|6.00\n"
        "31\tLeather|2|0|2||||1|||0.00\n"
        "33\tTotal||||||||||8.10\n");
    const std::string json = PlanJson(plan);
    EXPECT_NE(json.find("{\"kind\": \"buy\", \"name\": \"Steel Bar\", \"need\": 6, \"acquired\": "
                        "0, \"remaining\": 6, "
                        "\"batches\": null, \"made\": null, \"leftover\": null, \"depth\": 1, "
                        "\"crafter\": null, "
                        "\"unit_cost\": \"0.1000\", \"cost\": \"0.60\"}"),
              std::string::npos)
        << json;
    EXPECT_NE(
        json.find(
            "\"depth\": 2, \"crafter\": \":Tester\", \"unit_cost\": \"0.8333\", \"cost\": null}"),
        std::string::npos);
    EXPECT_NE(
        json.find("\"depth\": 1, \"crafter\": null, \"unit_cost\": null, \"cost\": \"0.00\"}"),
        std::string::npos);
    EXPECT_NE(json.find("{\"kind\": \"total\", \"name\": null, \"need\": null, \"acquired\": null, "
                        "\"remaining\": "
                        "null, \"batches\": null, \"made\": null, \"leftover\": null, \"depth\": "
                        "null, \"crafter\": "
                        "null, \"unit_cost\": null, \"cost\": \"8.10\"}\n  ]\n}\n"),
              std::string::npos);
}

// Per item: its components at their unit costs, per item made; the margin against its price.
TEST_F(CostPlanTest, ProfitOfEachOrderItem)
{
    COrder order;
    order.AddItem(Item("Machine", "Machine", "Tier I", 3));
    order.AddItem(Item("Ghost", "Ghost", "Tier I", 1));
    order.AddItem(Item("Sword", "Sword", "Tier I", 2));
    const CPriceList prices = Prices(
        {{"Cog Iron", "1"}, {"Coal", "0.50"}, {"Iron Ore", "1"}, {"Machine", "4"}, {"Sword", "4"}});
    // Machine: 3 Gears at 2.00 (Bellows) + 3 Rivets at 1.00 (Anvil), over 3 made. Sword at
    // Anvil's Smithing 40: 10 Iron Bars at 0.8333 and 4 unpriced Leather, over 2.
    const std::vector<CProfitRow> rows =
        ComputeProfits(db, SelectedItems(order, {}), &anvil, {&prices, {&anvil, &bellows}});
    EXPECT_EQ(ProfitCsv(rows), "name,made,unit_cost,price,margin\n"
                               "Machine,3,3.0000,4.00,1.0000\n"
                               "Sword,2,4.1665,4.00,-0.1665\n");
    EXPECT_EQ(ProfitCsv(ComputeProfits(db, SelectedItems(order, {}), &anvil, {})),
              "name,made,unit_cost,price,margin\n"
              "Machine,3,0.0000,,\n"
              "Sword,2,0.0000,,\n");
    CReportGrid grid(ProfitColumns);
    AddProfitRows(grid, rows);
    EXPECT_EQ(ReportGridText(grid), "30\tCraft Item|Made|Unit Cost|Price|Margin\n"
                                    "31\tMachine|3|3.0000|4.00|1.0000\n"
                                    "32\tSword|2|4.1665|4.00|-0.1665\n");
    EXPECT_EQ(ProfitJson(rows), "{\n  \"rows\": [\n"
                                "    {\"name\": \"Machine\", \"made\": 3, \"unit_cost\": "
                                "\"3.0000\", \"price\": \"4.00\", \"margin\": "
                                "\"1.0000\"},\n"
                                "    {\"name\": \"Sword\", \"made\": 2, \"unit_cost\": \"4.1665\", "
                                "\"price\": \"4.00\", \"margin\": "
                                "\"-0.1665\"}\n  ]\n}\n");
}
