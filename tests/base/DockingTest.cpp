#include "base/Docking.h"

#include <gtest/gtest.h>

namespace
{
const CDockRect WideScreen{0, 0, 1280, 1000};
const CDockRect NarrowScreen{0, 0, 800, 600};
const CDockRect Toolbar{100, 50, 120, 341};

std::array<CDockSize, ToolWindowCount> Windows()
{
    std::array<CDockSize, ToolWindowCount> windows{};
    for (int i = 0; i < ToolWindowCount; ++i)
        windows[i] = {300 + 10 * i, 200, 300 + 10 * i, 200, false};
    return windows;
}
} // namespace

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
    std::array<CDockSize, ToolWindowCount> windows{};
    windows[static_cast<int>(EToolWindow::Order)] = {300, 400, 300, 400, false};
    windows[static_cast<int>(EToolWindow::Reports)] = {500, 300, 500, 300, false};
    windows[static_cast<int>(EToolWindow::Formulae)] = {562, 725, 562, 725, false};
    windows[static_cast<int>(EToolWindow::Techniques)] = {562, 545, 562, 545, false};
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

TEST(Docking, TakesTheFreeHeightAndNarrowsToTheContent)
{
    struct Case
    {
        const char* what;
        EToolWindow window;
        CDockRect toolbar;
        bool vertical;
        CDockRect screen;
        CDockSize lead;
        CDockSize second;
        std::vector<CDockRect> expected;
    };
    const CDockRect screen{0, 0, 1280, 800};
    const std::vector<Case> cases = {
        {"the screen's height beside a vertical toolbar", EToolWindow::Order, {0, 100, 122, 381}, true, screen,
         {300, 460, 280, 300, true}, {500, 420, 400, 300, true}, {{122, 0, 300, 800}, {422, 0, 500, 800}}},
        {"the height below a horizontal one", EToolWindow::Order, {0, 0, 430, 130}, false, screen,
         {300, 460, 280, 300, true}, {500, 420, 400, 300, true}, {{0, 130, 300, 670}, {300, 130, 500, 670}}},
        {"too tall below it whole: beyond its end, as tall as the screen", EToolWindow::Formulae, {0, 0, 430, 130},
         false, screen, {562, 725, 500, 600, true}, {562, 545, 400, 400, true}, {{430, 0, 562, 800}}},
        {"sized by the player: its own height", EToolWindow::Order, {0, 100, 122, 381}, true, screen,
         {300, 460, 280, 300, false}, {500, 420, 400, 300, true}, {{122, 100, 300, 460}, {422, 0, 500, 800}}},
        {"the second narrowed to the room left", EToolWindow::Formulae, {0, 0, 178, 430}, true, screen,
         {572, 725, 500, 600, true}, {603, 545, 520, 400, true}, {{178, 0, 572, 800}, {750, 0, 530, 800}}},
        {"no room for the second's content: left out", EToolWindow::Formulae, {0, 0, 178, 430}, true, screen,
         {572, 725, 500, 600, true}, {603, 545, 540, 400, true}, {{178, 0, 572, 800}}},
        {"the second asked for docks alone instead", EToolWindow::Techniques, {0, 0, 178, 430}, true, screen,
         {572, 725, 500, 600, true}, {603, 545, 540, 400, true}, {{178, 0, 603, 800}}},
        {"a screen too small for the content: cut to the largest strip", EToolWindow::Formulae, {0, 0, 89, 400},
         true, {0, 0, 640, 400}, {572, 725, 470, 600, true}, {560, 545, 400, 400, true}, {{89, 0, 551, 400}}},
    };
    for (const Case& c : cases)
    {
        std::array<CDockSize, ToolWindowCount> windows{};
        const bool orders = c.window == EToolWindow::Order || c.window == EToolWindow::Reports;
        windows[static_cast<int>(orders ? EToolWindow::Order : EToolWindow::Formulae)] = c.lead;
        windows[static_cast<int>(orders ? EToolWindow::Reports : EToolWindow::Techniques)] = c.second;
        const auto plan = PlanDock(c.window, c.toolbar, c.vertical, c.screen, windows);
        ASSERT_EQ(plan.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < plan.size(); ++i)
            EXPECT_EQ(plan[i].Rect(), c.expected[i]) << c.what << " " << i;
    }
}

TEST(Docking, RectanglesAreBroughtInsideTheWorkArea)
{
    const CDockRect area{0, 0, 1280, 800};
    // Saved at another scale: the toolbar mostly off the screen, a window larger than it.
    EXPECT_EQ(ClampInto({1103, 352, 352, 848}, area), (CDockRect{928, 0, 352, 800}));
    EXPECT_EQ(ClampInto({-300, -200, 1120, 1400}, area), (CDockRect{0, 0, 1120, 800}));
    EXPECT_EQ(ClampInto({40, 420, 300, 200}, area), (CDockRect{40, 420, 300, 200}));
    EXPECT_EQ(ClampInto({40, 420, 300, 200}, {1280, 0, 1024, 768}), (CDockRect{1280, 420, 300, 200}));
}

TEST(Docking, DialogsOpenCentredBesideTheToolbar)
{
    struct Case
    {
        const char* what;
        CDockSize dialog;
        CDockRect toolbar;
        CDockRect screen;
        CDockRect expected;
    };
    const CDockRect screen{0, 0, 1280, 800};
    const CDockRect small{0, 0, 800, 600};
    const Case cases[] = {
        {"right of a vertical toolbar", {500, 400, 300, 200}, {0, 0, 178, 430}, screen, {479, 200, 500, 400}},
        {"below a horizontal one", {500, 400, 300, 200}, {0, 0, 450, 155}, screen, {390, 277, 500, 400}},
        {"left of a toolbar at the right edge", {500, 400, 300, 200}, {1102, 300, 178, 430}, screen,
         {301, 200, 500, 400}},
        {"no toolbar: the screen's centre", {500, 400, 300, 200}, {}, screen, {390, 200, 500, 400}},
        {"cut to the free part, no less than its least size", {760, 620, 400, 300}, {0, 0, 178, 430}, small,
         {178, 0, 622, 600}},
        {"no room beside: over the toolbar, on the screen", {900, 700, 900, 700}, {0, 0, 178, 430}, small,
         {0, 0, 800, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceBesideToolbar(c.dialog, c.toolbar, c.screen), c.expected) << c.what;
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
