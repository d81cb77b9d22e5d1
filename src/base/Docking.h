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

// Where a docked window's top-left corner goes: beside a vertical toolbar's right edge,
// below a horizontal one.
CDockPoint DockPosition(const CDockRect& toolbar, bool vertical);

struct CDockPlacement
{
    EToolWindow window;
    CDockPoint position;
    // The window's size: its own, unless the work area has less room.
    int w = 0;
    int h = 0;

    CDockRect Rect() const { return {position.x, position.y, w, h}; }
};

// Docking a window: the windows to show, where, in this order; every other window is
// hidden. `windows` gives each window's frame size. On screens wider than PairingMinWidth
// the partner is shown too, the pair's lead at the toolbar and the second window beside it.
// `alone` is set when the window docks because its lead was just hidden (the lead then stays
// hidden), or when its partner is not shown.
//
// Every window lies inside the work area and off the toolbar: the lead goes beside the
// toolbar's edge (DockPosition) when it fits there, else to the toolbar's other side, shifted
// along the edge as far as the work area needs, else beyond one of the toolbar's ends; when
// none has room, to the side with more, shrunk to it. The second window of a pair goes beyond the lead, on either side, and
// is left out when it fits nowhere.
std::vector<CDockPlacement> PlanDock(EToolWindow window, const CDockRect& toolbar, bool vertical,
                                     const CDockRect& workArea,
                                     const std::array<CDockRect, ToolWindowCount>& windows,
                                     bool alone = false);

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
