#include "ui/shell/ThemePalette.h"

#include "base/Theme.h"
#include "platform/QtSystemColours.h"

#include <QApplication>

void ApplyThemePalette(const CTheme& theme)
{
    auto colour = [&theme](const char* key) { return ColourFromTheme(theme.ThemeColour(key)); };
    const QColor window = colour("DIALOGCOLOUR_BG");
    const QColor windowText = colour("DIALOGCOLOUR_FG");
    const QColor base = colour("TREE_BACKCOLOUR");
    const QColor text = colour("TREE_LVL1_NORMAL_FG");
    // The desktop's palette underneath keeps what a theme has no key for (tooltips, links).
    QPalette pal = DesktopPalette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
    {
        pal.setColor(group, QPalette::Window, window);
        pal.setColor(group, QPalette::Button, window);
        pal.setColor(group, QPalette::WindowText, windowText);
        pal.setColor(group, QPalette::ButtonText, windowText);
        pal.setColor(group, QPalette::Base, base);
        pal.setColor(group, QPalette::AlternateBase, base);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::Highlight, colour("TREE_LVL1_SELECTED_BG"));
        pal.setColor(group, QPalette::HighlightedText, colour("TREE_LVL1_SELECTED_FG"));
        // The bevels from the window colour, as Fusion derives its own.
        pal.setColor(group, QPalette::Light, window.lighter(150));
        pal.setColor(group, QPalette::Mid, window.darker(130));
        pal.setColor(group, QPalette::Midlight, window.darker(130).lighter(110));
        pal.setColor(group, QPalette::Dark, window.darker(150));
        pal.setColor(group, QPalette::Shadow, window.darker(150).darker(135));
    }
    // Disabled text halfway between the text and what it is drawn on.
    auto between = [](const QColor& a, const QColor& b)
    { return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2); };
    pal.setColor(QPalette::Disabled, QPalette::Window, window);
    pal.setColor(QPalette::Disabled, QPalette::Button, window);
    pal.setColor(QPalette::Disabled, QPalette::Base, window);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, between(windowText, window));
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, between(windowText, window));
    pal.setColor(QPalette::Disabled, QPalette::Text, between(text, window));
    if (pal != QApplication::palette())
        QApplication::setPalette(pal);
}
