#include "UiFixture.h"

#include "base/Messages.h"
#include "database/Loader.h"
#include "ui/shell/Application.h"
#include "ui/shell/ConfigDialog.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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
        {{QStringLiteral("--version")}, EAction::Version, std::nullopt, QStringLiteral("Moxa 2.27\n")},
        {{QStringLiteral("--data-dir")}, EAction::Error, std::nullopt, QStringLiteral("Missing value after '--data-dir'.")},
        {{QStringLiteral("--data-dir=")}, EAction::Error, std::nullopt, QStringLiteral("--data-dir needs a folder.")},
        {{QStringLiteral("--colour")}, EAction::Error, std::nullopt, QStringLiteral("Unknown option 'colour'.")},
        {{QStringLiteral("Orders")}, EAction::Error, std::nullopt, QStringLiteral("Unexpected argument 'Orders'.")},
    };
    for (const auto& c : cases)
    {
        const CMoxaCommandLine line = ParseMoxaCommandLine(QStringList{QStringLiteral("moxa")} + c.args);
        QCOMPARE(line.action, c.action);
        QCOMPARE(line.dataFolder, c.folder);
        QCOMPARE(line.text, c.text);
    }
    const QString help = ParseMoxaCommandLine({QStringLiteral("moxa"), QStringLiteral("--help")}).text;
    QVERIFY2(help.startsWith(QStringLiteral("Usage: moxa [options]\n")), qPrintable(help));
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
    QCOMPARE(formulae->frameGeometry().topLeft(), QPoint(bar.x() + bar.width(), bar.y()));
    QCOMPARE(techniques->frameGeometry().topLeft(),
             QPoint(formulae->frameGeometry().x() + formulae->frameGeometry().width(), bar.y()));
    QVERIFY(toolbar.Button(EToolWindow::Formulae)->IsOn());
    QCOMPARE(toolbar.Docked(), EToolWindow::Formulae);

    // Another pair replaces the first.
    toolbar.Toggle(EToolWindow::Reports);
    CToolWindow* order = toolbar.ExistingWindow(EToolWindow::Order);
    CToolWindow* reports = toolbar.ExistingWindow(EToolWindow::Reports);
    QVERIFY(order->isVisible() && reports->isVisible());
    QVERIFY(!formulae->isVisible() && !techniques->isVisible());
    QCOMPARE(order->frameGeometry().topLeft(), QPoint(bar.x() + bar.width(), bar.y()));
    QCOMPARE(toolbar.Docked(), EToolWindow::Order);

    // Hiding the order window docks the reports window in its place, alone.
    toolbar.Toggle(EToolWindow::Order);
    QVERIFY(!order->isVisible());
    QVERIFY(reports->isVisible());
    QCOMPARE(reports->frameGeometry().topLeft(), QPoint(bar.x() + bar.width(), bar.y()));
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
    toolbar.move(260, 140);
    QCOMPARE(order->frameGeometry().topLeft(), orderAt + QPoint(60, 40));
    QCOMPARE(reports->frameGeometry().topLeft(), reportsAt + QPoint(60, 40));
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

QTEST_MAIN(CShellTest)
#include "ShellTest.moc"
