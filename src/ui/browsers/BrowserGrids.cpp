#include "ui/browsers/BrowserGrids.h"

#include "ui/shell/QtText.h"
#include "ui/widgets/GridWidget.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <string>

void SetGridHeader(CGridWidget& grid, std::string_view format)
{
    int col = 0;
    std::size_t start = 0;
    while (start < format.size() && col < grid.Cols())
    {
        std::size_t bar = format.find('|', start);
        if (bar == std::string_view::npos)
            bar = format.size();
        std::string_view cell = format.substr(start, bar - start);
        Qt::Alignment align = Qt::AlignLeft;
        if (!cell.empty() && (cell[0] == '<' || cell[0] == '^' || cell[0] == '>'))
        {
            align = cell[0] == '^'   ? Qt::AlignHCenter
                    : cell[0] == '>' ? Qt::AlignRight
                                     : Qt::AlignLeft;
            cell.remove_prefix(1);
        }
        grid.SetTextMatrix(0, col, cell);
        grid.SetRow(0);
        grid.SetCol(col);
        grid.SetCellAlignment(align | Qt::AlignVCenter);
        grid.SetCellFontBold(true);
        ++col;
        start = bar + 1;
    }
}

namespace
{
// The lines a details value wraps to in the value column.
int WrappedLines(const CGridWidget& grid, const std::string& text)
{
    const std::size_t bar = text.find('|');
    if (bar == std::string::npos || bar + 1 >= text.size())
        return 1;
    const QFontMetrics metrics(grid.font());
    const int width = std::max(grid.ColWidth(1) - 6, 20);
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap,
                                              Qs(text.substr(bar + 1)));
    return std::max(1, (bounds.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing());
}
} // namespace

void ShowBrowserRows(CGridWidget& grid, const CBrowserRows& rows, const CTheme& theme, bool tabs,
                     bool wrap)
{
    grid.SetRedraw(false);
    grid.ClearRows();
    if (wrap)
    {
        // The label column takes its longest label; the value column gives up that room.
        const QFontMetrics metrics(grid.font());
        const int margin = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
        int labels = grid.ColWidth(0);
        for (const CBrowserRow& row : rows)
            labels = std::max(labels, metrics.horizontalAdvance(Qs(row.text.substr(0, row.text.find('|')))) + margin);
        if (labels > grid.ColWidth(0))
        {
            grid.SetColWidth(1, std::max(grid.ColWidth(1) - (labels - grid.ColWidth(0)), 60));
            grid.SetColWidth(0, labels);
        }
    }
    for (const CBrowserRow& row : rows)
    {
        std::string text = row.text;
        if (tabs)
            std::replace(text.begin(), text.end(), '\t', '|');
        const int index = grid.Rows();
        AddGridRow(grid, text, row.kind, 1, theme);
        // A grid without a heading row has nothing to take the height from.
        if (wrap)
            grid.SetRowHeight(index, WrappedLines(grid, text) * (grid.fontMetrics().height() + 4));
    }
    if (grid.FitsColumns())
        grid.FitColumns();
    grid.SetRedraw(true);
}
