#include "base/Docking.h"

#include <cstdlib>

std::optional<EToolWindow> DockPartner(EToolWindow window)
{
    switch (window)
    {
    case EToolWindow::Order: return EToolWindow::Reports;
    case EToolWindow::Reports: return EToolWindow::Order;
    case EToolWindow::Formulae: return EToolWindow::Techniques;
    case EToolWindow::Techniques: return EToolWindow::Formulae;
    default: return std::nullopt;
    }
}

bool IsPairLead(EToolWindow window)
{
    return window == EToolWindow::Order || window == EToolWindow::Formulae;
}

CDockPoint DockPosition(const CDockRect& toolbar, bool vertical)
{
    if (vertical)
        return {toolbar.Right(), toolbar.y};
    return {toolbar.x, toolbar.Bottom()};
}

std::vector<CDockPlacement> PlanDock(EToolWindow window, const CDockRect& toolbar, bool vertical,
                                     const CDockRect& workArea,
                                     const std::array<CDockRect, ToolWindowCount>& windows,
                                     bool leadHidden)
{
    const CDockPoint dock = DockPosition(toolbar, vertical);
    const std::optional<EToolWindow> partner = DockPartner(window);
    if (workArea.w <= PairingMinWidth || !partner || leadHidden)
        return {{window, dock}};

    const EToolWindow lead = IsPairLead(window) ? window : *partner;
    const EToolWindow second = IsPairLead(window) ? *partner : window;
    const CDockRect& leadRect = windows[static_cast<int>(lead)];
    return {{lead, dock}, {second, {dock.x + leadRect.w, dock.y}}};
}

std::optional<EToolWindow> FirstToDock(const std::array<bool, ToolWindowCount>& visible)
{
    static constexpr EToolWindow order[] = {EToolWindow::Formulae, EToolWindow::Techniques,
                                            EToolWindow::Order,    EToolWindow::Reports,
                                            EToolWindow::Components, EToolWindow::Profiles};
    for (EToolWindow window : order)
        if (visible[static_cast<int>(window)])
            return window;
    return std::nullopt;
}

namespace
{
bool Near(int a, int b, int distance)
{
    return std::abs(a - b) < distance;
}

// Snaps one axis: the candidate edges of the toolbar against the target edges. The first
// edge that is near wins, so a toolbar never jumps between two targets.
int SnapAxis(int start, int length, const std::vector<std::pair<int, int>>& targets, int distance)
{
    for (const auto& [edge, snapsStart] : targets)
    {
        if (snapsStart && Near(start, edge, distance))
            return edge;
        if (!snapsStart && Near(start + length, edge, distance))
            return edge - length;
    }
    return start;
}
} // namespace

CDockPoint SnapToWorkArea(const CDockRect& toolbar, const CDockRect& workArea, int strength)
{
    if (strength <= 0)
        return {toolbar.x, toolbar.y};
    const int x = SnapAxis(toolbar.x, toolbar.w, {{workArea.x, true}, {workArea.Right(), false}}, strength);
    const int y = SnapAxis(toolbar.y, toolbar.h, {{workArea.y, true}, {workArea.Bottom(), false}}, strength);
    return {x, y};
}

CDockPoint SnapToWindows(const CDockRect& toolbar, const std::vector<CDockRect>& windows, int distance)
{
    CDockPoint result{toolbar.x, toolbar.y};
    bool snappedX = false;
    bool snappedY = false;
    for (const CDockRect& other : windows)
    {
        const bool overlapY = toolbar.y < other.Bottom() + distance && other.y < toolbar.Bottom() + distance;
        const bool overlapX = toolbar.x < other.Right() + distance && other.x < toolbar.Right() + distance;
        if (!snappedX && overlapY)
        {
            // Side by side: outer edges first, then the same edges lined up.
            const int x = SnapAxis(toolbar.x, toolbar.w,
                                   {{other.Right(), true}, {other.x, false}, {other.x, true}, {other.Right(), false}},
                                   distance);
            if (x != toolbar.x)
            {
                snappedX = true;
                result.x = x;
            }
        }
        if (!snappedY && overlapX)
        {
            const int y = SnapAxis(toolbar.y, toolbar.h,
                                   {{other.Bottom(), true}, {other.y, false}, {other.y, true}, {other.Bottom(), false}},
                                   distance);
            if (y != toolbar.y)
            {
                snappedY = true;
                result.y = y;
            }
        }
    }
    return result;
}
