#pragma once

#include "order/AcquiredEdit.h"
#include "order/Plan.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

#include <QObject>
#include <vector>

class CAppContext;
class CGridWidget;
class CReportsWindow;
class QAction;
class QDialog;
class QMenu;

// The reports window's planning: the "Plan" content, the grouping of the gathering list by
// location, the comparison of characters, acquired counts entered in the grid and the CSV
// and JSON exports.
class CReportsPlan : public QObject
{
    Q_OBJECT

public:
    static constexpr int FormatCsv = 3;
    static constexpr int FormatJson = 4;

    CReportsPlan(CReportsWindow& window, CAppContext& app, CGridWidget& grid);

    // "Group Gathering by Location", "Compare Characters...", "Mark Acquired as Done".
    void AddMenuEntries(QMenu* options);

    // The plan's rows for the request's order, selection and profile, with their acquired
    // cells.
    CReportGrid PlanGrid(const CReportRequest& request, std::vector<CAcquiredCell>& cells);
    // After a report is shown: its acquired cells become editable. Without cells, those of
    // the report shown last (its rows shown again).
    void Shown(std::vector<CAcquiredCell> cells);
    void Shown();

    // The bytes moxa-cli writes for the shown report (the plan's when its content is the
    // plan); json picks JSON over CSV.
    std::string ExportBytes(const CReport& shown, bool json) const;
    // Asks for a file and writes the export there.
    void SaveExport(const CReport& shown, bool json);

    // Stores an entered count (text as typed) for the acquired cell of a grid row.
    void EnterAcquired(int row, const QString& text);
    // The selected rows' acquired counts become their needs.
    void MarkDone();
    void ShowComparison();

    QAction* GroupAction() const { return m_groupAction; }
    QDialog* ComparisonDialog() const { return m_compare; }
    CGridWidget* ComparisonGrid() const { return m_compareGrid; }
    const CAcquiredCell* CellOfRow(int row) const;
    const std::vector<CAcquiredCell>& Cells() const { return m_cells; }

private:
    void Changed();

    CReportsWindow& m_window;
    CAppContext& m_app;
    CGridWidget& m_grid;
    QAction* m_groupAction = nullptr;
    QDialog* m_compare = nullptr;
    CGridWidget* m_compareGrid = nullptr;
    std::vector<int> m_compareKinds;
    CPlan m_plan;
    std::vector<CLocationGroup> m_groups;
    bool m_grouped = false;
    std::vector<CAcquiredCell> m_cells;
};
