#include "ui/order/ReportsPlan.h"

#include "UiFixture.h"
#include "order/AcquiredEdit.h"
#include "order/Plan.h"
#include "order/PlanExport.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/ReportRecords.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/GridWidget.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QtTest>

namespace
{
QString Q(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The cells a grid widget shows, a line per row.
QString Shown(const CGridWidget& grid)
{
    QString text;
    for (int row = 0; row < grid.Rows(); ++row)
    {
        for (int col = 0; col < grid.Cols(); ++col)
            text += (col ? QStringLiteral("|") : QString()) + Q(grid.TextMatrix(row, col));
        text += QLatin1Char('\n');
    }
    return text;
}

// The same for computed cells.
QString Shown(const CReportGrid& grid)
{
    QString text;
    for (const CGridRow& row : grid.Rows())
    {
        for (std::size_t col = 0; col < row.cells.size(); ++col)
            text += (col ? QStringLiteral("|") : QString()) + Q(row.cells[col]);
        text += QLatin1Char('\n');
    }
    return text;
}

// The sample order opened through the toolbar's command, the reports window on the plan.
struct CPlanWindow
{
    CPlanWindow()
    {
        app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
        CFileDialog::SetNextFileName(Q((fixture.folder / "Orders/example_order.xml").string()));
        OrderCommands::OpenOrder(*app, toolbar.get());
        reports = static_cast<CReportsWindow*>(toolbar->Window(EToolWindow::Reports));
        reports->ContentBox()->setCurrentIndex(ReportPlan);
        reports->FormatBox()->setCurrentIndex(0);
        reports->Generate();
    }
    ~CPlanWindow() { toolbar->close(); }

    CPlan Expected() const
    {
        COrder& order = app->Order();
        return ComputePlan(app->Database(), order, SelectedItems(order, app->OrderSelection()),
                           app->Profiles().current);
    }

    QAction* Action(const QString& text) const
    {
        for (QAction* action : reports->findChildren<QAction*>())
            if (action->text() == text)
                return action;
        return nullptr;
    }

    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
    CReportsWindow* reports = nullptr;
};
} // namespace

class CReportsPlanTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CMessageBox::SetScripted(true); }
    void AcquiredCountsAreEnteredInTheGrid();
    void ExportsWriteTheCommandLinesBytes();
    void ComparisonShowsEveryCharacter();
};

void CReportsPlanTest::AcquiredCountsAreEnteredInTheGrid()
{
    CPlanWindow w;
    CGridWidget* grid = w.reports->Grid();
    CReportGrid expected(PlanColumns);
    const CPlan before = w.Expected();
    AddPlanRows(expected, before);
    QCOMPARE(Q(ReportGridText(w.reports->ShownGrid())), Q(ReportGridText(expected)));
    QCOMPARE(Shown(*grid), Shown(expected));
    QVERIFY(!before.crafts.empty() && !before.gathers.empty());
    // Columns past the third take the third's theme colours (the dark theme has no others).
    w.app->Settings().CurrentTheme = "dark_slate.xml";
    QVERIFY(w.app->ReloadTheme());
    w.reports->ApplyTheme(); // the rows shown again, their acquired cells still editable
    QCOMPARE(grid->item(1, 6)->background().color(), QColor(0x23, 0x27, 0x2c));
    QCOMPARE(grid->item(1, 6)->foreground().color(), grid->item(1, 2)->foreground().color());
    const std::string name = before.gathers.front().name;
    w.app->Order().acquired.erase(name);
    w.app->Order().modified = false;

    // Typed into the acquired cell of the first gather row (just below the gather heading).
    const std::vector<CAcquiredCell> cells = w.reports->Planning()->Cells();
    const auto cell = std::find_if(cells.begin(), cells.end(),
                                   [&](const CAcquiredCell& c) { return c.name == name; });
    QVERIFY(cell != cells.end());
    QVERIFY(grid->item(cell->row, 2)->flags() & Qt::ItemIsEditable);
    QVERIFY(!(grid->item(cell->row, 1)->flags() & Qt::ItemIsEditable));
    grid->setFocus();
    grid->setCurrentCell(cell->row, 2);
    grid->edit(grid->model()->index(cell->row, 2));
    auto* editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("0"));
    QTest::keyClicks(editor, QStringLiteral("3"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(Q(w.app->Order().acquired[name]), QStringLiteral("3"));
    QVERIFY(w.app->Order().modified);
    auto* orderWindow = static_cast<COrderWindow*>(w.toolbar->Window(EToolWindow::Order));
    QVERIFY(orderWindow->windowTitle().endsWith(QStringLiteral("*")));
    QCOMPARE(Q(grid->TextMatrix(cell->row, 2)), QStringLiteral("3"));
    QCOMPARE(grid->currentRow(), cell->row);

    // "Mark Acquired as Done" (Ctrl+D) sets it to the need; 0 removes the entry.
    QAction* done = w.Action(QStringLiteral("Mark Acquired as Done"));
    QVERIFY(done);
    QCOMPARE(done->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    done->trigger();
    QCOMPARE(Q(w.app->Order().acquired[name]), QString::number(before.gathers.front().need));
    QCOMPARE(Q(grid->TextMatrix(cell->row, 3)), QStringLiteral("0"));
    w.reports->Planning()->EnterAcquired(cell->row, QStringLiteral("0"));
    QVERIFY(!w.app->Order().acquired.count(name));
    w.reports->Planning()->EnterAcquired(cell->row, QStringLiteral("-4"));
    QVERIFY(!w.app->Order().acquired.count(name));

    // The rules' component rows take counts the same way.
    w.reports->ContentBox()->setCurrentIndex(ReportComponentsOnly);
    w.reports->Generate();
    const CReportGrid shown = w.reports->ShownGrid();
    QCOMPARE(Q(shown.Cell(0, 0)), QStringLiteral("Component Name"));
    w.reports->Planning()->EnterAcquired(1, QStringLiteral("2"));
    QCOMPARE(Q(w.app->Order().acquired[shown.Cell(1, 0)]), QStringLiteral("2"));
    QVERIFY(grid->TextMatrix(1, 2).starts_with("2/"));
}

void CReportsPlanTest::ExportsWriteTheCommandLinesBytes()
{
    CPlanWindow w;
    QCOMPARE(w.reports->FormatBox()->itemText(3), QStringLiteral("CSV"));
    QCOMPARE(w.reports->FormatBox()->itemText(4), QStringLiteral("JSON"));
    QCOMPARE(w.reports->ContentBox()->itemText(4), QStringLiteral("Plan"));
    const std::filesystem::path csv = w.fixture.folder / "plan.csv";
    w.reports->FormatBox()->setCurrentIndex(CReportsPlan::FormatCsv);
    CFileDialog::SetNextFileName(Q(csv.string()));
    w.reports->Generate();
    QCOMPARE(Q(ReadFileBytes(csv)), Q(PlanCsv(w.Expected())));

    // Grouped by location, as JSON.
    w.Action(QStringLiteral("Group Gathering by Location"))->setChecked(true);
    QCOMPARE(Q(w.reports->ShownGrid().Cell(3, 4)).isEmpty(), false);
    const std::filesystem::path json = w.fixture.folder / "plan.json";
    w.reports->FormatBox()->setCurrentIndex(CReportsPlan::FormatJson);
    CFileDialog::SetNextFileName(Q(json.string()));
    w.reports->Generate();
    const CPlan plan = w.Expected();
    const std::vector<CLocationGroup> groups = GroupByLocation(w.app->Database(), plan);
    QCOMPARE(Q(ReadFileBytes(json)), Q(PlanJson(plan, &groups)));

    // The rules' contents write the report's records.
    w.reports->ContentBox()->setCurrentIndex(ReportOrderAndComponents);
    CFileDialog::SetNextFileName(Q(json.string()));
    w.reports->Generate();
    QCOMPARE(Q(ReadFileBytes(json)),
             Q(ReportJson(ReportTitle(w.app->Order(), w.app->OrderSelection()),
                          ReportRecords(w.reports->ShownReport()))));
    QVERIFY(ReadFileBytes(json).find("\"kind\": \"component\"") != std::string::npos);
    // Cancel writes nothing.
    std::filesystem::remove(json);
    CFileDialog::SetNextFileName(QString());
    w.reports->Generate();
    QVERIFY(!std::filesystem::exists(json));
}

void CReportsPlanTest::ComparisonShowsEveryCharacter()
{
    CPlanWindow w;
    w.Action(QStringLiteral("Compare Characters..."))->trigger();
    QDialog* dialog = w.reports->Planning()->ComparisonDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Compare Characters"));
    const std::vector<const CProfile*> profiles = ComparedProfiles(w.app->Profiles());
    QCOMPARE(profiles.size(), std::size_t(2)); // Journeyman and Ysolde; not the template
    CReportGrid expected(3);
    COrder& order = w.app->Order();
    AddCompareRows(expected,
                   ComparePlans(w.app->Database(), order, SelectedItems(order, {}), profiles));
    CGridWidget* grid = w.reports->Planning()->ComparisonGrid();
    QCOMPARE(grid->Cols(), 3);
    QCOMPARE(grid->Rows(), expected.RowCount());
    for (int row = 0; row < expected.RowCount(); ++row)
        for (int col = 0; col < 3; ++col)
            QCOMPARE(Q(grid->TextMatrix(row, col)), Q(expected.Cell(row, col)));
    QVERIFY(grid->TextMatrix(0, 1).find(':') != std::string::npos);
}

QTEST_MAIN(CReportsPlanTest)
#include "ReportsPlanTest.moc"
