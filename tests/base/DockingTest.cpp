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
    EXPECT_EQ(PlanDock(EToolWindow::Order, {0, 50, 120, 341}, true, {0, 0, 801, 600}, Windows()).size(), 2u);
}

TEST(Docking, StaysInsideTheWorkAreaAndOffTheToolbar)
{
    const CDockRect screen{0, 0, 1280, 800};
    std::array<CDockRect, ToolWindowCount> windows{};
    windows[static_cast<int>(EToolWindow::Order)] = {0, 0, 300, 400};
    windows[static_cast<int>(EToolWindow::Reports)] = {0, 0, 500, 300};
    windows[static_cast<int>(EToolWindow::Formulae)] = {0, 0, 562, 725};
    windows[static_cast<int>(EToolWindow::Techniques)] = {0, 0, 562, 545};
    struct Case
    {
        EToolWindow window;
        CDockRect toolbar;
        bool vertical;
        std::vector<std::pair<EToolWindow, CDockRect>> expected;
    };
    const std::vector<Case> cases = {
        // Too tall below the toolbar's top: shifted up; no room for the partner on either side.
        {EToolWindow::Formulae, {579, 209, 122, 381}, true, {{EToolWindow::Formulae, {701, 75, 562, 725}}}},
        // The window asked for is shown even where its lead leaves it no room.
        {EToolWindow::Techniques, {579, 209, 122, 381}, true, {{EToolWindow::Techniques, {701, 209, 562, 545}}}},
        // At the right edge: both go to the left, the partner beyond the lead.
        {EToolWindow::Formulae, {1158, 100, 122, 381}, true,
         {{EToolWindow::Formulae, {596, 75, 562, 725}}, {EToolWindow::Techniques, {34, 75, 562, 545}}}},
        // Horizontal at the top: too tall below it, so beyond its right end.
        {EToolWindow::Formulae, {0, 0, 430, 130}, false, {{EToolWindow::Formulae, {430, 0, 562, 725}}}},
        // No room anywhere for all 725 pixels: below, cut to 670, the partner beside it.
        {EToolWindow::Formulae, {0, 0, 1280, 130}, false,
         {{EToolWindow::Formulae, {0, 130, 562, 670}}, {EToolWindow::Techniques, {562, 130, 562, 545}}}},
        // Horizontal in the middle: no room above or below, so beyond its left end.
        {EToolWindow::Formulae, {579, 209, 430, 120}, false, {{EToolWindow::Formulae, {17, 75, 562, 725}}}},
        // Horizontal at the bottom: above it, the partner level with the lead's bottom.
        {EToolWindow::Order, {400, 690, 430, 110}, false,
         {{EToolWindow::Order, {400, 290, 300, 400}}, {EToolWindow::Reports, {700, 390, 500, 300}}}},
    };
    for (const Case& c : cases)
    {
        const auto plan = PlanDock(c.window, c.toolbar, c.vertical, screen, windows);
        ASSERT_EQ(plan.size(), c.expected.size()) << c.toolbar.x;
        for (std::size_t i = 0; i < plan.size(); ++i)
        {
            EXPECT_EQ(plan[i].window, c.expected[i].first) << c.toolbar.x;
            EXPECT_EQ(plan[i].Rect(), c.expected[i].second) << c.toolbar.x << " " << i;
        }
    }
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
