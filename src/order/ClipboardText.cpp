#include "order/ClipboardText.h"

#include "order/Report.h"
#include "order/ReportGrid.h"

namespace
{
constexpr const char* LineEnd = "\r\n";

void RemoveAll(std::string& text, const std::string& what)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
}

bool Shows(EReportContent content, EReportContent a, EReportContent b)
{
    return content == a || content == b;
}
} // namespace

std::string CopyReportText(const CReport& report)
{
    // With every component fully acquired, or none at all, the counts say nothing: only the
    // needs are listed.
    bool allAcquired = true;
    bool noneAcquired = true;
    for (const CReportRow& row : report.rows)
        if (row.kind == EReportRow::Component)
        {
            allAcquired = allAcquired && row.acquired == row.needed;
            noneAcquired = noneAcquired && row.acquired == 0;
        }

    std::string text;
    const EReportContent content = report.content;
    if (Shows(content, ReportOrderAndComponents, ReportOrderOnly))
        for (const CReportRow& row : report.rows)
        {
            if (row.kind == EReportRow::Separator || row.kind == EReportRow::None)
                break;
            const std::string prefix = row.needed != 1 ? std::to_string(row.needed) + " x " : std::string();
            if (row.kind == EReportRow::Item)
                text += prefix + row.name + " (" + row.detail;
            else if (row.kind == EReportRow::PlainItem)
                text += prefix + row.name + " (";
            else if (row.kind == EReportRow::Technique && !row.detail.empty())
                text += ", " + row.detail;
            else if (row.kind == EReportRow::ItemEnd)
                text += std::string("), ") + LineEnd;
        }
    if (Shows(content, ReportOrderAndComponents, ReportComponentsOnly))
        for (const CReportRow& row : report.rows)
        {
            if (row.kind != EReportRow::Component && row.kind != EReportRow::Subcomponent)
                continue;
            const std::string needed = std::to_string(row.needed);
            const std::string amount =
                allAcquired || noneAcquired ? needed : std::to_string(row.acquired) + "/" + needed;
            text += amount + " " + ShownName(row) + ", " + LineEnd;
        }
    else if (content == ReportBonuses)
        for (const CReportRow& row : report.rows)
            if (row.kind == EReportRow::Bonus || row.kind == EReportRow::None)
            {
                const std::vector<std::string> cells = ReportCells(row);
                text += cells[0] + " (" + cells[1] + ") = " + cells[2] + LineEnd;
            }

    RemoveAll(text, " ()");
    const std::string tail = std::string(", ") + LineEnd;
    if (text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
        text.erase(text.size() - tail.size());
    return text;
}

std::string PlanClipboardText(const CReportGrid& grid)
{
    std::string text;
    for (const CGridRow& row : grid.Rows())
    {
        std::size_t used = row.cells.size();
        while (used > 0 && row.cells[used - 1].empty())
            --used;
        for (std::size_t i = 0; i < used; ++i)
        {
            if (i)
                text += '\t';
            text += row.cells[i];
        }
        text += LineEnd;
    }
    return text;
}
