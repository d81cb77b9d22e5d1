#include "ui/order/ReportModel.h"

#include "base/Messages.h"
#include "order/Order.h"
#include "ui/shell/QtText.h"

#include <algorithm>

namespace
{
std::vector<CGridHeading> Headings(const std::vector<std::string>& cells)
{
    std::vector<CGridHeading> headings;
    for (const std::string& cell : cells)
        headings.push_back({TrBytes(cell), Qt::AlignLeft, false});
    return headings;
}

bool HasAcquiredCell(const CReportRow& row)
{
    return (row.kind == EReportRow::Component || row.kind == EReportRow::Subcomponent) && !row.name.empty();
}
} // namespace

CReportModel::CReportModel(const COrder& order, QObject* parent) : CGridModel(parent), m_order(order) {}

void CReportModel::ShowReport(CReport report)
{
    beginResetModel();
    m_report = std::move(report);
    m_grid = CReportGrid();
    m_cells.clear();
    m_cellOfRow.clear();
    endResetModel();
    if (m_report.rows.empty())
        SetHeadings({});
    else
    {
        std::vector<std::string> cells = ReportCells(m_report.rows.front());
        if (m_report.rows.front().kind == EReportRow::ComponentHeading && cells.size() > 2)
            cells[2] = Messages::ReportAcquiredHeading;
        SetHeadings(Headings(cells), m_report.rows.front().colour);
    }
}

void CReportModel::ShowGrid(CReportGrid grid, std::vector<CAcquiredCell> cells)
{
    beginResetModel();
    m_report = CReport{ReportPlan, {}, {}};
    m_grid = std::move(grid);
    m_cells = std::move(cells);
    m_cellOfRow.assign(static_cast<std::size_t>(std::max(m_grid.RowCount() - 1, 0)), -1);
    for (std::size_t i = 0; i < m_cells.size(); ++i)
        if (m_cells[i].row >= 1 && m_cells[i].row < m_grid.RowCount())
            m_cellOfRow[static_cast<std::size_t>(m_cells[i].row - 1)] = static_cast<int>(i);
    endResetModel();
    if (m_grid.RowCount() == 0)
        SetHeadings({});
    else
        SetHeadings(Headings(m_grid.Row(0).cells), m_grid.Kind(0));
}

CReportGrid CReportModel::Grid() const
{
    return ShowsReport() ? ReportGridOf(m_report) : m_grid;
}

int CReportModel::RowCount() const
{
    const int rows = ShowsReport() ? static_cast<int>(m_report.rows.size()) : m_grid.RowCount();
    return std::max(rows - 1, 0);
}

int CReportModel::ColumnCount() const
{
    return ShowsReport() ? 3 : m_grid.Columns();
}

int CReportModel::RowKind(int row) const
{
    return ShowsReport() ? m_report.rows[static_cast<std::size_t>(row) + 1].colour : m_grid.Kind(row + 1);
}

std::string CReportModel::CellText(int row, int column) const
{
    std::string text = ShowsReport() ? ReportCell(m_report.rows[static_cast<std::size_t>(row) + 1], column)
                                     : m_grid.Cell(row + 1, column);
    // Headings further down (the components', the bonuses') in the player's language as well.
    return RowKind(row) == ReportRowKind::Heading ? TrBytes(text) : text;
}

bool CReportModel::Selectable(int row) const
{
    // A heading further down (the components' in "Order & Comps") is not a row to select.
    return RowKind(row) != ReportRowKind::Heading;
}

int CReportModel::CellIndex(int row) const
{
    return row >= 0 && row < static_cast<int>(m_cellOfRow.size()) ? m_cellOfRow[static_cast<std::size_t>(row)] : -1;
}

bool CReportModel::Editable(int row, int column) const
{
    if (ShowsReport())
        return column == 2 && HasAcquiredCell(m_report.rows[static_cast<std::size_t>(row) + 1]);
    const int cell = CellIndex(row);
    return cell >= 0 && m_cells[static_cast<std::size_t>(cell)].column == column;
}

std::optional<CAcquiredCell> CReportModel::AcquiredCellOf(int row) const
{
    if (row < 0 || row >= RowCount())
        return std::nullopt;
    if (ShowsReport())
    {
        const CReportRow& shown = m_report.rows[static_cast<std::size_t>(row) + 1];
        if (!HasAcquiredCell(shown))
            return std::nullopt;
        return CAcquiredCell{row + 1, 2, shown.name, shown.needed};
    }
    const int cell = CellIndex(row);
    return cell >= 0 ? std::optional(m_cells[static_cast<std::size_t>(cell)]) : std::nullopt;
}

QVariant CReportModel::data(const QModelIndex& index, int role) const
{
    // The editor starts from the count the order holds, not from the shown "A/Q".
    if (role == Qt::EditRole && index.isValid() && Editable(index.row(), index.column()))
        if (const auto cell = AcquiredCellOf(index.row()))
            return QString::number(std::max(0LL, AcquiredCount(m_order, cell->name)));
    // The column the counts are typed into says so; the exports keep the report's texts.
    if (role == Qt::DisplayRole && index.isValid() && index.column() == 2 && ShowsReport() &&
        m_report.rows[static_cast<std::size_t>(index.row()) + 1].kind == EReportRow::ComponentHeading)
        return Tr(Messages::ReportAcquiredHeading);
    return CGridModel::data(index, role);
}

bool CReportModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !Editable(index.row(), index.column()))
        return false;
    Q_EMIT AcquiredEntered(index.row(), value.toString());
    return true;
}
