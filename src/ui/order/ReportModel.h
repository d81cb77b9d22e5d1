#pragma once

#include "order/AcquiredEdit.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "ui/widgets/GridModel.h"

#include <optional>
#include <vector>

class COrder;

// The reports window's grid: the rows of a report, or the computed rows of the plan or of the
// comparison of characters (as many columns as they have). The first row is the heading. The
// acquired cells are edited here: what is typed goes to the window, which stores it in the order.
class CReportModel : public CGridModel
{
    Q_OBJECT

public:
    CReportModel(const COrder& order, QObject* parent);

    void ShowReport(CReport report);
    void ShowGrid(CReportGrid grid, std::vector<CAcquiredCell> cells = {});
    // The report shown; while computed rows are shown, the plan's, without rows.
    const CReport& Report() const { return m_report; }
    // The shown rows as cells: the computed ones, or the report's as its grid renders them.
    CReportGrid Grid() const;
    // The acquired cell of a shown row (0 = the first row under the heading), if it has one.
    std::optional<CAcquiredCell> AcquiredCellOf(int row) const;

    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    // Text typed into the acquired cell of a shown row.
    void AcquiredEntered(int row, const QString& text);

protected:
    int RowCount() const override;
    int ColumnCount() const override;
    int RowKind(int row) const override;
    std::string CellText(int row, int column) const override;
    bool Selectable(int row) const override;
    bool Editable(int row, int column) const override;

private:
    bool ShowsReport() const { return !m_report.rows.empty(); }
    // The index into m_cells of a shown row's acquired cell; -1 for none.
    int CellIndex(int row) const;

    const COrder& m_order;
    CReport m_report;
    CReportGrid m_grid;
    std::vector<CAcquiredCell> m_cells;
    std::vector<int> m_cellOfRow;
};
