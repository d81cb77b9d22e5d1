#include "ui/order/ReportsPlan.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/PlanExport.h"
#include "order/ReportRecords.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/QtText.h"
#include "ui/order/PricesWindow.h"
#include "ui/order/ReportModel.h"
#include "ui/widgets/GridView.h"
#include "ui/widgets/PatternDelegate.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

CReportsPlan::CReportsPlan(CReportsWindow& window, CAppContext& app, CGridView& grid, CReportModel& model)
    : QObject(&window), m_window(window), m_app(app), m_grid(grid), m_model(model)
{
    // The acquired cells take digits only.
    m_grid.setItemDelegate(new CPatternDelegate(QStringLiteral("[0-9]{0,18}"), this));
    m_grid.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Later: the report is generated again, which must not happen inside the editor's commit.
    connect(&m_model, &CReportModel::AcquiredEntered, this, &CReportsPlan::EnterAcquired, Qt::QueuedConnection);
    // The plan's costs, the comparison's and the margins follow the prices.
    connect(&m_app.Bus(), &CWindowBus::PricesChanged, this,
            [this]
            {
                if (m_window.isVisible() && m_window.ContentBox()->currentIndex() == ReportPlan)
                    m_window.GenerateReport();
                if (m_compare && m_compare->isVisible())
                    ShowComparison();
                if (m_margins && m_margins->isVisible())
                    ShowMargins();
            });
    connect(&m_app.Bus(), &CWindowBus::OrderChanged, this,
            [this]
            {
                if (m_margins && m_margins->isVisible())
                    ShowMargins();
            });
}

void CReportsPlan::AddMenuEntries(QMenu* options)
{
    options->addSeparator();
    m_groupAction = options->addAction(Tr(Messages::MenuGroupByLocation));
    m_groupAction->setCheckable(true);
    connect(m_groupAction, &QAction::toggled, this,
            [this]
            {
                if (m_window.ContentBox()->currentIndex() == ReportPlan && m_model.rowCount() > 0)
                    m_window.GenerateReport();
            });
    QAction* compare = options->addAction(Tr(Messages::MenuCompareCharacters));
    connect(compare, &QAction::triggered, this, &CReportsPlan::ShowComparison);
    QAction* done = options->addAction(Tr(Messages::MenuMarkDone));
    done->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(done, &QAction::triggered, this, &CReportsPlan::MarkDone);
    options->addSeparator();
    connect(options->addAction(Tr(Messages::MenuPrices)), &QAction::triggered, this,
            // Beside the toolbar, whose life it shares, not the reports window's.
            [this] { CPricesWindow::Open(m_app, m_window.parentWidget() ? m_window.parentWidget() : &m_window); });
    connect(options->addAction(Tr(Messages::MenuMargins)), &QAction::triggered, this, &CReportsPlan::ShowMargins);
}

CPlanCosting CReportsPlan::Costing()
{
    return {m_app.Prices().InEffect(), {}};
}

CReportGrid CReportsPlan::PlanGrid(const CReportRequest& request, std::vector<CAcquiredCell>& cells)
{
    m_grouped = m_groupAction && m_groupAction->isChecked();
    m_plan = ComputePlan(*request.db, *request.order,
                         SelectedItems(*request.order, request.selection), request.profile, Costing());
    m_groups = m_grouped ? GroupByLocation(*request.db, m_plan) : std::vector<CLocationGroup>();
    CReportGrid grid(PlanGridColumns(m_plan));
    AddPlanRows(grid, m_plan, m_grouped ? &m_groups : nullptr, &cells);
    return grid;
}

std::string CReportsPlan::ExportBytes(const CReport& shown, bool json) const
{
    if (shown.content == ReportPlan)
        return json ? PlanJson(m_plan, m_grouped ? &m_groups : nullptr)
                    : PlanCsv(m_plan, m_grouped ? &m_groups : nullptr);
    const std::vector<CReportRecord> records = ReportRecords(shown);
    return json ? ReportJson(ReportTitle(m_app.Order(), m_app.OrderSelection()), records)
                : ReportCsv(records);
}

void CReportsPlan::SaveExport(const CReport& shown, bool json)
{
    const QString path =
        CFileDialog::GetSaveFileName(&m_window, Qs(m_app.OrdersFolder().string()),
                                     Tr(json ? Messages::JsonFilter : Messages::CsvFilter),
                                     json ? QStringLiteral("json") : QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (!WriteFileAtomically(Bytes(path), ExportBytes(shown, json)))
        m_app.Prompter().Warn(Bytes(TrFormat(Messages::ExportNotWritten, Bytes(path).c_str())));
    else
        CMessageBox::Show(&m_window, TrFormat(Messages::ExportWritten, Bytes(path).c_str()));
}

void CReportsPlan::EnterAcquired(int row, const QString& text)
{
    const std::optional<CAcquiredCell> cell = m_model.AcquiredCellOf(row);
    std::int64_t count = 0;
    if (!cell)
        return;
    if (!ParseAcquired(Bytes(text), count))
    {
        m_app.Prompter().Warn(TrBytes(Messages::AcquiredNotANumber));
        return;
    }
    if (SetAcquired(m_app.Order(), cell->name, count))
        Changed();
}

void CReportsPlan::MarkDone()
{
    bool changed = false;
    if (const std::optional<CAcquiredCell> cell = m_model.AcquiredCellOf(m_grid.currentIndex().row()))
        changed = SetAcquired(m_app.Order(), cell->name, cell->need);
    if (changed)
        Changed();
}

void CReportsPlan::Changed()
{
    // The order window shows the "*"; the report follows the new counts, the cursor stays.
    const QModelIndex current = m_grid.currentIndex();
    m_app.OrderChanged();
    m_window.GenerateReport();
    if (current.isValid() && current.row() < m_model.rowCount())
        m_grid.setCurrentIndex(m_model.index(current.row(), current.column()));
}

void CReportsPlan::ShowComparison()
{
    const COrder& order = m_app.Order();
    const std::vector<const CProfile*> profiles = ComparedProfiles(m_app.Profiles());
    const CComparison comparison =
        ComparePlans(m_app.Database(), order, SelectedItems(order, m_app.OrderSelection()), profiles,
                     m_app.Prices().InEffect());
    CReportGrid report(1 + static_cast<int>(profiles.size()));
    AddCompareRows(report, comparison);
    ShowGridDialog(m_compare, m_compareGrid, m_compareModel, Messages::CompareCharactersTitle, std::move(report));
}

void CReportsPlan::ShowMargins()
{
    const COrder& order = m_app.Order();
    const std::vector<CProfitRow> rows = ComputeProfits(
        m_app.Database(), SelectedItems(order, m_app.OrderSelection()), m_app.Profiles().current, Costing());
    CReportGrid report(ProfitColumns);
    AddProfitRows(report, rows);
    ShowGridDialog(m_margins, m_marginsGrid, m_marginsModel, Messages::MarginsTitle, std::move(report));
}

void CReportsPlan::ShowGridDialog(QDialog*& dialog, CGridView*& grid, CReportModel*& model, std::string_view title,
                                  CReportGrid report)
{
    if (!dialog)
    {
        dialog = new QDialog(&m_window);
        dialog->setWindowTitle(Tr(title));
        auto* layout = new QVBoxLayout(dialog);
        grid = new CGridView(dialog);
        grid->setAccessibleName(dialog->windowTitle());
        model = new CReportModel(m_app.Order(), dialog);
        grid->setModel(model);
        grid->SetBackColourKey("GRID_REPORTBACKCOLOUR");
        grid->SetLineColourKeys("GRID_REPORTLINECOLOUR_LIGHT", "GRID_REPORTLINECOLOUR_DARK");
        layout->addWidget(grid, 1);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
        connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
        layout->addWidget(buttons);
    }
    grid->ApplyTheme(m_app.Theme());
    model->ShowGrid(std::move(report));
    grid->resizeColumnsToContents();
    int width = 0;
    for (int col = 0; col < model->columnCount(); ++col)
    {
        grid->setColumnWidth(col, std::max(grid->columnWidth(col) + 12, col == 0 ? 180 : 90));
        width += grid->columnWidth(col);
    }
    const QRect screen =
        m_window.screen() ? m_window.screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    const int height = (model->rowCount() + 1) * grid->LineHeight() + 90;
    // Room for the frame and a vertical scroll bar, so that no column needs scrolling to.
    width += 40 + grid->verticalScrollBar()->sizeHint().width();
    dialog->resize(std::min(width, screen.width() - 40), std::clamp(height, 200, screen.height() - 80));
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
