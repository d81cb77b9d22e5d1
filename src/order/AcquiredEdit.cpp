#include "order/AcquiredEdit.h"

#include "order/Order.h"
#include "order/Report.h"

#include <limits>

std::vector<CAcquiredCell> AcquiredCells(const CReport& report)
{
    std::vector<CAcquiredCell> cells;
    for (std::size_t i = 0; i < report.rows.size(); ++i)
    {
        const CReportRow& row = report.rows[i];
        if ((row.kind == EReportRow::Component || row.kind == EReportRow::Subcomponent) && !row.name.empty())
            cells.push_back({static_cast<int>(i), 2, row.name, row.needed});
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
