#include "base/Placement.h"
#include "base/SettingsStore.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace
{
CPlacement Make(int x, int y, int w, int h, bool visible, bool topmost)
{
    CPlacement p;
    p.x = x;
    p.y = y;
    p.w = w;
    p.h = h;
    p.visible = visible;
    p.topmost = topmost;
    return p;
}

TEST(Placement, TextRoundTrip)
{
    struct Case
    {
        CPlacement placement;
        const char* text;
    };
    const Case cases[] = {
        {Make(10, 20, 300, 400, true, false), "X:10, Y:20, W:300, H:400, V:Y T:N"},
        {CPlacement{}, "X:-1, Y:-1, W:-1, H:-1, V:N T:N"},
        {Make(-1920, -5, 0, 1, false, true), "X:-1920, Y:-5, W:0, H:1, V:N T:Y"},
        {Make(INT_MAX, INT_MIN, 7, 8, true, true), "X:2147483647, Y:-2147483648, W:7, H:8, V:Y T:Y"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FormatPlacement(c.placement), c.text);
        EXPECT_EQ(ParsePlacement(c.text), c.placement);
    }
}

TEST(Placement, FieldsThatDoNotParseKeepMinusOne)
{
    struct Case
    {
        const char* text;
        CPlacement expected;
    };
    const Case cases[] = {
        {"", CPlacement{}},
        {"garbage", CPlacement{}},
        {"X:5", Make(5, -1, -1, -1, false, false)},
        {"X:a, Y:2, W:3, H:4, V:Y T:Y", CPlacement{}},
        {"X:1, Y:2, W:abc, H:4, V:Y T:Y", Make(1, 2, -1, -1, false, false)},
        {"X:1, Y:2, W:3, H:4, V:y T:Y", Make(1, 2, 3, 4, true, true)},
        {"X:1, Y:2, W:3, H:4, V:yes T:n", Make(1, 2, 3, 4, false, false)},
        {"X:1, Y:2, W:3, H:4, V:N T:", Make(1, 2, 3, 4, false, false)},
        {"X:1, Y:2, W:3, H:4", Make(1, 2, 3, 4, false, false)},
        {"X: 7,Y:8, W:+9, H:-10, V:Y T:Y", Make(7, 8, 9, -10, true, true)},
        {"X:99999999999, Y:-99999999999, W:3, H:4, V:N T:N", Make(INT_MAX, INT_MIN, 3, 4, false, false)},
        {"X:12px, Y:2, W:3, H:4, V:Y T:Y", Make(12, -1, -1, -1, false, false)},
        {"x:1, Y:2, W:3, H:4, V:Y T:Y", CPlacement{}},
        {"X:-, Y:2", CPlacement{}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParsePlacement(c.text), c.expected);
    }
}

TEST(Placement, OnlyCreatedWindowsAndTheToolbarAreSaved)
{
    CMemorySettingsStore store;
    CWindowPlacements placements;
    placements.Get(WindowNames::Order) = Make(1, 2, 3, 4, true, false); // never created
    CPlacement& report = placements.Get(WindowNames::Report);
    report = Make(5, 6, 7, 8, false, true);
    report.created = true;
    placements.SaveAll(store);

    EXPECT_EQ(store.Read(SettingsKeys::Windows, "ToolbarWnd"), "X:-1, Y:-1, W:-1, H:-1, V:N T:N");
    EXPECT_EQ(store.Read(SettingsKeys::Windows, "ReportWnd"), "X:5, Y:6, W:7, H:8, V:N T:Y");
    for (const char* name : {"OrderWnd", "ItemCreationWnd", "TechSelectionWnd", "ComponentWnd", "ProfileWnd"})
        EXPECT_FALSE(store.Read(SettingsKeys::Windows, name).has_value()) << name;
    EXPECT_EQ(store.Values().size(), 1u);
    EXPECT_FALSE(placements.Save(store, WindowNames::Order));
    EXPECT_TRUE(placements.Save(store, WindowNames::Report));
}

TEST(Placement, RestoreKeepsTheCreatedFlagAndMissingRecords)
{
    CMemorySettingsStore store;
    store.Write(SettingsKeys::Windows, "toolbarwnd", "X:100, Y:200, W:50, H:600, V:Y T:N");
    store.Write(SettingsKeys::Windows, "OrderWnd", "X:1, Y:2, W:bad");
    CWindowPlacements placements;
    placements.Get(WindowNames::Order).created = true;
    CPlacement& profile = placements.Get(WindowNames::Profile);
    profile = Make(9, 9, 9, 9, true, true);
    placements.RestoreAll(store);

    EXPECT_EQ(*placements.Find(WindowNames::Toolbar), Make(100, 200, 50, 600, true, false));
    CPlacement order = Make(1, 2, -1, -1, false, false);
    order.created = true;
    EXPECT_EQ(*placements.Find(WindowNames::Order), order);
    // Nothing stored for the profile manager: its record stays as it was.
    EXPECT_EQ(*placements.Find(WindowNames::Profile), Make(9, 9, 9, 9, true, true));
    EXPECT_FALSE(placements.Restore(store, WindowNames::Component));
    EXPECT_EQ(placements.Find(WindowNames::Component), nullptr);
    EXPECT_EQ(WindowNames::All.size(), 7u);
}
} // namespace
