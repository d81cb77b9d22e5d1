#pragma once

#include <string>
#include <string_view>
#include <vector>

// A table as the windows show it: rows of text cells, each row with the kind that selects
// its colours. Row 0 is the heading row.
struct CGridRow
{
    int kind = 0;
    int lines = 1;
    std::vector<std::string> cells;
};

class CReportGrid
{
public:
    explicit CReportGrid(int columns = 3) : m_columns(columns) {}

    int Columns() const { return m_columns; }
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    void Clear() { m_rows.clear(); }

    // Appends a row from text whose cells are separated by "|"; missing cells are empty,
    // pieces beyond the last column are dropped.
    void AddRow(std::string_view text, int kind, int lines = 1);
    // Appends a row of cells as they are; missing cells are empty, extra ones dropped.
    void AddRow(std::vector<std::string> cells, int kind, int lines = 1);

    // Cell text by row and column; empty outside the grid. Writing outside does nothing.
    const std::string& Cell(int row, int column) const;
    void SetCell(int row, int column, std::string text);
    int Kind(int row) const;
    const CGridRow& Row(int row) const { return m_rows.at(static_cast<std::size_t>(row)); }
    const std::vector<CGridRow>& Rows() const { return m_rows; }

private:
    int m_columns;
    std::vector<CGridRow> m_rows;
};

// The program's row-appending operation, shared by every grid.
void AddGridRow(CReportGrid& grid, std::string_view text, int kind, int lines = 1);

// Splits text at every "|".
std::vector<std::string> SplitCells(std::string_view text);

// The grid as text: per row its kind, a tab and the cells joined with "|", then "\n".
std::string ReportGridText(const CReportGrid& grid);
