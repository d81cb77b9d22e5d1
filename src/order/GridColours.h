#pragma once

#include <string>

// The theme keys of one grid cell's text and background colour; an empty key leaves that
// colour as the grid's default.
struct CCellColourKeys
{
    std::string foreground;
    std::string background;
    bool operator==(const CCellColourKeys&) const = default;
};

// The colour keys of the cell in column (0-based) of a row of the given kind.
CCellColourKeys GridCellColourKeys(int kind, int column);
