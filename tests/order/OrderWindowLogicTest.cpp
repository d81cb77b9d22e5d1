#include "OrderFixture.h"
#include "order/GridColours.h"
#include "order/OrderWindowLogic.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace
{
class OrderWindow : public ::testing::Test, public COrderFixture
{
protected:
    void SetUp() override
    {
        order.AddGroup("Main");
        order.AddGroup("Other");
        auto first = Item("Iron Sword", "Sword", "Tier I", 3);
        first->techniques.push_back({"Blacksmithing", "Sharpen", "Tier I"});
        first->techniques.push_back({"All", "Gone", "Tier I"});
        order.AddItem(std::move(first));
        order.AddItem(Item("Steel Sword", "Sword", "Tier II", 2, "Other"));
        order.AddItem(Item("Iron Sword", "Sword", "Tier I", 1));
        order.AddItem(Item("Spear", "Spear", "Tier I", 1, "Lost"));
        order.AddItem(Item("Arrow", "Arrows", "Tier I", 3, "Ammo"));
        CFormula& arrows = AddFormula(*weapons, "Arrows", 5);
        AddTier(arrows, "Iron Arrow", 1);
    }
    int Id(int index) const { return order.items[static_cast<std::size_t>(index)]->id; }
    COrder order;
};
} // namespace

TEST(OrderWindowText, LabelsAndTheBatchesRule)
{
    COrderItem item;
    item.itemName = "Iron Arrow";
    item.batches = 3;
    EXPECT_EQ(ItemLabel(5, item), "15 x Iron Arrow");
    item.batches = 100000;
    EXPECT_EQ(ItemLabel(100000, item), "10000000000 x Iron Arrow");
    EXPECT_EQ(BatchesLabel(5, 3), "batches x 5 per batch = 15");
    EXPECT_EQ(BatchesLabel(50000, 100000), "batches x 50000 per batch = 5000000000");

    const struct
    {
        const char* text;
        int value;
        bool replace;
    } cases[] = {{"42", 42, false},     {"100000", 100000, false}, {"100001", 100000, true},
                 {"99999999999", 100000, true}, {"7 x", 7, true}, {"", 1, false}, {"abc", 1, true},
                 {"-3", 1, true}, {"007", 7, true}};
    for (const auto& c : cases)
    {
        const CBatchesInput input = ReadBatches(c.text);
        EXPECT_EQ(input.value, c.value) << c.text;
        EXPECT_EQ(input.replaceText, c.replace) << c.text;
    }
}

TEST(OrderWindowText, TypedLabelsAreCleaned)
{
    EXPECT_EQ(CleanLabel("<A> & B&C"), "[A] and BandC");
    EXPECT_EQ(ItemNameFromLabel("15 x Iron <Sword>"), "Iron [Sword]");
    EXPECT_EQ(ItemNameFromLabel("Box x 2 x Big"), "2 x Big");
    EXPECT_EQ(ItemNameFromLabel(" x Odd"), " x Odd");
    EXPECT_EQ(ItemNameFromLabel("Plain"), "Plain");
}

TEST_F(OrderWindow, SetBatchesAndRenaming)
{
    COrderItem& arrow = *order.items[4];
    EXPECT_EQ(SetBatches(order, arrow, 5, "250000"), "500000 x Arrow");
    EXPECT_EQ(arrow.batches, 100000);
    EXPECT_TRUE(order.modified);

    order.modified = false;
    EXPECT_TRUE(RenameGroup(order, "Main", "Swords & <Co>"));
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Swords and [Co]", "Other"}));
    EXPECT_EQ(order.items[0]->group, "Swords and [Co]");
    EXPECT_EQ(order.items[2]->group, "Swords and [Co]");
    EXPECT_TRUE(order.modified);
    // Onto an existing name the two groups become one.
    EXPECT_TRUE(RenameGroup(order, "Other", "Swords & <Co>"));
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Swords and [Co]"}));
    EXPECT_EQ(order.items[1]->group, "Swords and [Co]");
    EXPECT_FALSE(RenameGroup(order, "Swords and [Co]", "Swords & <Co>"));
    // A group never loses its name.
    EXPECT_FALSE(RenameGroup(order, "Swords and [Co]", " "));
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Swords and [Co]"}));

    EXPECT_TRUE(RenameItem(order, Id(1), "2 x Blade & Hilt"));
    EXPECT_EQ(order.items[1]->itemName, "Blade and Hilt");
    EXPECT_FALSE(RenameItem(order, 999, "x"));
}

TEST_F(OrderWindow, TreeOrderAndClipboardText)
{
    std::vector<std::string> names;
    for (const COrderItem* item : TreeOrder(order, db))
        names.push_back(item->itemName + "/" + item->group);
    EXPECT_EQ(names, (std::vector<std::string>{"Iron Sword/Main", "Iron Sword/Main", "Steel Sword/Other", "Arrow/Ammo"}));
    // The group of a shown item joins the list; that of an unknown formula does not.
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Main", "Other", "Ammo"}));

    COrderSelection ticked;
    ticked.items = {Id(4), Id(1), Id(0), Id(3)};
    EXPECT_EQ(OrderClipboardText(order, db, ticked),
              "3 x Iron Sword (Keen Edge, Gone),\r\n2 x Steel Sword,\r\n15 x Iron Arrow\r\n");
    // The items of a ticked group, and every item when nothing is ticked, as the reports.
    ticked = {};
    ticked.groups = {"Other", "Ammo"};
    EXPECT_EQ(OrderClipboardText(order, db, ticked), "2 x Steel Sword,\r\n15 x Iron Arrow\r\n");
    EXPECT_EQ(OrderClipboardText(order, db, {}),
              "3 x Iron Sword (Keen Edge, Gone),\r\n1 x Iron Sword,\r\n2 x Steel Sword,\r\n15 x Iron Arrow\r\n");
}

TEST_F(OrderWindow, DeleteAsksForTickedGroupsOnly)
{
    COrderSelection ticked;
    ticked.groups = {"Main", "Ammo"};
    ticked.items = {Id(1), Id(3)};
    CScriptedPrompter prompter;
    prompter.QueueAnswer(true);  // Main
    prompter.QueueAnswer(false); // Ammo
    EXPECT_TRUE(DeleteTicked(order, db, ticked, prompter));
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{"Do you really want to delete the group 'Main'?",
                                                             "Do you really want to delete the group 'Ammo'?"}));
    std::vector<std::string> left;
    for (const auto& item : order.items)
        left.push_back(item->itemName);
    // Main went with its items, Steel Sword was ticked, Spear is not in the tree.
    EXPECT_EQ(left, (std::vector<std::string>{"Spear", "Arrow"}));
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Other", "Ammo"}));
    EXPECT_TRUE(order.modified);

    order.modified = false;
    CScriptedPrompter no;
    EXPECT_FALSE(DeleteTicked(order, db, {}, no));
    EXPECT_FALSE(order.modified);
}

TEST_F(OrderWindow, CopyPutsTheDuplicateAfterTheOriginal)
{
    COrderItem* copy = CopyItem(order, Id(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(order.items[1].get(), copy);
    EXPECT_EQ(copy->itemName, "Iron Sword");
    EXPECT_EQ(copy->techniques.size(), 2u);
    EXPECT_EQ(copy->id, 5);
    EXPECT_TRUE(order.modified);
    EXPECT_EQ(CopyItem(order, 999), nullptr);
}

TEST(GridColours, EveryRowKindNamesItsKeys)
{
    const struct
    {
        int kind;
        int column;
        CCellColourKeys keys;
    } cases[] = {
        {0, 2, {"GRID_TITLE_FG", "GRID_TITLE_BG"}},
        {3, 0, {"GRID_BONUS_HDR_FG", "GRID_BONUS_BG"}},
        {3, 1, {"GRID_BONUS_FG", "GRID_BONUS_BG"}},
        {4, 0, {"GRID_REQUIREMENT_HDR_FG", "GRID_REQUIREMENT_BG"}},
        {4, 2, {"GRID_REQUIREMENT_FG", "GRID_REQUIREMENT_BG"}},
        {5, 0, {"GRID_RESOURCE_NAME_FG", "GRID_RESOURCE_NAME_BG"}},
        {5, 6, {"GRID_RESOURCE_CURSKILL_FG", "GRID_RESOURCE_CURSKILL_BG"}},
        {5, 7, {}},
        {7, 1, {"GRID_TECH_FG", ""}},
        {8, 0, {"GRID_TECHLIST_COL1_FG", "GRID_TECHLIST_COL1_BG"}},
        {8, 1, {"GRID_TECHLIST_COL2_FG", "GRID_TECHLIST_COL2_BG"}},
        {9, 0, {"GRID_MINORTITLE_FG", "GRID_MINORTITLE_BG"}},
        {10, 1, {"GRID_DESCRIPTION_FG", "GRID_DESCRIPTION_BG"}},
        {11, 0, {"GRID_EFFECT_HDR_FG", "GRID_EFFECT_BG"}},
        {11, 1, {"GRID_EFFECT_FG", "GRID_EFFECT_BG"}},
        {12, 0, {"GRID_EFFECTTITLE_FG", "GRID_EFFECTTITLE_BG"}},
        {13, 0, {"GRID_EFFECTDESCRIPTION_FG", "GRID_EFFECTDESCRIPTION_BG"}},
        {20, 0, {"GRID_TIERAVAIL_FG", ""}},
        {21, 0, {"GRID_TIERNOTAVAIL_FG", ""}},
        {22, 0, {"GRID_TECH_COMPONENT_NAME_FG", "GRID_TECH_COMPONENT_NAME_BG"}},
        {22, 1, {"GRID_TECH_COMPONENT_AMT_FG", "GRID_TECH_COMPONENT_AMT_BG"}},
        {30, 0, {"GRID_REPORTTITLE_COL1_FG", "GRID_REPORTTITLE_COL1_BG"}},
        {31, 1, {"GRID_REPORT1_COL2_FG", "GRID_REPORT1_COL2_BG"}},
        {32, 2, {"GRID_REPORT2_COL3_FG", "GRID_REPORT2_COL3_BG"}},
        {33, 0, {"GRID_REPORT_BLANK_COL1_FG", "GRID_REPORT_BLANK_COL1_BG"}},
        {34, 2, {"GRID_REPORT_SUB_COL3_FG", "GRID_REPORT_SUB_COL3_BG"}},
        {1, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GridCellColourKeys(c.kind, c.column), c.keys) << c.kind << "/" << c.column;
}
