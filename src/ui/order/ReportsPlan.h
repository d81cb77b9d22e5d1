#pragma once

#include "order/AcquiredEdit.h"
#include "order/CostPlan.h"
#include "order/Plan.h"
#include "order/Report.h"
#include "order/ReportGrid.h"

#include <QObject>
#include <vector>

class CAppContext;
class CGridView;
class CReportModel;
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

    CReportsPlan(CReportsWindow& window, CAppContext& app, CGridView& grid, CReportModel& model);

    // "Group Gathering by Location", "Compare Characters...", "Mark Acquired as Done".
    void AddMenuEntries(QMenu* options);

    // The plan's rows for the request's order, selection and profile, with their acquired
    // cells.
    CReportGrid PlanGrid(const CReportRequest& request, std::vector<CAcquiredCell>& cells);

    // The bytes moxa-cli writes for the shown report (the plan's when its content is the
    // plan); json picks JSON over CSV.
    std::string ExportBytes(const CReport& shown, bool json) const;
    // Asks for a file and writes the export there.
    void SaveExport(const CReport& shown, bool json);

    // Stores an entered count (text as typed) for the acquired cell of a shown row (0 = the
    // first under the heading).
    void EnterAcquired(int row, const QString& text);
    // The selected rows' acquired counts become their needs.
    void MarkDone();
    void ShowComparison();
    // What each order item costs and earns at the player's prices.
    void ShowMargins();

    QAction* GroupAction() const { return m_groupAction; }
    QDialog* ComparisonDialog() const { return m_compare; }
    CGridView* ComparisonGrid() const { return m_compareGrid; }
    QDialog* MarginsDialog() const { return m_margins; }
    CGridView* MarginsGrid() const { return m_marginsGrid; }

private:
    void Changed();
    // The player's prices when in effect, the current profile crafting.
    CPlanCosting Costing();
    // A dialog of computed rows, made on first use, sized to them and shown.
    void ShowGridDialog(QDialog*& dialog, CGridView*& grid, CReportModel*& model, std::string_view title,
                        CReportGrid report);

    CReportsWindow& m_window;
    CAppContext& m_app;
    CGridView& m_grid;
    CReportModel& m_model;
    QAction* m_groupAction = nullptr;
    QDialog* m_compare = nullptr;
    CGridView* m_compareGrid = nullptr;
    CReportModel* m_compareModel = nullptr;
    QDialog* m_margins = nullptr;
    CGridView* m_marginsGrid = nullptr;
    CReportModel* m_marginsModel = nullptr;
    CPlan m_plan;
    std::vector<CLocationGroup> m_groups;
    bool m_grouped = false;
};
