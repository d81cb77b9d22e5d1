#pragma once

class CTheme;

// Puts the theme's dialog, list and selection colours into the application's palette, so
// that every window, dialog, header, edit box and menu follows a theme change at once.
void ApplyThemePalette(const CTheme& theme);
