// Where the windows go under a real window manager: the test starts its own Xvfb at
// 1280x800 with openbox, and measures the frames on the X server itself.
#include "UiFixture.h"
#include "XServer.h"

#include "platform/QtSettingsStore.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/shell/WindowPlacement.h"

#include <QApplication>
#include <QtTest>

#include <xcb/xtest.h>

#include <cstdio>
#include <optional>

namespace
{
bool g_haveWm = false;
const QRect Screen(0, 0, 1280, 800);

// The player drags a window's bottom right corner by the given distance, with the mouse, as
// the window manager sees it.
void DragCorner(const QWidget* window, const QPoint& by)
{
    const QRect frame = XFrame(window);
    const QPoint from = frame.bottomRight() - QPoint(2, 2);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto input = [&](uint8_t type, uint8_t detail, const QPoint& at)
    {
        xcb_test_fake_input(connection, type, detail, XCB_CURRENT_TIME, root, static_cast<int16_t>(at.x()),
                            static_cast<int16_t>(at.y()), 0);
        xcb_flush(connection);
        QTest::qWait(150);
    };
    input(XCB_MOTION_NOTIFY, 0, from);
    input(XCB_BUTTON_PRESS, 1, from);
    for (int step = 1; step <= 4; ++step)
        input(XCB_MOTION_NOTIFY, 0, from + by * step / 4);
    input(XCB_BUTTON_RELEASE, 1, from + by);
    xcb_disconnect(connection);
}

void Settle()
{
    SettleFrames(FrameRect);
}

// The program started again on the settings file in MOXA_SETTINGS, its toolbar settled.
struct CRestarted
{
    explicit CRestarted(const CUiFixture& fixture)
        : app(fixture.folder.Path(), CreateUserSettingsStore())
    {
        app.Start(nullptr);
        toolbar.emplace(app);
        toolbar->Initialise();
        Settle();
    }
    ~CRestarted() { toolbar->close(); }

    CAppContext app;
    std::optional<CToolbarWindow> toolbar;
};
} // namespace

class CPlacementTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!g_haveWm)
            QSKIP("No Xvfb with openbox could be started.");
    }
    void DockedWindowsStayOnTheScreenAndOffTheToolbar();
    void DockedWindowsTakeTheFreeHeightAndKeepThePlayersSize();
    void PlacesRoundTripThroughARestart();
};

void CPlacementTest::DockedWindowsStayOnTheScreenAndOffTheToolbar()
{
    CUiFixture fixture;
    auto app = fixture.MakeApp();
    app->Start(nullptr);
    app->Settings().StickyStrength = 0;
    CToolbarWindow toolbar(*app);
    toolbar.Initialise();
    // Moved as a player would, once it is on the screen.
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    Settle();
    MoveFrame(&toolbar, QPoint(579, 209));
    Settle();

    // Beside the toolbar, as tall as the screen; the partner has no room for its content on
    // either side and stays hidden.
    toolbar.Toggle(EToolWindow::Formulae);
    Settle();
    CToolWindow* formulae = toolbar.ExistingWindow(EToolWindow::Formulae);
    QRect bar = XFrame(&toolbar);
    QRect frame = XFrame(formulae);
    QCOMPARE(bar, QRect(QPoint(579, 209), bar.size()));
    QCOMPARE(frame, QRect(bar.right() + 1, 0, frame.width(), Screen.height()));
    QVERIFY(!toolbar.IsShown(EToolWindow::Techniques));

    // At the screen's right edge the window goes to the toolbar's other side.
    MoveFrame(&toolbar, QPoint(Screen.right() + 1 - bar.width(), 100));
    Settle();
    bar = XFrame(&toolbar);
    frame = XFrame(formulae);
    QCOMPARE(frame.topLeft(), QPoint(bar.left() - frame.width(), std::min(bar.top(), Screen.bottom() + 1 - frame.height())));

    // Horizontal near the bottom: the pair goes above the toolbar, never over it.
    toolbar.SetVertical(false);
    MoveFrame(&toolbar, QPoint(60, 600));
    Settle();
    toolbar.Toggle(EToolWindow::Order);
    Settle();
    bar = XFrame(&toolbar);
    const QRect order = XFrame(toolbar.ExistingWindow(EToolWindow::Order));
    const QRect reports = XFrame(toolbar.ExistingWindow(EToolWindow::Reports));
    QCOMPARE(order.topLeft(), QPoint(bar.left(), bar.top() - order.height()));
    QCOMPARE(reports.topLeft(), QPoint(order.right() + 1, order.bottom() + 1 - reports.height()));
    for (const QRect& r : {order, reports})
        QVERIFY(Screen.contains(r) && !r.intersects(bar));

    // A snap to the screen's edge takes the docked windows along.
    app->Settings().StickyStrength = 16;
    MoveFrame(&toolbar, QPoint(10, 600));
    Settle();
    bar = XFrame(&toolbar);
    QCOMPARE(bar.left(), 0);
    QCOMPARE(XFrame(toolbar.ExistingWindow(EToolWindow::Order)).topLeft(), QPoint(0, bar.top() - order.height()));
    toolbar.close();
}

void CPlacementTest::DockedWindowsTakeTheFreeHeightAndKeepThePlayersSize()
{
    CUiFixture fixture;
    const QByteArray ini = QFile::encodeName(QString::fromStdString((fixture.folder.Path() / "Moxa2.ini").string()));
    qputenv("MOXA_SETTINGS", ini);
    QSize chosen;
    {
        CAppContext app(fixture.folder.Path(), CreateUserSettingsStore());
        app.Start(nullptr);
        app.Settings().StickyStrength = 0;
        CToolbarWindow toolbar(app);
        toolbar.Initialise();
        QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
        MoveFrame(&toolbar, QPoint(0, 100));
        Settle();
        toolbar.Toggle(EToolWindow::Order);
        Settle();
        const QRect bar = XFrame(&toolbar);
        QCOMPARE(bar.topLeft(), QPoint(0, 100));
        CToolWindow* order = toolbar.ExistingWindow(EToolWindow::Order);
        CToolWindow* reports = toolbar.ExistingWindow(EToolWindow::Reports);
        // Both as tall as the screen beside the toolbar.
        QCOMPARE(XFrame(order).topLeft(), QPoint(bar.right() + 1, 0));
        QCOMPARE(XFrame(order).height(), Screen.height());
        QCOMPARE(XFrame(reports).topLeft(), QPoint(XFrame(order).right() + 1, 0));
        QCOMPARE(XFrame(reports).height(), Screen.height());

        // The player makes the order window wider and shorter: it keeps that size, level with
        // the toolbar's top, when docked again.
        const QSize docked = order->size();
        DragCorner(order, QPoint(60, -300));
        Settle();
        chosen = XFrame(order).size();
        QVERIFY2(order->width() > docked.width() + 30 && order->height() < docked.height() - 200,
                 qPrintable(QStringLiteral("%1x%2").arg(order->width()).arg(order->height())));
        toolbar.Toggle(EToolWindow::Order);
        toolbar.Toggle(EToolWindow::Order);
        Settle();
        QCOMPARE(XFrame(order), QRect(QPoint(bar.right() + 1, bar.top()), chosen));
        QCOMPARE(XFrame(reports).height(), Screen.height());
        // Remembered, it comes back so after a restart.
        order->RememberPosition();
        toolbar.close();
    }
    {
        CRestarted restarted(fixture);
        const QRect bar = XFrame(&*restarted.toolbar);
        QCOMPARE(bar.topLeft(), QPoint(0, 100));
        QCOMPARE(XFrame(restarted.toolbar->ExistingWindow(EToolWindow::Order)),
                 QRect(QPoint(bar.right() + 1, bar.top()), chosen));
    }
    qunsetenv("MOXA_SETTINGS");
}

void CPlacementTest::PlacesRoundTripThroughARestart()
{
    CUiFixture fixture;
    const QByteArray ini = QFile::encodeName(QString::fromStdString((fixture.folder.Path() / "Moxa2.ini").string()));
    qputenv("MOXA_SETTINGS", ini);
    QRect order;
    QRect components;
    {
        CAppContext app(fixture.folder.Path(), CreateUserSettingsStore());
        app.Start(nullptr);
        app.Settings().DockingMode = false;
        app.Settings().StickyStrength = 0;
        CToolbarWindow toolbar(app);
        toolbar.Initialise();
        toolbar.Toggle(EToolWindow::Order);
        toolbar.Toggle(EToolWindow::Components);
        Settle();
        SetFrameRect(toolbar.ExistingWindow(EToolWindow::Order), QRect(700, 300, 420, 380));
        MoveFrame(toolbar.ExistingWindow(EToolWindow::Components), QPoint(40, 420));
        Settle();
        order = XFrame(toolbar.ExistingWindow(EToolWindow::Order));
        components = XFrame(toolbar.ExistingWindow(EToolWindow::Components));
        QCOMPARE(order, QRect(700, 300, 420, 380));
        QCOMPARE(components.topLeft(), QPoint(40, 420));
        toolbar.RememberAllPositions();
        // Closing keeps where the toolbar was left, remembered or not.
        MoveFrame(&toolbar, QPoint(320, 160));
        Settle();
        toolbar.close();
    }
    {
        CRestarted restarted(fixture);
        QCOMPARE(XFrame(&*restarted.toolbar).topLeft(), QPoint(320, 160));
        QCOMPARE(XFrame(restarted.toolbar->ExistingWindow(EToolWindow::Order)), order);
        QCOMPARE(XFrame(restarted.toolbar->ExistingWindow(EToolWindow::Components)), components);
    }
    qunsetenv("MOXA_SETTINGS");
}

int main(int argc, char** argv)
{
    CXvfbServer server;
    CWindowManager manager;
    g_haveWm = server.Start("1280x800x24") && manager.Start(server.Display());
    if (g_haveWm)
    {
        qputenv("DISPLAY", QByteArray::fromStdString(server.Display()));
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    else
    {
        std::printf("No Xvfb with openbox could be started: the placement tests are skipped.\n");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    CPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlacementTest.moc"
