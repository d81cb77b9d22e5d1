#include "ui/order/ReportsWindow.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "database/Links.h"
#include "order/ClipboardText.h"
#include "order/HtmlExport.h"
#include "order/Report.h"
#include "ui/order/ReportModel.h"
#include "ui/order/ReportsPlan.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/BusyCursor.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/PrintDialog.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/GridView.h"

#include <QActionGroup>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QVBoxLayout>

#include <memory>

namespace
{
constexpr int FormatHtml = 1;
constexpr int FormatClipboard = 2;

int Bounded(int value, int count)
{
    return value >= 0 && value < count ? value : 0;
}

// The report as a printed page: the title, then the grid as a table under its heading row.
std::unique_ptr<QTextDocument> ReportDocument(const CReportGrid& grid, const QString& title)
{
    auto document = std::make_unique<QTextDocument>();
    document->setMetaInformation(QTextDocument::DocumentTitle, title);
    QTextCursor cursor(document.get());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(title, bold);
    if (grid.RowCount() == 0)
        return document;
    QTextTableFormat format;
    format.setCellPadding(3);
    format.setCellSpacing(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setHeaderRowCount(1);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 60),
                                      QTextLength(QTextLength::PercentageLength, 15),
                                      QTextLength(QTextLength::PercentageLength, 25)});
    cursor.movePosition(QTextCursor::End);
    QTextTable* table = cursor.insertTable(grid.RowCount(), grid.Columns(), format);
    for (int row = 0; row < grid.RowCount(); ++row)
        for (int col = 0; col < grid.Columns(); ++col)
        {
            QTextCursor cell = table->cellAt(row, col).firstCursorPosition();
            const bool heading = row == 0 || grid.Kind(row) == ReportRowKind::Heading;
            cell.insertText(Qs(grid.Cell(row, col)), heading ? bold : QTextCharFormat());
        }
    return document;
}
} // namespace

CReportsWindow::CReportsWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Reports, PlacementNameOf(EToolWindow::Reports), parent)
{
    CSettings& settings = App().Settings();
    QMenu* options = menuBar()->addMenu(Tr(Messages::MenuReportOptions));
    m_sortGroup = AddChoices(options->addMenu(Tr(Messages::MenuSortBy)), {Messages::MenuSortName, Messages::MenuSortQuantity},
                             m_sort, [this](int mode) { m_sort = static_cast<ESortMode>(mode); });
    AddChoices(options->addMenu(Tr(Messages::MenuBreakdown)),
               {Messages::MenuShowComponents, Messages::MenuShowSubcomponents, Messages::MenuShowBase},
               BreakdownModeOf(settings.ShowReportResourceMode),
               [this](int mode) { App().Settings().ShowReportResourceMode = mode; });
    AddChoices(options->addMenu(Tr(Messages::MenuBonuses)), {Messages::MenuDirectOnly, Messages::MenuIncludeIndirect},
               BonusModeOf(settings.ShowReportBonusMode),
               [this](int mode) { App().Settings().ShowReportBonusMode = mode; });
    AddStandardMenus(std::string(Messages::ReportHelp), std::string(LinkKeys::ReportWindow));

    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QVBoxLayout(client);
    auto* controls = new QHBoxLayout;
    m_content = new QComboBox(client);
    m_content->setAccessibleName(QStringLiteral("Report Content"));
    for (std::string_view text : {Messages::ReportContentAll, Messages::ReportContentOrder,
                                  Messages::ReportContentComponents, Messages::ReportContentBonuses,
                                  Messages::ReportContentPlan})
        m_content->addItem(Tr(text));
    m_format = new QComboBox(client);
    for (std::string_view text : {Messages::ReportFormatDirect, Messages::ReportFormatHtml, Messages::ReportFormatClipboard,
                                  Messages::ReportFormatCsv, Messages::ReportFormatJson})
        m_format->addItem(Tr(text));
    m_content->setCurrentIndex(Bounded(settings.ShowReportMode, 5));
    m_format->setCurrentIndex(Bounded(settings.ReportType, 5));
    m_generate = new QPushButton(Tr(Messages::ReportGenerate), client);
    controls->addWidget(m_content, 1);
    auto* formatLabel = new QLabel(Tr(Messages::ReportFormatLabel), client);
    formatLabel->setBuddy(m_format);
    controls->addWidget(formatLabel);
    controls->addWidget(m_format);
    controls->addWidget(m_generate);
    layout->addLayout(controls);

    m_grid = new CGridView(client);
    m_grid->setAccessibleName(QStringLiteral("Report"));
    m_model = new CReportModel(App().Order(), this);
    m_grid->setModel(m_model);
    m_grid->SetBackColourKey("GRID_REPORTBACKCOLOUR");
    m_grid->SetLineColourKeys("GRID_REPORTLINECOLOUR_LIGHT", "GRID_REPORTLINECOLOUR_DARK");
    m_grid->FitColumns();
    layout->addWidget(m_grid, 1);
    m_planning = new CReportsPlan(*this, App(), *m_grid, *m_model);
    m_planning->AddMenuEntries(options);

    connect(m_content, &QComboBox::currentIndexChanged, this, [this](int index) { App().Settings().ShowReportMode = index; });
    connect(m_format, &QComboBox::currentIndexChanged, this, [this](int index) { App().Settings().ReportType = index; });
    connect(m_generate, &QPushButton::clicked, this, &CReportsWindow::Generate);
    // The quantities follow the current profile's skills.
    connect(&App().Bus(), &CWindowBus::ProfilesChanged, this,
            [this](const void* from)
            {
                if (from != this)
                    RefreshIfOpen();
            });
    resize(420, 420);
    UpdateTitle();
}

QActionGroup* CReportsWindow::AddChoices(QMenu* menu, const std::vector<std::string_view>& texts, int checked,
                                         std::function<void(int)> chosen)
{
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (int i = 0; i < static_cast<int>(texts.size()); ++i)
    {
        QAction* action = menu->addAction(Tr(texts[static_cast<std::size_t>(i)]));
        action->setCheckable(true);
        action->setChecked(i == checked);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [chosen, i] { chosen(i); });
    }
    return group;
}

void CReportsWindow::SetSortMode(ESortMode mode)
{
    m_sort = mode == SortByQuantity ? SortByQuantity : SortByName;
    const auto actions = m_sortGroup->actions();
    actions[m_sort]->setChecked(true);
}

void CReportsWindow::UpdateTitle()
{
    setWindowTitle(Qs(ReportTitle(App().Order(), App().OrderSelection(), TrBytes(Messages::ReportsTitleFormat).c_str())));
}

void CReportsWindow::GenerateReport()
{
    const CBusyCursor busy;
    const CSettings& settings = App().Settings();
    CReportRequest request;
    request.db = &App().Database();
    request.order = &App().Order();
    request.selection = App().OrderSelection();
    request.profile = App().Profiles().current;
    request.content = static_cast<EReportContent>(m_content->currentIndex());
    request.breakdown = BreakdownModeOf(settings.ShowReportResourceMode);
    request.sort = m_sort;
    request.bonuses = BonusModeOf(settings.ShowReportBonusMode);

    if (request.content == ReportPlan)
    {
        std::vector<CAcquiredCell> cells;
        CReportGrid grid = m_planning->PlanGrid(request, cells);
        m_model->ShowGrid(std::move(grid), std::move(cells));
        // The plan's many columns get some air between them.
        for (int col = 0; col < m_model->columnCount(); ++col)
            m_grid->setColumnWidth(col, std::max(m_grid->columnWidth(col) + 12, col == 0 ? 200 : 60));
    }
    else
        m_model->ShowReport(::GenerateReport(request));
    m_generated = true;
    m_stale = false;
    UpdateTitle();
}

const CReport& CReportsWindow::ShownReport() const
{
    return m_model->Report();
}

CReportGrid CReportsWindow::ShownGrid() const
{
    return m_model->Grid();
}

void CReportsWindow::ExportHtml()
{
    const std::filesystem::path path = DataPaths::Join(App().DataFolder(), DataPaths::HtmlExport);
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    // An older page must not be shown as this report.
    const std::string page =
        ShownReport().content == ReportPlan ? PlanHtmlText(ShownGrid()) : HtmlReportText(ShownReport());
    if (!::ExportHtml(page, path))
    {
        CMessageBox::Show(this, TrFormat(Messages::HtmlNotWritten, path.string().c_str()),
                          CMessageBox::EIcon::Warning);
        return;
    }
    if (!App().Links().OpenUrl(path.string()))
        CMessageBox::Show(this, TrFormat(Messages::HtmlNotOpened, path.string().c_str()));
}

void CReportsWindow::PrintReport()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    if (!CPrintDialog::Exec(printer, this))
        return;
    ReportDocument(ShownGrid(), windowTitle())->print(&printer);
}

void CReportsWindow::CopyReportText()
{
    const std::string text =
        ShownReport().content == ReportPlan ? PlanClipboardText(ShownGrid()) : ::CopyReportText(ShownReport());
    QGuiApplication::clipboard()->setText(Qs(text));
}

void CReportsWindow::Generate()
{
    GenerateReport();
    if (m_format->currentIndex() == FormatHtml)
        ExportHtml();
    else if (m_format->currentIndex() == FormatClipboard)
        CopyReportText();
    else if (m_format->currentIndex() == CReportsPlan::FormatCsv || m_format->currentIndex() == CReportsPlan::FormatJson)
        m_planning->SaveExport(ShownReport(), m_format->currentIndex() == CReportsPlan::FormatJson);
}

void CReportsWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    m_grid->ApplyTheme(App().Theme());
}

void CReportsWindow::OrderChanged()
{
    UpdateTitle();
    RefreshIfOpen();
}

void CReportsWindow::RefreshIfOpen()
{
    // The grid only: the page and the clipboard are written when the player asks.
    if (isVisible())
        GenerateReport();
    else
        m_stale = m_generated;
}

void CReportsWindow::showEvent(QShowEvent* event)
{
    CToolWindow::showEvent(event);
    if (m_stale)
        GenerateReport();
}
