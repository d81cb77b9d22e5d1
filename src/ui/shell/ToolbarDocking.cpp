#include "ui/shell/ToolbarWindow.h"

#include "base/Placement.h"
#include "ui/order/OrderCommands.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/ToggleButton.h"
#include "ui/shell/ToolWindow.h"
#include "ui/shell/WindowPlacement.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

// The tool windows docked along the toolbar's edge, following it when it moves, and
// snapping to the work area's edges and to each other.

CDockRect CToolbarWindow::WorkArea() const
{
    return ToDock(WorkAreaOf(this));
}

void CToolbarWindow::SetWorkAreaOverride(const std::optional<CDockRect>& area)
{
    ::SetWorkAreaOverride(area ? std::optional<QRect>(FromDock(*area)) : std::nullopt);
    m_overridesWorkArea = area.has_value();
}

std::array<CDockSize, ToolWindowCount> CToolbarWindow::DockSizes()
{
    std::array<CDockSize, ToolWindowCount> sizes{};
    for (int i = 0; i < ToolWindowCount; ++i)
        if (CToolWindow* window = m_windows[i])
        {
            // Sized as showing it would size it.
            if (!window->isVisible() && !window->testAttribute(Qt::WA_Resized))
                window->adjustSize();
            sizes[i] = window->DockSize();
        }
    return sizes;
}

void CToolbarWindow::MoveTool(EToolWindow id, int x, int y)
{
    if (CToolWindow* window = ExistingWindow(id))
        MoveFrame(window, QPoint(x, y));
}

void CToolbarWindow::Dock(EToolWindow id, bool alone)
{
    if (WindowsPlacedBySystem())
        return;
    // The windows must exist for their sizes to be known.
    Window(id);
    if (const auto partner = DockPartner(id); partner && !alone && WorkArea().w > PairingMinWidth)
        Window(*partner);
    const auto plan = PlanDock(id, ToDock(FrameRect(this)), IsVertical(), WorkArea(), DockSizes(), alone);
    m_placing = true;
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto other = static_cast<EToolWindow>(i);
        const bool planned = std::any_of(plan.begin(), plan.end(), [other](const CDockPlacement& p) { return p.window == other; });
        if (!planned)
            if (CToolWindow* window = ExistingWindow(other))
                window->hide();
    }
    for (const CDockPlacement& placement : plan)
    {
        CToolWindow* window = Window(placement.window);
        PlaceDocked(window, placement);
        window->show();
    }
    m_docked = plan.front().window;
    m_placing = false;
    PlaceDeferred();
}

void CToolbarWindow::PlaceDocked(CToolWindow* window, const CDockPlacement& placement)
{
    const CDockRect r = placement.Rect();
    const QRect frame(r.x, r.y, r.w, r.h);
    const QRect now = FrameRect(window);
    if (frame == now)
        return;
    if (frame.size() == now.size())
    {
        MoveFrame(window, frame.topLeft());
        return;
    }
    // Less room than the window asks for: it is cut, its content scrolls.
    window->LetShrinkTo(frame.size());
    SetFrameRect(window, frame);
}

void CToolbarWindow::FollowDock()
{
    // Planned again from where the toolbar is now, so the windows stay on the screen and off
    // the toolbar; only windows already shown move, and a partner with no room left goes.
    const std::optional<EToolWindow> partner = DockPartner(*m_docked);
    const bool alone = !partner || !IsShown(*partner);
    const auto plan = PlanDock(*m_docked, ToDock(FrameRect(this)), IsVertical(), WorkArea(), DockSizes(), alone);
    m_placing = true;
    if (!alone && std::none_of(plan.begin(), plan.end(), [&partner](const CDockPlacement& p) { return p.window == *partner; }))
        ExistingWindow(*partner)->hide();
    for (const CDockPlacement& placement : plan)
    {
        CToolWindow* window = ExistingWindow(placement.window);
        if (!window || !window->isVisible())
            continue;
        PlaceDocked(window, placement);
    }
    if (!plan.empty() && plan.front().window != *m_docked && IsShown(plan.front().window))
        m_docked = plan.front().window;
    m_placing = false;
    PlaceDeferred();
}

void CToolbarWindow::PlaceAgain(EToolWindow id)
{
    CToolWindow* window = ExistingWindow(id);
    if (!window || !window->isVisible() || WindowsPlacedBySystem())
        return;
    // Asked while windows are being placed or restored: once they are.
    if (m_placing || m_restoring)
    {
        m_placeAgain = id;
        return;
    }
    if (!m_autodock->isChecked())
    {
        KeepInWorkArea(window);
        return;
    }
    // Docked again as if asked for, the partner staying as it is shown or not.
    const auto partner = DockPartner(id);
    Dock(id, !partner || !IsShown(*partner));
}

void CToolbarWindow::PlaceDeferred()
{
    if (const auto id = std::exchange(m_placeAgain, std::nullopt))
        PlaceAgain(*id);
}

void CToolbarWindow::PlaceUndocked(EToolWindow id)
{
    CToolWindow* window = Window(id);
    // Never placed: beside the toolbar as docking would put it, instead of where the window
    // manager would (over the toolbar, as like as not).
    if (window->testAttribute(Qt::WA_Moved) || WindowsPlacedBySystem())
        return;
    // Its own height: only a docked window takes the free height.
    std::array<CDockSize, ToolWindowCount> sizes = DockSizes();
    sizes[static_cast<int>(id)].fillHeight = false;
    PlaceDocked(window, PlanDock(id, ToDock(FrameRect(this)), IsVertical(), WorkArea(), sizes, true).front());
}

void CToolbarWindow::SetAutodock(bool on)
{
    if (m_autodock->isChecked() != on)
    {
        m_autodock->setChecked(on); // comes back here through toggled
        return;
    }
    m_app.Settings().DockingMode = on;
    if (!on)
    {
        m_docked.reset();
        m_restoring = true;
        for (int i = 0; i < ToolWindowCount; ++i)
        {
            const auto id = static_cast<EToolWindow>(i);
            if (CToolWindow* window = ExistingWindow(id))
                window->RestorePosition();
            else if (StoredVisibility(m_app, PlacementNameOf(id)).value_or(false))
                Window(id)->RestorePosition();
        }
        m_restoring = false;
        PlaceDeferred();
        return;
    }
    DockFirstShown();
}

void CToolbarWindow::DockFirstShown()
{
    std::array<bool, ToolWindowCount> visible{};
    for (int i = 0; i < ToolWindowCount; ++i)
        visible[i] = IsShown(static_cast<EToolWindow>(i));
    if (const auto first = FirstToDock(visible))
        Dock(*first);
}

void CToolbarWindow::FollowToolbar(int dx, int dy)
{
    if (m_docked && IsShown(*m_docked))
    {
        FollowDock();
        return;
    }
    if (!m_app.Settings().DragWithToolbar)
        return;
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        const auto id = static_cast<EToolWindow>(i);
        if (IsShown(id))
        {
            const QPoint at = FrameRect(ExistingWindow(id)).topLeft();
            MoveTool(id, at.x() + dx, at.y() + dy);
        }
    }
}

void CToolbarWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    // The move this handler makes to snap is finished below, by the call that made it.
    if (m_snapping)
        return;
    if (isVisible())
        SettleFrame(this);
    if (!isVisible())
    {
        m_lastPosition = FrameRect(this).topLeft();
        m_positionKnown = true;
        return;
    }
    CDockRect rect = ToDock(FrameRect(this));
    CDockPoint snapped = SnapToWorkArea(rect, WorkArea(), m_app.Settings().StickyStrength);
    const bool docked = m_docked && IsShown(*m_docked);
    if (!docked && !m_app.Settings().DragWithToolbar && snapped == CDockPoint{rect.x, rect.y})
    {
        std::vector<CDockRect> others;
        for (int i = 0; i < ToolWindowCount; ++i)
            if (IsShown(static_cast<EToolWindow>(i)))
                others.push_back(ToDock(FrameRect(m_windows[i])));
        snapped = SnapToWindows(rect, others);
    }
    if (snapped.x != rect.x || snapped.y != rect.y)
    {
        m_snapping = true;
        MoveFrame(this, QPoint(snapped.x, snapped.y));
        m_snapping = false;
    }
    const QPoint now = FrameRect(this).topLeft();
    if (m_positionKnown && now != m_lastPosition)
        FollowToolbar(now.x() - m_lastPosition.x(), now.y() - m_lastPosition.y());
    m_lastPosition = now;
    m_positionKnown = true;
}

void CToolbarWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The window manager's frame is known when the toolbar is exposed.
    if (QWindow* handle = windowHandle())
    {
        handle->removeEventFilter(this);
        handle->installEventFilter(this);
    }
}

bool CToolbarWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Button(EToolWindow::Order) &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop))
    {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!OrderCommands::IsDroppedFormula(drop->mimeData()))
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            if (const int id = OrderCommands::AddDroppedFormula(m_app, drop->mimeData()); id >= 0)
                Q_EMIT m_app.Bus().OrderItemTaken(id);
        return true;
    }
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed() &&
        SettleFrame(this))
    {
        // Framed now: seen whole, then the docked windows beside it.
        KeepInWorkArea(this, true);
        if (m_docked && IsShown(*m_docked))
            FollowDock();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CToolbarWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized())
    {
        for (int i = 0; i < ToolWindowCount; ++i)
        {
            m_shownBeforeMinimise[i] = IsShown(static_cast<EToolWindow>(i));
            if (m_windows[i])
                m_windows[i]->hide();
        }
        return;
    }
    for (int i = 0; i < ToolWindowCount; ++i)
    {
        if (m_shownBeforeMinimise[i] && m_windows[i])
        {
            m_windows[i]->show();
            m_windows[i]->raise();
        }
        m_shownBeforeMinimise[i] = false;
    }
}
