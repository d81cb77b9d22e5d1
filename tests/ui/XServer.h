#pragma once

// An X server of the test's own (Xvfb, on whatever display number is free) and, for tests
// of window frames, a window manager on it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <cstdlib>
#include <string>
#include <thread>

#include <QApplication>
#include <QRect>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

// An Xvfb of our own on whatever display number is free (it picks one and reports it).
class CXvfbServer
{
public:
    ~CXvfbServer()
    {
        if (m_pid > 0)
        {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool Start(const char* screen)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        m_pid = fork();
        if (m_pid == 0)
        {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (m_pid < 0)
        {
            close(fds[0]);
            return false;
        }
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        while (poll(&wait, 1, 20000) > 0)
        {
            char c = 0;
            if (read(fds[0], &c, 1) != 1 || c == '\n')
                break;
            number += c;
        }
        close(fds[0]);
        if (number.empty())
            return false;
        m_display = ":" + number;
        return true;
    }

    const std::string& Display() const { return m_display; }

private:
    pid_t m_pid = -1;
    std::string m_display;
};

// openbox on the test's display; Start is true once it manages the screen.
class CWindowManager
{
public:
    ~CWindowManager()
    {
        if (m_pid > 0)
        {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }

    bool Start(const std::string& display)
    {
        m_pid = fork();
        if (m_pid == 0)
        {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            setenv("DISPLAY", display.c_str(), 1);
            execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
            _exit(127);
        }
        if (m_pid < 0)
            return false;
        xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(connection))
        {
            xcb_disconnect(connection);
            return false;
        }
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof(name) - 1, name), nullptr);
        bool running = false;
        for (int i = 0; i < 200 && atom && !running; ++i)
        {
            xcb_get_property_reply_t* reply = xcb_get_property_reply(
                connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
            running = reply && xcb_get_property_value_length(reply) > 0;
            std::free(reply);
            if (!running)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::free(atom);
        xcb_disconnect(connection);
        return running;
    }

private:
    pid_t m_pid = -1;
};

// The frame the window manager put around a window, as the X server has it (on the display
// in DISPLAY), in the program's coordinates.
inline QRect XFrame(const QWidget* window)
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
    QRect frame;
    if (size && at)
    {
        // In the program's coordinates: the X server's pixels divided by the scale
        // (QT_SCALE_FACTOR), each edge rounded, so frames that touch still touch.
        const double scale = window->devicePixelRatioF();
        const auto edge = [scale](int pixels) { return static_cast<int>(std::lround(pixels / scale)); };
        frame = QRect(QPoint(edge(at->dst_x), edge(at->dst_y)),
                      QPoint(edge(at->dst_x + size->width) - 1, edge(at->dst_y + size->height) - 1));
    }
    std::free(size);
    std::free(at);
    xcb_disconnect(connection);
    return frame;
}

// Until the window manager and the program are done with each other: every shown window's
// frame on the X server is where the program put it, and stays so for a while (two seconds at
// most).
inline void SettleFrames(const std::function<QRect(const QWidget*)>& placed)
{
    QList<QRect> last;
    for (int i = 0; i < 50; ++i)
    {
        QTest::qWait(40);
        QList<QRect> now;
        bool agreed = true;
        for (const QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->isWindow() && window->windowType() != Qt::ToolTip &&
                window->windowType() != Qt::Popup)
            {
                now << XFrame(window);
                // A pixel apart is agreement where the scale rounds.
                const QRect want = placed(window);
                agreed = agreed && (now.back() == want ||
                                    (window->devicePixelRatioF() != 1 &&
                                     (now.back().topLeft() - want.topLeft()).manhattanLength() <= 2 &&
                                     std::abs(now.back().width() - want.width()) <= 1 &&
                                     std::abs(now.back().height() - want.height()) <= 1));
            }
        if (i >= 2 && agreed && now == last)
            return;
        last = now;
    }
}
