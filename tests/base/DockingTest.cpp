#include "base/Docking.h"

#include <gtest/gtest.h>

namespace
{
const CDockRect WideScreen{0, 0, 1280, 1000};
const CDockRect NarrowScreen{0, 0, 800, 600};
const CDockRect Toolbar{100, 50, 120, 341};

std::array<CDockRect, ToolWindowCount> Windows()
{
    std::array<CDockRect, ToolWindowCount> windows{};
    for (int i = 0; i < ToolWindowCount; ++i)
        windows[i] = {500 + i, 400 + i, 300 + 10 * i, 200};
    return windows;
}
} // namespace

TEST(Docking, DockPositionBesideOrBelowTheToolbar)
{
    EXPECT_EQ(DockPosition(Toolbar, true), (CDockPoint{220, 50}));
    EXPECT_EQ(DockPosition({100, 50, 428, 80}, false), (CDockPoint{100, 130}));
}

TEST(Docking, PairsOnWideScreensOnly)
{
    struct Case
    {
        EToolWindow window;
        CDockRect screen;
        bool leadHidden;
        std::vector<std::pair<EToolWindow, CDockPoint>> expected;
    };
    // Formulae is 320 wide, Order 300.
    const std::vector<Case> cases = {
        {EToolWindow::Formulae, WideScreen, false,
         {{EToolWindow::Formulae, {220, 50}}, {EToolWindow::Techniques, {540, 50}}}},
        {EToolWindow::Techniques, WideScreen, false,
         {{EToolWindow::Formulae, {220, 50}}, {EToolWindow::Techniques, {540, 50}}}},
        {EToolWindow::Reports, WideScreen, false,
         {{EToolWindow::Order, {220, 50}}, {EToolWindow::Reports, {520, 50}}}},
        // The order window was just hidden: the reports window docks alone.
        {EToolWindow::Reports, WideScreen, true, {{EToolWindow::Reports, {220, 50}}}},
        {EToolWindow::Formulae, NarrowScreen, false, {{EToolWindow::Formulae, {220, 50}}}},
        {EToolWindow::Components, WideScreen, false, {{EToolWindow::Components, {220, 50}}}},
        {EToolWindow::Profiles, WideScreen, false, {{EToolWindow::Profiles, {220, 50}}}},
    };
    for (const Case& c : cases)
    {
        const auto plan = PlanDock(c.window, Toolbar, true, c.screen, Windows(), c.leadHidden);
        ASSERT_EQ(plan.size(), c.expected.size()) << static_cast<int>(c.window);
        for (std::size_t i = 0; i < plan.size(); ++i)
        {
            EXPECT_EQ(plan[i].window, c.expected[i].first);
            EXPECT_EQ(plan[i].position, c.expected[i].second);
        }
    }
    // 801 pixels is wide enough.
    EXPECT_EQ(PlanDock(EToolWindow::Order, Toolbar, true, {0, 0, 801, 600}, Windows()).size(), 2u);
}

TEST(Docking, AutodockPicksTheFirstVisibleInItsOrder)
{
    std::array<bool, ToolWindowCount> visible{};
    EXPECT_FALSE(FirstToDock(visible));
    visible[static_cast<int>(EToolWindow::Profiles)] = true;
    EXPECT_EQ(FirstToDock(visible), EToolWindow::Profiles);
    visible[static_cast<int>(EToolWindow::Order)] = true;
    EXPECT_EQ(FirstToDock(visible), EToolWindow::Order);
    visible[static_cast<int>(EToolWindow::Techniques)] = true;
    EXPECT_EQ(FirstToDock(visible), EToolWindow::Techniques);
    visible[static_cast<int>(EToolWindow::Formulae)] = true;
    EXPECT_EQ(FirstToDock(visible), EToolWindow::Formulae);
}

TEST(Docking, SnapsToWorkAreaEdgesWithinStrength)
{
    const CDockRect area{0, 0, 1000, 800};
    struct Case
    {
        CDockRect toolbar;
        int strength;
        CDockPoint expected;
    };
    const Case cases[] = {
        {{15, 300, 120, 341}, 16, {0, 300}},    // near the left edge
        {{16, 300, 120, 341}, 16, {16, 300}},   // just outside
        {{-10, 5, 120, 341}, 16, {0, 0}},       // past the corner
        {{870, 450, 120, 341}, 16, {880, 459}}, // right and bottom edges
        {{5, 5, 120, 341}, 0, {5, 5}},          // snapping off
        {{20, 20, 120, 341}, 24, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SnapToWorkArea(c.toolbar, area, c.strength), c.expected) << c.toolbar.x << "," << c.toolbar.y;
}

TEST(Docking, SnapsToToolWindowEdges)
{
    const std::vector<CDockRect> windows = {{400, 100, 300, 200}};
    // Right edge of the toolbar comes near the window's left edge.
    EXPECT_EQ(SnapToWindows({270, 150, 120, 341}, windows), (CDockPoint{280, 150}));
    // Left edge near the window's right edge.
    EXPECT_EQ(SnapToWindows({710, 150, 120, 341}, windows), (CDockPoint{700, 150}));
    // Top edge near the window's bottom, lined up horizontally.
    EXPECT_EQ(SnapToWindows({405, 310, 120, 80}, windows), (CDockPoint{400, 300}));
    // Far away: nothing moves.
    EXPECT_EQ(SnapToWindows({0, 600, 120, 80}, windows), (CDockPoint{0, 600}));
}

TEST(Docking, LinesUpWithTheWindowWhenSideBySide)
{
    // Beside the window and 10 pixels below its top: the tops line up.
    EXPECT_EQ(SnapToWindows({270, 110, 120, 341}, {{400, 100, 300, 200}}), (CDockPoint{280, 100}));
}
