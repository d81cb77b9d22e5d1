#include "ui/shell/WindowPlacement.h"

#include "ui/shell/AppContext.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <QWizard>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr const char* IntendedFrame = "moxaIntendedFrame";
constexpr const char* SizesAsked = "moxaSizesAsked";
constexpr const char* Framed = "moxaFramed";
constexpr const char* Placed = "moxaPlaced";
// How long a size asked of the window manager may take to come back.
constexpr qint64 AnswerTime = 3000;

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

xcb_atom_t FrameExtentsAtom()
{
    static const xcb_atom_t atom = []
    {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        const char name[] = "_NET_FRAME_EXTENTS";
        xcb_intern_atom_reply_t* reply =
            x11 ? xcb_intern_atom_reply(x11->connection(), xcb_intern_atom(x11->connection(), 0, sizeof(name) - 1, name),
                                        nullptr)
                : nullptr;
        const xcb_atom_t found = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    }();
    return atom;
}

// The frame the window manager says it put around the window (_NET_FRAME_EXTENTS), in Qt's
// pixels; null while it has said nothing. Qt measures the frame window itself when the
// property is missing, and a frame still being built then gives margins that are wrong.
QMargins FrameExtents(const QWidget* window)
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    const QWindow* handle = window->windowHandle();
    if (!x11 || !handle || !handle->handle())
        return {};
    xcb_connection_t* connection = x11->connection();
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(handle->winId()), FrameExtentsAtom(), XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    QMargins margins;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16)
    {
        const auto* sides = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        const double scale = window->devicePixelRatioF();
        const auto pixels = [scale](uint32_t side) { return static_cast<int>(std::lround(side / scale)); };
        // Left, right, top, bottom.
        margins = QMargins(pixels(sides[0]), pixels(sides[2]), pixels(sides[1]), pixels(sides[3]));
    }
    std::free(reply);
    return margins;
}

// The window's own frame; null while it has not been on the screen. (On X11 the window manager
// may give an estimate before it maps a window, and frame it otherwise.)
QMargins OwnFrame(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    if (!handle)
        return {};
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        return handle->frameMargins();
    return handle->isExposed() || window->property(Framed).toBool() ? FrameExtents(window) : QMargins();
}

QMargins FrameMargins(const QWidget* window)
{
    const bool fixed = FixedSize(window);
    if (const QMargins own = OwnFrame(window); !own.isNull())
        return LastFrame(fixed) = own;
    return !LastFrame(fixed).isNull() ? LastFrame(fixed) : LastFrame(!fixed);
}

// The window manager may tell a window's frame after the last event the window gets: its
// word (_NET_FRAME_EXTENTS changed) settles the frame too.
class CFrameExtentsWatch : public QAbstractNativeEventFilter
{
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
        if (property->atom != FrameExtentsAtom())
            return false;
        if (QWidget* window = QWidget::find(property->window); window && window->isWindow())
            QMetaObject::invokeMethod(window, [window] { SettleFrame(window); }, Qt::QueuedConnection);
        return false;
    }
};

void WatchFrameExtents()
{
    static CFrameExtentsWatch* watch = nullptr;
    if (!watch && qApp && QGuiApplication::platformName() == QStringLiteral("xcb"))
    {
        watch = new CFrameExtentsWatch;
        qApp->installNativeEventFilter(watch);
    }
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
    NoteSizeAsked(window, frame.marginsRemoved(margins).size());
    // A window not yet on the screen is placed with a guess of its frame; SettleFrame puts
    // it right once the window manager has framed it.
    const bool guessed = OwnFrame(window).isNull();
    window->setProperty(IntendedFrame, guessed ? QVariant(frame) : QVariant());
    if (guessed)
        WatchFrameExtents();
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
    if (guessed)
        WatchFrameExtents();
    if (guessed && !window->testAttribute(Qt::WA_WState_Created))
    {
        window->move(topLeft);
        return;
    }
    window->setGeometry(QRect(topLeft + QPoint(margins.left(), margins.top()), window->size()));
}

bool SettleFrame(QWidget* window)
{
    if (window->windowHandle() && window->windowHandle()->isExposed())
        window->setProperty(Framed, true);
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

void NoteSizeAsked(QWidget* window, const QSize& size)
{
    // The sizes asked lately, each with the time it was asked.
    QVariantList kept;
    for (const QVariant& entry : window->property(SizesAsked).toList())
        if (Now() - entry.toList().value(1).toLongLong() < AnswerTime && entry.toList().value(0).toSize() != size)
            kept << entry;
    kept << QVariant(QVariantList{size, Now()});
    window->setProperty(SizesAsked, kept);
}

bool SizeAsked(const QWidget* window, const QSize& size)
{
    const QVariantList asked = window->property(SizesAsked).toList();
    return std::any_of(asked.begin(), asked.end(),
                       [&size](const QVariant& entry)
                       { return entry.toList().value(0).toSize() == size && Now() - entry.toList().value(1).toLongLong() < AnswerTime; });
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

namespace
{
// The widget's layout, with its widgets, moved into a scroll area that takes its place (a
// menu bar stays above it).
void ScrollContent(QWidget* widget)
{
    QLayout* layout = widget->layout();
    if (!layout)
        return;
    QWidget* menu = layout->menuBar();
    layout->setMenuBar(nullptr);
    auto* content = new QWidget;
    content->setLayout(layout);
    auto* scroll = new QScrollArea(widget);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // Tab goes to the controls, not to the frame round them
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(widget);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setMenuBar(menu);
    outer->addWidget(scroll);
}

// A dialog whose least size is more than the work area has: its content scrolls, so that
// every part of it can be reached (a wizard's pages each). Message boxes and file dialogs
// lay themselves out and are left as they are.
void ScrollWhenTooLarge(QWidget* dialog, const QSize& room)
{
    constexpr const char* Scrolls = "moxaScrolls";
    const QSize least = dialog->minimumSizeHint().expandedTo(dialog->minimumSize());
    if ((least.width() <= room.width() && least.height() <= room.height()) || dialog->property(Scrolls).toBool() ||
        qobject_cast<QMessageBox*>(dialog) || qobject_cast<QFileDialog*>(dialog))
        return;
    // Once only: placed again, the dialog keeps its one scroll area.
    dialog->setProperty(Scrolls, true);
    if (auto* wizard = qobject_cast<QWizard*>(dialog))
    {
        for (const int id : wizard->pageIds())
            ScrollContent(wizard->page(id));
    }
    else
        ScrollContent(dialog);
    dialog->setMinimumSize(0, 0);
    dialog->resize(dialog->size().boundedTo(room));
}
} // namespace

void CDialogPlacer::Place(QWidget* dialog)
{
    ScrollWhenTooLarge(dialog, WorkAreaOf(dialog).size().shrunkBy(FrameMarginsOf(dialog)));
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
