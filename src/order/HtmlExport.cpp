#include "order/HtmlExport.h"

#include "base/AtomicFile.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

namespace
{
constexpr const char* StyleLines[] = {
    "body { background-color: #FFFFFF; font-family: Geneva,Helvetica,Arial,sans-serif; color: #000000; "
    "margin-top: 5px; margin-right: 5px; margin-bottom: 5px; margin-left: 5px }",
    "td { font-size: 9pt; font-family: Geneva,Helvetica,Arial,sans-serif; vertical-align: text-top; "
    "border-style:solid; border-width:0.05em; border-spacing:0; border-color: #404040, #808080;}",
    ".headerClass { width: 100%; padding:0; border-style:solid; border-width:0.05em; border-spacing:0; }",
    ".tableClass { width: 500; margin-left: 5%; padding:0; border-style:solid; border-width:0.05em; "
    "border-spacing:0; }",
    ".subtableClass { width: 450; margin-left: 5%; padding:0; border-style:solid; border-width:0.05em; "
    "border-spacing:0; }",
    ".formStyle { margin:0px;}",
    ".odd { background-color: #FFFFFF; padding:0; border-style:dashed; border-width:0.05em; border-spacing:0; }",
    ".even { background-color: #ECE9D8; padding:0; border-style:dashed; border-width:0.05em; border-spacing:0;}",
    ".tableHeader { font-size: 10pt; color: #efefef; background-color: #525252; padding:0; border-style:solid; "
    "border-width:0.05em; border-spacing:0;}",
    ".left { text-align:left; }",
    ".right { text-align:right; }",
    ".center { text-align:center; }",
};

class CPage
{
public:
    void Line(const std::string& text) { m_text += text + "\n"; }
    void Cell(const char* cls, const std::string& text)
    {
        Line(std::string("<td class=\"") + cls + "\">" + EscapeHtml(text) + "</td>");
    }
    void RowStart(int index) { Line(index % 2 == 0 ? "<tr class=\"odd\">" : "<tr class=\"even\">"); }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

void TableStart(CPage& page, const char* title, const char* tableClass, const char* h1, const char* h2, const char* h3)
{
    page.Line(std::string("<H3>") + title + "</H3>");
    page.Line(std::string("<table class=\"") + tableClass + "\">");
    page.Line("<thead>");
    page.Line("<tr>");
    page.Line(std::string("<th class=\"tableHeader\">") + h1 + "</th>");
    page.Line(std::string("<th class=\"tableHeader\">") + h2 + "<span align=right><span></th>");
    page.Line(std::string("<th class=\"tableHeader\">") + h3 + "<span align=right><span></th>");
    page.Line("<tbody>");
}

void TableEnd(CPage& page)
{
    page.Line("</tbody></table width=\"100%\">");
    page.Line("</table>");
}

// Rows to the end, an empty middle cell shown as a blank.
void DataRows(CPage& page, const std::vector<CReportRow>& rows, std::size_t first)
{
    int index = 0;
    for (std::size_t i = first; i < rows.size(); ++i)
    {
        const std::vector<std::string> cells = ReportCells(rows[i]);
        page.RowStart(index++);
        page.Cell("left", cells[0]);
        if (cells[1].empty())
            page.Line("<td class=\"center\">&nbsp;</td>");
        else
            page.Cell("center", cells[1]);
        page.Cell("center", cells[2]);
        page.Line("</tr>");
    }
    TableEnd(page);
    page.Line("</body>");
}

// The page's head and style sheet.
CPage PageStart()
{
    CPage page;
    page.Line("<head> <title>Craft Order HTML Export</title></head>");
    page.Line("<body>");
    page.Line("<style type=\"text/css\">");
    for (const char* line : StyleLines)
        page.Line(line);
    page.Line("</style>");
    return page;
}

// The index of the first row of the given kind, or the row count.
std::size_t Find(const std::vector<CReportRow>& rows, EReportRow kind)
{
    std::size_t i = 0;
    while (i < rows.size() && rows[i].kind != kind)
        ++i;
    return i;
}

// The plan's sections, each heading row opening a table of all the grid's columns.
void PlanTables(CPage& page, const CReportGrid& grid)
{
    int index = 0;
    for (int row = 0; row < grid.RowCount(); ++row)
    {
        const bool heading = grid.Kind(row) == ReportRowKind::Heading;
        if (heading)
        {
            if (row > 0)
                TableEnd(page);
            page.Line("<H3>" + EscapeHtml(grid.Cell(row, 0)) + "</H3>");
            page.Line("<table class=\"tableClass\">");
            page.Line("<thead>");
            page.Line("<tr>");
            index = 0;
        }
        else
            page.RowStart(index++);
        for (int col = 0; col < grid.Columns(); ++col)
            if (heading)
                page.Line("<th class=\"tableHeader\">" + EscapeHtml(grid.Cell(row, col)) + "</th>");
            else
                page.Cell(col == 0 ? "left" : "center", grid.Cell(row, col));
        page.Line(heading ? "<tbody>" : "</tr>");
    }
    if (grid.RowCount() > 0)
        TableEnd(page);
    page.Line("</body>");
}
} // namespace

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
    {
        switch (c)
        {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string HtmlReportText(const CReport& report)
{
    CPage page = PageStart();
    const std::vector<CReportRow>& rows = report.rows;
    const EReportContent content = report.content;
    if (content == ReportOrderAndComponents || content == ReportOrderOnly)
    {
        TableStart(page, "Items To Craft", "tableClass", "Craft Item", "Batches", "Techniques");
        // The items' rows down to the separator between the sections, which is shown too.
        int index = 0;
        for (std::size_t i = Find(rows, EReportRow::ItemHeading) + 1; i < rows.size(); ++i)
        {
            const std::vector<std::string> cells = ReportCells(rows[i]);
            page.RowStart(index++);
            page.Cell("left", cells[0]);
            page.Cell("center", cells[1]);
            page.Cell("center", cells[2]);
            page.Line("</tr>");
            if (rows[i].kind == EReportRow::Separator)
                break;
        }
        TableEnd(page);
    }
    if (content == ReportOrderAndComponents || content == ReportComponentsOnly)
    {
        TableStart(page, "Components Required", "subtableClass", "Component Name", "Acquired", "Quantity");
        DataRows(page, rows, Find(rows, EReportRow::ComponentHeading) + 1);
    }
    else if (content == ReportBonuses)
    {
        TableStart(page, "Bonuses", "subtableClass", "Bonus", "Type", "Amount");
        DataRows(page, rows, Find(rows, EReportRow::BonusHeading) + 1);
    }
    return page.Text();
}

std::string PlanHtmlText(const CReportGrid& grid)
{
    CPage page = PageStart();
    PlanTables(page, grid);
    return page.Text();
}

bool ExportHtml(const std::string& page, const std::filesystem::path& path)
{
    return WriteFileAtomically(path, page);
}
