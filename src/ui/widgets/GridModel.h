#pragma once

#include "browsers/BrowserRows.h"

#include <QAbstractTableModel>
#include <QBrush>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CTheme;

// A grid's column heading: its text, where the text sits in the column, and whether it
// stands out.
struct CGridHeading
{
    std::string text;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool bold = false;
};
// Bold headings from a format: cells between bars, "<" left, "^" centred, ">" right.
std::vector<CGridHeading> GridHeadings(std::string_view format);

// What every grid of the program shows: rows of a kind (which picks the cells' colours from
// the theme) and of text cells, under an optional heading that the view shows as its header.
// Subclasses say what the rows are; they hold the core's rows and render cells on demand.
class CGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    // The theme's colours for the rows; the views repaint.
    void ApplyTheme(const CTheme& theme);
    // The headings, coloured as a row of the kind (none: -1).
    void SetHeadings(std::vector<CGridHeading> headings, int kind = -1);
    bool HasHeadings() const { return !m_headings.empty(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    virtual int RowCount() const = 0;
    virtual int ColumnCount() const = 0;
    // The row's kind (GridCellColourKeys), and the text of a cell.
    virtual int RowKind(int row) const = 0;
    virtual std::string CellText(int row, int column) const = 0;
    // A row that cannot be selected (a heading further down).
    virtual bool Selectable(int) const { return true; }
    virtual bool Editable(int, int) const { return false; }

private:
    struct CColours
    {
        QVariant foreground;
        QVariant background;
    };
    const CColours& Colours(int kind, int column) const;

    const CTheme* m_theme = nullptr;
    std::vector<CGridHeading> m_headings;
    int m_headingKind = -1;
    // Looked up once per theme, row kind and column.
    mutable std::unordered_map<int, CColours> m_colours;
};

// A browser grid: the core's rows as they are.
class CRowsModel : public CGridModel
{
    Q_OBJECT

public:
    CRowsModel(int columns, QObject* parent = nullptr) : CGridModel(parent), m_columns(columns) {}

    void SetRows(CBrowserRows rows);
    const CBrowserRows& Rows() const { return m_rows; }
    // The row, or null outside the rows.
    const CBrowserRow* Row(int row) const;

protected:
    int RowCount() const override { return static_cast<int>(m_rows.size()); }
    int ColumnCount() const override { return m_columns; }
    int RowKind(int row) const override;
    std::string CellText(int row, int column) const override;

private:
    int m_columns;
    CBrowserRows m_rows;
};
