// Every window stays on the screen whatever the player does: inside the work area and, with
// Autodock on, off the toolbar. Driven under a window manager of the test's own (Xvfb and
// openbox) on the screen given as "--screen WxH", in both orientations with Autodock on and
// off; every window's frame is read from the X server after every step.
#include "UiFixture.h"
#include "XServer.h"
#include "base/Messages.h"
#include "base/SettingsStore.h"
#include "ui/MainWindows.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/shell/WindowPlacement.h"
#include "ui/update/UpdateDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace
{
bool g_haveWm = false;

void Settle()
{
    SettleFrames(FrameRect);
}

QRect WorkArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// What the player sees of the program: the toolbar, the tool windows and the dialogs.
QList<QWidget*> ShownWindows()
{
    QList<QWidget*> shown;
    for (QWidget* window : QApplication::topLevelWidgets())
    {
        const Qt::WindowType type = window->windowType();
        if (window->isVisible() && (type == Qt::Window || type == Qt::Dialog || type == Qt::Tool))
            shown << window;
    }
    return shown;
}

QString Describe(const QWidget* window, const QRect& r)
{
    return QStringLiteral("'%1' at %2,%3 %4x%5")
        .arg(window->windowTitle())
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

// True when a part of the work area beside the toolbar holds the size.
bool RoomBeside(const QRect& area, const QRect& bar, const QSize& size)
{
    const QSize sides[] = {{area.right() - bar.right(), area.height()},
                           {bar.left() - area.left(), area.height()},
                           {area.width(), area.bottom() - bar.bottom()},
                           {area.width(), bar.top() - area.top()}};
    return std::any_of(std::begin(sides), std::end(sides),
                       [&size](const QSize& side)
                       { return side.width() >= size.width() && side.height() >= size.height(); });
}

// Checks every frame after each step and keeps what it found, with the step's name.
class CFrameCheck
{
public:
    CFrameCheck(CToolbarWindow& toolbar, QString layout)
        : m_toolbar(toolbar), m_layout(std::move(layout))
    {
    }

    void Step(const QString& step)
    {
        Settle();
        const QRect area = WorkArea();
        const QRect bar = XFrame(&m_toolbar);
        const bool autodock = m_toolbar.AutodockBox()->isChecked();
        for (QWidget* window : ShownWindows())
        {
            const QRect frame = XFrame(window);
            // Dialogs open beside the toolbar whatever Autodock says, where the screen has room.
            const bool dialog = qobject_cast<QDialog*>(window);
            if (!area.contains(frame))
                Fault(step,
                      Describe(window, frame) + QStringLiteral(" is not inside the work area"));
            else if (window != &m_toolbar && frame.intersects(bar) &&
                     (dialog ? RoomBeside(area, bar, frame.size()) : autodock))
                Fault(step, Describe(window, frame) + QStringLiteral(" covers the toolbar ") +
                                Describe(&m_toolbar, bar));
        }
    }

    void Fault(const QString& step, const QString& text)
    {
        faults << m_layout + QStringLiteral(", ") + step + QStringLiteral(": ") + text;
    }

    QStringList faults;

private:
    CToolbarWindow& m_toolbar;
    QString m_layout;
};

// Runs a command that opens a modal dialog: the frames are checked once it is up, then it is
// closed.
void WithModal(CFrameCheck& check, const QString& step, const std::function<void()>& command,
               const std::function<void(QWidget*)>& inspect = {})
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout,
                     [&]
                     {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (!modal || seen)
                             return;
                         seen = true;
                         check.Step(step);
                         if (inspect)
                             inspect(modal);
                         modal->close();
                     });
    poll.start(50);
    command();
    poll.stop();
    if (!seen)
        check.Fault(step, QStringLiteral("no dialog opened"));
}

QAction* FindAction(QWidget* window, const QString& text)
{
    for (QAction* action : window->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

QPushButton* FindButton(QWidget* window, std::string_view text)
{
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text().remove(QLatin1Char('&')) == Qs(text))
            return button;
    return nullptr;
}

// The tree of a browser: its largest item view that has branches.
QAbstractItemView* BrowserTree(QWidget* window)
{
    QAbstractItemView* tree = nullptr;
    for (QAbstractItemView* view : window->findChildren<QAbstractItemView*>())
    {
        QAbstractItemModel* model = view->model();
        const bool branches =
            model && model->rowCount() > 0 && model->hasChildren(model->index(0, 0));
        if (branches && (!tree || view->height() > tree->height()))
            tree = view;
    }
    return tree;
}

// Picks the first leaf under the tree's n-th top entry, as a click would.
bool PickLeaf(QWidget* window, int n)
{
    QAbstractItemView* tree = BrowserTree(window);
    if (!tree || n >= tree->model()->rowCount())
        return false;
    QModelIndex index = tree->model()->index(n, 0);
    while (tree->model()->hasChildren(index))
        index = tree->model()->index(0, 0, index);
    tree->setCurrentIndex(index);
    return true;
}

// The toolbar's corners a player drags it to: top left, bottom right.
QList<QPoint> Corners(const QWidget& toolbar)
{
    const QRect area = WorkArea();
    const QSize size = XFrame(&toolbar).size();
    return {area.topLeft(),
            QPoint(area.right() + 1 - size.width(), area.bottom() + 1 - size.height())};
}

void MoveToolbar(CToolbarWindow& toolbar, const QPoint& to)
{
    MoveFrame(&toolbar, to);
    Settle();
}

using CScenario = std::function<void(CAppContext&, CToolbarWindow&, CFrameCheck&)>;
} // namespace

class COnScreenTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!g_haveWm)
            QSKIP("No Xvfb with openbox could be started.");
    }
    void FormulaeDockBesideAHorizontalToolbar();
    void ReportsThatWidenAreDockedAgain();
    void TechniquesAfterAnItemStayOnTheScreen();
    void FormulaeThatGrowStayOnTheScreen();
    void DialogsOpenBesideTheToolbar();
    void PlacesFromAnotherScreenAreBroughtInside();
    void EveryMenuCommandKeepsWindowsOnTheScreen();

private:
    // Runs the scenario in both orientations with Autodock on and off (or only vertical with
    // Autodock on and horizontal with it off), on the sample data with the example order open;
    // fails with every fault found.
    void InEveryLayout(const CScenario& scenario,
                       const std::function<void(CAppContext&)>& before = {},
                       bool twoLayouts = false);
};

void COnScreenTest::InEveryLayout(const CScenario& scenario,
                                  const std::function<void(CAppContext&)>& before, bool twoLayouts)
{
    QStringList faults;
    for (const bool vertical : {true, false})
        for (const bool autodock : {true, false})
        {
            // Two layouts still see both orientations and both Autodock states.
            if (twoLayouts && vertical != autodock)
                continue;
            CUiFixture fixture;
            auto app = fixture.MakeApp();
            app->Start(nullptr);
            app->Settings().VerticalToolbar = vertical;
            app->Settings().DockingMode = autodock;
            app->Settings().GlobalHotkeys = false;
            app->Order().Read(fixture.folder / "Orders/example_order.xml", app->Database());
            if (before)
                before(*app);
            CToolbarWindow toolbar(*app);
            toolbar.Initialise();
            QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
            CFrameCheck check(
                toolbar,
                QStringLiteral("%1, Autodock %2")
                    .arg(vertical ? QStringLiteral("vertical") : QStringLiteral("horizontal"),
                         autodock ? QStringLiteral("on") : QStringLiteral("off")));
            scenario(*app, toolbar, check);
            toolbar.close();
            faults << check.faults;
        }
    for (const QString& fault : faults)
        qWarning("%s", qPrintable(fault));
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 faults").arg(faults.size())));
}

// Opened beside a horizontal toolbar the Formula Database covered it, and opened again it
// reached below the screen.
void COnScreenTest::FormulaeDockBesideAHorizontalToolbar()
{
    InEveryLayout(
        [](CAppContext&, CToolbarWindow& toolbar, CFrameCheck& check)
        {
            for (const QPoint& corner : Corners(toolbar))
            {
                MoveToolbar(toolbar, corner);
                toolbar.Toggle(EToolWindow::Formulae);
                check.Step(QStringLiteral("Formulae"));
                toolbar.Toggle(EToolWindow::Formulae);
                toolbar.Toggle(EToolWindow::Formulae);
                check.Step(QStringLiteral("Formulae again"));
                toolbar.Toggle(EToolWindow::Formulae);
            }
        });
}

// "Group Gathering by Location" widened the reports window past the screen's right edge.
void COnScreenTest::ReportsThatWidenAreDockedAgain()
{
    InEveryLayout(
        [](CAppContext&, CToolbarWindow& toolbar, CFrameCheck& check)
        {
            for (const QPoint& corner : Corners(toolbar))
            {
                MoveToolbar(toolbar, corner);
                toolbar.ShowWindow(EToolWindow::Reports);
                CToolWindow* reports = toolbar.Window(EToolWindow::Reports);
                check.Step(QStringLiteral("Reports"));
                for (QComboBox* box : reports->findChildren<QComboBox*>())
                    if (const int plan = box->findText(Qs(Messages::ReportContentPlan)); plan >= 0)
                        box->setCurrentIndex(plan);
                QAction* group = FindAction(reports, Qs(Messages::MenuGroupByLocation));
                QVERIFY(group);
                for (int i = 0; i < 2; ++i)
                {
                    group->trigger();
                    FindButton(reports, Messages::ReportGenerate)->click();
                    check.Step(QStringLiteral("Plan, Group Gathering by Location %1")
                                   .arg(group->isChecked()));
                }
                toolbar.Toggle(EToolWindow::Reports);
            }
        });
}

// The Technique Database widened past the screen once an item was chosen, covered the toolbar
// when opened again, and with Autodock off opened over the toolbar.
void COnScreenTest::TechniquesAfterAnItemStayOnTheScreen()
{
    InEveryLayout(
        [](CAppContext&, CToolbarWindow& toolbar, CFrameCheck& check)
        {
            if (!toolbar.AutodockBox()->isChecked())
            {
                // Never placed before: beside the toolbar, not where the window manager puts it.
                toolbar.Toggle(EToolWindow::Techniques);
                Settle();
                if (XFrame(toolbar.Window(EToolWindow::Techniques)).intersects(XFrame(&toolbar)))
                    check.Fault(QStringLiteral("Techniques first opened"),
                                QStringLiteral("covers the toolbar"));
                toolbar.Toggle(EToolWindow::Techniques);
            }
            for (const QPoint& corner : Corners(toolbar))
            {
                MoveToolbar(toolbar, corner);
                toolbar.ShowWindow(EToolWindow::Formulae);
                QVERIFY(PickLeaf(toolbar.Window(EToolWindow::Formulae), 0));
                check.Step(QStringLiteral("an item chosen"));
                toolbar.ShowWindow(EToolWindow::Techniques);
                check.Step(QStringLiteral("Techniques"));
                PickLeaf(toolbar.Window(EToolWindow::Techniques), 0);
                check.Step(QStringLiteral("a technique chosen"));
                toolbar.Toggle(EToolWindow::Techniques);
                toolbar.Toggle(EToolWindow::Techniques);
                check.Step(QStringLiteral("Techniques again"));
                toolbar.Window(EToolWindow::Techniques)->hide();
                toolbar.Window(EToolWindow::Formulae)->hide();
            }
        });
}

// Choosing items widened the Formula Database over the toolbar and past the screen's edge.
void COnScreenTest::FormulaeThatGrowStayOnTheScreen()
{
    InEveryLayout(
        [](CAppContext&, CToolbarWindow& toolbar, CFrameCheck& check)
        {
            for (const QPoint& corner : Corners(toolbar))
            {
                MoveToolbar(toolbar, corner);
                toolbar.ShowWindow(EToolWindow::Formulae);
                CToolWindow* formulae = toolbar.Window(EToolWindow::Formulae);
                check.Step(QStringLiteral("Formulae"));
                for (int n = 0; n < 4 && PickLeaf(formulae, n); ++n)
                    check.Step(QStringLiteral("item %1 chosen").arg(n));
                formulae->hide();
            }
        });
}

// Live Update, Configuration, the wizard and message boxes opened centred over the toolbar;
// the New Group prompt was too narrow for its caption.
void COnScreenTest::DialogsOpenBesideTheToolbar()
{
    CUpdateDialog::Register();
    InEveryLayout(
        [](CAppContext&, CToolbarWindow& toolbar, CFrameCheck& check)
        {
            for (const QPoint& corner : Corners(toolbar))
            {
                MoveToolbar(toolbar, corner);
                WithModal(check, QStringLiteral("Live Update"), [&] { toolbar.LiveUpdate(); });
                WithModal(check, QStringLiteral("Configuration"),
                          [&]
                          { FindAction(&toolbar, Qs(Messages::MenuConfiguration))->trigger(); });
                WithModal(check, QStringLiteral("wizard"),
                          [&] { toolbar.WizardButton()->click(); });
                CMessageBox::SetScripted(false);
                WithModal(check, QStringLiteral("About box"),
                          [&] { FindAction(&toolbar, Qs(Messages::MenuAbout))->trigger(); });
                toolbar.ShowWindow(EToolWindow::Order);
                WithModal(
                    check, QStringLiteral("New Group"),
                    [&] {
                        FindButton(toolbar.Window(EToolWindow::Order), Messages::OrderNewGroup)
                            ->click();
                    },
                    [&](QWidget* prompt)
                    {
                        QFont bold = prompt->font();
                        bold.setBold(true);
                        const int caption =
                            QFontMetrics(bold).horizontalAdvance(prompt->windowTitle());
                        if (XFrame(prompt).width() < caption + 80)
                            check.Fault(QStringLiteral("New Group"),
                                        QStringLiteral("too narrow for its caption"));
                    });
                CMessageBox::SetScripted(true);
                toolbar.Window(EToolWindow::Order)->hide();
            }
        });
}

// A toolbar saved on a larger screen (or at another scale) came back mostly off this one.
void COnScreenTest::PlacesFromAnotherScreenAreBroughtInside()
{
    InEveryLayout(
        [](CAppContext&, CToolbarWindow&, CFrameCheck& check)
        { check.Step(QStringLiteral("restored")); },
        [](CAppContext& app)
        {
            ISettingsStore& store = app.Store();
            store.Write(SettingsKeys::Windows, "ToolbarWnd",
                        "X:1103, Y:352, W:352, H:848, V:Y T:N");
            store.Write(SettingsKeys::Windows, "OrderWnd", "X:1500, Y:40, W:900, H:1500, V:Y T:N");
            store.Write(SettingsKeys::Windows, "ReportWnd", "X:-400, Y:700, W:700, H:500, V:Y T:N");
            store.Write(SettingsKeys::Windows, "ComponentWnd",
                        "X:900, Y:500, W:1400, H:1200, V:Y T:N");
        });
}

// Every command of every tool window's menus that changes what the window shows.
void COnScreenTest::EveryMenuCommandKeepsWindowsOnTheScreen()
{
    InEveryLayout(
        [](CAppContext&, CToolbarWindow& toolbar, CFrameCheck& check)
        {
            const QStringList skipped = {Qs(Messages::MenuWindow), Qs(Messages::MenuHelp)};
            for (int i = 0; i < ToolWindowCount; ++i)
            {
                const auto id = static_cast<EToolWindow>(i);
                toolbar.ShowWindow(id);
                CToolWindow* window = toolbar.Window(id);
                PickLeaf(window, 0);
                check.Step(window->windowTitle());
                QList<QAction*> actions;
                std::function<void(QMenu*)> collect = [&](QMenu* menu)
                {
                    for (QAction* action : menu->actions())
                        if (action->menu())
                            collect(action->menu());
                        else if (!action->isSeparator())
                            actions << action;
                };
                for (QAction* top : window->menuBar()->actions())
                    if (top->menu() && !skipped.contains(top->text().remove(QLatin1Char('&'))))
                        collect(top->menu());
                for (QAction* action : actions)
                {
                    if (!action->isEnabled())
                        continue;
                    const QString step =
                        window->windowTitle() + QStringLiteral(", ") + action->text();
                    // A command may ask something first: the question is checked and closed.
                    QTimer poll;
                    QObject::connect(&poll, &QTimer::timeout,
                                     [&]
                                     {
                                         if (QWidget* modal = QApplication::activeModalWidget())
                                             modal->close();
                                     });
                    poll.start(100);
                    action->trigger();
                    poll.stop();
                    if (QPushButton* generate = FindButton(window, Messages::ReportGenerate))
                        generate->click();
                    check.Step(step);
                }
                toolbar.SetVertical(!toolbar.IsVertical());
                check.Step(window->windowTitle() + QStringLiteral(", orientation switched"));
                toolbar.SetVertical(!toolbar.IsVertical());
                window->hide();
            }
        },
        {}, true);
}

int main(int argc, char** argv)
{
    // --screen WxH picks the screen's size (1280x800 by default); the rest goes to QTest.
    QByteArray screen = "1280x800";
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i)
    {
        if (std::string_view(argv[i]) == "--screen" && i + 1 < argc)
            screen = argv[++i];
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    CXvfbServer server;
    CWindowManager manager;
    g_haveWm = server.Start((screen + "x24").constData()) && manager.Start(server.Display());
    if (g_haveWm)
    {
        qputenv("DISPLAY", QByteArray::fromStdString(server.Display()));
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    else
    {
        std::printf("No Xvfb with openbox could be started: the on-screen tests are skipped.\n");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(count, args.data());
    RegisterOrderWindows();
    COnScreenTest test;
    return QTest::qExec(&test, count, args.data());
}

#include "OnScreenTest.moc"
