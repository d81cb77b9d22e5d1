#include "ui/order/ReportsPlan.h"

#include "UiFixture.h"
#include "ViewText.h"
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
#include "ui/order/ReportModel.h"
#include "ui/widgets/GridView.h"

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

// The heading and the cells a grid shows, a line per row.
QString Shown(const CGridView& grid)
{
    QStringList heading;
    for (int col = 0; col < grid.model()->columnCount(); ++col)
        heading << Heading(&grid, col);
    return (QStringList{heading.join(QLatin1Char('|'))} + RowTexts(&grid)).join(QLatin1Char('\n')) + QLatin1Char('\n');
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
    CGridView* grid = w.reports->Grid();
    CReportModel* model = w.reports->Model();
    CReportGrid expected(PlanColumns);
    const CPlan before = w.Expected();
    AddPlanRows(expected, before);
    QCOMPARE(Q(ReportGridText(w.reports->ShownGrid())), Q(ReportGridText(expected)));
    QCOMPARE(Shown(*grid), Shown(expected));
    QVERIFY(!before.crafts.empty() && !before.gathers.empty());
    // Columns past the third take the third's theme colours (the dark theme has no others).
    w.app->Settings().CurrentTheme = "dark_slate.xml";
    QVERIFY(w.app->ReloadTheme());
    w.reports->ApplyTheme(); // the rows take the new colours, their acquired cells still editable
    const auto colour = [&](int column, int role) { return model->index(0, column).data(role).value<QBrush>().color(); };
    QCOMPARE(colour(6, Qt::BackgroundRole), QColor(0x23, 0x27, 0x2c));
    QCOMPARE(colour(6, Qt::ForegroundRole), colour(2, Qt::ForegroundRole));
    const std::string name = before.gathers.front().name;
    w.app->Order().acquired.erase(name);
    w.app->Order().modified = false;

    // Typed into the acquired cell of the first gather row (just below the gather heading).
    int row = 0;
    while (row < model->rowCount() && !(model->AcquiredCellOf(row) && model->AcquiredCellOf(row)->name == name))
        ++row;
    QVERIFY(row < model->rowCount());
    QVERIFY(model->index(row, 2).flags() & Qt::ItemIsEditable);
    QVERIFY(!(model->index(row, 1).flags() & Qt::ItemIsEditable));
    grid->setFocus();
    grid->setCurrentIndex(model->index(row, 2));
    grid->edit(model->index(row, 2));
    auto* editor = grid->findChild<QLineEdit*>();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("0"));
    QTest::keyClicks(editor, QStringLiteral("3"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(Q(w.app->Order().acquired[name]), QStringLiteral("3"));
    QVERIFY(w.app->Order().modified);
    auto* orderWindow = static_cast<COrderWindow*>(w.toolbar->Window(EToolWindow::Order));
    QVERIFY(orderWindow->windowTitle().endsWith(QStringLiteral("*")));
    QCOMPARE(Cell(grid, row, 2), QStringLiteral("3"));
    QCOMPARE(grid->currentIndex().row(), row);

    // "Mark Acquired as Done" (Ctrl+D) sets it to the need; 0 removes the entry.
    QAction* done = w.Action(QStringLiteral("Mark Acquired as Done"));
    QVERIFY(done);
    QCOMPARE(done->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
    done->trigger();
    QCOMPARE(Q(w.app->Order().acquired[name]), QString::number(before.gathers.front().need));
    QCOMPARE(Cell(grid, row, 3), QStringLiteral("0"));
    w.reports->Planning()->EnterAcquired(row, QStringLiteral("0"));
    QVERIFY(!w.app->Order().acquired.count(name));
    w.reports->Planning()->EnterAcquired(row, QStringLiteral("-4"));
    QVERIFY(!w.app->Order().acquired.count(name));

    // The rules' component rows take counts the same way.
    w.reports->ContentBox()->setCurrentIndex(ReportComponentsOnly);
    w.reports->Generate();
    const CReportGrid shown = w.reports->ShownGrid();
    QCOMPARE(Q(shown.Cell(0, 0)), QStringLiteral("Component Name"));
    w.reports->Planning()->EnterAcquired(0, QStringLiteral("2"));
    QCOMPARE(Q(w.app->Order().acquired[shown.Cell(1, 0)]), QStringLiteral("2"));
    QVERIFY(Cell(grid, 0, 2).startsWith(QStringLiteral("2/")));
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
    // The player is told where it went.
    CMessageBox::TakeLog();

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
    QCOMPARE(CMessageBox::TakeLog(), QStringList{QStringLiteral("The report was written to '%1'.").arg(Q(json.string()))});

    // The rules' contents write the report's records.
    w.reports->ContentBox()->setCurrentIndex(ReportOrderAndComponents);
    CFileDialog::SetNextFileName(Q(json.string()));
    w.reports->Generate();
    QCOMPARE(Q(ReadFileBytes(json)),
             Q(ReportJson(ReportTitle(w.app->Order(), w.app->OrderSelection()),
                          ReportRecords(w.reports->ShownReport()))));
    QVERIFY(ReadFileBytes(json).find("\"kind\": \"component\"") != std::string::npos);
    // The column the acquired counts are typed into is named so; the export keeps "Quantity".
    QStringList headings;
    for (const QString& row : RowTexts(w.reports->Grid()))
        if (row.startsWith(QStringLiteral("Component Name|")))
            headings << row;
    QCOMPARE(headings, QStringList{QStringLiteral("Component Name||Acquired/Quantity")});
    // Cancel writes nothing.
    std::filesystem::remove(json);
    CFileDialog::SetNextFileName(QString());
    CMessageBox::TakeLog();
    w.reports->Generate();
    QVERIFY(!std::filesystem::exists(json));
    QVERIFY(CMessageBox::TakeLog().isEmpty());
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
    CGridView* grid = w.reports->Planning()->ComparisonGrid();
    QCOMPARE(grid->model()->columnCount(), 3);
    QCOMPARE(Shown(*grid), Shown(expected));
    QVERIFY(Heading(grid, 1).contains(QLatin1Char(':')));
}

QTEST_MAIN(CReportsPlanTest)
#include "ReportsPlanTest.moc"
