#include "ui/browsers/BrowserGrids.h"

#include "ui/widgets/GridWidget.h"

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

void ShowBrowserRows(CGridWidget& grid, const CBrowserRows& rows, const CTheme& theme)
{
    grid.SetRedraw(false);
    grid.ClearRows();
    for (const CBrowserRow& row : rows)
    {
        std::string text = row.text;
        std::replace(text.begin(), text.end(), '\t', '|');
        AddGridRow(grid, text, row.kind, 1, theme);
    }
    grid.SetRedraw(true);
}
