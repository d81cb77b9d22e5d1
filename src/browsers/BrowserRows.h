#pragma once

#include <string>
#include <vector>

// A row of one of the browser grids: cells separated by "|" (details) or tabs (resources),
// with the row kind that selects its colours.
struct CBrowserRow
{
    std::string text;
    int kind = 0;
    bool operator==(const CBrowserRow&) const = default;
};
using CBrowserRows = std::vector<CBrowserRow>;

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

namespace BrowserRowKind
{
inline constexpr int Title = 0;
inline constexpr int Bonus = 3;
inline constexpr int Requirement = 4;
inline constexpr int Resource = 5;
inline constexpr int Technique = 7;
inline constexpr int Description = 10;
inline constexpr int Plain = 11;
inline constexpr int EffectTitle = 12;
inline constexpr int EffectDescription = 13;
inline constexpr int TierAvailable = 20;
inline constexpr int TierNotAvailable = 21;
} // namespace BrowserRowKind
