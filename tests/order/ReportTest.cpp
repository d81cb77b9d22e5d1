#include "OrderFixture.h"
#include "order/ClipboardText.h"
#include "order/HtmlExport.h"
#include "order/Plan.h"
#include "order/PlanExport.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/ReportRecords.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
std::string Rows(const CReportGrid& grid)
{
    std::string text;
    for (const CGridRow& row : grid.Rows())
        text += std::to_string(row.kind) + " " + row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2] + "\n";
    return text;
}

const std::string PageStart =
    "<head> <title>Craft Order HTML Export</title></head>\n"
    "<body>\n"
    "<style type=\"text/css\">\n"
    "body { background-color: #FFFFFF; font-family: Geneva,Helvetica,Arial,sans-serif; color: #000000; margin-top: 5px; margin-right: 5px; margin-bottom: 5px; margin-left: 5px }\n"
    "td { font-size: 9pt; font-family: Geneva,Helvetica,Arial,sans-serif; vertical-align: text-top; border-style:solid; border-width:0.05em; border-spacing:0; border-color: #404040, #808080;}\n"
    ".headerClass { width: 100%; padding:0; border-style:solid; border-width:0.05em; border-spacing:0; }\n"
    ".tableClass { width: 500; margin-left: 5%; padding:0; border-style:solid; border-width:0.05em; border-spacing:0; }\n"
    ".subtableClass { width: 450; margin-left: 5%; padding:0; border-style:solid; border-width:0.05em; border-spacing:0; }\n"
    ".formStyle { margin:0px;}\n"
    ".odd { background-color: #FFFFFF; padding:0; border-style:dashed; border-width:0.05em; border-spacing:0; }\n"
    ".even { background-color: #ECE9D8; padding:0; border-style:dashed; border-width:0.05em; border-spacing:0;}\n"
    ".tableHeader { font-size: 10pt; color: #efefef; background-color: #525252; padding:0; border-style:solid; border-width:0.05em; border-spacing:0;}\n"
    ".left { text-align:left; }\n"
    ".right { text-align:right; }\n"
    ".center { text-align:center; }\n"
    "</style>\n";

std::string Tr(const char* cls, const std::string& a, const std::string& b, const std::string& c)
{
    return std::string("<tr class=\"") + cls + "\">\n<td class=\"left\">" + a + "</td>\n<td class=\"center\">" + b +
           "</td>\n<td class=\"center\">" + c + "</td>\n</tr>\n";
}

const std::string TableEnd = "</tbody></table width=\"100%\">\n</table>\n";

class Report : public ::testing::Test, public COrderFixture
{
protected:
    void SetUp() override
    {
        auto first = Item("Iron Sword", "Sword", "Tier I", 3);
        first->techniques.push_back({"Blacksmithing", "Sharpen", "Tier I"});
        first->techniques.push_back({"Blacksmithing", "Might", "Tier I"});
        first->techniques.push_back({"Blacksmithing", "Might", "Tier IX"});
        order.AddItem(std::move(first));
        order.AddItem(Item("Steel Sword", "Sword", "Tier II", 2, "Other"));
        order.AddItem(Item("Iron Sword", "Sword", "Tier I", 1));
        request.db = &db;
        request.order = &order;
        request.profile = &profile;
    }
    // The report of the request, and the grid that shows it.
    void Generate()
    {
        report = GenerateReport(request);
        grid = ReportGridOf(report);
    }
    COrder order;
    CProfile profile = Profile(30);
    CReportRequest request;
    CReport report;
    CReportGrid grid;
};
} // namespace

TEST_F(Report, OrderAndComponentsRowsWithAcquiredCounts)
{
    order.acquired = {{"Iron Bar", "30"}, {"Leather", "3"}, {"Whetstone", "-4"}};
    Generate();
    EXPECT_EQ(Rows(grid), "30 Craft Item|Batches|Techniques\n"
                          "31 Iron Sword|3|Keen Edge\n"
                          "31 ||Mighty\n"
                          "31 ||\n"
                          "32 Steel Sword|2|(none)\n"
                          "32 ||\n"
                          "31 Iron Sword|1|(none)\n"
                          "31 ||\n"
                          "33 ||\n"
                          "30 Component Name||Quantity\n"
                          "31 Iron Bar|Done|27/27\n"
                          "32 Leather||3/8\n"
                          "31 Steel Bar||0/10\n"
                          "32 Whetstone||0/6\n");
    EXPECT_EQ(CopyReportText(report),
              "3 x Iron Sword (Keen Edge, Mighty), \r\n2 x Steel Sword, \r\nIron Sword, \r\n"
              "27/27 Iron Bar, \r\n3/8 Leather, \r\n0/10 Steel Bar, \r\n0/6 Whetstone");
    EXPECT_EQ(ReportTitle(order, request.selection), "Reports - 3 of 3 Selected");
}

TEST_F(Report, NothingAcquiredCopiesOnlyTheNeeds)
{
    request.selection.items = {order.items[0]->id};
    request.content = ReportComponentsOnly;
    Generate();
    EXPECT_EQ(CopyReportText(report), "21 Iron Bar, \r\n6 Leather, \r\n6 Whetstone");
    order.acquired = {{"Iron Bar", "21"}, {"Leather", "6"}, {"Whetstone", "600"}};
    Generate();
    EXPECT_EQ(Rows(grid), "30 Component Name||Quantity\n"
                          "31 Iron Bar|Done|21/21\n"
                          "32 Leather|Done|6/6\n"
                          "31 Whetstone|Done|6/6\n");
    EXPECT_EQ(CopyReportText(report), "21 Iron Bar, \r\n6 Leather, \r\n6 Whetstone");
    EXPECT_EQ(ReportTitle(order, request.selection), "Reports - 1 of 3 Selected");
}

TEST_F(Report, SubcomponentRowsAndTheirAcquiredCounts)
{
    order.acquired = {{"Iron Ore", "100"}, {"Coal", "2"}};
    request.content = ReportComponentsOnly;
    request.breakdown = BreakdownSubcomponents;
    Generate();
    EXPECT_EQ(Rows(grid), "30 Component Name||Quantity\n"
                          "31 Iron Bar||0/27\n"
                          "34 ---->Iron Ore||(18/18)\n"
                          "34 ---->Coal||(2/9)\n"
                          "32 Leather||0/8\n"
                          "31 Steel Bar||0/10\n"
                          "34 ---->Iron Bar||(0/4)\n"
                          "34 ------>Iron Ore||(4/4)\n"
                          "34 ------>Coal||(2/2)\n"
                          "34 ---->Coal||(2/8)\n"
                          "32 Whetstone||0/6\n");
    // Only the component rows count for "nothing acquired"; the amount drops its brackets.
    EXPECT_EQ(CopyReportText(report),
              "27 Iron Bar, \r\n18 ---->Iron Ore, \r\n9 ---->Coal, \r\n8 Leather, \r\n10 Steel Bar, \r\n"
              "4 ---->Iron Bar, \r\n4 ------>Iron Ore, \r\n2 ------>Coal, \r\n8 ---->Coal, \r\n6 Whetstone");
}

TEST_F(Report, BonusesAndOtherContents)
{
    request.content = ReportBonuses;
    Generate();
    EXPECT_EQ(Rows(grid), "30 Bonus|Type|Amount\n31 Damage|Direct|9\n32 Strength|Direct|20\n");
    EXPECT_EQ(CopyReportText(report), "Damage (Direct) = 9\r\nStrength (Direct) = 20\r\n");

    request.content = ReportOrderOnly;
    request.selection.groups = {"Other"};
    Generate();
    EXPECT_EQ(Rows(grid), "30 Craft Item|Batches|Techniques\n31 Steel Sword|2|(none)\n31 ||\n33 ||\n");
    EXPECT_EQ(CopyReportText(report), "2 x Steel Sword");

    request.content = static_cast<EReportContent>(7);
    Generate();
    EXPECT_EQ(Rows(grid), "31 None||\n");
}

TEST_F(Report, EmptyOrderShowsNone)
{
    COrder empty;
    request.order = &empty;
    const struct
    {
        EReportContent content;
        const char* rows;
    } cases[] = {
        {ReportOrderAndComponents,
         "30 Craft Item|Batches|Techniques\n31 None||\n33 ||\n30 Component Name||Quantity\n31 None||\n"},
        {ReportOrderOnly, "30 Craft Item|Batches|Techniques\n31 None||\n33 ||\n"},
        {ReportComponentsOnly, "30 Component Name||Quantity\n31 None||\n"},
        {ReportBonuses, "30 Bonus|Type|Amount\n31 None||\n"},
    };
    for (const auto& c : cases)
    {
        request.content = c.content;
        Generate();
        EXPECT_EQ(Rows(grid), c.rows) << c.content;
    }
    EXPECT_EQ(CopyReportText(report), "None = \r\n");
    request.content = ReportOrderAndComponents;
    Generate();
    EXPECT_EQ(CopyReportText(report), "");
    EXPECT_EQ(HtmlReportText(report),
              PageStart +
                  "<H3>Items To Craft</H3>\n<table class=\"tableClass\">\n<thead>\n<tr>\n"
                  "<th class=\"tableHeader\">Craft Item</th>\n"
                  "<th class=\"tableHeader\">Batches<span align=right><span></th>\n"
                  "<th class=\"tableHeader\">Techniques<span align=right><span></th>\n<tbody>\n" +
                  Tr("odd", "None", "", "") + Tr("even", "", "", "") + TableEnd +
                  "<H3>Components Required</H3>\n<table class=\"subtableClass\">\n<thead>\n<tr>\n"
                  "<th class=\"tableHeader\">Component Name</th>\n"
                  "<th class=\"tableHeader\">Acquired<span align=right><span></th>\n"
                  "<th class=\"tableHeader\">Quantity<span align=right><span></th>\n<tbody>\n" +
                  Tr("odd", "None", "&nbsp;", "") + TableEnd + "</body>\n");
    EXPECT_EQ(ReportTitle(empty, {}), "Reports - 0 of 0 Selected");
}

TEST_F(Report, HtmlPageEscapesCellTexts)
{
    COrder small;
    small.AddItem(Item("Tom's \"Big\" <Sword> & Co", "Sword", "Tier I", 1));
    small.acquired = {{"Leather", "5"}};
    request.order = &small;
    Generate();
    const std::string items = "<H3>Items To Craft</H3>\n<table class=\"tableClass\">\n<thead>\n<tr>\n"
                              "<th class=\"tableHeader\">Craft Item</th>\n"
                              "<th class=\"tableHeader\">Batches<span align=right><span></th>\n"
                              "<th class=\"tableHeader\">Techniques<span align=right><span></th>\n<tbody>\n" +
                              Tr("odd", "Tom's &quot;Big&quot; &lt;Sword&gt; &amp; Co", "1", "(none)") +
                              Tr("even", "", "", "") + Tr("odd", "", "", "") + TableEnd;
    const std::string components = "<H3>Components Required</H3>\n<table class=\"subtableClass\">\n<thead>\n<tr>\n"
                                   "<th class=\"tableHeader\">Component Name</th>\n"
                                   "<th class=\"tableHeader\">Acquired<span align=right><span></th>\n"
                                   "<th class=\"tableHeader\">Quantity<span align=right><span></th>\n<tbody>\n" +
                                   Tr("odd", "Iron Bar", "&nbsp;", "0/6") + Tr("even", "Leather", "Done", "2/2") +
                                   TableEnd + "</body>\n";
    CTempDir dir;
    ASSERT_TRUE(ExportHtml(HtmlReportText(report), dir / "order.htm"));
    EXPECT_EQ(ReadFileBytes(dir / "order.htm"), PageStart + items + components);
    EXPECT_FALSE(ExportHtml(HtmlReportText(report), dir / "no" / "order.htm"));

    request.content = ReportOrderOnly;
    Generate();
    // "Order Only" ends without closing the body.
    EXPECT_EQ(HtmlReportText(report), PageStart + items);
    EXPECT_EQ(CopyReportText(report), "Tom's \"Big\" <Sword> & Co");

    request.content = ReportBonuses;
    Generate();
    EXPECT_EQ(HtmlReportText(report),
              PageStart +
                  "<H3>Bonuses</H3>\n<table class=\"subtableClass\">\n<thead>\n<tr>\n"
                  "<th class=\"tableHeader\">Bonus</th>\n"
                  "<th class=\"tableHeader\">Type<span align=right><span></th>\n"
                  "<th class=\"tableHeader\">Amount<span align=right><span></th>\n<tbody>\n" +
                  Tr("odd", "Strength", "Direct", "5") + TableEnd + "</body>\n");
}

TEST(ReportGrid, RowsAreSplitIntoTheGridsColumns)
{
    CReportGrid grid;
    AddGridRow(grid, "a|b|c|d", 31);
    AddGridRow(grid, "None|", 31);
    AddGridRow(grid, "", 33, 0);
    EXPECT_EQ(Rows(grid), "31 a|b|c\n31 None||\n33 ||\n");
    EXPECT_EQ(grid.Row(2).lines, 1);
    grid.SetCell(1, 2, "x");
    grid.SetCell(9, 0, "ignored");
    EXPECT_EQ(grid.Cell(1, 2), "x");
    EXPECT_EQ(grid.Cell(9, 9), "");
    EXPECT_EQ(SplitCells("|x||"), (std::vector<std::string>{"", "x", "", ""}));
}

TEST_F(Report, NamesKeepTheirOwnCellsInEveryFormat)
{
    // A name holding a "|" or reading "None" is a name like any other.
    COrder odd;
    auto piped = Item("Pipe|Sword", "Sword", "Tier I", 2);
    piped->techniques.push_back({"Blacksmithing", "Sharpen", "Tier I"});
    odd.AddItem(std::move(piped));
    odd.AddItem(Item("None", "Sword", "Tier I", 1));
    request.order = &odd;
    request.content = ReportOrderOnly;
    Generate();
    EXPECT_EQ(ReportGridText(grid), "30\tCraft Item|Batches|Techniques\n31\tPipe|Sword|2|Keen Edge\n31\t||\n"
                                    "32\tNone|1|(none)\n32\t||\n33\t||\n");
    EXPECT_EQ(CopyReportText(report), "2 x Pipe|Sword (Keen Edge), \r\nNone");
    EXPECT_EQ(ReportCsv(ReportRecords(report)), "name,acquired,needed,kind,detail,depth\n"
                                                "Pipe|Sword,,2,item,Keen Edge,\nNone,,1,item,,\n");
}

// Text cells that a spreadsheet would run as formulae begin with a quote; numbers, negative
// ones too, are left as they are.
TEST(ReportCsv, FormulaLikeTextsAreNeutralised)
{
    const struct
    {
        std::string text;
        std::string cell;
    } cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"+1+cmd|' /C calc'!A0", "'+1+cmd|' /C calc'!A0"},
        {"@SUM(1+1)", "'@SUM(1+1)"},
        {"-2+3", "'-2+3"},
        {"\tTab", "'\tTab"},
        {"\rReturn", "\"'\rReturn\""},
        {"Iron = Bar", "Iron = Bar"},
        {"", ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        CReportRecord record{"component", c.text, true, -3, -7, c.text, 0};
        EXPECT_EQ(ReportCsv({record}), "name,acquired,needed,kind,detail,depth\n" + c.cell + ",-3,-7,component," +
                                           c.cell + ",\n");
        CPlan plan;
        plan.gathers.push_back({c.text, -1, 2, 0, 0, 0, 0, 1});
        EXPECT_EQ(PlanCsv(plan, nullptr), "kind,name,need,acquired,remaining,batches,made,leftover,depth\n"
                                          "gather," + c.cell + ",-1,2,0,,,,1\n");
        CComparison comparison{{c.text}, {{"gather", c.text, {{-4, 0, true, true}}}}};
        EXPECT_EQ(CompareCsv(comparison), "kind,name,profile,units,efficiency,cheapest\ngather," + c.cell + "," +
                                              c.cell + ",-4,,1\n");
    }
}
