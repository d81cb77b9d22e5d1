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
#include "ui/shell/QtText.h"
#include "ui/order/ReportModel.h"
#include "ui/widgets/GridView.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

namespace
{
// The acquired cells take digits only.
class CAcquiredDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,18}")), edit));
        return editor;
    }
};
} // namespace

CReportsPlan::CReportsPlan(CReportsWindow& window, CAppContext& app, CGridView& grid, CReportModel& model)
    : QObject(&window), m_window(window), m_app(app), m_grid(grid), m_model(model)
{
    m_grid.setItemDelegate(new CAcquiredDelegate(this));
    m_grid.setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Later: the report is generated again, which must not happen inside the editor's commit.
    connect(&m_model, &CReportModel::AcquiredEntered, this, &CReportsPlan::EnterAcquired, Qt::QueuedConnection);
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
}

CReportGrid CReportsPlan::PlanGrid(const CReportRequest& request, std::vector<CAcquiredCell>& cells)
{
    m_grouped = m_groupAction && m_groupAction->isChecked();
    m_plan = ComputePlan(*request.db, *request.order,
                         SelectedItems(*request.order, request.selection), request.profile);
    m_groups = m_grouped ? GroupByLocation(*request.db, m_plan) : std::vector<CLocationGroup>();
    CReportGrid grid(PlanColumns);
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
    if (!m_compare)
    {
        m_compare = new QDialog(&m_window);
        m_compare->setWindowTitle(Tr(Messages::CompareCharactersTitle));
        auto* layout = new QVBoxLayout(m_compare);
        m_compareGrid = new CGridView(m_compare);
        m_compareModel = new CReportModel(m_app.Order(), m_compare);
        m_compareGrid->setModel(m_compareModel);
        m_compareGrid->SetBackColourKey("GRID_REPORTBACKCOLOUR");
        m_compareGrid->SetLineColourKeys("GRID_REPORTLINECOLOUR_LIGHT",
                                         "GRID_REPORTLINECOLOUR_DARK");
        layout->addWidget(m_compareGrid, 1);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_compare);
        connect(buttons, &QDialogButtonBox::rejected, m_compare, &QDialog::reject);
        layout->addWidget(buttons);
    }
    const COrder& order = m_app.Order();
    const std::vector<const CProfile*> profiles = ComparedProfiles(m_app.Profiles());
    const CComparison comparison = ComparePlans(
        m_app.Database(), order, SelectedItems(order, m_app.OrderSelection()), profiles);
    CReportGrid report(1 + static_cast<int>(profiles.size()));
    AddCompareRows(report, comparison);
    m_compareGrid->ApplyTheme(m_app.Theme());
    m_compareModel->ShowGrid(std::move(report));
    m_compareGrid->resizeColumnsToContents();
    int width = 0;
    for (int col = 0; col < m_compareModel->columnCount(); ++col)
    {
        m_compareGrid->setColumnWidth(col, std::max(m_compareGrid->columnWidth(col) + 12, col == 0 ? 180 : 90));
        width += m_compareGrid->columnWidth(col);
    }
    const QRect screen =
        m_window.screen() ? m_window.screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    const int height = (m_compareModel->rowCount() + 1) * m_compareGrid->LineHeight() + 90;
    m_compare->resize(std::min(width + 40, screen.width() - 40),
                      std::clamp(height, 200, screen.height() - 80));
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}
