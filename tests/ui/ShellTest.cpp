#include "UiFixture.h"

#include "base/Messages.h"
#include "database/Loader.h"
#include "profile/ProfileFile.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderCommands.h"
#include "ui/order/OrderWindow.h"
#include "ui/MainWindows.h"
#include "ui/shell/Application.h"
#include "ui/shell/ConfigDialog.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/browsers/BrowserGrids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTreeView>
#include <QtTest>

namespace
{
QString Q(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

int XmlFileCount(const std::filesystem::path& data)
{
    int count = 0;
    for (const char* folder : {"Config/Crafts", "Config/Techs", "Config/Wizards"})
        count += static_cast<int>(DatabaseFiles(data / folder).size());
    return count;
}
} // namespace

class CShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void DataFolderFromTheCommandLine();
    void StartsFromXmlThenFromTheCache();
    void ToolbarCaptionsAndLabels();
    void DocksPairsOnWideScreensOnly();
    void DockedWindowFollowsTheToolbar();
    void AutodockOffRestoresAndDragsWithToolbar();
    void RecacheAsksAndReloadsOnYesOnly();
    void ConfigurationThemeChangeDoesNotRecache();
    void ConfigurationGameFolderChangeRemovesCache();
    void ThemeChangeRecoloursEveryWindowAtOnce();
    void TreesShowIconsAtTheChosenSize();
    void QuestionsKeepTheirOwnLineBreaks();
    void UnsavedOrderIsOfferedForSavingFirst();
    void ExitStopsWhenAProfileOrTheSettingsCannotBeSaved();
    void FileKeysWorkFromEveryWindow();
    void RecentOrdersNewestFirstMissingOnesDropped();
};

void CShellTest::DataFolderFromTheCommandLine()
{
    using EAction = CMoxaCommandLine::EAction;
    const struct
    {
        QStringList args;
        EAction action;
        std::optional<std::filesystem::path> folder;
        QString text;
    } cases[] = {
        {{}, EAction::Run, std::nullopt, {}},
        {{QStringLiteral("--data-dir"), QStringLiteral("/srv/moxa")}, EAction::Run, "/srv/moxa", {}},
        {{QStringLiteral("--data-dir=rel/dir")}, EAction::Run, "rel/dir", {}},
        {{QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("--data-dir"), QStringLiteral("x")},
         EAction::Run, "x", {}},
        {{QStringLiteral("--version")}, EAction::Version, std::nullopt, QStringLiteral("Moxa v2.27\n")},
        {{QStringLiteral("-V")}, EAction::Version, std::nullopt, QStringLiteral("Moxa v2.27\n")},
        {{QStringLiteral("--data-dir")}, EAction::Error, std::nullopt, QStringLiteral("Missing value after '--data-dir'.")},
        {{QStringLiteral("--data-dir=")}, EAction::Error, std::nullopt, QStringLiteral("--data-dir needs a folder.")},
        {{QStringLiteral("--colour")}, EAction::Error, std::nullopt, QStringLiteral("Unknown option 'colour'.")},
        {{QStringLiteral("a.xml"), QStringLiteral("b.xml")}, EAction::Error, std::nullopt,
         QStringLiteral("Unexpected argument 'b.xml'.")},
    };
    for (const auto& c : cases)
    {
        const CMoxaCommandLine line = ParseMoxaCommandLine(QStringList{QStringLiteral("moxa")} + c.args);
        QCOMPARE(line.action, c.action);
        QCOMPARE(line.dataFolder, c.folder);
        QCOMPARE(line.text, c.text);
    }
    // The file manager's %f: an order file beside the options, in any place.
    const CMoxaCommandLine order = ParseMoxaCommandLine(
        {QStringLiteral("moxa"), QStringLiteral("Orders/a b.xml"), QStringLiteral("--data-dir"), QStringLiteral("x")});
    QCOMPARE(order.action, EAction::Run);
    QCOMPARE(order.orderFile, std::optional<std::filesystem::path>("Orders/a b.xml"));
    QCOMPARE(order.dataFolder, std::optional<std::filesystem::path>("x"));
    const QString help = ParseMoxaCommandLine({QStringLiteral("moxa"), QStringLiteral("--help")}).text;
    QVERIFY2(help.startsWith(QStringLiteral("Usage: moxa [options] [ORDER.xml]\n")), qPrintable(help));
    QVERIFY2(help.contains(QStringLiteral("  --data-dir <DIR>")), qPrintable(help));
    QVERIFY2(!help.contains(QStringLiteral("platform")), qPrintable(help));
}

void CShellTest::StartsFromXmlThenFromTheCache()
{
    CUiFixture fixture;
    std::size_t formulae = 0;
    {
        auto app = fixture.MakeApp();
        CProgressWindow progress;
        QCOMPARE(app->Start(&progress), ELoadSource::Xml);
        // The window was shown for the rebuild and advanced once per file.
        QCOMPARE(progress.Runs(), 1);
        QCOMPARE(progress.Maximum(), XmlFileCount(fixture.folder.Path()));
        QCOMPARE(progress.Position(), progress.Maximum());
        QVERIFY(!progress.isVisible());
        QVERIFY(std::filesystem::exists(fixture.CacheFile()));
        QVERIFY(std::filesystem::exists(fixture.IconCacheFile()));
        formulae = app->Database().FormulaCount();
        QVERIFY(formulae > 0);
        QCOMPARE(progress.windowTitle(), Q(Messages::CachingInProgress));
    }
    auto app = fixture.MakeApp();
    CProgressWindow progress;
    QCOMPARE(app->Start(&progress), ELoadSource::Cache);
    QCOMPARE(progress.Runs(), 0);
    QCOMPARE(app->Database().FormulaCount(), formulae);
}

void CShellTest::ToolbarCaptionsAndLabels()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    app->Settings().DatabaseRevision = "2026-03-14";
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    QCOMPARE(toolbar.windowTitle(), QStringLiteral("Moxa"));
    QCOMPARE(toolbar.VersionLabel()->text(), QStringLiteral("Moxa v2.27"));
    QCOMPARE(toolbar.DatabaseLabel()->text(), QStringLiteral("DB: 2026-03-14"));
    QVERIFY(toolbar.DatabaseLabel()->isVisible());
    toolbar.SetVertical(false);
    QCOMPARE(toolbar.windowTitle(), QStringLiteral("Moxa v2.27 (Database Revision: 2026-03-14)"));
    QVERIFY(!toolbar.DatabaseLabel()->isVisible());
    app->Settings().DatabaseRevision.clear();
    toolbar.SetVertical(true);
    QCOMPARE(toolbar.DatabaseLabel()->text(), QStringLiteral("DB: Default"));
    QCOMPARE(toolbar.Button(EToolWindow::Order)->toolTip(),
             QStringLiteral("Toggles the display of items associated with this order (F1)"));
    QCOMPARE(toolbar.UpdateButton()->toolTip(), QStringLiteral("Performs a Live Update on the database (F7)"));
    // Tool windows do not exist until first used.
    for (int i = 0; i < ToolWindowCount; ++i)
        QVERIFY(!toolbar.ExistingWindow(static_cast<EToolWindow>(i)));
    toolbar.close();
}

void CShellTest::DocksPairsOnWideScreensOnly()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    CToolbarWindow toolbar(*app);
    toolbar.SetWorkAreaOverride(CDockRect{0, 0, 1280, 1000});
    toolbar.Initialise();
    toolbar.move(40, 30);
    const QRect bar = toolbar.frameGeometry();

    toolbar.Toggle(EToolWindow::Formulae);
    CToolWindow* formulae = toolbar.ExistingWindow(EToolWindow::Formulae);
    CToolWindow* techniques = toolbar.ExistingWindow(EToolWindow::Techniques);
    QVERIFY(formulae && techniques);
    QVERIFY(formulae->isVisible() && techniques->isVisible());
    // Both as tall as the work area beside the toolbar.
    QCOMPARE(formulae->frameGeometry().topLeft(), QPoint(bar.x() + bar.width(), 0));
    QCOMPARE(formulae->frameGeometry().height(), 1000);
    QCOMPARE(techniques->frameGeometry().topLeft(),
             QPoint(formulae->frameGeometry().x() + formulae->frameGeometry().width(), 0));
    QVERIFY(toolbar.Button(EToolWindow::Formulae)->IsOn());
    QCOMPARE(toolbar.Docked(), EToolWindow::Formulae);

    // Another pair replaces the first.
    toolbar.Toggle(EToolWindow::Reports);
    CToolWindow* order = toolbar.ExistingWindow(EToolWindow::Order);
    CToolWindow* reports = toolbar.ExistingWindow(EToolWindow::Reports);
    QVERIFY(order->isVisible() && reports->isVisible());
    QVERIFY(!formulae->isVisible() && !techniques->isVisible());
    QCOMPARE(order->frameGeometry().topLeft(), QPoint(bar.x() + bar.width(), 0));
    QCOMPARE(toolbar.Docked(), EToolWindow::Order);

    // Hiding the order window docks the reports window in its place, alone.
    toolbar.Toggle(EToolWindow::Order);
    QVERIFY(!order->isVisible());
    QVERIFY(reports->isVisible());
    QCOMPARE(reports->frameGeometry().topLeft(), QPoint(bar.x() + bar.width(), 0));
    QCOMPARE(toolbar.Docked(), EToolWindow::Reports);

    // 800 pixels wide: one window at a time.
    toolbar.SetWorkAreaOverride(CDockRect{0, 0, 800, 600});
    toolbar.Toggle(EToolWindow::Formulae);
    QVERIFY(formulae->isVisible());
    QVERIFY(!techniques->isVisible());
    QVERIFY(!reports->isVisible());
    toolbar.close();
}

void CShellTest::DockedWindowFollowsTheToolbar()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    app->Settings().StickyStrength = 0;
    CToolbarWindow toolbar(*app);
    toolbar.SetWorkAreaOverride(CDockRect{0, 0, 1280, 1000});
    toolbar.Initialise();
    toolbar.move(200, 100);
    toolbar.Toggle(EToolWindow::Order);
    CToolWindow* order = toolbar.ExistingWindow(EToolWindow::Order);
    CToolWindow* reports = toolbar.ExistingWindow(EToolWindow::Reports);
    const QPoint orderAt = order->frameGeometry().topLeft();
    const QPoint reportsAt = reports->frameGeometry().topLeft();
    const QSize orderSize = order->size();
    // Along with it; as tall as the work area, they stay at its top.
    toolbar.move(260, 140);
    QCOMPARE(order->frameGeometry().topLeft(), orderAt + QPoint(60, 0));
    QCOMPARE(reports->frameGeometry().topLeft(), reportsAt + QPoint(60, 0));
    QCOMPARE(order->size(), orderSize);

    // Near the work area's edge the toolbar snaps to it.
    app->Settings().StickyStrength = 16;
    toolbar.move(10, 300);
    QCOMPARE(toolbar.frameGeometry().topLeft(), QPoint(0, 300));
    toolbar.close();
}

void CShellTest::AutodockOffRestoresAndDragsWithToolbar()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    app->Settings().StickyStrength = 0;
    CToolbarWindow toolbar(*app);
    toolbar.SetWorkAreaOverride(CDockRect{0, 0, 1280, 1000});
    toolbar.Initialise();
    toolbar.move(100, 100);

    // A saved place for the components window, then Autodock off puts it back there.
    toolbar.Toggle(EToolWindow::Components);
    CToolWindow* components = toolbar.ExistingWindow(EToolWindow::Components);
    components->resize(640, 400);
    components->move(600, 500);
    components->RememberPosition();
    toolbar.Toggle(EToolWindow::Components);
    toolbar.Toggle(EToolWindow::Components);
    QVERIFY(components->frameGeometry().topLeft() != QPoint(600, 500));
    toolbar.SetAutodock(false);
    QVERIFY(!app->Settings().DockingMode);
    QVERIFY(!toolbar.Docked());
    QCOMPARE(components->frameGeometry().topLeft(), QPoint(600, 500));
    QVERIFY(components->isVisible());

    app->Settings().DragWithToolbar = true;
    toolbar.move(130, 90);
    QCOMPARE(components->frameGeometry().topLeft(), QPoint(630, 490));

    toolbar.SetAutodock(true);
    QVERIFY(app->Settings().DockingMode);
    QCOMPARE(toolbar.Docked(), EToolWindow::Components);
    toolbar.close();
}

void CShellTest::RecacheAsksAndReloadsOnYesOnly()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    auto item = std::make_unique<COrderItem>();
    item->itemName = "Anything";
    app->Order().AddItem(std::move(item));
    const auto cacheTime = std::filesystem::last_write_time(fixture.CacheFile());

    CMessageBox::SetNextAnswer(false);
    toolbar.RecacheDatabase();
    QCOMPARE(CMessageBox::TakeLog(), QStringList{Q(Messages::RecacheQuestion)});
    QCOMPARE(app->Order().ItemCount(), 1);
    QCOMPARE(std::filesystem::last_write_time(fixture.CacheFile()), cacheTime);

    CMessageBox::SetNextAnswer(true);
    toolbar.RecacheDatabase();
    QCOMPARE(CMessageBox::TakeLog().size(), 1);
    // The order is reset and the cache written anew.
    QCOMPARE(app->Order().ItemCount(), 0);
    QVERIFY(std::filesystem::exists(fixture.CacheFile()));
    QVERIFY(app->Database().FormulaCount() > 0);
    toolbar.close();
}

void CShellTest::ConfigurationThemeChangeDoesNotRecache()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    CConfigDialog dialog(*app, nullptr);
    QCOMPARE(dialog.ThemeBox()->count(), 2);
    QCOMPARE(dialog.ThemeBox()->currentText(), QStringLiteral("desktop_native.xml"));
    QCOMPARE(dialog.IconSizeBox()->currentText(), QStringLiteral("16"));
    QCOMPARE(dialog.StickyBox()->currentText(), QStringLiteral("16"));
    dialog.ThemeBox()->setCurrentText(QStringLiteral("dark_slate.xml"));
    dialog.StickyBox()->setCurrentIndex(3);
    dialog.DragBox()->setChecked(true);
    dialog.accept();
    QVERIFY(CMessageBox::TakeLog().isEmpty());
    QVERIFY(std::filesystem::exists(fixture.CacheFile()));
    QCOMPARE(app->Settings().CurrentTheme, std::string("dark_slate.xml"));
    QCOMPARE(app->Settings().StickyStrength, 24);
    QVERIFY(app->Settings().DragWithToolbar);
    // The dark theme's dialog background, #2B3036, is now in the table.
    QCOMPARE(ColourFromTheme(app->Theme().ThemeColour("DIALOGCOLOUR_BG")), QColor(0x2B, 0x30, 0x36));

    // A stored size that is none of the four leaves its box without a selection.
    app->Settings().IconSize = 18;
    CConfigDialog odd(*app, nullptr);
    QCOMPARE(odd.IconSizeBox()->currentIndex(), -1);
    odd.accept();
    QCOMPARE(app->Settings().IconSize, 18);
    QVERIFY(CMessageBox::TakeLog().isEmpty());
}

void CShellTest::ConfigurationGameFolderChangeRemovesCache()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    app->Order().AddItem(std::make_unique<COrderItem>());
    const std::size_t formulae = app->Database().FormulaCount();
    {
        // The same folder written differently still counts as a change; on No the next
        // start rebuilds.
        CConfigDialog dialog(*app, nullptr);
        dialog.GamePathEdit()->setText(dialog.GamePathEdit()->text() + QStringLiteral("/"));
        CMessageBox::SetNextAnswer(false);
        dialog.accept();
        QCOMPARE(CMessageBox::TakeLog(), QStringList{Q(Messages::ConfigRecacheQuestion)});
        QVERIFY(!std::filesystem::exists(fixture.CacheFile()));
        QVERIFY(!std::filesystem::exists(fixture.IconCacheFile()));
        QCOMPARE(app->Database().FormulaCount(), formulae);
        QCOMPARE(app->Order().ItemCount(), 1);
    }
    {
        // Yes: rebuilt at once, the order reset.
        CConfigDialog dialog(*app, nullptr);
        dialog.CacheBox()->setChecked(true);
        dialog.IconsBox()->setChecked(!dialog.IconsBox()->isChecked());
        CMessageBox::SetNextAnswer(true);
        dialog.accept();
        QCOMPARE(CMessageBox::TakeLog().size(), 1);
        QVERIFY(std::filesystem::exists(fixture.CacheFile()));
        QCOMPARE(app->Order().ItemCount(), 0);
        QCOMPARE(app->Database().FormulaCount(), formulae);
    }
}

void CShellTest::ThemeChangeRecoloursEveryWindowAtOnce()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    toolbar.ShowWindow(EToolWindow::Formulae);
    toolbar.ShowWindow(EToolWindow::Order);
    auto* formulae = static_cast<CFormulaWindow*>(toolbar.ExistingWindow(EToolWindow::Formulae));
    auto* order = static_cast<COrderWindow*>(toolbar.ExistingWindow(EToolWindow::Order));
    CConfigDialog dialog(*app, nullptr);
    dialog.ThemeBox()->setCurrentText(QStringLiteral("dark_slate.xml"));
    dialog.accept();
    // What the player sees: the empty part of each list, the batches box and a new dialog
    // in the dark theme's colours, without a restart.
    auto pixel = [](QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); };
    for (CGridView* list : {formulae->TiersGrid(), formulae->TechniquesGrid()})
        QCOMPARE(pixel(list->viewport(), list->viewport()->rect().bottomRight() - QPoint(3, 3)), QColor(0x27, 0x2C, 0x32));
    QCOMPARE(pixel(order->Tree()->viewport(), order->Tree()->viewport()->rect().bottomRight() - QPoint(3, 3)),
             QColor(0x23, 0x27, 0x2C));
    // (The batches box is disabled until an item is chosen.)
    QVERIFY(!order->BatchesEdit()->isEnabled());
    QCOMPARE(pixel(order->BatchesEdit(), order->BatchesEdit()->rect().center()), QColor(0x2B, 0x30, 0x36));
    QCOMPARE(order->TechniqueList()->header()->palette().color(QPalette::Active, QPalette::ButtonText), QColor(0xE2, 0xE6, 0xEA));
    CConfigDialog next(*app, nullptr);
    QCOMPARE(pixel(&next, QPoint(2, next.height() - 3)), QColor(0x2B, 0x30, 0x36));
    // The rows already shown take the new colours of their kind.
    QCOMPARE(formulae->TiersGrid()->model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(),
             QColor(0x6C, 0x76, 0x82));

    // And back: the desktop's own colours again.
    const QColor desktopBase = QApplication::style()->standardPalette().color(QPalette::Disabled, QPalette::Base);
    app->Settings().CurrentTheme = "desktop_native.xml";
    toolbar.RefreshTheme();
    QCOMPARE(pixel(order->BatchesEdit(), order->BatchesEdit()->rect().center()), desktopBase);
    toolbar.close();
}

void CShellTest::TreesShowIconsAtTheChosenSize()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    CConfigDialog dialog(*app, nullptr);
    dialog.IconSizeBox()->setCurrentText(QStringLiteral("24"));
    CMessageBox::SetNextAnswer(true);
    dialog.accept();
    toolbar.ShowWindow(EToolWindow::Formulae);
    toolbar.ShowWindow(EToolWindow::Techniques);
    toolbar.ShowWindow(EToolWindow::Order);
    int withIcons = 0;
    for (EToolWindow id : {EToolWindow::Formulae, EToolWindow::Techniques, EToolWindow::Order})
        for (const QTreeView* tree : toolbar.ExistingWindow(id)->findChildren<QTreeView*>())
            if (!tree->model()->index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull())
            {
                QCOMPARE(tree->iconSize(), QSize(24, 24));
                ++withIcons;
            }
    QCOMPARE(withIcons, 2);
    toolbar.close();
}

void CShellTest::QuestionsKeepTheirOwnLineBreaks()
{
    CMessageBox::SetScripted(false);
    // Every line of the text fits on one line of the box: only its own breaks break it.
    QStringList cut = {QStringLiteral("no box")};
    QTimer::singleShot(0, [&cut]
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        const QLabel* label = box ? box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")) : nullptr;
        if (!label)
            return;
        cut.clear();
        for (const QString& line : Q(Messages::RecacheQuestion).split(QLatin1Char('\n')))
            if (label->fontMetrics().horizontalAdvance(line) > label->width())
                cut << line;
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(CMessageBox::AskYesNo(nullptr, Q(Messages::RecacheQuestion)));
    QCOMPARE(cut, QStringList());
}

void CShellTest::UnsavedOrderIsOfferedForSavingFirst()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    auto item = std::make_unique<COrderItem>();
    item->itemName = "Anything";
    app->Order().AddItem(std::move(item));
    app->Order().modified = true;
    QVERIFY(app->Profiles().current);
    app->Profiles().current->changed = true;
    const QString question = QStringLiteral("Do you want to save the changes to the order 'Untitled.xml'?");

    // Cancel keeps the program running, and Open Order and the recache do nothing.
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Cancel);
    QVERIFY(!toolbar.close());
    QVERIFY(toolbar.isVisible());
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Cancel);
    QVERIFY(!OrderCommands::OpenOrder(*app, &toolbar));
    CMessageBox::SetNextAnswer(true);
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Cancel);
    toolbar.RecacheDatabase();
    QCOMPARE(CMessageBox::TakeLog(), (QStringList{question, question, Q(Messages::RecacheQuestion), question}));
    QCOMPARE(app->Order().ItemCount(), 1);

    // Save on an untitled order asks for a name; the profiles' question comes after.
    const std::filesystem::path saved = fixture.folder.Path() / "Orders" / "Kept.xml";
    CFileDialog::SetNextFileName(QString::fromStdString(saved.string()));
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Yes);
    QVERIFY(toolbar.close());
    const QStringList log = CMessageBox::TakeLog();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0], question);
    QVERIFY(log[1].startsWith(Q(Messages::ProfilesChanged1)));
    QVERIFY(std::filesystem::exists(saved));
    QVERIFY(!app->Order().modified);
}

// A store on a full disk: values are taken, their save fails.
class CFullDiskStore : public CMemorySettingsStore
{
public:
    bool Flush() override { return !full; }
    std::string Error() const override { return full ? "No space left on device" : ""; }
    bool full = false;
};

void CShellTest::ExitStopsWhenAProfileOrTheSettingsCannotBeSaved()
{
    CUiFixture fixture;
    auto owned = std::make_unique<CFullDiskStore>();
    CFullDiskStore& store = *owned;
    CAppContext app(fixture.folder.Path(), std::move(owned));
    app.Start(nullptr);
    CToolbarWindow toolbar(app);
    toolbar.Initialise();
    CProfile* profile = app.Profiles().current;
    QVERIFY(profile);
    profile->changed = true;
    // The profile's file on a full device: its save fails as on a full disk.
    const std::filesystem::path file = ProfileFileName(*profile, fixture.folder.Path());
    std::filesystem::remove(file);
    std::filesystem::create_symlink("/dev/full", file);
    const QString question = Q(ChangedProfilesQuestion(app.Profiles()));
    QVERIFY(question.startsWith(QStringLiteral("Profile(s) '")));

    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Yes);
    QVERIFY(!toolbar.close());
    QVERIFY(toolbar.isVisible());
    QVERIFY(profile->changed);
    QCOMPARE(CMessageBox::TakeLog(),
             (QStringList{question, Q("Profile '" + profile->server + ":" + profile->name + "' could not be saved to '" +
                                      file.string() + "'.\n\nNo space left on device")}));

    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Cancel);
    QVERIFY(!toolbar.close());
    QCOMPARE(CMessageBox::TakeLog(), QStringList{question});

    // Discard, then the settings fail: No keeps the program running, Yes exits without them.
    store.full = true;
    const QString settings =
        QStringLiteral("The settings could not be saved.\n\nNo space left on device\n\nExit without saving them?");
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::No);
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::No);
    QVERIFY(!toolbar.close());
    QVERIFY(toolbar.isVisible());
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::No);
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Yes);
    QVERIFY(toolbar.close());
    QCOMPARE(CMessageBox::TakeLog(), (QStringList{question, settings, question, settings}));
    QVERIFY(std::filesystem::is_symlink(file));
}

void CShellTest::FileKeysWorkFromEveryWindow()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    RegisterOrderWindows();
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    toolbar.ShowWindow(EToolWindow::Order);
    CToolWindow* order = toolbar.ExistingWindow(EToolWindow::Order);
    order->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), order);
    auto item = std::make_unique<COrderItem>();
    item->itemName = "Anything";
    app->Order().AddItem(std::move(item));
    app->Order().modified = true;
    const std::filesystem::path first = fixture.folder.Path() / "Orders" / "First.xml";
    const std::filesystem::path second = fixture.folder.Path() / "Orders" / "Second.xml";
    std::filesystem::create_directories(first.parent_path());
    app->Order().filePath = first.string();

    QTest::keyClick(order, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(std::filesystem::exists(first));
    QVERIFY(!app->Order().modified);
    CFileDialog::SetNextFileName(QString::fromStdString(second.string()));
    QTest::keyClick(order, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(std::filesystem::exists(second));
    QCOMPARE(app->Order().filePath, second.string());
    QTest::keyClick(order, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!toolbar.isVisible());
    QVERIFY(CMessageBox::TakeLog().isEmpty());
}

void CShellTest::RecentOrdersNewestFirstMissingOnesDropped()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    const std::filesystem::path example = fixture.folder / "Orders/example_order.xml";
    const std::filesystem::path copy = fixture.folder / "Orders/copy.xml";
    std::filesystem::copy_file(example, copy);
    for (const std::filesystem::path& path : {example, copy})
    {
        CFileDialog::SetNextFileName(QString::fromStdString(path.string()));
        QVERIFY(OrderCommands::OpenOrder(*app, &toolbar));
    }
    auto entries = [&toolbar]
    {
        Q_EMIT toolbar.RecentMenu()->aboutToShow(); // as when the player opens it
        QStringList texts;
        for (const QAction* action : toolbar.RecentMenu()->actions())
            texts << action->text();
        return texts;
    };
    const QString first = QStringLiteral("&1 ") + QString::fromStdString(copy.string());
    QCOMPARE(entries(), (QStringList{first, QStringLiteral("&2 ") + QString::fromStdString(example.string())}));
    QVERIFY(CMessageBox::TakeLog().isEmpty());

    // A file gone is dropped, with a message.
    std::filesystem::remove(example);
    QCOMPARE(entries(), QStringList{first});
    QCOMPARE(CMessageBox::TakeLog(), QStringList{QStringLiteral("The order file '%1' no longer exists and was taken "
                                                                "off the recent orders.")
                                                     .arg(QString::fromStdString(example.string()))});

    // Opening one over an unsaved order asks first; Cancel keeps the order.
    app->Order().items.front()->batches = 9;
    app->Order().modified = true;
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::Cancel);
    toolbar.RecentMenu()->actions().front()->trigger();
    QCOMPARE(CMessageBox::TakeLog(),
             QStringList{QStringLiteral("Do you want to save the changes to the order '%1'?").arg(QString::fromStdString(copy.string()))});
    QCOMPARE(app->Order().items.front()->batches, 9);
    CMessageBox::SetNextAnswer(CMessageBox::EAnswer::No);
    toolbar.close();
}

QTEST_MAIN(CShellTest)
#include "ShellTest.moc"
