#include "base/Theme.h"

#include "base/NumberText.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace
{
// The system colour names a theme may use; any other "COLOR_" name is unusable.
constexpr std::array<std::string_view, 35> SystemColourNames = {
    "COLOR_3DDKSHADOW",     "COLOR_3DFACE",          "COLOR_3DHIGHLIGHT",
    "COLOR_3DHILIGHT",      "COLOR_3DLIGHT",         "COLOR_3DSHADOW",
    "COLOR_ACTIVEBORDER",   "COLOR_ACTIVECAPTION",   "COLOR_APPWORKSPACE",
    "COLOR_BACKGROUND",     "COLOR_BTNFACE",         "COLOR_BTNHIGHLIGHT",
    "COLOR_BTNSHADOW",      "COLOR_BTNTEXT",         "COLOR_CAPTIONTEXT",
    "COLOR_DESKTOP",        "COLOR_GRADIENTACTIVECAPTION", "COLOR_GRADIENTINACTIVECAPTION",
    "COLOR_GRAYTEXT",       "COLOR_HIGHLIGHT",       "COLOR_HIGHLIGHTTEXT",
    "COLOR_HOTLIGHT",       "COLOR_INACTIVEBORDER",  "COLOR_INACTIVECAPTION",
    "COLOR_INACTIVECAPTIONTEXT", "COLOR_INFOBK",     "COLOR_INFOTEXT",
    "COLOR_MENU",           "COLOR_MENUBAR",         "COLOR_MENUHILIGHT",
    "COLOR_MENUTEXT",       "COLOR_SCROLLBAR",       "COLOR_WINDOW",
    "COLOR_WINDOWFRAME",    "COLOR_WINDOWTEXT"};

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool EndsWith(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}
} // namespace

std::string CTheme::ConvertValue(std::string_view value) const
{
    if (value.substr(0, 6) == "COLOR_")
    {
        if (!m_system || std::find(SystemColourNames.begin(), SystemColourNames.end(), value) == SystemColourNames.end())
            return {};
        const auto colour = m_system->SystemColour(value);
        return colour ? Format("%x", static_cast<unsigned>(*colour)) : std::string();
    }
    // Only "#RRGGBB" is a colour; anything shorter, longer or not hexadecimal would
    // otherwise be read as some unrelated colour, so the key stays unset instead.
    if (value.size() != 7 || value[0] != '#' || !std::all_of(value.begin() + 1, value.end(), IsHexDigit))
        return {};
    std::string text = "0x00";
    text.append(value.substr(5, 2)).append(value.substr(3, 2)).append(value.substr(1, 2));
    return text;
}

void CTheme::SetColours(const std::vector<std::pair<std::string, std::string>>& colours)
{
    // A new theme replaces the old one whole: keys it leaves out fall back to the defaults.
    m_table.clear();
    for (const auto& [key, value] : colours)
    {
        std::string converted = ConvertValue(value);
        if (!converted.empty())
            m_table[key] = std::move(converted);
    }
}

std::uint32_t CTheme::ThemeColour(std::string_view key) const
{
    const auto it = m_table.find(std::string(key));
    if (it == m_table.end())
        return EndsWith(key, "_FG") ? 0x000000u : 0xFFFFFFu;
    return static_cast<std::uint32_t>(std::strtoul(it->second.c_str(), nullptr, 16));
}
