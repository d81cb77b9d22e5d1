#pragma once

#include "base/Messages.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

// What a row of a browser grid is; the number selects the row's colours (GridCellColourKeys).
enum class EBrowserRow
{
    Title = 0,
    Bonus = 3,
    Requirement = 4,
    Resource = 5,
    Technique = 7,
    Description = 10,
    Plain = 11,
    EffectTitle = 12,
    EffectDescription = 13,
    TierAvailable = 20,
    TierNotAvailable = 21
};

// A row of one of the browser grids: its kind and its cells, one per column. Details grids
// have two (label, value); the resource grid the columns of EResourceColumn.
struct CBrowserRow
{
    EBrowserRow kind = EBrowserRow::Plain;
    std::vector<std::string> cells;
    bool operator==(const CBrowserRow&) const = default;
};
using CBrowserRows = std::vector<CBrowserRow>;

// The columns of the formula browser's resource grid.
enum EResourceColumn
{
    ResourceName,
    ResourceEfficiency,
    ResourceNeed,
    ResourceSkill,
    ResourceMinimum,
    ResourceOptimum,
    ResourceCurrentSkill,
    ResourceColumns
};

// A grid's single "None" row, of the kind the grid shows.
inline CBrowserRows NoneRow(EBrowserRow kind)
{
    return {{kind, {std::string(Messages::GridNone)}}};
}

// How a browser's category tree opens (its "Expand" menu).
enum class EExpandMode
{
    Off = 0,
    CurrentCategory = 1,
    AllCategories = 2
};
// The settings store the mode as its number; one out of range reads as the current category.
inline EExpandMode ExpandModeOf(int stored)
{
    return stored >= 0 && stored <= 2 ? static_cast<EExpandMode>(stored) : EExpandMode::CurrentCategory;
}

// The browsers compare names without regard to case (of the letters A to Z).
inline unsigned char LowerByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// The order of the browsers' trees, as the tree control sorts: without regard to case, ties
// by bytes.
inline bool TreeLess(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i)
        if (LowerByte(a[i]) != LowerByte(b[i]))
            return LowerByte(a[i]) < LowerByte(b[i]);
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// Whether text holds word, without regard to case.
inline bool ContainsNoCase(std::string_view text, std::string_view word)
{
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [](char a, char b) { return LowerByte(a) == LowerByte(b); }) != text.end();
}
