#include "BrowserFixture.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "browsers/PastedList.h"
#include "order/ClipboardText.h"
#include "order/OrderWindowLogic.h"
#include "order/Report.h"

#include <gtest/gtest.h>

namespace
{
// "formula|tier|batches|technique@tier,..." per item, one a line.
std::string Items(const COrder& order)
{
    std::string text;
    for (const auto& item : order.items)
    {
        text += item->formula + "|" + item->tierName + "|" + std::to_string(item->batches) + "|";
        for (const COrderTechnique& technique : item->techniques)
            text += technique.name + "@" + technique.tierName + ",";
        text += "\n";
    }
    return text;
}
} // namespace

// Counts past the batch limit, whatever their length, are all given the limit, and the
// message names their lines.
TEST(PastedList, HugeCountsAreClampedAndNamed)
{
    const CBrowserFixture f;
    COrder order;
    const CPasteResult result = AddPastedList(
        order, f.db, "99999999999999999999 x Iron Bar\n1000000000000 x Iron Bar\n300000 x Iron Bar\n300001 Iron Bar\n",
        "Pasted");
    EXPECT_EQ(Items(order), "Bars|Tier I|100000|\nBars|Tier I|100000|\nBars|Tier I|100000|\nBars|Tier I|100000|\n");
    EXPECT_EQ(PasteMessage(result), Format(Messages::PasteClamped, 100000, 100000) +
                                        "\n    99999999999999999999 x Iron Bar\n    1000000000000 x Iron Bar"
                                        "\n    300001 Iron Bar");
}

// The reports window copies batches ("4 x Steel Sword" is 4 batches), the order window the
// items made (3 a batch for Iron Bar); either pasted back gives the same items.
TEST(PastedList, MoxasOwnTextsGiveBackTheSameItems)
{
    const CBrowserFixture f;
    COrder original;
    auto steel = std::make_unique<COrderItem>();
    *steel = {"Steel Sword", "Main", "Sword", "Weapons", "Tier II", 4, 0, {CBrowserFixture::Technique("Sharpen", "Keen Edge")}};
    original.AddItem(std::move(steel));
    original.AddItem(std::make_unique<COrderItem>(COrderItem{"Iron Sword", "Main", "Sword", "Weapons", "Tier I", 1, 0, {}}));
    original.AddItem(std::make_unique<COrderItem>(COrderItem{"Iron Bar", "Main", "Bars", "Resources", "Tier I", 5, 0, {}}));
    original.AddGroup("Main");
    const std::string expected = Items(original);
    ASSERT_EQ(expected, "Sword|Tier II|4|Sharpen@Keen Edge,\nSword|Tier I|1|\nBars|Tier I|5|\n");

    const CProfile profile = CBrowserFixture::Profile(30, 10);
    CReportRequest request;
    request.db = &f.db;
    request.order = &original;
    request.profile = &profile;
    request.breakdown = BreakdownSubcomponents;
    std::vector<std::string> texts = {OrderClipboardText(original, f.db, {})};
    for (const std::map<std::string, std::string>& acquired :
         {std::map<std::string, std::string>{}, std::map<std::string, std::string>{{"Iron Bar", "2"}}})
    {
        original.acquired = acquired;
        texts.push_back(CopyReportText(GenerateReport(request)));
    }
    for (const std::string& text : texts)
    {
        SCOPED_TRACE(text);
        COrder pasted;
        const CPasteResult result = AddPastedList(pasted, f.db, text, "Pasted");
        EXPECT_EQ(Items(pasted), expected);
        EXPECT_TRUE(result.unmatched.empty());
    }
}

// A list saved as UTF-16, or holding NUL bytes, is said to be one; nothing is added.
TEST(PastedList, Utf16AndNulBytesAreRecognised)
{
    const CBrowserFixture f;
    const std::string utf16 = std::string("3\0 \0x\0 \0I\0r\0o\0n\0 \0B\0a\0r\0", 24);
    const struct
    {
        std::string text;
        std::string message;
    } cases[] = {
        {"\xFF\xFE" + utf16, std::string(Messages::PasteUtf16)},
        {"\xFE\xFF" + utf16.substr(1) + '\0', std::string(Messages::PasteUtf16)},
        {utf16, std::string(Messages::PasteUtf16)},
        {std::string("Iron Bar\nIron\0Bar\n", 18), Format(Messages::PasteNulBytes, 2)},
    };
    for (const auto& c : cases)
    {
        COrder order;
        const CPasteResult result = AddPastedList(order, f.db, c.text, "Pasted");
        EXPECT_EQ(PasteMessage(result), c.message);
        EXPECT_TRUE(order.items.empty());
        EXPECT_TRUE(order.groups.empty());
    }
}
