#include "UiFixture.h"

#include "app/Messages.h"
#include "order/ClipboardText.h"
#include "order/HtmlExport.h"
#include "order/OrderWindowLogic.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "platform/QtSystemColours.h"
#include "order/GridColours.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/Application.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/GridWidget.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

namespace
{
QString Q(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The sample order, opened through the toolbar's command with its dialog answered.
struct COpenOrder
{
    COpenOrder()
    {
        app = fixture.MakeApp();
        app->Start(nullptr);
        RegisterOrderWindows();
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
        CFileDialog::SetNextFileName(Q((fixture.folder / "Orders/example_order.xml").string()));
        OrderCommands::OpenOrder(*app, toolbar.get());
    }
    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
};

COrderItem* ItemNamed(COrder& order, const std::string& name)
{
    for (const auto& item : order.items)
        if (item->itemName == name)
            return item.get();
    return nullptr;
}
} // namespace

class COrderWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { CMessageBox::SetScripted(true); }
    void TreeShowsGroupsAndItems();
    void EditingMarksTheCaptionAndReachesTheSavedFile();
    void DeleteAsksForTickedGroupsOnly();
    void ReportFillsTheGridWithThemeColours();
    void ReportExportsHtmlAndClipboard();
};

void COrderWindowsTest::TreeShowsGroupsAndItems()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    QTreeWidget* tree = window->Tree();
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Armoury"));
    QCOMPARE(tree->topLevelItem(1)->text(0), QStringLiteral("Apothecary Shelf"));
    QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("Gifts"));
    QCOMPARE(tree->topLevelItem(0)->childCount(), 3);

    COrder& order = open.app->Order();
    COrderItem* shield = ItemNamed(order, "Ruddite Kite Shield");
    QVERIFY(shield);
    const CFormula* formula = open.app->Database().FindFormula(shield->category, shield->formula);
    QVERIFY(formula);
    QCOMPARE(window->ItemEntry(shield->id)->text(0),
             QString::number(formula->batchQty * 3) + QStringLiteral(" x Ruddite Kite Shield"));
    const QString title = window->windowTitle();
    QVERIFY(title.endsWith(QStringLiteral("example_order.xml")));

    // Selecting shows the details; batches above the limit are set back.
    window->SelectItem(shield->id);
    QCOMPARE(window->BatchesEdit()->text(), QStringLiteral("3"));
    QCOMPARE(window->BatchesLabel()->text(),
             QStringLiteral("batches x %1 per batch = %2").arg(formula->batchQty).arg(formula->batchQty * 3));
    window->SetBatches(QStringLiteral("250000"));
    QCOMPARE(window->BatchesEdit()->text(), QStringLiteral("100000"));
    QCOMPARE(shield->batches, 100000);
    QCOMPARE(window->windowTitle(), title + QStringLiteral("*"));
    QCOMPARE(window->ItemEntry(shield->id)->text(0),
             QString::number(static_cast<long long>(formula->batchQty) * 100000) + QStringLiteral(" x Ruddite Kite Shield"));
    open.toolbar->close();
}

void COrderWindowsTest::EditingMarksTheCaptionAndReachesTheSavedFile()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    const std::filesystem::path before = open.fixture.folder / "Orders/before.xml";
    const std::filesystem::path after = open.fixture.folder / "Orders/after.xml";
    QCOMPARE(CFileDialog::PendingNames(), 0);
    QVERIFY(open.app->Order().Write(before, open.app->Database()));
    const std::string original = ReadFileBytes(before);

    COrder& order = open.app->Order();
    COrderItem* ring = ItemNamed(order, "Frostopal Ring");
    window->SelectItem(ring->id);
    window->SetBatches(QStringLiteral("7"));
    // Renaming a group in place: the replacements of "<", ">" and "&".
    QTreeWidgetItem* gifts = window->GroupEntry(QStringLiteral("Gifts"));
    gifts->setText(0, QStringLiteral("<Gifts & Tokens>"));
    QVERIFY(window->GroupEntry(QStringLiteral("[Gifts and Tokens]")));
    CTextPrompt::SetNextText(QStringLiteral("Spare"));
    window->NewGroup();
    QVERIFY(window->windowTitle().endsWith(QStringLiteral("*")));

    // Save As through the toolbar's command.
    CFileDialog::SetNextFileName(Q(after.string()));
    const auto actions = open.toolbar->findChildren<QAction*>();
    QAction* saveAs = nullptr;
    for (QAction* action : actions)
        if (action->text() == QStringLiteral("Save Order  &As..."))
            saveAs = action;
    QVERIFY(saveAs);
    saveAs->trigger();
    QCOMPARE(CFileDialog::PendingNames(), 0);
    QCOMPARE(window->windowTitle(), Q(after.string()));

    std::string expected = original;
    expected = Replace(expected, "\t\t<group>Gifts</group>\n", "\t\t<group>[Gifts and Tokens]</group>\n\t\t<group>Spare</group>\n");
    expected = Replace(expected,
                       "<item-name>Frostopal Ring</item-name>\n\t\t<item-group>Gifts</item-group>\n\t\t<item-formula>Ring</item-formula>\n\t\t<item-tierlvlname>Tier III</item-tierlvlname>\n\t\t<item-qty>2</item-qty>",
                       "<item-name>Frostopal Ring</item-name>\n\t\t<item-group>[Gifts and Tokens]</item-group>\n\t\t<item-formula>Ring</item-formula>\n\t\t<item-tierlvlname>Tier III</item-tierlvlname>\n\t\t<item-qty>7</item-qty>");
    expected = Replace(expected, "<item-name>Plain Spellbook</item-name>\n\t\t<item-group>Gifts</item-group>",
                       "<item-name>Plain Spellbook</item-name>\n\t\t<item-group>[Gifts and Tokens]</item-group>");
    QCOMPARE(Q(ReadFileBytes(after)), Q(expected));

    // Dragging an item to another group is saved too.
    window->MoveItem(ring->id, QStringLiteral("Spare"));
    QCOMPARE(ring->group, std::string("Spare"));
    QVERIFY(window->windowTitle().endsWith(QStringLiteral("*")));
    QCOMPARE(window->GroupEntry(QStringLiteral("Spare"))->childCount(), 1);
    open.toolbar->close();
}

void COrderWindowsTest::DeleteAsksForTickedGroupsOnly()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    COrder& order = open.app->Order();
    const int before = order.ItemCount();
    window->SetTicked(window->GroupEntry(QStringLiteral("Gifts")), true);
    window->SetTicked(window->ItemEntry(ItemNamed(order, "Ruddite Kite Shield")->id), true);
    CMessageBox::TakeLog();
    CMessageBox::SetNextAnswer(true);
    window->DeleteTicked();
    QCOMPARE(CMessageBox::TakeLog(), QStringList{QStringLiteral("Do you really want to delete the group 'Gifts'?")});
    QCOMPARE(order.ItemCount(), before - 3);
    QVERIFY(!window->GroupEntry(QStringLiteral("Gifts")));
    QVERIFY(!ItemNamed(order, "Ruddite Kite Shield"));
    QVERIFY(window->windowTitle().endsWith(QStringLiteral("*")));

    // The ticks choose what the reports cover.
    window->SelectNone();
    window->SetTicked(window->ItemEntry(ItemNamed(order, "Duskiron Longblade")->id), true);
    const COrderSelection ticked = open.app->OrderSelection();
    QCOMPARE(ticked.items.size(), std::size_t(1));
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->GenerateReport();
    QCOMPARE(reports->windowTitle(), QStringLiteral("Reports - 1 of %1 Selected").arg(order.ItemCount()));
    open.toolbar->close();
}

void COrderWindowsTest::ReportFillsTheGridWithThemeColours()
{
    COpenOrder open;
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->ContentBox()->setCurrentIndex(ReportOrderAndComponents);
    reports->FormatBox()->setCurrentIndex(0);
    reports->Generate();

    CReportRequest request;
    request.db = &open.app->Database();
    request.order = &open.app->Order();
    request.profile = open.app->Profiles().current;
    CReportGrid expected(3);
    GenerateReport(expected, request);
    CGridWidget* grid = reports->Grid();
    QCOMPARE(grid->Rows(), expected.RowCount());
    QVERIFY(grid->Rows() > 3);
    for (int row = 0; row < expected.RowCount(); ++row)
        for (int col = 0; col < 3; ++col)
            QCOMPARE(Q(grid->TextMatrix(row, col)), Q(expected.Cell(row, col)));
    // Every cell takes its colours from the theme by the row's kind.
    for (int row = 0; row < expected.RowCount(); ++row)
    {
        const CCellColourKeys keys = GridCellColourKeys(expected.Kind(row), 0);
        if (!keys.background.empty())
            QCOMPARE(grid->item(row, 0)->background().color(),
                     ColourFromTheme(open.app->Theme().ThemeColour(keys.background)));
        if (row > 0)
            QCOMPARE(grid->rowHeight(row), expected.Row(row).lines * grid->LineHeight());
    }
    QCOMPARE(reports->windowTitle(), QStringLiteral("Reports - %1 of %1 Selected").arg(open.app->Order().ItemCount()));
    // The content and format choices persist.
    reports->ContentBox()->setCurrentIndex(ReportBonuses);
    QCOMPARE(open.app->Settings().ShowReportMode, 3);
    open.toolbar->close();
}

void COrderWindowsTest::ReportExportsHtmlAndClipboard()
{
    COpenOrder open;
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->ContentBox()->setCurrentIndex(ReportOrderAndComponents);
    reports->FormatBox()->setCurrentIndex(1);
    reports->Generate();
    QCOMPARE(open.app->Settings().ReportType, 1);
    const std::filesystem::path page = open.fixture.folder / "Temp/order.htm";
    const CReportGrid shown = reports->GridContents();
    QCOMPARE(Q(ReadFileBytes(page)), Q(HtmlReportText(shown, ReportOrderAndComponents)));
    QVERIFY(ReadFileBytes(page).starts_with("<head> <title>Craft Order HTML Export</title></head>\n<body>\n"));
    QCOMPARE(open.fixture.links.opened, std::vector<std::string>{page.string()});

    reports->ContentBox()->setCurrentIndex(ReportOrderOnly);
    reports->FormatBox()->setCurrentIndex(2);
    reports->Generate();
    const QString text = QGuiApplication::clipboard()->text();
    QCOMPARE(text, Q(CopyReportText(reports->GridContents(), ReportOrderOnly)));
    // "2 x Duskiron Longblade (Keen Edge III, Runed Hilt II), " and a line break first.
    QVERIFY(text.startsWith(QStringLiteral("2 x Duskiron Longblade (")));
    QVERIFY(text.contains(QStringLiteral("\r\n")));

    // The order window's copy: every ticked item as "N x product (techniques)".
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    window->SelectAll();
    window->CopyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             Q(OrderClipboardText(open.app->Order(), open.app->Database(), window->Ticked())));
    QVERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral("\r\n")));
    open.toolbar->close();
}

QTEST_MAIN(COrderWindowsTest)
#include "OrderWindowsTest.moc"
