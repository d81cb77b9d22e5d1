#include "order/AcquiredEdit.h"

#include "base/NumberText.h"
#include "order/Order.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

#include <limits>

namespace
{
enum class ESection
{
    None,
    Components,
    Plan
};

// "---->Name" without its arrow.
std::string WithoutArrow(const std::string& cell)
{
    std::size_t start = cell.find_first_not_of('-');
    if (start == std::string::npos)
        return {};
    if (start > 0 && cell[start] == '>')
        ++start;
    return cell.substr(start);
}
} // namespace

std::vector<CAcquiredCell> AcquiredCells(const CReportGrid& grid)
{
    std::vector<CAcquiredCell> cells;
    ESection section = ESection::None;
    for (int row = 0; row < grid.RowCount(); ++row)
    {
        const std::string& first = grid.Cell(row, 0);
        const std::string& third = grid.Cell(row, 2);
        const int kind = grid.Kind(row);
        if (kind == ReportRowKind::Heading)
        {
            // The plan's headings (crafts, gathers, places) have "Need" in their second column.
            section = first == "Component Name"     ? ESection::Components
                      : grid.Cell(row, 1) == "Need" ? ESection::Plan
                                                    : ESection::None;
            continue;
        }
        if (first.empty() || first == "None" || section == ESection::None)
            continue;
        if (section == ESection::Plan)
        {
            cells.push_back({row, 2, first, Atoi64(grid.Cell(row, 1))});
            continue;
        }
        const std::size_t slash = third.find('/');
        if (slash == std::string::npos)
            continue;
        const bool sub = kind == ReportRowKind::Subcomponent;
        cells.push_back({row, 2, sub ? WithoutArrow(first) : first,
                         Atoi64(std::string_view(third).substr(slash + 1))});
    }
    return cells;
}

bool ParseAcquired(std::string_view text, std::int64_t& count)
{
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
    {
        count = 0;
        return true;
    }
    const std::size_t end = text.find_last_not_of(" \t") + 1;
    std::int64_t value = 0;
    for (const char c : text.substr(start, end - start))
    {
        if (c < '0' || c > '9')
            return false;
        if (value > (std::numeric_limits<std::int64_t>::max() - (c - '0')) / 10)
            return false;
        value = value * 10 + (c - '0');
    }
    count = value;
    return true;
}

bool SetAcquired(COrder& order, const std::string& name, std::int64_t count)
{
    const auto it = order.acquired.find(name);
    if (count <= 0)
    {
        if (it == order.acquired.end())
            return false;
        order.acquired.erase(it);
    }
    else
    {
        const std::string text = std::to_string(count);
        if (it != order.acquired.end() && it->second == text)
            return false;
        order.acquired[name] = text;
    }
    order.modified = true;
    return true;
}
