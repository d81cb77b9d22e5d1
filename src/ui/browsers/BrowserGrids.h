#pragma once

#include "browsers/BrowserRows.h"

#include <string_view>

class CGridWidget;
class CTheme;

// Row 0 from a heading format: cells between bars, "<" left, "^" centred, ">" right.
void SetGridHeader(CGridWidget& grid, std::string_view format);

// Replaces the grid's data rows with computed rows. With `tabs` tab-separated cells become
// columns; with `wrap` each row is as tall as its value (column 1) wraps to.
void ShowBrowserRows(CGridWidget& grid, const CBrowserRows& rows, const CTheme& theme,
                     bool tabs = true, bool wrap = false);

// Grid widths are given in twips; the screen has 15 twips to the pixel.
constexpr int TwipsToPixels(int twips)
{
    return twips / 15;
}
