#pragma once

#include <array>
#include <optional>
#include <vector>

// The geometry of the toolbar and its tool windows: where a docked window goes, which
// windows are shown with it, and how the toolbar snaps while it is dragged. Pure functions
// over screen rectangles, so the windows only apply what these return.

struct CDockRect
{
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool operator==(const CDockRect&) const = default;
};

struct CDockPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const CDockPoint&) const = default;
};

// The tool windows in the order of the toolbar's buttons.
enum class EToolWindow
{
    Order,
    Reports,
    Formulae,
    Techniques,
    Components,
    Profiles
};
inline constexpr int ToolWindowCount = 6;

// Screens this wide or narrower show one docked window at a time.
inline constexpr int PairingMinWidth = 800;
// Distance within which the dragged toolbar snaps to a visible tool window.
inline constexpr int WindowSnapDistance = 18;

// The other window of a pair (order/reports, formulae/techniques); none for the others.
std::optional<EToolWindow> DockPartner(EToolWindow window);
// True for the first window of a pair (order, formulae): it sits at the toolbar.
bool IsPairLead(EToolWindow window);

// What a tool window asks of its place: the frame it wants, the least frame its content shows
// in uncut (in less it scrolls), and whether it takes the free height beside the toolbar
// (true until the player sizes it).
struct CDockSize
{
    int w = 0;
    int h = 0;
    int minW = 0;
    int minH = 0;
    bool fillHeight = false;
};

struct CDockPlacement
{
    EToolWindow window;
    CDockPoint position;
    int w = 0;
    int h = 0;

    CDockRect Rect() const { return {position.x, position.y, w, h}; }
};

// Docking a window: the windows to show, where, in this order; every other window is
// hidden. On screens wider than PairingMinWidth the partner is shown too, the pair's lead at
// the toolbar and the second window beyond it. `alone` is set when the window docks because
// its lead was just hidden (the lead then stays hidden), or when its partner is not shown.
//
// Every window lies inside the work area and off the toolbar. The lead goes into the first
// strip of the work area beside the toolbar that holds its own size (beside the toolbar's
// edge, then its other side, then beyond its ends), else into the first that holds its
// content, the window narrowed or shortened, else into the largest, cut to it. Its top is
// level with the toolbar's or, when it takes the free height, with the strip's. The second
// window goes into the same strip beyond the lead on either side, whole or narrowed to no
// less than its content; else it is left out, and when it is the window asked for it docks
// alone.
std::vector<CDockPlacement> PlanDock(EToolWindow window, const CDockRect& toolbar, bool vertical,
                                     const CDockRect& workArea,
                                     const std::array<CDockSize, ToolWindowCount>& windows,
                                     bool alone = false);

// A rectangle brought inside the area: cut to its size, then shifted as little as it needs.
CDockRect ClampInto(const CDockRect& rect, const CDockRect& area);

// Where a dialog opens: centred on the largest part of the work area beside the toolbar that
// holds it (else that holds its minimum, the dialog cut to it); over the toolbar only when no
// part has room, and then still inside the work area. An empty toolbar: centred on the area.
CDockRect PlaceBesideToolbar(const CDockSize& dialog, const CDockRect& toolbar, const CDockRect& workArea);

// The window "Autodock" docks when it is switched on: the first visible one of formulae,
// techniques, order, reports, components, profiles.
std::optional<EToolWindow> FirstToDock(const std::array<bool, ToolWindowCount>& visible);

// The dragged toolbar's position after snapping to the work area's edges within
// `strength` pixels (0 switches snapping off).
CDockPoint SnapToWorkArea(const CDockRect& toolbar, const CDockRect& workArea, int strength);

// The dragged toolbar's position after snapping to the edges of the given windows within
// `distance` pixels: its sides to their opposite sides where the two overlap, and its
// edges to their same edges when the two are side by side.
CDockPoint SnapToWindows(const CDockRect& toolbar, const std::vector<CDockRect>& windows,
                         int distance = WindowSnapDistance);
