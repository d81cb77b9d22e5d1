// The theme reader with a fixed table of system colours.
#include "FuzzSupport.h"
#include "base/Theme.h"
#include "session/ThemeFile.h"

namespace
{
class CFixedColours : public ISystemColours
{
public:
    std::optional<std::uint32_t> SystemColour(std::string_view name) const override
    {
        if (name == "COLOR_WINDOW")
            return 0x00FFFFFFu;
        if (name == "COLOR_WINDOWTEXT")
            return 0x00000000u;
        if (name == "COLOR_HIGHLIGHT")
            return 0x00D77800u;
        return std::nullopt;
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CFixedColours colours;
    const std::filesystem::path path = Fuzz::ScratchFile("theme.xml", Fuzz::Bytes(data, size));
    CTheme theme(&colours);
    LoadTheme(theme, path);
    for (const auto& [key, value] : theme.Table())
    {
        theme.ThemeColour(key);
        theme.ConvertValue(value);
    }
    theme.ThemeColour("TREE_LVL1_SELECTED_BG");
    theme.ThemeColour("GRID_FG");
    return 0;
}
