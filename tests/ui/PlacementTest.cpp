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

#include <cstdio>

namespace
{
bool g_haveWm = false;
const QRect Screen(0, 0, 1280, 800);

// The frame the window manager put around the window, as the X server has it.
QRect XFrame(const QWidget* window)
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    xcb_window_t top = static_cast<xcb_window_t>(window->winId());
    xcb_window_t root = 0;
    for (;;)
    {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, top), nullptr);
        if (!tree)
            break;
        root = tree->root;
        const xcb_window_t parent = tree->parent;
        std::free(tree);
        if (parent == root)
            break;
        top = parent;
    }
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, top), nullptr);
    xcb_translate_coordinates_reply_t* at =
        xcb_translate_coordinates_reply(connection, xcb_translate_coordinates(connection, top, root, 0, 0), nullptr);
    const QRect frame = size && at ? QRect(at->dst_x, at->dst_y, size->width, size->height) : QRect();
    std::free(size);
    std::free(at);
    xcb_disconnect(connection);
    return frame;
}

// Lets the window manager and the program answer each other.
void Settle()
{
    QTest::qWait(400);
}
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

    // Beside the toolbar, shifted up only as far as the screen's bottom needs; the partner
    // has no room on either side and stays hidden.
    toolbar.Toggle(EToolWindow::Formulae);
    Settle();
    CToolWindow* formulae = toolbar.ExistingWindow(EToolWindow::Formulae);
    QRect bar = XFrame(&toolbar);
    QRect frame = XFrame(formulae);
    QCOMPARE(bar, QRect(QPoint(579, 209), bar.size()));
    QCOMPARE(frame.topLeft(), QPoint(bar.right() + 1, std::min(bar.top(), Screen.bottom() + 1 - frame.height())));
    QVERIFY(Screen.contains(frame));
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
    CAppContext app(fixture.folder.Path(), CreateUserSettingsStore());
    app.Start(nullptr);
    CToolbarWindow toolbar(app);
    toolbar.Initialise();
    Settle();
    QCOMPARE(XFrame(&toolbar).topLeft(), QPoint(320, 160));
    QCOMPARE(XFrame(toolbar.ExistingWindow(EToolWindow::Order)), order);
    QCOMPARE(XFrame(toolbar.ExistingWindow(EToolWindow::Components)), components);
    toolbar.close();
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
