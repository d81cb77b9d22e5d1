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

namespace
{
enum class ESide
{
    Right,
    Left,
    Below,
    Above
};

// The part of the work area on one side of the toolbar, across the whole area.
CDockRect Strip(ESide side, const CDockRect& toolbar, const CDockRect& area)
{
    CDockRect r = area;
    switch (side)
    {
    case ESide::Right: r = {toolbar.Right(), area.y, area.Right() - toolbar.Right(), area.h}; break;
    case ESide::Left: r = {area.x, area.y, toolbar.x - area.x, area.h}; break;
    case ESide::Below: r = {area.x, toolbar.Bottom(), area.w, area.Bottom() - toolbar.Bottom()}; break;
    case ESide::Above: r = {area.x, area.y, area.w, toolbar.y - area.y}; break;
    }
    // A toolbar partly off the area leaves the strip on that side cut, or empty.
    const int right = std::min(r.Right(), area.Right());
    const int bottom = std::min(r.Bottom(), area.Bottom());
    r.x = std::max(r.x, area.x);
    r.y = std::max(r.y, area.y);
    r.w = std::max(0, right - r.x);
    r.h = std::max(0, bottom - r.y);
    return r;
}

// Moves a span as little as it needs to lie inside another (to its start when it is longer).
int ShiftInto(int start, int length, int areaStart, int areaLength)
{
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

enum class EFit
{
    Whole,   // the window's own size
    Content, // narrowed or shortened, no less than its content
    Cut      // whatever the strip has
};

bool Holds(const CDockRect& strip, const CDockSize& size, EFit fit)
{
    if (strip.w <= 0 || strip.h <= 0)
        return false;
    switch (fit)
    {
    case EFit::Whole: return size.w <= strip.w && size.h <= strip.h;
    case EFit::Content: return size.minW <= strip.w && size.minH <= strip.h;
    case EFit::Cut: return true;
    }
    return false;
}

// The window placed in a strip beside the toolbar: against the toolbar's edge, level with
// its start along that edge (or the strip's, taking its height), shifted into the strip.
CDockRect PlaceInStrip(ESide side, const CDockRect& strip, const CDockRect& toolbar, const CDockSize& size)
{
    CDockRect r{0, 0, std::min(size.w, strip.w), size.fillHeight ? strip.h : std::min(size.h, strip.h)};
    switch (side)
    {
    case ESide::Right: r.x = strip.x; break;
    case ESide::Left: r.x = strip.Right() - r.w; break;
    case ESide::Below: r.y = strip.y; break;
    case ESide::Above: r.y = strip.Bottom() - r.h; break;
    }
    if (side == ESide::Right || side == ESide::Left)
        r.y = ShiftInto(size.fillHeight ? strip.y : toolbar.y, r.h, strip.y, strip.h);
    else
    {
        r.x = ShiftInto(toolbar.x, r.w, strip.x, strip.w);
        if (size.fillHeight)
            r.y = strip.y;
    }
    return r;
}

struct CLeadPlace
{
    CDockRect rect;
    CDockRect strip;
};

CLeadPlace PlaceLead(const CDockRect& toolbar, bool vertical, const CDockRect& area, const CDockSize& size)
{
    const ESide sides[] = {vertical ? ESide::Right : ESide::Below, vertical ? ESide::Left : ESide::Above,
                           vertical ? ESide::Below : ESide::Right, vertical ? ESide::Above : ESide::Left};
    for (const EFit fit : {EFit::Whole, EFit::Content})
        for (const ESide side : sides)
        {
            const CDockRect strip = Strip(side, toolbar, area);
            if (Holds(strip, size, fit))
                return {PlaceInStrip(side, strip, toolbar, size), strip};
        }
    // No strip holds its content: the largest, the window cut to it.
    ESide best = sides[0];
    long long bestArea = -1;
    for (const ESide side : sides)
    {
        const CDockRect strip = Strip(side, toolbar, area);
        const long long room = static_cast<long long>(strip.w) * strip.h;
        if (room > bestArea)
        {
            best = side;
            bestArea = room;
        }
    }
    const CDockRect strip = Strip(best, toolbar, area);
    return {PlaceInStrip(best, strip, toolbar, size), strip};
}

// The second window of a pair in the lead's strip, beyond the lead on one side.
std::optional<CDockRect> PlaceSecond(const CLeadPlace& lead, const CDockRect& toolbar, bool vertical,
                                     const CDockSize& size)
{
    const CDockRect& strip = lead.strip;
    const CDockRect& l = lead.rect;
    const CDockRect right{l.Right(), strip.y, strip.Right() - l.Right(), strip.h};
    const CDockRect left{strip.x, strip.y, l.x - strip.x, strip.h};
    const bool leftFirst = l.Right() <= toolbar.x;
    // Level with the lead's top; with its bottom when the lead sits above a horizontal toolbar.
    const bool bottomAligned = !vertical && l.Bottom() <= toolbar.y;
    for (const EFit fit : {EFit::Whole, EFit::Content})
        for (const bool toRight : {!leftFirst, leftFirst})
        {
            const CDockRect& room = toRight ? right : left;
            if (!Holds(room, size, fit))
                continue;
            CDockRect r{0, 0, std::min(size.w, room.w), size.fillHeight ? room.h : std::min(size.h, room.h)};
            r.x = toRight ? room.x : room.Right() - r.w;
            r.y = size.fillHeight ? room.y : ShiftInto(bottomAligned ? l.Bottom() - r.h : l.y, r.h, room.y, room.h);
            return r;
        }
    return std::nullopt;
}
} // namespace

std::vector<CDockPlacement> PlanDock(EToolWindow window, const CDockRect& toolbar, bool vertical,
                                     const CDockRect& workArea,
                                     const std::array<CDockSize, ToolWindowCount>& windows,
                                     bool alone)
{
    const std::optional<EToolWindow> partner = DockPartner(window);
    const bool pair = workArea.w > PairingMinWidth && partner && !alone;
    const EToolWindow lead = !pair || IsPairLead(window) ? window : *partner;
    const CLeadPlace leadPlace = PlaceLead(toolbar, vertical, workArea, windows[static_cast<int>(lead)]);
    const CDockRect& l = leadPlace.rect;
    std::vector<CDockPlacement> plan = {{lead, {l.x, l.y}, l.w, l.h}};
    if (!pair)
        return plan;

    const EToolWindow second = lead == window ? *partner : window;
    if (const auto r = PlaceSecond(leadPlace, toolbar, vertical, windows[static_cast<int>(second)]))
        plan.push_back({second, {r->x, r->y}, r->w, r->h});
    else if (second == window)
        return PlanDock(window, toolbar, vertical, workArea, windows, true); // the one asked for, alone
    return plan;
}

CDockRect ClampInto(const CDockRect& rect, const CDockRect& area)
{
    CDockRect r = rect;
    r.w = std::min(r.w, area.w);
    r.h = std::min(r.h, area.h);
    r.x = ShiftInto(r.x, r.w, area.x, area.w);
    r.y = ShiftInto(r.y, r.h, area.y, area.h);
    return r;
}

CDockRect PlaceBesideToolbar(const CDockSize& dialog, const CDockRect& toolbar, const CDockRect& workArea)
{
    auto centred = [&dialog](const CDockRect& room)
    {
        const int w = std::min(dialog.w, room.w);
        const int h = std::min(dialog.h, room.h);
        return CDockRect{room.x + (room.w - w) / 2, room.y + (room.h - h) / 2, w, h};
    };
    if (toolbar.w <= 0 || toolbar.h <= 0)
        return centred(workArea);
    std::vector<CDockRect> strips;
    for (const ESide side : {ESide::Right, ESide::Left, ESide::Below, ESide::Above})
        strips.push_back(Strip(side, toolbar, workArea));
    std::stable_sort(strips.begin(), strips.end(), [](const CDockRect& a, const CDockRect& b)
                     { return static_cast<long long>(a.w) * a.h > static_cast<long long>(b.w) * b.h; });
    const CDockSize fixed{dialog.w, dialog.h, dialog.minW, dialog.minH, false};
    for (const EFit fit : {EFit::Whole, EFit::Content})
        for (const CDockRect& strip : strips)
            if (Holds(strip, fixed, fit))
                return centred(strip);
    // No part beside the toolbar has room: over it, but inside the work area.
    const CDockRect r = centred(strips.front());
    return ClampInto({r.x, r.y, dialog.w, dialog.h}, workArea);
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
