#include "ui/shell/WindowPlacement.h"

#include "ui/shell/AppContext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace
{
constexpr const char* IntendedFrame = "moxaIntendedFrame";

bool FixedSize(const QWidget* window)
{
    return window->minimumSize() == window->maximumSize();
}

// The frames the window manager put around the last fixed-size and the last resizable
// window measured on the screen (a resize handle can make them differ).
QMargins& LastFrame(bool fixedSize)
{
    static QMargins margins[2];
    return margins[fixedSize ? 1 : 0];
}

// The window's own frame; null while it has not been on the screen.
QMargins OwnFrame(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QMargins FrameMargins(const QWidget* window)
{
    const bool fixed = FixedSize(window);
    if (const QMargins own = OwnFrame(window); !own.isNull())
        return LastFrame(fixed) = own;
    return !LastFrame(fixed).isNull() ? LastFrame(fixed) : LastFrame(!fixed);
}

// A rectangle that no screen shows any of (a record from a larger screen) is shifted into
// the primary screen's available area, as little as it needs; any other stays as it is.
QRect OnScreen(const QRect& frame)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty() || std::any_of(screens.begin(), screens.end(), [&frame](const QScreen* screen)
                                         { return screen->availableGeometry().intersects(frame); }))
        return frame;
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QRect r = frame;
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.right() + 1 - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.bottom() + 1 - r.height())));
    return r;
}
} // namespace

QRect FrameRect(const QWidget* window)
{
    const QMargins margins = FrameMargins(window);
    if (!OwnFrame(window).isNull())
        return window->geometry().marginsAdded(margins);
    // Not framed yet: where it was asked to go, the frame's size guessed.
    const QVariant intended = window->property(IntendedFrame);
    if (intended.typeId() == QMetaType::QRect)
        return intended.toRect();
    const QRect guess(window->geometry().topLeft(), window->size().grownBy(margins));
    return intended.typeId() == QMetaType::QPoint ? QRect(intended.toPoint(), guess.size()) : guess;
}

void SetFrameRect(QWidget* window, const QRect& frame)
{
    const QMargins margins = FrameMargins(window);
    // A window not yet on the screen is placed with a guess of its frame; SettleFrame puts
    // it right once the window manager has framed it.
    const bool guessed = OwnFrame(window).isNull();
    window->setProperty(IntendedFrame, guessed ? QVariant(frame) : QVariant());
    if (guessed && !window->testAttribute(Qt::WA_WState_Created))
    {
        // Qt asks the window manager to put the frame's corner there when the window first
        // appears, whatever the frame turns out to be.
        window->resize(frame.marginsRemoved(margins).size());
        window->move(frame.topLeft());
        return;
    }
    window->setGeometry(frame.marginsRemoved(margins));
}

void MoveFrame(QWidget* window, const QPoint& topLeft)
{
    const QMargins margins = FrameMargins(window);
    const bool guessed = OwnFrame(window).isNull();
    // A frame size asked for before stays asked for.
    if (const QVariant pending = window->property(IntendedFrame); guessed && pending.typeId() == QMetaType::QRect)
    {
        SetFrameRect(window, QRect(topLeft, pending.toRect().size()));
        return;
    }
    window->setProperty(IntendedFrame, guessed ? QVariant(topLeft) : QVariant());
    if (guessed && !window->testAttribute(Qt::WA_WState_Created))
    {
        window->move(topLeft);
        return;
    }
    window->setGeometry(QRect(topLeft + QPoint(margins.left(), margins.top()), window->size()));
}

bool SettleFrame(QWidget* window)
{
    const QVariant intended = window->property(IntendedFrame);
    if (!intended.isValid() || OwnFrame(window).isNull())
        return false;
    window->setProperty(IntendedFrame, QVariant());
    if (intended.typeId() == QMetaType::QPoint)
        MoveFrame(window, intended.toPoint());
    else
        SetFrameRect(window, intended.toRect());
    return true;
}

void SaveWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool created)
{
    CPlacement& record = app.placements.Get(name);
    record.created = created;
    if (window)
    {
        const QRect frame = FrameRect(window);
        record.x = frame.x();
        record.y = frame.y();
        record.w = frame.width();
        record.h = frame.height();
        record.visible = window->isVisible();
        record.topmost = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    }
    app.placements.Save(app.Store(), name);
    app.Store().Flush();
}

bool RestoreWindowPlacement(CAppContext& app, std::string_view name, QWidget* window, bool toolbar)
{
    if (!app.placements.Restore(app.Store(), name))
        return false;
    const CPlacement& record = app.placements.Get(name);
    if (!window)
        return true;
    if (WindowsPlacedBySystem())
    {
        if (!toolbar)
            window->setVisible(record.visible);
        return true;
    }
    if (toolbar)
    {
        if (record.x != -1 && record.y != -1)
            MoveFrame(window, OnScreen(QRect(QPoint(record.x, record.y), FrameRect(window).size())).topLeft());
        return true;
    }
    if (record.w != -1)
    {
        if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != record.topmost)
            window->setWindowFlag(Qt::WindowStaysOnTopHint, record.topmost);
        SetFrameRect(window, OnScreen(QRect(record.x, record.y, std::max(record.w, 1), std::max(record.h, 1))));
    }
    window->setVisible(record.visible);
    return true;
}

std::optional<bool> StoredVisibility(CAppContext& app, std::string_view name)
{
    if (!app.placements.Restore(app.Store(), name))
        return std::nullopt;
    return app.placements.Get(name).visible;
}

bool WindowsPlacedBySystem()
{
    return QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
}
