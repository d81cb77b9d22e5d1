#include "platform/QtSystemColours.h"

#include <QGuiApplication>

#include <array>

namespace
{
struct CRoleEntry
{
    std::string_view name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The nearest palette role of each system colour name a theme may use.
constexpr std::array<CRoleEntry, 35> Roles = {{
    {"COLOR_3DDKSHADOW", QPalette::Active, QPalette::Shadow},
    {"COLOR_3DFACE", QPalette::Active, QPalette::Button},
    {"COLOR_3DHIGHLIGHT", QPalette::Active, QPalette::Light},
    {"COLOR_3DHILIGHT", QPalette::Active, QPalette::Light},
    {"COLOR_3DLIGHT", QPalette::Active, QPalette::Midlight},
    {"COLOR_3DSHADOW", QPalette::Active, QPalette::Dark},
    {"COLOR_ACTIVEBORDER", QPalette::Active, QPalette::Window},
    {"COLOR_ACTIVECAPTION", QPalette::Active, QPalette::Highlight},
    {"COLOR_APPWORKSPACE", QPalette::Active, QPalette::Mid},
    {"COLOR_BACKGROUND", QPalette::Active, QPalette::Window},
    {"COLOR_BTNFACE", QPalette::Active, QPalette::Button},
    {"COLOR_BTNHIGHLIGHT", QPalette::Active, QPalette::Light},
    {"COLOR_BTNSHADOW", QPalette::Active, QPalette::Dark},
    {"COLOR_BTNTEXT", QPalette::Active, QPalette::ButtonText},
    {"COLOR_CAPTIONTEXT", QPalette::Active, QPalette::HighlightedText},
    {"COLOR_DESKTOP", QPalette::Active, QPalette::Window},
    {"COLOR_GRADIENTACTIVECAPTION", QPalette::Active, QPalette::Highlight},
    {"COLOR_GRADIENTINACTIVECAPTION", QPalette::Inactive, QPalette::Highlight},
    {"COLOR_GRAYTEXT", QPalette::Disabled, QPalette::Text},
    {"COLOR_HIGHLIGHT", QPalette::Active, QPalette::Highlight},
    {"COLOR_HIGHLIGHTTEXT", QPalette::Active, QPalette::HighlightedText},
    {"COLOR_HOTLIGHT", QPalette::Active, QPalette::Link},
    {"COLOR_INACTIVEBORDER", QPalette::Inactive, QPalette::Window},
    {"COLOR_INACTIVECAPTION", QPalette::Inactive, QPalette::Highlight},
    {"COLOR_INACTIVECAPTIONTEXT", QPalette::Inactive, QPalette::HighlightedText},
    {"COLOR_INFOBK", QPalette::Active, QPalette::ToolTipBase},
    {"COLOR_INFOTEXT", QPalette::Active, QPalette::ToolTipText},
    {"COLOR_MENU", QPalette::Active, QPalette::Window},
    {"COLOR_MENUBAR", QPalette::Active, QPalette::Window},
    {"COLOR_MENUHILIGHT", QPalette::Active, QPalette::Highlight},
    {"COLOR_MENUTEXT", QPalette::Active, QPalette::WindowText},
    {"COLOR_SCROLLBAR", QPalette::Active, QPalette::Mid},
    {"COLOR_WINDOW", QPalette::Active, QPalette::Base},
    {"COLOR_WINDOWFRAME", QPalette::Active, QPalette::Shadow},
    {"COLOR_WINDOWTEXT", QPalette::Active, QPalette::Text},
}};
} // namespace

const QPalette& DesktopPalette()
{
    static const QPalette palette = QGuiApplication::palette();
    return palette;
}

CQtSystemColours::CQtSystemColours()
{
    DesktopPalette();
}

bool CQtSystemColours::RoleFor(std::string_view name, QPalette::ColorGroup& group, QPalette::ColorRole& role)
{
    for (const CRoleEntry& entry : Roles)
    {
        if (entry.name == name)
        {
            group = entry.group;
            role = entry.role;
            return true;
        }
    }
    return false;
}

std::optional<std::uint32_t> CQtSystemColours::SystemColour(std::string_view name) const
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!RoleFor(name, group, role))
        return std::nullopt;
    const QPalette& palette = m_fixed ? m_palette : DesktopPalette();
    return ThemeValueOf(palette.color(group, role));
}

QColor ColourFromTheme(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t ThemeValueOf(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}
