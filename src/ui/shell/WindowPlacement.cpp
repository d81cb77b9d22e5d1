#include "ui/shell/WindowPlacement.h"

#include "ui/shell/AppContext.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace
{
constexpr const char* IntendedFrame = "moxaIntendedFrame";
constexpr const char* SizeAskedAt = "moxaSizeAskedAt";
constexpr const char* Placed = "moxaPlaced";
// How long a size asked of the window manager may take to come back.
constexpr qint64 AnswerTime = 1000;

std::optional<QRect>& WorkAreaOverride()
{
    static std::optional<QRect> area;
    return area;
}

qint64 Now()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed() + 1;
}

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

// The window's own frame; null while it has not been on the screen. While the window manager
// is still framing a window, X11 can report margins measured against a frame not yet
// sized (negative, or as large as the window): those are not known yet either.
QMargins OwnFrame(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    const QMargins margins = handle ? handle->frameMargins() : QMargins();
    constexpr int Largest = 100;
    for (const int side : {margins.left(), margins.top(), margins.right(), margins.bottom()})
        if (side < 0 || side > Largest)
            return QMargins();
    return margins;
}

QMargins FrameMargins(const QWidget* window)
{
    const bool fixed = FixedSize(window);
    if (const QMargins own = OwnFrame(window); !own.isNull())
        return LastFrame(fixed) = own;
    return !LastFrame(fixed).isNull() ? LastFrame(fixed) : LastFrame(!fixed);
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

QMargins FrameMarginsOf(const QWidget* window)
{
    return FrameMargins(window);
}

void SetFrameRect(QWidget* window, const QRect& frame)
{
    const QMargins margins = FrameMargins(window);
    if (frame.marginsRemoved(margins).size() != window->size())
        window->setProperty(SizeAskedAt, Now());
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

bool SizeRecentlyAsked(const QWidget* window)
{
    const QVariant asked = window->property(SizeAskedAt);
    return asked.isValid() && Now() - asked.toLongLong() < AnswerTime;
}

QRect WorkAreaOf(const QWidget* window)
{
    if (WorkAreaOverride())
        return *WorkAreaOverride();
    const QScreen* screen = window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

void SetWorkAreaOverride(const std::optional<QRect>& area)
{
    WorkAreaOverride() = area;
}

CDockRect ToDock(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

QRect FromDock(const CDockRect& rect)
{
    return {rect.x, rect.y, rect.w, rect.h};
}

void KeepInWorkArea(QWidget* window, bool keepSize)
{
    const QRect frame = FrameRect(window);
    const QRect inside = FromDock(ClampInto(ToDock(frame), ToDock(WorkAreaOf(window))));
    if (inside == frame)
        return;
    if (keepSize || inside.size() == frame.size())
        MoveFrame(window, inside.topLeft());
    else
        SetFrameRect(window, inside);
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
    const CDockRect area = ToDock(WorkAreaOf(window));
    if (toolbar)
    {
        // Its size stays; the record's corner moves as far as the toolbar needs to be seen whole.
        const QSize size = FrameRect(window).size();
        if (record.x != -1 && record.y != -1)
            MoveFrame(window, FromDock(ClampInto({record.x, record.y, size.width(), size.height()}, area)).topLeft());
        return true;
    }
    if (record.w != -1)
    {
        if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != record.topmost)
            window->setWindowFlag(Qt::WindowStaysOnTopHint, record.topmost);
        const CDockRect saved{record.x, record.y, std::max(record.w, 1), std::max(record.h, 1)};
        SetFrameRect(window, FromDock(ClampInto(saved, area)));
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

int CaptionWidth(const QWidget* window)
{
    QFont title = window->font();
    title.setBold(true);
    return std::min(QFontMetrics(title).horizontalAdvance(window->windowTitle()) + 110, 600);
}

namespace
{
QWidget* DialogOf(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && widget->isWindow() && qobject_cast<QDialog*>(widget) ? widget : nullptr;
}
} // namespace

CDialogPlacer::CDialogPlacer(QWidget* toolbar) : QObject(toolbar), m_toolbar(toolbar)
{
    qApp->installEventFilter(this);
}

bool CDialogPlacer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type())
    {
    case QEvent::Show:
        if (QWidget* dialog = DialogOf(watched); dialog && !WindowsPlacedBySystem())
        {
            Place(dialog);
            // A dialog may size itself once shown (a message box does): placed again with
            // that size, unless it has moved since.
            QMetaObject::invokeMethod(
                this,
                [this, dialog = QPointer<QWidget>(dialog), placed = FrameRect(dialog)]
                {
                    if (dialog && dialog->isVisible() && FrameRect(dialog).topLeft() == placed.topLeft() &&
                        FrameRect(dialog).size() != placed.size())
                        Place(dialog);
                },
                Qt::QueuedConnection);
        }
        break;
    case QEvent::Resize:
        if (QWidget* dialog = DialogOf(watched); dialog && dialog->isVisible() && dialog->property(Placed).toBool())
            KeepInWorkArea(dialog);
        break;
    case QEvent::Expose:
        if (auto* handle = qobject_cast<QWindow*>(watched); handle && handle->isExposed())
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->windowHandle() == handle && window->property(Placed).toBool() && SettleFrame(window))
                    KeepInWorkArea(window);
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void CDialogPlacer::KeepOffToolbar()
{
    if (!m_toolbar)
        return;
    const QRect toolbar = FrameRect(m_toolbar);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->property(Placed).toBool() && FrameRect(window).intersects(toolbar))
            Place(window);
}

void CDialogPlacer::Place(QWidget* dialog)
{
    if (dialog->width() < CaptionWidth(dialog))
        dialog->resize(std::min(CaptionWidth(dialog), dialog->maximumWidth()), dialog->height());
    const QMargins margins = FrameMarginsOf(dialog);
    const QSize frame = dialog->size().grownBy(margins);
    const QSize least =
        dialog->minimumSizeHint().expandedTo(dialog->minimumSize()).boundedTo(dialog->size()).grownBy(margins);
    const QWidget* toolbar = m_toolbar && m_toolbar->isVisible() ? m_toolbar.data() : nullptr;
    const CDockRect place =
        PlaceBesideToolbar({frame.width(), frame.height(), least.width(), least.height(), false},
                           toolbar ? ToDock(FrameRect(toolbar)) : CDockRect{}, ToDock(WorkAreaOf(dialog)));
    dialog->setProperty(Placed, true);
    SetFrameRect(dialog, FromDock(place));
}
