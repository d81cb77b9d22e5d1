#include "order/Prices.h"

#include "OrderFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <limits>

namespace
{
std::string Dump(const CPriceList& list)
{
    std::string text;
    for (const auto& [name, hundredths] : list.prices)
        text += name + "=" + std::to_string(hundredths) + "; ";
    return text;
}

std::string Dump(const std::vector<CPriceWarning>& warnings)
{
    std::string text;
    for (const CPriceWarning& warning : warnings)
        text += std::to_string(warning.line) + ": " + warning.text + "\n";
    return text;
}
} // namespace

TEST(PricesTest, ReadsSkipsAndWarnsLineByLine)
{
    const struct
    {
        const char* what;
        std::string bytes;
        const char* prices;
        const char* warnings;
    } cases[] = {
        {"UTF-8 with a byte-order mark and CR LF",
         "\xEF\xBB\xBF"
         "name,price\r\n"
         "Iron Ore,1.5\r\n"
         "\"Salt, Coarse\",0.25\r\n"
         "Caf\xC3\xA9 Leaf,12\r\n"
         "Iron Ore,2.00\r\n"
         "Bad,3.505\r\n"
         "Neg,-1\r\n"
         ",5\r\n"
         "Three,1,2\r\n"
         "Huge,92233720368547758.08\r\n"
         "Max,92233720368547758.07\r\n"
         "\"Multi\nLine\",7\r\n"
         "Euro \xE2\x82\xAC,1.1\r\n"
         "\r\n"
         "Blank, 4\r\n"
         "Last,0.5",
         "Caf\xE9 Leaf=1200; Euro \xE2\x82\xAC=110; Iron Ore=200; Last=50; "
         "Max=9223372036854775807; "
         "Multi\nLine=700; Salt, Coarse=25; ",
         "5: 'Iron Ore' was priced on line 2 too; the later price counts\n"
         "6: '3.505' is not a price in coins (such as 12 or 3.50); skipped\n"
         "7: '-1' is not a price in coins (such as 12 or 3.50); skipped\n"
         "8: the name is empty; skipped\n"
         "9: 3 fields instead of a name and a price; skipped\n"
         "10: the price '92233720368547758.08' is too large; skipped\n"
         "15: 1 field instead of a name and a price; skipped\n"
         "16: ' 4' is not a price in coins (such as 12 or 3.50); skipped\n"},
        // Not UTF-8: the bytes are the names. A header only counts as the first record.
        {"ISO-8859-1, LF, header later",
         "Caf\xE9 Leaf,3\n\"Say \"\"Hi\"\"\",.5\nname,price\nQuoted,\"4.\"\nOld Mac,1\rNext,2\n",
         "Caf\xE9 Leaf=300; Next=200; Old Mac=100; ",
         "2: '.5' is not a price in coins (such as 12 or 3.50); skipped\n"
         "3: 'price' is not a price in coins (such as 12 or 3.50); skipped\n"
         "4: '4.' is not a price in coins (such as 12 or 3.50); skipped\n"},
        {"empty", "", "", ""},
        {"header only", "name,price\n", "", ""},
    };
    for (const auto& c : cases)
    {
        std::vector<CPriceWarning> warnings;
        const CPriceList list = ParsePriceList(c.bytes, warnings);
        EXPECT_EQ(Dump(list), c.prices) << c.what;
        EXPECT_EQ(Dump(warnings), c.warnings) << c.what;
    }
}

// What a save writes reads back as the same list, names beyond ISO-8859-1 included.
TEST(PricesTest, SavesAtomicallyAndReadsBackTheSameList)
{
    CPriceList list;
    // A name that looks like a spreadsheet formula stays the name.
    list.prices = {{"=1+2", 3},
                   {"Caf\xE9 Leaf", 1200},   {"Euro \xE2\x82\xAC", 110},
                   {"\xC3\xA9t\xC3\xA9", 5}, {"Max", std::numeric_limits<std::int64_t>::max()},
                   {"Multi\nLine", 700},     {"Salt, \"Coarse\"", 25}};
    const std::string bytes = "name,price\n"
                              "=1+2,0.03\n"
                              "Caf\xC3\xA9 Leaf,12.00\n"
                              "Euro \xE2\x82\xAC,1.10\n"
                              "Max,92233720368547758.07\n"
                              "\"Multi\nLine\",7.00\n"
                              "\"Salt, \"\"Coarse\"\"\",0.25\n"
                              "\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9,0.05\n";
    EXPECT_EQ(PriceListCsv(list), bytes);
    CTempDir dir;
    const auto path = dir / "Prices.csv";
    ASSERT_TRUE(SavePriceList(list, path));
    EXPECT_EQ(ReadFileBytes(path), bytes);
    CPriceList back;
    std::vector<CPriceWarning> warnings;
    std::string error;
    ASSERT_TRUE(ReadPriceList(path, back, warnings, error));
    EXPECT_EQ(Dump(back), Dump(list));
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(ReadPriceList(dir / "none.csv", back, warnings, error));
    EXPECT_EQ(error, "cannot read the price list '" + (dir / "none.csv").string() + "'");
    EXPECT_FALSE(SavePriceList(list, dir / "no" / "Prices.csv"));

    const std::pair<std::int64_t, const char*> amounts[] = {
        {0, "0.0000"},
        {5, "0.0005"},
        {-50, "-0.0050"},
        {123456, "12.3456"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"}};
    for (const auto& [amount, text] : amounts)
        EXPECT_EQ(UnitCostText(amount), text);
    EXPECT_EQ(CoinsText(350), "3.50");
}

// The Prices window's rows: every name that may take a price, once, with its price.
TEST(PricesTest, RowsCoverTheDatabaseTheOrderAndTheList)
{
    COrderFixture fixture;
    auto leather = std::make_unique<CComponent>();
    leather->name = "Leather";
    fixture.db.AddComponent(std::move(leather));
    COrder order;
    order.AddItem(COrderFixture::Item("Iron Sword", "Sword", "Tier I", 1));
    order.AddItem(COrderFixture::Item("Blade of Iron", "Sword", "Tier I", 1));
    CPriceList list;
    list.prices = {{"Iron Bar", 80}, {"Iron Filings", 3}};
    ASSERT_TRUE(SetPriceText(list, "Leather", "1.5"));
    ASSERT_TRUE(SetPriceText(list, "Iron Filings", ""));
    ASSERT_FALSE(SetPriceText(list, "Iron Bar", "cheap"));
    ASSERT_TRUE(SetPriceText(list, "Old Iron", "0.01"));
    std::string text;
    for (const CPriceRow& row : PriceRows(fixture.db, &order, list))
        if (PriceRowMatches(row, "IRON") || PriceRowMatches(row, "lea"))
            text += row.name + " " + std::to_string(row.sources) + " " +
                    (row.price ? CoinsText(*row.price) : "-") + "\n";
    EXPECT_EQ(text, "Blade of Iron 8 -\n"
                    "Iron Bar 6 0.80\n"
                    "Iron Sword 12 -\n"
                    "Leather 1 1.50\n"
                    "Old Iron 16 0.01\n");
    CPriceRow row;
    row.name = "Great Iron Bar";
    EXPECT_TRUE(PriceRowMatches(row, " bar  GREAT "));
    EXPECT_FALSE(PriceRowMatches(row, "bar steel"));
}
