#include "ui/order/PricesWindow.h"

#include "UiFixture.h"
#include "order/ReportGrid.h"
#include "ui/MainWindows.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/ReportModel.h"
#include "ui/order/ReportsPlan.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/GridView.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

namespace
{
QString Q(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A grid's rows as "cell|cell|..." lines, the heading first.
QString Rows(const CReportGrid& grid)
{
    QString text;
    for (const CGridRow& row : grid.Rows())
    {
        QStringList cells;
        for (const std::string& cell : row.cells)
            cells << Q(cell);
        text += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
    }
    return text;
}

// The heading, the total and the rows of the names given, of a grid.
QString RowsOf(const CReportGrid& grid, const QStringList& names)
{
    QString text;
    for (const CGridRow& row : grid.Rows())
        if (row.kind == ReportRowKind::Heading || names.contains(Q(row.cells.front())) ||
            row.cells.front() == "Total")
        {
            QStringList cells;
            for (const std::string& cell : row.cells)
                cells << Q(cell);
            text += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
        }
    return text;
}

// The names a table shows, one per line.
QString Names(const QTableView& table)
{
    QStringList names;
    for (int row = 0; row < table.model()->rowCount(); ++row)
        names << table.model()->index(row, 0).data().toString() + QLatin1Char('=') +
                     table.model()->index(row, 1).data().toString();
    return names.join(QLatin1Char('\n'));
}

int RowOf(const QTableView& table, const QString& name)
{
    for (int row = 0; row < table.model()->rowCount(); ++row)
        if (table.model()->index(row, 0).data().toString() == name)
            return row;
    return -1;
}
} // namespace

class CPricesWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CMessageBox::SetScripted(true); }
    void EditImportExportAndThePlansTotal();
};

void CPricesWindowTest::EditImportExportAndThePlansTotal()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    CFileDialog::SetNextFileName(Q((fixture.folder / "Orders/example_order.xml").string()));
    OrderCommands::OpenOrder(*app, &toolbar);
    auto* reports = static_cast<CReportsWindow*>(toolbar.Window(EToolWindow::Reports));
    toolbar.ShowWindow(EToolWindow::Reports);
    reports->ContentBox()->setCurrentIndex(ReportPlan);
    reports->FormatBox()->setCurrentIndex(0);
    reports->Generate();
    // No Prices.csv: the plan without costs.
    QCOMPARE(reports->ShownGrid().Columns(), 8);

    // The toolbar's button opens the window; the reports' menu entry the same one.
    QTest::mouseClick(toolbar.PricesButton(), Qt::LeftButton);
    CPricesWindow* window = CPricesWindow::Existing();
    QVERIFY(window && window->isVisible());
    QAction* menuEntry = nullptr;
    for (QAction* action : reports->findChildren<QAction*>())
        if (action->text() == QStringLiteral("Prices..."))
            menuEntry = action;
    QVERIFY(menuEntry);
    menuEntry->trigger();
    QCOMPARE(CPricesWindow::Existing(), window);
    QTableView* table = window->Table();

    // Searched as typed: every word, any case.
    QTest::keyClicks(window->SearchBox(), QStringLiteral("LEATHER cave"));
    QCOMPARE(Names(*table), QStringLiteral("Cavebear Leather="));
    window->SearchBox()->clear();
    QVERIFY(table->model()->rowCount() > 100);

    // An edit in place saves the list and regenerates the open plan with its costs.
    const auto priceCell = [&]
    {
        return table->model()->index(RowOf(*table, QStringLiteral("Gall Ink")),
                                     CPriceModel::PriceColumn);
    };
    const QModelIndex cell = priceCell();
    QVERIFY(cell.isValid());
    table->setFocus();
    table->setCurrentIndex(cell);
    table->edit(cell);
    auto* editor = table->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("1.5"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(Q(ReadFileBytes(fixture.folder / "Prices.csv")),
                 QStringLiteral("name,price\nGall Ink,1.50\n"));
    const QStringList shown = {QStringLiteral("Gall Ink"), QStringLiteral("Cavebear Leather"),
                               QStringLiteral("Cavebear Hide")};
    // 8 Gall Ink at 1.50; the leather crafted at no cost from unpriced hides.
    const QString heading = QStringLiteral(
        "Craft|Need|Acquired|Remaining|Batches|Made|Leftover|Depth|Crafter|Unit Cost|Cost\n");
    const QString gatherHeading =
        QStringLiteral("Gather|Need|Acquired|Remaining||||Depth||Unit Cost|Cost\n");
    QCOMPARE(RowsOf(reports->ShownGrid(), shown),
             heading +
                 QStringLiteral("Cavebear Leather|8|0|8|8|8|0|2|Default:Journeyman|0.0000|\n") +
                 gatherHeading +
                 QStringLiteral("Cavebear Hide|24|0|24||||3|||0.00\n"
                                "Gall Ink|8|0|8||||1||1.5000|12.00\n"
                                "Total||||||||||12.00\n"));

    // What is not a price is refused, said, and changes nothing.
    QVERIFY(!table->model()->setData(priceCell(), QStringLiteral("1.")));
    QCoreApplication::processEvents();
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("Enter the price in coins, such as 12 or 3.50, or leave "
                                        "the cell empty for no price.")});

    // Import: the file's prices over the list's, its bad lines named.
    const std::filesystem::path import = fixture.folder.WriteFile(
        "import.csv", "\xEF\xBB\xBFname,price\nCavebear Hide,1\nGall Ink,2\nBogus,abc\n"
                      "Cavebear Leather,0.40\nGall Ink,1.25\nDuskiron Longblade,5\n");
    CFileDialog::SetNextFileName(Q(import.string()));
    window->Import();
    QCOMPARE(
        CMessageBox::TakeLog(),
        QStringList{
            QStringLiteral("Some lines of the price list were not used:\n") + Q(import.string()) +
            QStringLiteral(":4: 'abc' is not a price in coins (such as 12 or 3.50); skipped\n") +
            Q(import.string()) +
            QStringLiteral(":6: 'Gall Ink' was priced on line 3 too; the later price counts\n")});
    const QString imported =
        QStringLiteral("name,price\nCavebear Hide,1.00\nCavebear Leather,0.40\nDuskiron "
                       "Longblade,5.00\nGall Ink,1.25\n");
    QCOMPARE(Q(ReadFileBytes(fixture.folder / "Prices.csv")), imported);
    QCOMPARE(priceCell().data().toString(), QStringLiteral("1.25"));
    // Three hides a leather at 1.00 cost more than its 0.40: bought, and the hides are not needed.
    QCOMPARE(RowsOf(reports->ShownGrid(), shown),
             heading + QStringLiteral("Cavebear Leather|8|0|8||||2|(buy)|0.4000|3.20\n") +
                 gatherHeading +
                 QStringLiteral("Gall Ink|8|0|8||||1||1.2500|10.00\n"
                                "Total||||||||||13.20\n"));

    // Export writes the list; an emptied cell takes the price away.
    const std::filesystem::path exported = fixture.folder / "exported.csv";
    CFileDialog::SetNextFileName(Q(exported.string()));
    window->Export();
    QCOMPARE(Q(ReadFileBytes(exported)), imported);
    QVERIFY(table->model()->setData(priceCell(), QString()));
    QCOMPARE(
        Q(ReadFileBytes(fixture.folder / "Prices.csv")),
        QStringLiteral(
            "name,price\nCavebear Hide,1.00\nCavebear Leather,0.40\nDuskiron Longblade,5.00\n"));
    QCOMPARE(RowsOf(reports->ShownGrid(), {}).section(QLatin1Char('\n'), -2),
             QStringLiteral("Total||||||||||3.20\n"));

    // The margins and the comparison of characters at the same prices.
    reports->Planning()->ShowMargins();
    auto* margins = static_cast<CReportModel*>(reports->Planning()->MarginsGrid()->model());
    // The longblade's components cost 3.20 over the 2 made (8 at 0.40).
    QCOMPARE(Rows(margins->Grid()), QStringLiteral("Craft Item|Made|Unit Cost|Price|Margin\n"
                                                   "Duskiron Longblade|2|1.6000|5.00|3.4000\n"
                                                   "Tinbright Cuirass|1|0.0000||\n"
                                                   "Ruddite Kite Shield|3|0.0000||\n"
                                                   "Frostbloom Healing Draught|8|0.0000||\n"
                                                   "Ravenroot Clarity Elixir|1|0.0000||\n"
                                                   "Frostopal Ring|2|0.0000||\n"
                                                   "Plain Spellbook|1|0.0000||\n"));
    reports->Planning()->ShowComparison();
    auto* compare = static_cast<CReportModel*>(reports->Planning()->ComparisonGrid()->model());
    // Ysolde's straps take 3 leathers, bought at 0.40; the journeyman's 8.
    QCOMPARE(RowsOf(compare->Grid(), {QStringLiteral("Total Cost")}),
             QStringLiteral("Gather|Default:Journeyman|Amberlight:Ysolde\n"
                            "Total|1864|1027 *\n"
                            "Total Cost|3.20|1.20 *\n"
                            "Item|Default:Journeyman|Amberlight:Ysolde\n"));
    toolbar.close();
}

QTEST_MAIN(CPricesWindowTest)
#include "PricesWindowTest.moc"
