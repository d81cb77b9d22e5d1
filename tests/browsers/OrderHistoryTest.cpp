#include "BrowserFixture.h"

#include "browsers/OrderWizard.h"
#include "browsers/PastedList.h"
#include "browsers/WorkingItem.h"
#include "order/OrderHistory.h"
#include "order/OrderWindowLogic.h"
#include "order/TierAlignment.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
// Every kind of order edit the windows make, each committed under its name as they do.
TEST(OrderHistory, UndoingEveryEditGivesBackTheSavedFileByteForByte)
{
    CBrowserFixture f;
    CTempDir dir;
    COrder order;
    order.AddGroup("Arms");
    auto sword = std::make_unique<COrderItem>();
    sword->itemName = "Mithril Sword";
    sword->group = "Arms";
    sword->formula = "Sword";
    sword->category = "Weapons";
    sword->tierName = "Tier III";
    sword->batches = 2;
    sword->techniques = {CBrowserFixture::Technique("Sharpen", "Keen Edge")};
    const int swordId = order.AddItem(std::move(sword)).id;
    auto helm = CBrowserFixture::Helm();
    helm->group = "Arms";
    const int helmId = order.AddItem(std::move(helm)).id;
    order.acquired["Iron Bar"] = "2";
    ASSERT_TRUE(order.Write(dir / "start.xml", f.db));
    const std::string start = ReadFileBytes(dir / "start.xml");

    COrderHistory history(order);
    std::vector<std::string> names;
    const auto commit = [&](const char* name, const std::string& merge = {})
    {
        // A merged edit names the step already listed.
        if (history.Commit(name, merge) && (merge.empty() || names.back() != history.UndoText()))
            names.push_back(history.UndoText());
    };

    CWorkingItem working;
    StartWorkingItem(working, *f.sword);
    AddOrIncrease(working, order);
    commit("Add Item");
    AddOrIncrease(working, order);
    commit("Increase Qty");
    ASSERT_EQ(ChooseTier(f.db, working, order, "Steel Sword"), "");
    commit("Choose Tier");
    ASSERT_EQ(AttachTechnique(f.db, working, order, CBrowserFixture::Technique("Sharpen", "Keen Edge")), "");
    commit("Add Technique");
    ASSERT_TRUE(RemoveTechnique(f.db, working, order, 0));
    commit("Remove Technique");
    ASSERT_TRUE(RenameGroup(order, "Arms", "Arms & <Armour>"));
    commit("Rename Group");
    ASSERT_TRUE(RenameItem(order, swordId, "2 x Old Faithful"));
    commit("Rename Item");
    order.AddGroup("Spare");
    commit("New Group");
    order.FindItem(helmId)->group = "Spare";
    commit("Move Item");
    // Digits typed one by one make one step.
    for (const char* typed : {"1", "12", "120"})
    {
        SetBatches(order, *order.FindItem(swordId), 1, typed);
        commit("Set Batches", "batches " + std::to_string(swordId));
    }
    ASSERT_NE(CopyItem(order, helmId), nullptr);
    commit("Copy Item");
    COrderSelection ticked;
    ticked.items = {working.item.id};
    ASSERT_GT(AlignTickedTiers(order, swordId, ticked).changed, 0);
    commit("Align Tiers");
    order.acquired["Iron Bar"] = "7";
    commit("Acquired Count");
    CWizardTemplate wizard;
    wizard.school = "Smith";
    wizard.type = "Craft";
    wizard.formulaSets = {{"Blades", "", "sword", 1, 0}};
    wizard.techs = {"Sharpen"};
    CWizardPlan plan = PlanWizard(f.db, wizard, {1, 3});
    TickEverything(f.db, plan);
    ASSERT_EQ(ApplyWizard(order, plan, false), 1);
    commit("Order Wizard");
    ASSERT_EQ(AddPastedList(order, f.db, "3 x Iron Bar\n", "Spare").added.size(), 1u);
    commit("Paste");
    CScriptedPrompter prompter;
    prompter.QueueAnswer(true);
    COrderSelection doomed;
    doomed.groups = {"Spare"};
    ASSERT_TRUE(DeleteTicked(order, f.db, doomed, prompter));
    commit("Delete");

    EXPECT_EQ(names, (std::vector<std::string>{"Undo Add Item", "Undo Increase Qty", "Undo Choose Tier",
                                               "Undo Add Technique", "Undo Remove Technique", "Undo Rename Group",
                                               "Undo Rename Item", "Undo New Group", "Undo Move Item",
                                               "Undo Set Batches", "Undo Copy Item", "Undo Align Tiers",
                                               "Undo Acquired Count", "Undo Order Wizard", "Undo Paste",
                                               "Undo Delete"}));
    ASSERT_TRUE(order.Write(dir / "edited.xml", f.db));
    const std::string edited = ReadFileBytes(dir / "edited.xml");
    ASSERT_NE(edited, start);
    history.MarkClean();
    EXPECT_FALSE(order.modified);

    // All the way back: the file is the one the history began with.
    std::size_t undone = 0;
    while (history.Undo())
        ++undone;
    EXPECT_EQ(undone, names.size());
    EXPECT_TRUE(order.modified);
    EXPECT_EQ(history.UndoText(), "Undo");
    EXPECT_EQ(history.RedoText(), "Redo Add Item");
    ASSERT_TRUE(order.Write(dir / "undone.xml", f.db));
    EXPECT_EQ(ReadFileBytes(dir / "undone.xml"), start);

    // And forward again to the saved state, which is clean.
    while (history.Redo())
        EXPECT_EQ(order.modified, history.CanRedo());
    EXPECT_FALSE(order.modified);
    ASSERT_TRUE(order.Write(dir / "redone.xml", f.db));
    EXPECT_EQ(ReadFileBytes(dir / "redone.xml"), edited);

    // A new edit after undoing drops the redo branch.
    ASSERT_TRUE(history.Undo());
    order.AddGroup("Branch");
    ASSERT_TRUE(history.Commit("New Group"));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_TRUE(order.modified);
    EXPECT_FALSE(history.Commit("New Group")); // nothing changed
}
// A wizard's order that replaced another is undone to the other's file name; a later save
// names every state.
TEST(OrderHistory, UndoingAReplacingWizardGivesBackTheFileName)
{
    CBrowserFixture f;
    COrder order;
    order.AddItem(CBrowserFixture::Helm());
    order.filePath = "Orders/Kit.xml";
    COrderHistory history(order);
    CWizardTemplate wizard;
    wizard.school = "Smith";
    wizard.type = "Craft";
    wizard.formulaSets = {{"Blades", "", "sword", 1, 0}};
    CWizardPlan plan = PlanWizard(f.db, wizard, {1, 3});
    TickEverything(f.db, plan);
    ASSERT_EQ(ApplyWizard(order, plan, true), 1);
    ASSERT_TRUE(history.Commit("Order Wizard"));
    EXPECT_EQ(order.filePath, "Untitled.xml");

    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(order.filePath, "Orders/Kit.xml");
    EXPECT_EQ(order.items[0]->itemName, "Iron Helm");
    EXPECT_FALSE(order.modified);
    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(order.filePath, "Untitled.xml");
    EXPECT_TRUE(order.modified);

    order.filePath = "Orders/Swords.xml";
    history.MarkClean();
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(order.filePath, "Orders/Swords.xml");
    EXPECT_EQ(order.ItemCount(), 1);
    EXPECT_TRUE(order.modified);
}

// A step keeps what it changed, and the steps kept stay within the bound: the last one
// always undoable, the oldest gone first.
TEST(OrderHistory, StepsCostWhatTheyChangeAndStayBounded)
{
    COrder order;
    order.AddGroup("Bulk");
    order.AddGroup("Few");
    for (int i = 0; i < 20000; ++i)
    {
        auto item = CBrowserFixture::Helm();
        item->itemName = "Iron Helm for the long march " + std::to_string(i);
        item->group = i % 200 == 0 ? "Few" : "Bulk";
        order.AddItem(std::move(item));
    }
    COrderHistory history(order);
    order.groups[1] = "Fewer";
    for (auto& item : order.items)
        if (item->group == "Few")
            item->group = "Fewer";
    ASSERT_TRUE(history.Commit("Rename Group"));
    // 100 items changed, each in a run of its own, out of 20,000: a full copy takes over 5 MB.
    EXPECT_LT(history.StepBytes(), 256u * 1024);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Bulk", "Few"}));
    EXPECT_EQ(order.items[200]->group, "Few");
    EXPECT_EQ(order.items[20000 - 1]->itemName, "Iron Helm for the long march 19999");

    // Steps of 8 MB each: the bound keeps 15 of them (16 would pass it).
    COrder big;
    big.AddItem(CBrowserFixture::Helm());
    COrderHistory bounded(big);
    for (int step = 0; step < 40; ++step)
    {
        big.items[0]->itemName.assign(8u << 20, static_cast<char>('a' + step % 26));
        ASSERT_TRUE(bounded.Commit("Rename Item"));
    }
    EXPECT_EQ(bounded.Steps(), 15u);
    EXPECT_LE(bounded.StepBytes(), COrderHistory::MaxBytes);
    int undone = 0;
    while (bounded.Undo())
        ++undone;
    EXPECT_EQ(undone, 15);
    EXPECT_EQ(big.items[0]->itemName, std::string(8u << 20, static_cast<char>('a' + 24 % 26)));
    EXPECT_TRUE(big.modified);
}
} // namespace
