#include "ui/widgets/GridModel.h"

#include "base/Theme.h"
#include "order/GridColours.h"
#include "platform/QtSystemColours.h"
#include "ui/shell/QtText.h"

#include <QFont>

std::vector<CGridHeading> GridHeadings(std::string_view format)
{
    std::vector<CGridHeading> headings;
    std::size_t start = 0;
    while (start < format.size())
    {
        std::size_t bar = format.find('|', start);
        if (bar == std::string_view::npos)
            bar = format.size();
        std::string_view cell = format.substr(start, bar - start);
        Qt::Alignment alignment = Qt::AlignLeft;
        if (!cell.empty() && (cell[0] == '<' || cell[0] == '^' || cell[0] == '>'))
        {
            alignment = cell[0] == '^' ? Qt::AlignHCenter : cell[0] == '>' ? Qt::AlignRight : Qt::AlignLeft;
            cell.remove_prefix(1);
        }
        headings.push_back({std::string(cell), alignment, true});
        start = bar + 1;
    }
    return headings;
}

void CGridModel::ApplyTheme(const CTheme& theme)
{
    m_theme = &theme;
    m_colours.clear();
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::ForegroundRole, Qt::BackgroundRole});
    if (m_headingKind >= 0 && columnCount() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void CGridModel::SetHeadings(std::vector<CGridHeading> headings, int kind)
{
    m_headings = std::move(headings);
    m_headingKind = kind;
    if (columnCount() > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

const CGridModel::CColours& CGridModel::Colours(int kind, int column) const
{
    const int key = kind * 256 + column;
    const auto found = m_colours.find(key);
    if (found != m_colours.end())
        return found->second;
    CColours colours;
    if (m_theme)
    {
        const CCellColourKeys keys = GridCellColourKeys(kind, column);
        if (!keys.foreground.empty())
            colours.foreground = QBrush(ColourFromTheme(m_theme->ThemeColour(keys.foreground)));
        if (!keys.background.empty())
            colours.background = QBrush(ColourFromTheme(m_theme->ThemeColour(keys.background)));
    }
    return m_colours.emplace(key, colours).first->second;
}

int CGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int CGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant CGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role)
    {
    case Qt::DisplayRole:
    case Qt::EditRole: return Qs(CellText(index.row(), index.column()));
    case Qt::ForegroundRole: return Colours(RowKind(index.row()), index.column()).foreground;
    case Qt::BackgroundRole: return Colours(RowKind(index.row()), index.column()).background;
    default: return {};
    }
}

QVariant CGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(m_headings.size()))
        return {};
    const CGridHeading& heading = m_headings[static_cast<std::size_t>(section)];
    switch (role)
    {
    case Qt::DisplayRole: return Qs(heading.text);
    case Qt::TextAlignmentRole: return QVariant::fromValue(heading.alignment | Qt::AlignVCenter);
    case Qt::FontRole:
        if (heading.bold)
        {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole: return m_headingKind >= 0 ? Colours(m_headingKind, section).foreground : QVariant();
    case Qt::BackgroundRole: return m_headingKind >= 0 ? Colours(m_headingKind, section).background : QVariant();
    default: return {};
    }
}

Qt::ItemFlags CGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (Selectable(index.row()))
        flags |= Qt::ItemIsSelectable;
    if (Editable(index.row(), index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

void CRowsModel::SetRows(CBrowserRows rows)
{
    // The same rows again change nothing the views show.
    if (rows == m_rows)
        return;
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

const CBrowserRow* CRowsModel::Row(int row) const
{
    return row >= 0 && row < RowCount() ? &m_rows[static_cast<std::size_t>(row)] : nullptr;
}

int CRowsModel::RowKind(int row) const
{
    return static_cast<int>(m_rows[static_cast<std::size_t>(row)].kind);
}

std::string CRowsModel::CellText(int row, int column) const
{
    const auto& cells = m_rows[static_cast<std::size_t>(row)].cells;
    return column < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(column)] : std::string();
}
