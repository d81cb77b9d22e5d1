#pragma once

#include "browsers/BrowserRows.h"

#include <string_view>

class CGridWidget;
class CTheme;

// Row 0 from a heading format: cells between bars, "<" left, "^" centred, ">" right.
void SetGridHeader(CGridWidget& grid, std::string_view format);

// Replaces the grid's data rows with computed rows; tab-separated cells become columns.
void ShowBrowserRows(CGridWidget& grid, const CBrowserRows& rows, const CTheme& theme);

// Grid widths are given in twips; the screen has 15 twips to the pixel.
inline int TwipsToPixels(int twips)
{
    return twips / 15;
}
