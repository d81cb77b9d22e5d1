#pragma once

#include <QColor>
#include <QTableWidget>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CReportGrid;
class CTheme;

// The table every grid of the program is shown in. Row 0 is the heading row: it stays in the
// table (it reads back like any row) but is shown as the grid's header, so it never scrolls
// away and cannot be selected. Cells hold plain text that reads back exactly as it was
// written; colours are set per cell. A cell too narrow for its text shows it in a tooltip.
class CGridWidget : public QTableWidget
{
    Q_OBJECT

public:
    explicit CGridWidget(QWidget* parent = nullptr);

    int Rows() const { return rowCount(); }
    void SetRows(int rows);
    int Cols() const { return columnCount(); }
    void SetCols(int cols);
    void SetFixedRows(int rows);
    int FixedRows() const { return m_fixedRows; }

    // The current cell, which the cell setters below act on.
    int Row() const { return m_row; }
    void SetRow(int row) { m_row = row; }
    int Col() const { return m_col; }
    void SetCol(int col) { m_col = col; }
    void SetCellBackColor(const QColor& colour);
    void SetCellForeColor(const QColor& colour);
    void SetCellAlignment(Qt::Alignment alignment);
    void SetCellFontBold(bool bold);

    int ColWidth(int col) const { return columnWidth(col); }
    void SetColWidth(int col, int width) { setColumnWidth(col, width); }
    void SetRowHeight(int row, int height) { setRowHeight(row, height); }
    // The height of one line of cells (row 0's, though it is shown as the header).
    int LineHeight() const;
    // The height that shows the heading and the given count of one-line data rows.
    int HeightForRows(int dataRows) const;
    // The width the column's texts need, its heading's included.
    int ContentWidth(int col) const;
    // Widens every column to its texts; the last one also takes what room is left, and keeps
    // doing so when the grid is resized.
    void FitColumns();
    bool FitsColumns() const { return m_fitColumns; }
    // With fitted columns, as wide as they are (up to a limit), so that layouts give them room.
    QSize minimumSizeHint() const override;

    std::string TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, std::string_view text);
    // Appends a row; cells are separated by tabs.
    void AddItem(std::string_view text);

    void SetBackColor(const QColor& colour);
    // Grid lines of the theme (light inside, dark around).
    void SetLineColours(const QColor& light, const QColor& dark);
    void SetRedraw(bool redraw) { setUpdatesEnabled(redraw); }
    // Removes every row but the heading rows.
    void ClearRows();

    // The theme key of the grid's background ("GRID_BACKCOLOUR", "GRID_REPORTBACKCOLOUR", ...),
    // used when the theme is applied again.
    void SetBackColourKey(std::string key) { m_backKey = std::move(key); }
    const std::string& BackColourKey() const { return m_backKey; }
    void SetLineColourKeys(std::string light, std::string dark);
    void ApplyTheme(const CTheme& theme);

protected:
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTableWidgetItem* CellItem(int row, int col);
    // Shows row 0 in the header.
    void ShowHeading();
    void UpdateStyleSheet();

    QColor m_back;
    QColor m_light;
    QColor m_dark;
    QColor m_selectBack;
    QColor m_selectText;

    int m_fixedRows = 1;
    bool m_fitColumns = false;
    int m_contentWidth = 0;
    int m_row = 0;
    int m_col = 0;
    std::string m_backKey = "GRID_BACKCOLOUR";
    std::string m_lightKey = "GRID_LINECOLOUR_LIGHT";
    std::string m_darkKey = "GRID_LINECOLOUR_DARK";
};

// Appends one row: the cells are the pieces of text between "|", coloured by the row kind
// from the theme, the row lines x the heading row's height tall.
void AddGridRow(CGridWidget& grid, std::string_view text, int kind, int lines, const CTheme& theme);

// Shows a computed grid: every row coloured through AddGridRow, its cells as they are, the
// first as the heading row.
void ShowReportGrid(CGridWidget& grid, const CReportGrid& report, const CTheme& theme);
