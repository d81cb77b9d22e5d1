// The global hotkeys against a real X server: the test starts its own Xvfb, drives the
// keyboard with XTest and plays "another program" on a second connection.
#include "UiFixture.h"
#include "XServer.h"

#include "ui/shell/ConfigDialog.h"
#include "ui/shell/GlobalHotkeys.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/ToolbarWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QtTest>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr xcb_keysym_t SymF1 = 0xFFBE;
constexpr xcb_keysym_t SymA = 0x0061;
constexpr xcb_keysym_t SymShiftL = 0xFFE1;
constexpr xcb_keysym_t SymControlL = 0xFFE3;
constexpr xcb_keysym_t SymCapsLock = 0xFFE5;
constexpr xcb_keysym_t SymNumLock = 0xFF7F;
constexpr uint16_t CtrlShift = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;

bool g_haveX = false;

// Another program on the same display: it owns a focused window, grabs keys, and types.
class COtherClient
{
public:
    COtherClient()
    {
        m_connection = xcb_connect(nullptr, nullptr);
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        m_window = xcb_generate_id(m_connection);
        const uint32_t events = XCB_EVENT_MASK_KEY_PRESS;
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_root, 900, 700, 200, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        xcb_map_window(m_connection, m_window);
        Sync();
        // The pointer and the focus are outside the program, as for a player in the game.
        xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root, 1000, 800, 0);
        Focus();
        Drain();
    }
    ~COtherClient() { xcb_disconnect(m_connection); }
    COtherClient(const COtherClient&) = delete;
    COtherClient& operator=(const COtherClient&) = delete;

    xcb_keycode_t Keycode(xcb_keysym_t symbol) const
    {
        const xcb_setup_t* setup = xcb_get_setup(m_connection);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, static_cast<uint8_t>(count)),
            nullptr);
        xcb_keycode_t found = 0;
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
        for (int code = 0; code < count && !found; ++code)
            if (symbols[code * reply->keysyms_per_keycode] == symbol)
                found = static_cast<xcb_keycode_t>(setup->min_keycode + code);
        std::free(reply);
        return found;
    }

    // True when the combination was free and is now ours.
    bool Grab(xcb_keysym_t symbol, uint16_t modifiers)
    {
        xcb_generic_error_t* error = xcb_request_check(
            m_connection, xcb_grab_key_checked(m_connection, 1, m_root, modifiers, Keycode(symbol),
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return !error;
    }
    void Ungrab(xcb_keysym_t symbol, uint16_t modifiers)
    {
        xcb_ungrab_key(m_connection, Keycode(symbol), m_root, modifiers);
        Sync();
    }
    // True when nobody holds the combination (probed by grabbing it for a moment).
    bool IsFree(xcb_keysym_t symbol, uint16_t modifiers)
    {
        if (!Grab(symbol, modifiers))
            return false;
        Ungrab(symbol, modifiers);
        return true;
    }

    void Tap(xcb_keysym_t symbol)
    {
        Key(symbol, true);
        Key(symbol, false);
        Sync();
    }
    // Ctrl+Shift+key, pressed and released as a person would.
    void Hotkey(xcb_keysym_t symbol)
    {
        Key(SymControlL, true);
        Key(SymShiftL, true);
        Tap(symbol);
        Key(SymShiftL, false);
        Key(SymControlL, false);
        Sync();
    }

    // The presses of other than modifier keys that reached this program's window since
    // the last call.
    std::vector<std::pair<xcb_keycode_t, uint16_t>> Presses()
    {
        std::vector<std::pair<xcb_keycode_t, uint16_t>> presses;
        const xcb_keycode_t modifierKeys[] = {Keycode(SymControlL), Keycode(SymShiftL), Keycode(SymNumLock),
                                              Keycode(SymCapsLock)};
        Sync();
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection))
        {
            if ((event->response_type & ~0x80) == XCB_KEY_PRESS)
            {
                const auto* press = reinterpret_cast<xcb_key_press_event_t*>(event);
                if (std::find(std::begin(modifierKeys), std::end(modifierKeys), press->detail) ==
                    std::end(modifierKeys))
                    presses.emplace_back(press->detail, press->state);
            }
            std::free(event);
        }
        return presses;
    }
    void Drain() { Presses(); }
    // Takes the focus back from the program's windows.
    void Focus()
    {
        xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME);
        Sync();
    }

    xcb_connection_t* Connection() const { return m_connection; }

private:
    void Key(xcb_keysym_t symbol, bool down)
    {
        xcb_test_fake_input(m_connection, down ? XCB_KEY_PRESS : XCB_KEY_RELEASE, Keycode(symbol), XCB_CURRENT_TIME,
                            XCB_WINDOW_NONE, 0, 0, 0);
    }
    void Sync() { std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    xcb_window_t m_window = 0;
};

// Lets the program read what the server has sent it; used where nothing must happen.
void Settle()
{
    QTest::qWait(250);
}

xcb_keysym_t FKey(int n)
{
    return SymF1 + static_cast<xcb_keysym_t>(n - 1);
}

// The eight hotkey combinations with each lock modifier.
std::vector<std::pair<xcb_keysym_t, uint16_t>> AllCombinations(uint16_t numLock)
{
    std::vector<std::pair<xcb_keysym_t, uint16_t>> all;
    for (xcb_keysym_t symbol : {FKey(1), FKey(2), FKey(3), FKey(4), FKey(5), FKey(6), FKey(7), SymA})
        for (uint16_t locks : {uint16_t(0), uint16_t(XCB_MOD_MASK_LOCK), numLock, uint16_t(XCB_MOD_MASK_LOCK | numLock)})
            all.emplace_back(symbol, static_cast<uint16_t>(CtrlShift | locks));
    return all;
}

struct CToolbarRig
{
    explicit CToolbarRig(bool hotkeys)
    {
        app = fixture.MakeApp();
        app->Start(nullptr);
        app->Settings().GlobalHotkeys = hotkeys;
        app->Settings().DockingMode = false;
        CToolbarWindow::SetLiveUpdateHandler([this](CAppContext&, QWidget*) { ++liveUpdates; });
        toolbar = std::make_unique<CToolbarWindow>(*app);
        toolbar->Initialise();
        toolbar->move(0, 0);
    }
    ~CToolbarRig()
    {
        toolbar->close();
        toolbar.reset();
        CToolbarWindow::SetLiveUpdateHandler(nullptr);
    }
    bool Shown(EToolWindow id) const { return toolbar->IsShown(id); }
    bool AnyShown() const
    {
        for (int i = 0; i < ToolWindowCount; ++i)
            if (Shown(static_cast<EToolWindow>(i)))
                return true;
        return false;
    }

    CUiFixture fixture;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CToolbarWindow> toolbar;
    int liveUpdates = 0;
};
} // namespace

class CHotkeysTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void EachHotkeyRunsItsCommandFromOutsideTheProgram();
    void HotkeysWorkWithNumLockAndCapsLockOn();
    void NothingIsGrabbedWhenTheSettingIsOff();
    void AKeyTakenByAnotherProgramIsNamedUnavailable();
    void GrabsAreReleasedWhenTurnedOffAndOnClose();
};

void CHotkeysTest::init()
{
    if (!g_haveX)
        QSKIP("No X server could be started (Xvfb): the X11 hotkeys are not exercised");
}

void CHotkeysTest::EachHotkeyRunsItsCommandFromOutsideTheProgram()
{
    COtherClient other;
    CToolbarRig rig(true);
    QCOMPARE(rig.toolbar->Hotkeys()->RegisteredCount(), CGlobalHotkeys::Count);
    QVERIFY(!rig.AnyShown());

    const EToolWindow windows[] = {EToolWindow::Order,      EToolWindow::Reports,  EToolWindow::Formulae,
                                   EToolWindow::Techniques, EToolWindow::Components, EToolWindow::Profiles};
    for (int n = 1; n <= ToolWindowCount; ++n)
    {
        other.Hotkey(FKey(n));
        QTRY_VERIFY2(rig.Shown(windows[n - 1]), qPrintable(QStringLiteral("Ctrl+Shift+F%1").arg(n)));
    }
    // The keys went to the program, not to the focused window of the other one.
    QVERIFY(other.Presses().empty());
    // Showing does not toggle: a second press leaves the window open.
    other.Hotkey(FKey(1));
    Settle();
    QVERIFY(rig.Shown(EToolWindow::Order));

    QCOMPARE(rig.liveUpdates, 0);
    other.Hotkey(FKey(7));
    QTRY_COMPARE(rig.liveUpdates, 1);

    // Ctrl+Shift+A brings the minimised toolbar back, with its tool windows.
    rig.toolbar->showMinimized();
    QVERIFY(!rig.Shown(EToolWindow::Order));
    other.Hotkey(SymA);
    QTRY_VERIFY(!rig.toolbar->isMinimized());
    QVERIFY(rig.toolbar->isVisible());
    QVERIFY(rig.Shown(EToolWindow::Order));
    QCOMPARE(rig.liveUpdates, 1);

    // Without Ctrl+Shift the keys are the other program's.
    const xcb_keycode_t f3 = other.Keycode(FKey(3));
    rig.toolbar->Window(EToolWindow::Formulae)->hide();
    other.Focus();
    other.Tap(FKey(3));
    Settle();
    const auto presses = other.Presses();
    QCOMPARE(presses.size(), std::size_t(1));
    QCOMPARE(presses[0].first, f3);
    QVERIFY(!rig.Shown(EToolWindow::Formulae));
}

void CHotkeysTest::HotkeysWorkWithNumLockAndCapsLockOn()
{
    COtherClient other;
    CToolbarRig rig(true);
    QCOMPARE(rig.toolbar->Hotkeys()->RegisteredCount(), CGlobalHotkeys::Count);

    other.Tap(SymNumLock);
    other.Hotkey(FKey(2));
    QTRY_VERIFY(rig.Shown(EToolWindow::Reports));
    other.Tap(SymCapsLock);
    other.Hotkey(FKey(5));
    QTRY_VERIFY(rig.Shown(EToolWindow::Components));
    other.Tap(SymNumLock);
    other.Hotkey(FKey(6));
    QTRY_VERIFY(rig.Shown(EToolWindow::Profiles));
    other.Tap(SymCapsLock);
    QVERIFY(other.Presses().empty());
}

void CHotkeysTest::NothingIsGrabbedWhenTheSettingIsOff()
{
    COtherClient other;
    CToolbarRig rig(false);
    QCOMPARE(rig.toolbar->Hotkeys()->RegisteredCount(), 0);
    for (const auto& [symbol, modifiers] : AllCombinations(XCB_MOD_MASK_2))
        QVERIFY(other.IsFree(symbol, modifiers));

    other.Hotkey(FKey(1));
    other.Hotkey(SymA);
    Settle();
    QVERIFY(!rig.AnyShown());
    // Both presses reached the window that has the focus.
    QCOMPARE(other.Presses().size(), std::size_t(2));
}

void CHotkeysTest::AKeyTakenByAnotherProgramIsNamedUnavailable()
{
    COtherClient other;
    QVERIFY(other.Grab(FKey(3), CtrlShift));
    CToolbarRig rig(true);
    QCOMPARE(rig.toolbar->Hotkeys()->RegisteredCount(), CGlobalHotkeys::Count - 1);
    QVERIFY(CMessageBox::TakeLog().empty());
    // No message box, but the configuration dialog names the key.
    {
        CConfigDialog dialog(*rig.app, nullptr);
        QCOMPARE(dialog.HotkeysBox()->text(), QStringLiteral("Global Hotkeys? (taken by another program: Ctrl+Shift+F3)"));
    }

    // The owner keeps its key...
    other.Hotkey(FKey(3));
    Settle();
    const auto presses = other.Presses();
    QCOMPARE(presses.size(), std::size_t(1));
    QCOMPARE(presses[0].first, other.Keycode(FKey(3)));
    QCOMPARE(presses[0].second & CtrlShift, CtrlShift);
    QVERIFY(!rig.Shown(EToolWindow::Formulae));
    // ...and the program holds none of that key's lock variants, which it gave up.
    QVERIFY(other.IsFree(FKey(3), CtrlShift | XCB_MOD_MASK_LOCK));

    // The other hotkeys work.
    other.Hotkey(FKey(4));
    QTRY_VERIFY(rig.Shown(EToolWindow::Techniques));
    other.Hotkey(FKey(7));
    QTRY_COMPARE(rig.liveUpdates, 1);
    QVERIFY(!rig.Shown(EToolWindow::Formulae));
}

void CHotkeysTest::GrabsAreReleasedWhenTurnedOffAndOnClose()
{
    COtherClient other;
    {
        CToolbarRig rig(true);
        CGlobalHotkeys* hotkeys = rig.toolbar->Hotkeys();
        QVERIFY(!other.IsFree(FKey(1), CtrlShift));
        hotkeys->Unregister();
        QCOMPARE(hotkeys->RegisteredCount(), 0);
        for (const auto& [symbol, modifiers] : AllCombinations(XCB_MOD_MASK_2))
            QVERIFY(other.IsFree(symbol, modifiers));
        other.Hotkey(FKey(2));
        Settle();
        QVERIFY(!rig.Shown(EToolWindow::Reports));
        QCOMPARE(other.Presses().size(), std::size_t(1));

        // Registering again takes them all back; closing the toolbar lets them go.
        QCOMPARE(hotkeys->Register(), CGlobalHotkeys::Count);
        QVERIFY(!other.IsFree(SymA, CtrlShift | XCB_MOD_MASK_LOCK));
        rig.toolbar->close();
        for (const auto& [symbol, modifiers] : AllCombinations(XCB_MOD_MASK_2))
            QVERIFY(other.IsFree(symbol, modifiers));
    }
}

int main(int argc, char** argv)
{
    CXvfbServer server;
    g_haveX = server.Start("1280x1024x24");
    if (g_haveX)
    {
        qputenv("DISPLAY", QByteArray::fromStdString(server.Display()));
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    else
    {
        std::printf("No X server could be started (Xvfb): the X11 hotkey tests are skipped.\n");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    CHotkeysTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GlobalHotkeysTest.moc"
