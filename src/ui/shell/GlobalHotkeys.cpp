#include "ui/shell/GlobalHotkeys.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>

namespace
{
// The key symbols of F1 ... F7 and "a".
constexpr xcb_keysym_t KeySyms[CGlobalHotkeys::Count] = {0xFFBE, 0xFFBF, 0xFFC0, 0xFFC1,
                                                         0xFFC2, 0xFFC3, 0xFFC4, 0x0061};
constexpr uint16_t Modifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;
// Caps Lock and Num Lock must not stop a hotkey, so each is grabbed with them too.
constexpr uint16_t LockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* Connection()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    return screens.rem > 0 ? screens.data->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

// The first key code that produces the symbol; 0 when none does.
unsigned KeycodeFor(xcb_connection_t* connection, xcb_keysym_t symbol)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    if (!reply)
        return 0;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    unsigned found = 0;
    for (int code = 0; code < count && !found; ++code)
        for (int i = 0; i < perCode; ++i)
            if (symbols[code * perCode + i] == symbol)
            {
                found = static_cast<unsigned>(first + code);
                break;
            }
    std::free(reply);
    return found;
}
} // namespace

CGlobalHotkeys::CGlobalHotkeys(QObject* parent) : QObject(parent) {}

std::string CGlobalHotkeys::KeyName(int index)
{
    return index == RestoreToolbar ? std::string("Ctrl+Shift+A") : "Ctrl+Shift+F" + std::to_string(index + 1);
}

CGlobalHotkeys::~CGlobalHotkeys()
{
    Unregister();
}

int CGlobalHotkeys::Register()
{
    xcb_connection_t* connection = Connection();
    if (!connection || !m_grabs.empty())
        return RegisteredCount();
    const xcb_window_t root = RootWindow(connection);
    if (root == XCB_WINDOW_NONE)
        return 0;
    m_taken.clear();
    for (int index = 0; index < Count; ++index)
    {
        const unsigned keycode = KeycodeFor(connection, KeySyms[index]);
        if (!keycode)
            continue;
        bool grabbed = true;
        for (uint16_t locks : LockVariants)
        {
            xcb_void_cookie_t cookie =
                xcb_grab_key_checked(connection, 1, root, static_cast<uint16_t>(Modifiers | locks),
                                     static_cast<xcb_keycode_t>(keycode), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* error = xcb_request_check(connection, cookie))
            {
                // Taken by another program: this hotkey stays unavailable.
                grabbed = false;
                std::free(error);
            }
        }
        if (grabbed)
            m_grabs.push_back({index, keycode});
        else
        {
            m_taken.push_back(KeyName(index));
            for (uint16_t locks : LockVariants)
                xcb_ungrab_key(connection, static_cast<xcb_keycode_t>(keycode), root,
                               static_cast<uint16_t>(Modifiers | locks));
        }
    }
    xcb_flush(connection);
    if (!m_grabs.empty() && !m_filtering)
    {
        qApp->installNativeEventFilter(this);
        m_filtering = true;
    }
    return RegisteredCount();
}

void CGlobalHotkeys::Unregister()
{
    xcb_connection_t* connection = Connection();
    if (connection && !m_grabs.empty())
    {
        const xcb_window_t root = RootWindow(connection);
        for (const CGrab& grab : m_grabs)
            for (uint16_t locks : LockVariants)
                xcb_ungrab_key(connection, static_cast<xcb_keycode_t>(grab.keycode), root,
                               static_cast<uint16_t>(Modifiers | locks));
        xcb_flush(connection);
    }
    m_grabs.clear();
    m_taken.clear();
    if (m_filtering && qApp)
    {
        qApp->removeNativeEventFilter(this);
        m_filtering = false;
    }
}

bool CGlobalHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if ((press->state & Modifiers) != Modifiers)
        return false;
    for (const CGrab& grab : m_grabs)
    {
        if (grab.keycode == press->detail)
        {
            Q_EMIT Triggered(grab.index);
            return true;
        }
    }
    return false;
}
