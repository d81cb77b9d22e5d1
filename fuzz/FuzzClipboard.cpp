// The report's clipboard text over a grid built from fuzzed rows: the first byte picks the
// report content, then each line is a row, its first byte picking the row kind.
#include "FuzzSupport.h"
#include "order/ClipboardText.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

#include <cinttypes>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int content = data[0] % 4;
    std::string_view rows = Fuzz::Bytes(data + 1, size - 1);
    CReportGrid grid(3);
    AddGridRow(grid, "Item|Quantity|Acquired", ReportRowKind::Heading);
    while (!rows.empty() && grid.RowCount() < 4096)
    {
        const std::size_t end = rows.find('\n');
        std::string_view line = rows.substr(0, end);
        rows = end == std::string_view::npos ? std::string_view() : rows.substr(end + 1);
        int kind = 0;
        if (!line.empty())
        {
            kind = ReportRowKind::Heading + static_cast<unsigned char>(line[0]) % 6;
            line.remove_prefix(1);
        }
        AddGridRow(grid, line, kind);
    }
    // Its last line may lose its ", " and line end, so no shape is checked here.
    CopyReportText(grid, content);

    for (int row = 0; row < grid.RowCount(); ++row)
    {
        std::int64_t x = 0;
        std::int64_t y = 0;
        if (ParseFraction(grid.Cell(row, 2), x, y))
        {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%" PRId64 "/%" PRId64, x, y);
            std::int64_t x2 = 0;
            std::int64_t y2 = 0;
            Fuzz::Check(ParseFraction(buffer, x2, y2) && x2 == x && y2 == y, "a fraction reads back");
        }
    }
    return 0;
}
