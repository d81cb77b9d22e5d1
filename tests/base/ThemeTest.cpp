#include "base/Theme.h"

#include <gtest/gtest.h>

namespace
{
class CFixedColours : public ISystemColours
{
public:
    std::optional<std::uint32_t> SystemColour(std::string_view name) const override
    {
        if (name == "COLOR_WINDOW")
            return 0x00FFFFFFu;
        if (name == "COLOR_BTNTEXT")
            return 0x00000000u;
        if (name == "COLOR_HIGHLIGHT")
            return 0x00D77800u;
        return std::nullopt;
    }
};
} // namespace

TEST(Theme, ValuesAreConvertedOrLeftUnset)
{
    CFixedColours system;
    CTheme theme(&system);
    const struct
    {
        const char* value;
        const char* stored;
    } cases[] = {
        {"#FF8000", "0x000080FF"},
        {"#ff8000", "0x000080ff"},
        {"#123456", "0x00563412"},
        {"COLOR_HIGHLIGHT", "d77800"},
        {"COLOR_WINDOW", "ffffff"},
        {"COLOR_BTNTEXT", "0"},
        {"COLOR_HOTLIGHT", ""}, // a known name the platform cannot answer
        {"COLOR_NOSUCH", ""},
        {"color_window", ""},
        {"#FF80", ""},
        {"#FF800000", ""},
        {"#GG8000", ""},
        {"FF8000", ""},
        {"#", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(theme.ConvertValue(c.value), c.stored) << c.value;
    CTheme withoutSystem;
    EXPECT_EQ(withoutSystem.ConvertValue("COLOR_WINDOW"), "");
}
