#include "OrderFixture.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
const std::string Header = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

const std::string TwoItemOrder = Header +
                                 "<order>\n"
                                 "\t<order-format>1.0</order-format>\n"
                                 "\t<groups>\n"
                                 "\t\t<group>Main</group>\n"
                                 "\t\t<group>Other</group>\n"
                                 "\t</groups>\n"
                                 "\t<item>\n"
                                 "\t\t<item-name>Iron Sword</item-name>\n"
                                 "\t\t<item-group>Main</item-group>\n"
                                 "\t\t<item-formula>Sword</item-formula>\n"
                                 "\t\t<item-tierlvlname>Tier I</item-tierlvlname>\n"
                                 "\t\t<item-qty>3</item-qty>\n"
                                 "\t\t<techs>\n"
                                 "\t\t\t<tech tier=\"Tier I\">Sharpen</tech>\n"
                                 "\t\t\t<tech tier=\"Tier II\">Might</tech>\n"
                                 "\t\t</techs>\n"
                                 "\t</item>\n"
                                 "\t<item>\n"
                                 "\t\t<item-name>Steel &amp; <Sword></item-name>\n"
                                 "\t\t<item-group>Other</item-group>\n"
                                 "\t\t<item-formula>Sword</item-formula>\n"
                                 "\t\t<item-tierlvlname>Tier II</item-tierlvlname>\n"
                                 "\t\t<item-qty>100000</item-qty>\n"
                                 "\t\t<techs>\n"
                                 "\t\t</techs>\n"
                                 "\t</item>\n"
                                 "\t<components>\n"
                                 "\t\t<component qty=\"5\">Iron Bar</component>\n"
                                 "\t\t<component qty=\"3\">Iron Ore</component>\n"
                                 "\t\t<component qty=\"2\">Whetstone</component>\n"
                                 "\t</components>\n"
                                 "</order>\n";

class OrderFile : public ::testing::Test, public COrderFixture
{
protected:
    COrder MakeOrder()
    {
        COrder order;
        order.AddGroup("Main");
        order.AddGroup("Other");
        order.AddGroup("Main");
        auto first = Item("Iron Sword", "Sword", "Tier I", 3);
        first->techniques.push_back({"Blacksmithing", "Sharpen", "Tier I"});
        first->techniques.push_back({"Blacksmithing", "Might", "Tier II"});
        order.AddItem(std::move(first));
        order.AddItem(Item("Steel &amp; <Sword>", "Sword", "Tier II", 100000, "Other"));
        order.acquired = {{"Iron Bar", "5"}, {"Coal", "0"}, {"Gold", "7"}, {"Iron Ore", "3"}, {"Whetstone", "2"}};
        order.modified = true;
        return order;
    }
    CTempDir dir;
};
} // namespace

TEST_F(OrderFile, WritesTheExactLayoutAndPrunesTheAcquiredTable)
{
    COrder order = MakeOrder();
    const auto path = dir / "order.xml";
    ASSERT_TRUE(order.Write(path, db));
    EXPECT_EQ(ReadFileBytes(path), TwoItemOrder);
    EXPECT_EQ(order.filePath, path.string());
    EXPECT_FALSE(order.modified);
    // "0" and no longer needed entries are gone from the order too.
    EXPECT_EQ(order.acquired.size(), 3u);
    EXPECT_FALSE(order.acquired.count("Gold"));
    EXPECT_FALSE(order.acquired.count("Coal"));
}

// Two programs with one order file: a save over what the other saved since this order was
// read is refused and changes nothing, until the player says to overwrite it.
TEST_F(OrderFile, ASaveOverAFileChangedSinceItWasReadIsRefused)
{
    const auto path = dir.WriteFile("shared.xml", TwoItemOrder);
    COrder mine;
    COrder theirs;
    ASSERT_TRUE(mine.Read(path, db));
    ASSERT_TRUE(theirs.Read(path, db));
    theirs.items[0]->batches = 7;
    ASSERT_EQ(theirs.Save(path, db), EOrderSave::Saved);
    const std::string saved = ReadFileBytes(path);
    mine.items[0]->batches = 4;
    mine.modified = true;
    EXPECT_EQ(mine.Save(path, db), EOrderSave::ChangedOnDisk);
    EXPECT_EQ(mine.SaveFailure(), "The file has changed on disk");
    EXPECT_EQ(ReadFileBytes(path), saved);
    EXPECT_TRUE(mine.modified);

    EXPECT_EQ(mine.Save(path, db, true), EOrderSave::Saved);
    EXPECT_NE(ReadFileBytes(path).find("<item-qty>4</item-qty>"), std::string::npos);
    EXPECT_EQ(mine.Save(path, db), EOrderSave::Saved);
    EXPECT_EQ(theirs.Save(path, db), EOrderSave::ChangedOnDisk);
    // An edit in place counts too.
    dir.WriteFile("shared.xml", TwoItemOrder);
    EXPECT_EQ(mine.Save(path, db), EOrderSave::ChangedOnDisk);
    EXPECT_EQ(ReadFileBytes(path), TwoItemOrder);
}

TEST_F(OrderFile, EmptyOrderWritesEmptyLists)
{
    COrder order;
    order.acquired["Iron Bar"] = "4";
    const auto path = dir / "empty.xml";
    ASSERT_TRUE(order.Write(path, db));
    EXPECT_EQ(ReadFileBytes(path), Header + "<order>\n\t<order-format>1.0</order-format>\n\t<groups>\n\t</groups>\n"
                                            "\t<components>\n\t</components>\n</order>\n");
}

TEST_F(OrderFile, FailedWriteChangesNothing)
{
    COrder order = MakeOrder();
    EXPECT_FALSE(order.Write(dir / "missing" / "order.xml", db));
    EXPECT_EQ(order.filePath, "Untitled.xml");
    EXPECT_TRUE(order.modified);
    EXPECT_EQ(order.acquired.size(), 5u);
}

TEST_F(OrderFile, ReadsBackWhatWasWritten)
{
    const auto path = dir.WriteFile("in.xml", TwoItemOrder);
    COrder order;
    order.AddItem(Item("Old", "Sword", "Tier I", 1));
    order.modified = true;
    ASSERT_TRUE(order.Read(path, db));
    EXPECT_EQ(order.groups, (std::vector<std::string>{"Main", "Other"}));
    ASSERT_EQ(order.items.size(), 2u);
    const COrderItem& first = *order.items[0];
    EXPECT_EQ(first.itemName, "Iron Sword");
    EXPECT_EQ(first.group, "Main");
    EXPECT_EQ(first.formula, "Sword");
    EXPECT_EQ(first.category, "Blacksmithing");
    EXPECT_EQ(first.tierName, "Tier I");
    EXPECT_EQ(first.batches, 3);
    EXPECT_EQ(first.id, 1);
    ASSERT_EQ(first.techniques.size(), 2u);
    EXPECT_EQ(first.techniques[0].category, "All");
    EXPECT_EQ(first.techniques[0].name, "Sharpen");
    EXPECT_EQ(first.techniques[0].tierName, "Tier I");
    EXPECT_EQ(first.techniques[1].name, "Might");
    EXPECT_EQ(first.techniques[1].tierName, "Tier II");
    EXPECT_EQ(order.items[1]->itemName, "Steel &amp; <Sword>");
    EXPECT_EQ(order.items[1]->batches, 100000);
    EXPECT_EQ(order.items[1]->id, 2);
    EXPECT_TRUE(order.items[1]->techniques.empty());
    EXPECT_EQ(order.acquired, (std::map<std::string, std::string>{{"Iron Bar", "5"}, {"Iron Ore", "3"}, {"Whetstone", "2"}}));
    EXPECT_EQ(order.filePath, path.string());
    EXPECT_FALSE(order.modified);

    // Written again, the bytes are the same.
    ASSERT_TRUE(order.Write(dir / "out.xml", db));
    EXPECT_EQ(ReadFileBytes(dir / "out.xml"), TwoItemOrder);
}

TEST_F(OrderFile, UnknownFormulaKeepsCategoryAllAndIsWrittenBack)
{
    std::string text = TwoItemOrder;
    text.replace(text.find("<item-formula>Sword"), 19, "<item-formula>Spear");
    const auto path = dir.WriteFile("spear.xml", text);
    COrder order;
    ASSERT_TRUE(order.Read(path, db));
    EXPECT_EQ(order.items[0]->category, "All");
    ASSERT_TRUE(order.Write(dir / "out.xml", db));
    // The steel sword still needs Iron Bar, and through its sub-formula Iron Ore.
    const std::string out = ReadFileBytes(dir / "out.xml");
    EXPECT_NE(out.find("<item-formula>Spear</item-formula>"), std::string::npos);
    EXPECT_NE(out.find("<component qty=\"3\">Iron Ore</component>"), std::string::npos);
    EXPECT_NE(out.find("<component qty=\"2\">Whetstone</component>"), std::string::npos);
}

TEST_F(OrderFile, BatchCountsAreClampedOnReading)
{
    const struct
    {
        const char* qty;
        int batches;
    } cases[] = {{"-5", 1}, {"0", 1}, {"", 1}, {"12abc", 12}, {"999999", 100000}, {"99999999999999", 100000}};
    for (const auto& c : cases)
    {
        std::string text = TwoItemOrder;
        text.replace(text.find("<item-qty>3<"), 12, std::string("<item-qty>") + c.qty + "<");
        COrder order;
        ASSERT_TRUE(order.Read(dir.WriteFile("qty.xml", text), db)) << c.qty;
        EXPECT_EQ(order.items[0]->batches, c.batches) << c.qty;
    }
}

TEST_F(OrderFile, OtherFormatsAndBrokenFilesFail)
{
    const char* bodies[] = {
        "<order>\n<order-format>1.00</order-format>\n</order>\n",
        "<order>\n<order-format>0.0</order-format>\n</order>\n",
        "<order>\n<order-format> 1.0</order-format>\n</order>\n",
        "<order>\n<groups>\n</groups>\n</order>\n",
        "<orders>\n<order-format>1.0</order-format>\n</orders>\n",
        "",
    };
    for (const char* body : bodies)
    {
        COrder order = MakeOrder();
        order.filePath = "kept.xml";
        EXPECT_FALSE(order.Read(dir.WriteFile("bad.xml", Header + body), db)) << body;
        EXPECT_TRUE(order.items.empty());
        EXPECT_TRUE(order.groups.empty());
        EXPECT_TRUE(order.acquired.empty());
        EXPECT_EQ(order.filePath, "kept.xml");
    }
    COrder order;
    EXPECT_FALSE(order.Read(dir / "nothing.xml", db));
}

TEST_F(OrderFile, IdsComeFromOneCounter)
{
    COrder order;
    EXPECT_EQ(order.AddItem(Item("a", "Sword", "Tier I", 1)).id, 0);
    const auto path = dir.WriteFile("in.xml", TwoItemOrder);
    ASSERT_TRUE(order.Read(path, db));
    EXPECT_EQ(order.items[0]->id, 1);
    EXPECT_EQ(order.items[1]->id, 2);
    CScriptedPrompter yes(true);
    ASSERT_TRUE(order.NewOrder(yes));
    EXPECT_EQ(order.AddItem(Item("b", "Sword", "Tier I", 1)).id, 3);
}

TEST_F(OrderFile, NewOrderAsksOnlyWhenThereAreItems)
{
    COrder empty;
    empty.AddGroup("Main");
    empty.acquired["Iron Bar"] = "2";
    empty.filePath = "kept.xml";
    CScriptedPrompter prompter;
    EXPECT_TRUE(empty.NewOrder(prompter));
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_TRUE(empty.groups.empty());
    EXPECT_EQ(empty.acquired.size(), 1u);
    EXPECT_EQ(empty.filePath, "kept.xml");

    COrder full = MakeOrder();
    full.filePath = "mine.xml";
    prompter.QueueAnswer(false);
    EXPECT_FALSE(full.NewOrder(prompter));
    EXPECT_EQ(full.items.size(), 2u);
    prompter.QueueAnswer(true);
    EXPECT_TRUE(full.NewOrder(prompter));
    EXPECT_EQ(prompter.questions, (std::vector<std::string>(2, std::string(Messages::ClearOrderQuestion))));
    EXPECT_TRUE(full.items.empty());
    EXPECT_TRUE(full.groups.empty());
    EXPECT_TRUE(full.acquired.empty());
    EXPECT_EQ(full.filePath, "Untitled.xml");
    EXPECT_FALSE(full.modified);
}

// Every text of an order is the player's: whatever it holds reads back byte for byte, and
// what the old files held reads as it did.
TEST_F(OrderFile, EveryTextReadsBackByteForByte)
{
    const std::string texts[] = {"Tools </b> & more", "two\nlines", "cr\r", "\r\n", "quote \" and > here",
                                 "&#60; typed", "&amp; &lt; kept", "\t lead and trail ", "</", "&", ""};
    for (const std::string& text : texts)
    {
        SCOPED_TRACE(text);
        COrder order;
        order.AddGroup(text);
        auto item = Item(text, text, text, 7, text);
        item->techniques.push_back({"All", text, text});
        order.AddItem(std::move(item));
        order.acquired = {{"Iron Bar", text + "1"}};
        // Needed, so that the save keeps it: the item's formula is unknown, the sword's is not.
        order.AddItem(Item("Iron Sword", "Sword", "Tier I", 1));
        const auto path = dir / "texts.xml";
        ASSERT_TRUE(order.Write(path, db));
        COrder read;
        ASSERT_EQ(read.ReadFile(path, db).status, EOrderRead::Read);
        EXPECT_EQ(read.groups, (std::vector<std::string>{text}));
        ASSERT_EQ(read.items.size(), 2u);
        const COrderItem& back = *read.items[0];
        EXPECT_EQ(back.itemName, text);
        EXPECT_EQ(back.group, text);
        EXPECT_EQ(back.formula, text);
        EXPECT_EQ(back.tierName, text);
        ASSERT_EQ(back.techniques.size(), 1u);
        EXPECT_EQ(back.techniques[0].name, text);
        EXPECT_EQ(back.techniques[0].tierName, text);
        EXPECT_EQ(read.acquired, order.acquired);
    }
    const std::string written = ReadFileBytes(dir / "texts.xml");
    EXPECT_NE(written.find("\t<group></group>\n"), std::string::npos);
    COrder old;
    ASSERT_TRUE(old.Read(dir.WriteFile("old.xml", TwoItemOrder), db));
    EXPECT_EQ(old.items[1]->itemName, "Steel &amp; <Sword>");
}

// A file that ends before its closing line (a full disk, a copy stopped half way) is read as
// far as it goes, said to be damaged, and saved over only when the player agrees.
TEST_F(OrderFile, AFileCutShortIsDamagedAndKeptUnlessThePlayerAgrees)
{
    const std::string cut = TwoItemOrder.substr(0, TwoItemOrder.find("\t<item>\n\t\t<item-name>Steel"));
    const auto path = dir.WriteFile("cut.xml", cut);
    COrder order;
    const COrderRead read = order.ReadFile(path, db);
    EXPECT_EQ(read.status, EOrderRead::Damaged);
    EXPECT_EQ(order.items.size(), 1u);
    EXPECT_EQ(OrderReadMessage(read, path), Format(Messages::OrderFileDamaged, path.c_str()));

    CScriptedPrompter prompter;
    EXPECT_TRUE(MaySaveOrderOver(order, dir / "elsewhere.xml", prompter));
    EXPECT_TRUE(prompter.questions.empty());
    prompter.QueueAnswer(false);
    EXPECT_FALSE(MaySaveOrderOver(order, path, prompter));
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{Format(Messages::OrderDamagedSaveQuestion, path.c_str())}));
    EXPECT_EQ(ReadFileBytes(path), cut);
    // Once saved with the player's leave, the file is whole again.
    ASSERT_TRUE(order.Write(path, db));
    EXPECT_TRUE(MaySaveOrderOver(order, path, prompter));
    EXPECT_EQ(COrder().ReadFile(path, db).status, EOrderRead::Read);

    // What else a named file can be.
    const struct
    {
        std::filesystem::path path;
        EOrderRead status;
        std::string message;
    } cases[] = {
        {dir.Path(), EOrderRead::Folder, "The order file '" + dir.Path().string() + "' is a folder, not a file."},
        {dir / "none.xml", EOrderRead::Missing, "The order file '" + (dir / "none.xml").string() + "' does not exist."},
    };
    for (const auto& c : cases)
    {
        const COrderRead other = order.ReadFile(c.path, db);
        EXPECT_EQ(other.status, c.status);
        EXPECT_EQ(OrderReadMessage(other, c.path), c.message);
    }
}
