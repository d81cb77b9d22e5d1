#include "order/ClipboardText.h"

#include "base/NumberText.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

namespace
{
constexpr const char* LineEnd = "\r\n";

bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// One "%d" conversion: white space, a sign, at least one digit; saturating.
bool ReadNumber(const std::string& text, std::size_t& i, std::int64_t& value)
{
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    value = Atoi64(std::string_view(text).substr(start, i - start));
    return true;
}

// "x/y" with the slash after the first character.
bool HasFraction(const std::string& cell)
{
    const std::size_t slash = cell.find('/');
    return slash != std::string::npos && slash > 0;
}

void RemoveAll(std::string& text, const std::string& what)
{
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.erase(at, what.size());
}
} // namespace

bool ParseFraction(const std::string& text, std::int64_t& x, std::int64_t& y)
{
    std::size_t i = 0;
    if (!ReadNumber(text, i, x) || i >= text.size() || text[i] != '/')
        return false;
    ++i;
    return ReadNumber(text, i, y);
}

std::string CopyReportText(const CReportGrid& grid, int content)
{
    // The plan pastes as a table: cells separated by tabs, empty cells at the end dropped.
    if (content == ReportPlan)
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
            text += "\r\n";
        }
        return text;
    }
    bool allAcquired = true;
    bool noneAcquired = true;
    for (int row = 1; row < grid.RowCount(); ++row)
    {
        std::int64_t x = 0;
        std::int64_t y = 0;
        const std::string& cell = grid.Cell(row, 2);
        if (!HasFraction(cell) || !ParseFraction(cell, x, y))
            continue;
        if (x != y)
            allAcquired = false;
        if (x != 0)
            noneAcquired = false;
    }

    std::string text;
    int next = 1;
    if (content == ReportOrderAndComponents || content == ReportOrderOnly)
    {
        int empties = 0;
        int row = 1;
        for (; row < grid.RowCount(); ++row)
        {
            const std::string& name = grid.Cell(row, 0);
            const std::string& batches = grid.Cell(row, 1);
            const std::string& techniques = grid.Cell(row, 2);
            if (name == "None")
                break;
            empties = techniques.empty() ? empties + 1 : 0;
            if (empties == 2)
                break;
            if (!name.empty())
            {
                const std::string prefix = batches != "1" ? batches + " x " : std::string();
                text += prefix + name + " (";
                if (techniques != "(none)")
                    text += techniques;
            }
            else if (!techniques.empty())
                text += ", " + techniques;
            else
                text += std::string("), ") + LineEnd;
        }
        // The components heading follows the row that ended the items.
        next = row + 2;
    }
    if (content == ReportOrderAndComponents || content == ReportComponentsOnly)
    {
        for (int row = content == ReportComponentsOnly ? 1 : next; row < grid.RowCount(); ++row)
        {
            std::string cell = grid.Cell(row, 2);
            if (!HasFraction(cell))
                continue;
            RemoveAll(cell, "(");
            RemoveAll(cell, ")");
            std::int64_t x = 0;
            std::int64_t y = 0;
            std::string amount = cell;
            if ((allAcquired || noneAcquired) && ParseFraction(cell, x, y))
                amount = Format("%lld", static_cast<long long>(y));
            text += amount + " " + grid.Cell(row, 0) + ", " + LineEnd;
        }
    }
    else if (content == ReportBonuses)
    {
        for (int row = 1; row < grid.RowCount(); ++row)
            text += grid.Cell(row, 0) + " (" + grid.Cell(row, 1) + ") = " + grid.Cell(row, 2) + LineEnd;
    }

    RemoveAll(text, " ()");
    const std::string tail = std::string(", ") + LineEnd;
    if (text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
        text.erase(text.size() - tail.size());
    return text;
}
