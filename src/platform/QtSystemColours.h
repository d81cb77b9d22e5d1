#pragma once

#include "base/Theme.h"

#include <QPalette>

// The named system colours of a theme file, from the nearest roles of the application's
// palette.
class CQtSystemColours : public ISystemColours
{
public:
    // Uses the desktop's palette: the application's as it was before the program first put
    // a theme's colours in its place (so that a theme read later still gets the desktop's).
    CQtSystemColours();
    // Uses a fixed palette (tests).
    explicit CQtSystemColours(const QPalette& palette) : m_palette(palette), m_fixed(true) {}

    std::optional<std::uint32_t> SystemColour(std::string_view name) const override;

    // The palette role and group standing in for a name; false for unknown names.
    static bool RoleFor(std::string_view name, QPalette::ColorGroup& group, QPalette::ColorRole& role);

private:
    QPalette m_palette;
    bool m_fixed = false;
};

// The application's palette as it was when first asked for, before any theme replaced it.
const QPalette& DesktopPalette();

// 0x00BBGGRR <-> QColor.
QColor ColourFromTheme(std::uint32_t value);
std::uint32_t ThemeValueOf(const QColor& colour);
