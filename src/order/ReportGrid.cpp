#include "order/ReportGrid.h"

std::vector<std::string> SplitCells(std::string_view text)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t bar = text.find('|', start);
        if (bar == std::string_view::npos)
        {
            cells.emplace_back(text.substr(start));
            return cells;
        }
        cells.emplace_back(text.substr(start, bar - start));
        start = bar + 1;
    }
}

void CReportGrid::AddRow(std::string_view text, int kind, int lines)
{
    AddRow(SplitCells(text), kind, lines);
}

void CReportGrid::AddRow(std::vector<std::string> cells, int kind, int lines)
{
    CGridRow row;
    row.kind = kind;
    row.lines = lines < 1 ? 1 : lines;
    row.cells = std::move(cells);
    row.cells.resize(static_cast<std::size_t>(m_columns));
    m_rows.push_back(std::move(row));
}

const std::string& CReportGrid::Cell(int row, int column) const
{
    static const std::string empty;
    if (row < 0 || row >= RowCount() || column < 0 || column >= m_columns)
        return empty;
    return m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

void CReportGrid::SetCell(int row, int column, std::string text)
{
    if (row < 0 || row >= RowCount() || column < 0 || column >= m_columns)
        return;
    m_rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = std::move(text);
}

int CReportGrid::Kind(int row) const
{
    if (row < 0 || row >= RowCount())
        return -1;
    return m_rows[static_cast<std::size_t>(row)].kind;
}

void AddGridRow(CReportGrid& grid, std::string_view text, int kind, int lines)
{
    grid.AddRow(text, kind, lines);
}

std::string ReportGridText(const CReportGrid& grid)
{
    std::string out;
    for (const CGridRow& row : grid.Rows())
    {
        out += std::to_string(row.kind) + "\t";
        for (std::size_t i = 0; i < row.cells.size(); ++i)
        {
            if (i)
                out += '|';
            out += row.cells[i];
        }
        out += "\n";
    }
    return out;
}
