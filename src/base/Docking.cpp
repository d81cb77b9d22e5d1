#include "base/Docking.h"

#include <algorithm>
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

namespace
{
bool Inside(const CDockRect& r, const CDockRect& area)
{
    return r.x >= area.x && r.y >= area.y && r.Right() <= area.Right() && r.Bottom() <= area.Bottom();
}

bool Overlap(const CDockRect& a, const CDockRect& b)
{
    return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

// Moves r along one axis into the area, as far as it needs (to the area's start when it is
// longer than the area).
int ShiftInto(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

CDockRect ShiftAlong(CDockRect r, bool alongY, const CDockRect& area)
{
    if (alongY)
        r.y = ShiftInto(r.y, r.h, area.y, area.h);
    else
        r.x = ShiftInto(r.x, r.w, area.x, area.w);
    return r;
}

// The first of the candidates that, shifted along the edge, lies inside the area and off
// every one of `avoid`.
std::optional<CDockRect> FirstThatFits(const std::vector<CDockRect>& candidates, bool alongY,
                                       const CDockRect& area, const std::vector<CDockRect>& avoid)
{
    for (const CDockRect& candidate : candidates)
    {
        const CDockRect r = ShiftAlong(candidate, alongY, area);
        if (Inside(r, area) && std::none_of(avoid.begin(), avoid.end(), [&r](const CDockRect& a) { return Overlap(r, a); }))
            return r;
    }
    return std::nullopt;
}

CDockRect PlaceLead(const CDockRect& toolbar, bool vertical, const CDockRect& area, int w, int h)
{
    const CDockPoint dock = DockPosition(toolbar, vertical);
    const CDockRect beside{dock.x, dock.y, w, h};
    const CDockRect other = vertical ? CDockRect{toolbar.x - w, toolbar.y, w, h} : CDockRect{toolbar.x, toolbar.y - h, w, h};
    if (const auto r = FirstThatFits({beside, other}, vertical, area, {toolbar}))
        return *r;
    // Then the toolbar's ends: right or left of a horizontal one, below or above a vertical one.
    const std::vector<CDockRect> ends =
        vertical ? std::vector<CDockRect>{{toolbar.x, toolbar.Bottom(), w, h}, {toolbar.x, toolbar.y - h, w, h}}
                 : std::vector<CDockRect>{{toolbar.Right(), toolbar.y, w, h}, {toolbar.x - w, toolbar.y, w, h}};
    if (const auto r = FirstThatFits(ends, !vertical, area, {toolbar}))
        return *r;
    // No side has room for the whole window: the roomier side, the window cut to it.
    CDockRect r = beside;
    if (vertical)
    {
        const int after = area.Right() - toolbar.Right();
        const int before = toolbar.x - area.x;
        r.w = std::max(0, std::min(w, std::max(after, before)));
        r.x = after >= before ? toolbar.Right() : toolbar.x - r.w;
        r.h = std::min(h, area.h);
    }
    else
    {
        const int after = area.Bottom() - toolbar.Bottom();
        const int before = toolbar.y - area.y;
        r.h = std::max(0, std::min(h, std::max(after, before)));
        r.y = after >= before ? toolbar.Bottom() : toolbar.y - r.h;
        r.w = std::min(w, area.w);
    }
    return ShiftAlong(r, vertical, area);
}
} // namespace

std::vector<CDockPlacement> PlanDock(EToolWindow window, const CDockRect& toolbar, bool vertical,
                                     const CDockRect& workArea,
                                     const std::array<CDockRect, ToolWindowCount>& windows,
                                     bool alone)
{
    const std::optional<EToolWindow> partner = DockPartner(window);
    const bool pair = workArea.w > PairingMinWidth && partner && !alone;
    const EToolWindow lead = !pair || IsPairLead(window) ? window : *partner;
    const CDockRect& leadSize = windows[static_cast<int>(lead)];
    const CDockRect leadRect = PlaceLead(toolbar, vertical, workArea, leadSize.w, leadSize.h);
    std::vector<CDockPlacement> plan = {{lead, {leadRect.x, leadRect.y}, leadRect.w, leadRect.h}};
    if (!pair)
        return plan;

    const EToolWindow second = lead == window ? *partner : window;
    const int w = windows[static_cast<int>(second)].w;
    const int h = windows[static_cast<int>(second)].h;
    // Beyond the lead, away from the toolbar first; level with the lead's top (with its
    // bottom when the lead sits above a horizontal toolbar).
    const int y = !vertical && leadRect.Bottom() <= toolbar.y ? leadRect.Bottom() - h : leadRect.y;
    const CDockRect right{leadRect.Right(), y, w, h};
    const CDockRect left{leadRect.x - w, y, w, h};
    const bool leftFirst = leadRect.Right() <= toolbar.x;
    const auto secondRect = FirstThatFits(leftFirst ? std::vector{left, right} : std::vector{right, left}, true,
                                          workArea, {toolbar, leadRect});
    if (secondRect)
        plan.push_back({second, {secondRect->x, secondRect->y}, w, h});
    else if (second == window)
        return PlanDock(window, toolbar, vertical, workArea, windows, true); // the one asked for, alone
    return plan;
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
