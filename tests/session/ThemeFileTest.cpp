#include "base/Theme.h"
#include "session/ThemeFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace
{
class CHighlightOnly : public ISystemColours
{
public:
    std::optional<std::uint32_t> SystemColour(std::string_view name) const override
    {
        return name == "COLOR_HIGHLIGHT" ? std::optional<std::uint32_t>(0x00D77800u) : std::nullopt;
    }
};

std::string Theme(const std::string& colours)
{
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<scheme>\n<colours>\n" + colours + "</colours>\n</scheme>\n";
}
} // namespace

TEST(ThemeFile, LoadsTheTableAndFallsBack)
{
    CTempDir dir;
    CHighlightOnly system;
    CTheme theme(&system);
    const auto path = dir.WriteFile("Themes/test.xml",
                                    Theme("<colour value=\"#FF8000\">GRID_TITLE_BG</colour>\n"
                                          "<colour value=\"#00FF00\">GRID_TITLE_FG</colour>\n"
                                          "<colour value=\"#0000FF\">GRID_TITLE_FG</colour>\n"
                                          "<colour value=\"#12\">TREE_LVL1_NORMAL_FG</colour>\n"
                                          "<colour value=\"COLOR_NOSUCH\">DIALOGCOLOUR_BG</colour>\n"
                                          "<colour value=\"COLOR_HIGHLIGHT\">SELECTCOLOUR_BG</colour>\n"));
    ASSERT_TRUE(LoadTheme(theme, path));
    EXPECT_EQ(theme.Table(), (std::map<std::string, std::string>{
                                 {"GRID_TITLE_BG", "0x000080FF"}, {"GRID_TITLE_FG", "0x00FF0000"}, {"SELECTCOLOUR_BG", "d77800"}}));
    EXPECT_EQ(theme.ThemeColour("GRID_TITLE_BG"), 0x000080FFu);
    EXPECT_EQ(theme.ThemeColour("GRID_TITLE_FG"), 0x00FF0000u);
    EXPECT_EQ(theme.ThemeColour("SELECTCOLOUR_BG"), 0x00D77800u);
    // Unset keys: black for foregrounds, white for everything else.
    EXPECT_EQ(theme.ThemeColour("TREE_LVL1_NORMAL_FG"), 0x000000u);
    EXPECT_EQ(theme.ThemeColour("DIALOGCOLOUR_BG"), 0xFFFFFFu);
    EXPECT_EQ(theme.ThemeColour("GRID_BACKCOLOUR"), 0xFFFFFFu);
    EXPECT_EQ(theme.ThemeColour("GRID_FG_X"), 0xFFFFFFu);

    // A later theme replaces the table; a file without the elements changes nothing.
    const auto second = dir.WriteFile("Themes/second.xml", Theme("<colour value=\"#010203\">GRID_BACKCOLOUR</colour>\n"));
    ASSERT_TRUE(LoadTheme(theme, second));
    EXPECT_EQ(theme.ThemeColour("GRID_BACKCOLOUR"), 0x00030201u);
    EXPECT_EQ(theme.ThemeColour("GRID_TITLE_BG"), 0xFFFFFFu);
    EXPECT_FALSE(LoadTheme(theme, dir.WriteFile("Themes/bad.xml", "<scheme>\n<colour value=\"#000000\">A</colour>\n</scheme>\n")));
    EXPECT_FALSE(LoadTheme(theme, dir / "Themes" / "missing.xml"));
    EXPECT_EQ(theme.Table().size(), 1u);
}
