#include "UiFixture.h"
#include "ViewText.h"

#include "base/Messages.h"
#include "browsers/WorkingItem.h"
#include "order/ClipboardText.h"
#include "order/GridColours.h"
#include "order/HtmlExport.h"
#include "order/OrderWindowLogic.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "platform/QtSystemColours.h"
#include "profile/Profile.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/QtText.h"
#include "ui/shell/PrintDialog.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/order/OrderModel.h"
#include "ui/order/ReportModel.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/widgets/GridView.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QScreen>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include "ui/widgets/ThemedTree.h"

#include <QMimeData>
#include <QApplication>
#include <QTimer>
#include <QMenu>
#include <QRegularExpression>
#include <QPushButton>
#include <QTreeView>
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

// The grid's texts, row by row, cells joined with "|".
QStringList GridTexts(const CReportGrid& grid)
{
    QStringList rows;
    for (int row = 0; row < grid.RowCount(); ++row)
        rows << Q(grid.Cell(row, 0) + "|" + grid.Cell(row, 1) + "|" + grid.Cell(row, 2));
    // The window names the column the acquired counts are typed into.
    rows.replaceInStrings(QRegularExpression(QStringLiteral("^Component Name\\|\\|Quantity$")),
                          QStringLiteral("Component Name||Acquired/Quantity"));
    return rows;
}

// The texts the grid shows, the same way: its heading, then its rows.
QStringList GridTexts(const CGridView& grid)
{
    const QString bar = QStringLiteral("|");
    return QStringList{Heading(&grid, 0) + bar + Heading(&grid, 1) + bar + Heading(&grid, 2)} + RowTexts(&grid);
}

// The report the window's choices give for the order and profile as they are now.
QStringList FreshReport(CAppContext& app, CReportsWindow& reports)
{
    CReportRequest request;
    request.db = &app.Database();
    request.order = &app.Order();
    request.selection = app.OrderSelection();
    request.profile = app.Profiles().current;
    request.content = static_cast<EReportContent>(reports.ContentBox()->currentIndex());
    return GridTexts(ReportGridOf(GenerateReport(request)));
}

QPushButton* Button(QWidget* window, const QString& text)
{
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
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
    void AGroupTickTicksItsItems();
    void TheBatchesBoxShowsTheValueInUse();
    void OpenReportsFollowTheOrderAndTheProfile();
    void AlignTiersSaysWhatItDidAndTheBrowserFollows();
    void HtmlWithoutABrowserAndPrinting();
    void NamesShowAsTypedAndLongOnesAreCut();
    void GenerateShowsTheBusyCursor();
    void ButtonsExplainAndARightClickOffersTheEditMenu();
};

void COrderWindowsTest::TreeShowsGroupsAndItems()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    QTreeView* tree = window->Tree();
    QCOMPARE(RowCount(tree), 3);
    QCOMPARE(Cell(tree, 0), QStringLiteral("Armoury"));
    QCOMPARE(Cell(tree, 1), QStringLiteral("Apothecary Shelf"));
    QCOMPARE(Cell(tree, 2), QStringLiteral("Gifts"));
    QCOMPARE(RowCount(tree, Entry(tree, {0})), 3);

    COrder& order = open.app->Order();
    COrderItem* shield = ItemNamed(order, "Ruddite Kite Shield");
    QVERIFY(shield);
    const CFormula* formula = open.app->Database().FindFormula(shield->category, shield->formula);
    QVERIFY(formula);
    QCOMPARE(window->ItemEntry(shield->id).data().toString(),
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
    QCOMPARE(window->ItemEntry(shield->id).data().toString(),
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
    QVERIFY(window->Tree()->model()->setData(window->GroupEntry(QStringLiteral("Gifts")),
                                             QStringLiteral("<Gifts & Tokens>")));
    QVERIFY(window->GroupEntry(QStringLiteral("[Gifts and Tokens]")).isValid());
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

    // Dragging an item to another group (dropped on the group, or on an item of it) is saved
    // too, as one step of the history.
    COrderModel& model = window->Model();
    std::unique_ptr<QMimeData> dragged(model.mimeData({window->ItemEntry(ring->id)}));
    QVERIFY(dragged);
    QVERIFY(model.dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, window->GroupEntry(QStringLiteral("Spare"))));
    QCOMPARE(ring->group, std::string("Spare"));
    QVERIFY(window->windowTitle().endsWith(QStringLiteral("*")));
    QCOMPARE(RowCount(window->Tree(), window->GroupEntry(QStringLiteral("Spare"))), 1);
    QCOMPARE(open.app->History().UndoText(), std::string("Undo Move Item"));
    dragged.reset(model.mimeData({window->ItemEntry(ring->id)}));
    const QModelIndex blade = window->ItemEntry(ItemNamed(order, "Duskiron Longblade")->id);
    QVERIFY(model.dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, blade));
    QCOMPARE(ring->group, std::string("Armoury"));
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
    QVERIFY(!window->GroupEntry(QStringLiteral("Gifts")).isValid());
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
    const CReportGrid expected = ReportGridOf(GenerateReport(request));
    CGridView* grid = reports->Grid();
    QCOMPARE(GridTexts(*grid), GridTexts(expected));
    QVERIFY(expected.RowCount() > 3);
    // Every cell takes its colours from the theme by the row's kind; the heading is the header.
    for (int row = 0; row < expected.RowCount(); ++row)
        for (int col = 0; col < 3; ++col)
        {
            const CCellColourKeys keys = GridCellColourKeys(expected.Kind(row), col);
            const QVariant background = row == 0 ? grid->model()->headerData(col, Qt::Horizontal, Qt::BackgroundRole)
                                                 : grid->model()->index(row - 1, col).data(Qt::BackgroundRole);
            QCOMPARE(background.value<QBrush>().color(), ColourFromTheme(open.app->Theme().ThemeColour(keys.background)));
            if (row > 0)
                QCOMPARE(grid->rowHeight(row - 1), expected.Row(row).lines * grid->LineHeight());
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
    QCOMPARE(Q(ReadFileBytes(page)), Q(HtmlReportText(reports->ShownReport())));
    QVERIFY(ReadFileBytes(page).starts_with("<head> <title>Craft Order HTML Export</title></head>\n<body>\n"));
    QCOMPARE(open.fixture.links.opened, std::vector<std::string>{page.string()});

    reports->ContentBox()->setCurrentIndex(ReportOrderOnly);
    reports->FormatBox()->setCurrentIndex(2);
    reports->Generate();
    const QString text = QGuiApplication::clipboard()->text();
    QCOMPARE(text, Q(CopyReportText(reports->ShownReport())));
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

void COrderWindowsTest::AGroupTickTicksItsItems()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    const QModelIndex gifts = window->GroupEntry(QStringLiteral("Gifts"));
    const auto state = [](const QModelIndex& entry) { return entry.data(Qt::CheckStateRole).toInt(); };
    window->SetTicked(gifts, true);
    QCOMPARE(state(gifts.model()->index(0, 0, gifts)), int(Qt::Checked));
    QCOMPARE(state(gifts.model()->index(1, 0, gifts)), int(Qt::Checked));
    window->SetTicked(gifts.model()->index(1, 0, gifts), false);
    QCOMPARE(state(gifts), int(Qt::PartiallyChecked));
    window->SetTicked(gifts.model()->index(1, 0, gifts), true);
    QCOMPARE(state(gifts), int(Qt::Checked));

    // The copy and the reports cover the same two items.
    Button(window, QStringLiteral("Copy To Clipboard"))->click();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("2 x Frostopal Ring (Opal Setting II, Filigree I),\r\n1 x Plain Spellbook (Emberbrand I)\r\n"));
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->GenerateReport();
    QCOMPARE(reports->windowTitle(), QStringLiteral("Reports - 2 of 7 Selected"));
    open.toolbar->close();
}

void COrderWindowsTest::TheBatchesBoxShowsTheValueInUse()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    COrderItem* ring = ItemNamed(open.app->Order(), "Frostopal Ring");
    window->SelectItem(ring->id);
    QLineEdit* box = window->BatchesEdit();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("abc"));
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(ring->batches, 1);
    QTest::keyClicks(box, QStringLiteral("2x"));
    QCOMPARE(box->text(), QStringLiteral("12"));
    QCOMPARE(ring->batches, 12);
    // Emptied while typing, then left: the box shows the batches kept.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString());
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(ring->batches, 1);
    open.toolbar->close();
}

void COrderWindowsTest::OpenReportsFollowTheOrderAndTheProfile()
{
    COpenOrder open;
    CAppContext& app = *open.app;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->FormatBox()->setCurrentIndex(0);
    open.toolbar->ShowWindow(EToolWindow::Reports);
    const QStringList first = GridTexts(*reports->Grid());
    QVERIFY(first.contains(QStringLiteral("Frostopal Ring|2|Opal Setting II")));

    // An edit in the order window.
    window->SelectItem(ItemNamed(app.Order(), "Frostopal Ring")->id);
    window->SetBatches(QStringLiteral("9"));
    QVERIFY(GridTexts(*reports->Grid()).contains(QStringLiteral("Frostopal Ring|9|Opal Setting II")));
    QCOMPARE(GridTexts(*reports->Grid()), FreshReport(app, *reports));

    // Open Order: the file's two batches again.
    CFileDialog::SetNextFileName(Q((open.fixture.folder / "Orders/example_order.xml").string()));
    OrderCommands::OpenOrder(app, open.toolbar.get());
    QCOMPARE(GridTexts(*reports->Grid()), first);

    // The current profile's skills change the quantities.
    CProfile* profile = app.Profiles().current;
    QVERIFY(profile);
    for (CProfileValue& skill : profile->craftSkills)
        skill.value = 0;
    app.ProfilesChanged();
    QVERIFY(GridTexts(*reports->Grid()) != first);
    QCOMPARE(GridTexts(*reports->Grid()), FreshReport(app, *reports));
    open.toolbar->close();
}

void COrderWindowsTest::AlignTiersSaysWhatItDidAndTheBrowserFollows()
{
    COpenOrder open;
    COrder& order = open.app->Order();
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    QPushButton* align = Button(window, QStringLiteral("Align Tiers"));
    align->click();
    QCOMPARE(window->StatusLine()->text(), QStringLiteral("Select the item whose tier the ticked items take"));
    COrderItem* blade = ItemNamed(order, "Duskiron Longblade");
    window->SelectItem(blade->id);
    align->click();
    QCOMPARE(window->StatusLine()->text(), QStringLiteral("Tick the items that take the selected item's tier"));
    window->SetTicked(window->GroupEntry(QStringLiteral("Armoury")), true);
    align->click();
    QCOMPARE(window->StatusLine()->text(), QStringLiteral("No other ticked item is a Longblade"));
    Button(window, QStringLiteral("Copy"))->click();
    align->click();
    QCOMPARE(window->StatusLine()->text(), QStringLiteral("Every ticked Longblade is already Tier IV"));
    COrderItem* copy = order.FindItem(window->SelectedId());
    QVERIFY(copy != blade);
    copy->tierName = "Tier V";
    window->SelectItem(blade->id);
    order.modified = false;
    align->click();
    QCOMPARE(window->StatusLine()->text(), QStringLiteral("1 ticked Longblade set to Tier IV"));
    QCOMPARE(copy->tierName, std::string("Tier IV"));
    QVERIFY(order.modified);

    // A click on an item shows it in the open formula browser.
    open.toolbar->ShowWindow(EToolWindow::Formulae);
    auto* formulae = static_cast<CFormulaWindow*>(open.toolbar->Window(EToolWindow::Formulae));
    const COrderItem* shield = ItemNamed(order, "Ruddite Kite Shield");
    window->Tree()->setCurrentIndex(window->ItemEntry(shield->id));
    QCOMPARE(formulae->Working().item.id, shield->id);
    QCOMPARE(Cell(formulae->DetailsGrid(), 0, 1), QStringLiteral("Ruddite Kite Shield"));
    QCOMPARE(formulae->AddButton()->text(), QStringLiteral("Increase Qty"));
    open.toolbar->close();
}

void COrderWindowsTest::HtmlWithoutABrowserAndPrinting()
{
    COpenOrder open;
    open.fixture.links.opens = false;
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->FormatBox()->setCurrentIndex(1);
    CMessageBox::TakeLog();
    reports->Generate();
    const std::filesystem::path page = open.fixture.folder / "Temp/order.htm";
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("No browser could be opened to show the report.\nThe page was written to:\n%1")
                             .arg(Q(page.string()))});

    // Print...: the report, then the print dialog and the grid on paper (a PDF here).
    reports->FormatBox()->setCurrentIndex(0);
    const std::filesystem::path pdf = open.fixture.folder / "report.pdf";
    CPrintDialog::SetNextOutputFile(Q(pdf.string()));
    QAction* print = nullptr;
    for (QAction* action : open.toolbar->findChildren<QAction*>())
        if (action->text() == QStringLiteral("&Print..."))
            print = action;
    QVERIFY(print);
    print->trigger();
    QCOMPARE(CPrintDialog::PendingFiles(), 0);
    QVERIFY(reports->isVisible());
    // A PDF whose title (UTF-16 in the file) is the report's.
    const QByteArray bytes = QByteArray::fromStdString(ReadFileBytes(pdf));
    QVERIFY(bytes.startsWith("%PDF-"));
    QByteArray title("/Title (\xfe\xff");
    for (const QChar c : QStringLiteral("Reports - 7 of 7 Selected"))
        title.append(static_cast<char>(c.unicode() >> 8)).append(static_cast<char>(c.unicode() & 0xff));
    QVERIFY(bytes.contains(title + ")"));
    open.toolbar->close();
}

// "Align Tiers" and "Copy" had no tooltips; right-clicking an item did nothing.
void COrderWindowsTest::ButtonsExplainAndARightClickOffersTheEditMenu()
{
    COpenOrder open;
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    open.toolbar->ShowWindow(EToolWindow::Order);
    QCOMPARE(Button(window, QStringLiteral("Align Tiers"))->toolTip(),
             QStringLiteral("Gives the ticked items of the selected item's formula its tier"));
    QCOMPARE(Button(window, QStringLiteral("Copy"))->toolTip(),
             QStringLiteral("Adds a copy of the selected item to its group"));
    window->SelectItem(ItemNamed(open.app->Order(), "Frostopal Ring")->id);
    window->SetBatches(QStringLiteral("3"));
    QStringList offered;
    QTimer::singleShot(100, this, [&]
    {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
        {
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    offered << action->text().section(QLatin1Char('\t'), 0, 0);
            menu->close();
        }
    });
    CThemedTree* tree = window->Tree();
    const QPoint at = tree->visualRect(tree->currentIndex()).center();
    Q_EMIT tree->customContextMenuRequested(at);
    QCOMPARE(offered, (QStringList{QStringLiteral("Undo Set Batches"), QStringLiteral("Redo"),
                                   QStringLiteral("Paste List")}));
}

// Markup in a name is shown as typed, in the window's labels and in the questions; a name of
// 5,000 letters is cut in the window, whole in its tooltip, and the window stays on the screen.
void COrderWindowsTest::NamesShowAsTypedAndLongOnesAreCut()
{
    COpenOrder open;
    open.toolbar->ShowWindow(EToolWindow::Order);
    auto* window = static_cast<COrderWindow*>(open.toolbar->Window(EToolWindow::Order));
    COrder& order = open.app->Order();
    COrderItem* shield = ItemNamed(order, "Ruddite Kite Shield");
    QVERIFY(shield);
    const std::string formula = shield->formula;
    shield->formula = "<img src=\"/tmp/x.png\"> <b>Ring</b>";
    window->SelectItem(shield->id);
    QLabel* status = window->StatusLine();
    QCOMPARE(status->text(), QStringLiteral("<img src=\"/tmp/x.png\"> <b>Ring</b> - ") + Q(shield->tierName));
    QCOMPARE(status->textFormat(), Qt::PlainText);
    QCOMPARE(window->BatchesLabel()->textFormat(), Qt::PlainText);
    QCOMPARE(status->toolTip(), QString());

    // The question about an order named like a page heading.
    order.filePath = (open.fixture.folder / "Orders/<h1>Gifts<img src=x>.xml").string();
    order.modified = true;
    CMessageBox::SetScripted(false);
    QString shown = QStringLiteral("no box");
    Qt::TextFormat format = Qt::RichText;
    QTimer::singleShot(0, [&]
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shown = box->text();
        format = box->textFormat();
        box->button(QMessageBox::Cancel)->click();
    });
    QVERIFY(!OrderCommands::SaveChangesFirst(*open.app, window));
    CMessageBox::SetScripted(true);
    QCOMPARE(shown, QStringLiteral("Do you want to save the changes to the order '") + Q(order.filePath) +
                        QStringLiteral("'?"));
    QCOMPARE(format, Qt::PlainText);
    order.modified = false;

    const std::string longName(5000, 'W');
    shield->formula = longName;
    window->SelectItem(shield->id);
    QCoreApplication::processEvents();
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(window->frameGeometry().width() <= screen.width());
    QVERIFY(screen.contains(window->geometry()));
    QVERIFY(status->width() <= window->width());
    QVERIFY(status->text().endsWith(QChar(0x2026)));
    QVERIFY(status->text().size() < 1000);
    QCOMPARE(status->toolTip(), PlainToolTip(Q(longName + " - " + shield->tierName)));
    // The tree scrolls to a long name and tells it whole in the tooltip.
    shield->formula = formula;
    shield->itemName = "<b>" + longName;
    window->RefreshOrderTree();
    const QModelIndex entry = window->ItemEntry(shield->id);
    QCOMPARE(entry.data(Qt::ToolTipRole).toString(), PlainToolTip(entry.data().toString()));
    QVERIFY(entry.data().toString().contains(QStringLiteral(" x <b>WWWW")));
    open.toolbar->close();
}

// The report of a large order takes a while: the cursor says so while it is made, and only then.
void COrderWindowsTest::GenerateShowsTheBusyCursor()
{
    COpenOrder open;
    auto* reports = static_cast<CReportsWindow*>(open.toolbar->Window(EToolWindow::Reports));
    reports->ContentBox()->setCurrentIndex(ReportOrderAndComponents);
    reports->FormatBox()->setCurrentIndex(0);
    QList<int> shapes;
    connect(reports->Grid()->model(), &QAbstractItemModel::modelReset, reports,
            [&] { shapes << (QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : -1); });
    reports->Generate();
    QCOMPARE(shapes, QList<int>{Qt::WaitCursor});
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    open.toolbar->close();
}

QTEST_MAIN(COrderWindowsTest)
#include "OrderWindowsTest.moc"
