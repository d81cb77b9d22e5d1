#pragma once

#include "database/Loader.h"

#include <functional>

class CProfileList;
class CTheme;

// A whole load of the program: what reading the database touches, and the rest of the
// program state a load replaces. Pointers are not owned; any may be null.
struct CLoadContext : CDatabaseLoadContext
{
    CProfileList* profiles = nullptr;
    CTheme* theme = nullptr;
    // Step 2 of a load: the order is reset (items gone, "Untitled.xml").
    std::function<void()> resetOrder;
    // Step 7: the formula and technique browsers refresh their lists when they exist.
    std::function<void()> refreshBrowsers;
    // Step 8: the theme's dialog colours are applied, without redrawing.
    std::function<void()> applyThemeColours;
};

// The cache first, else the rebuild; then the order reset, help pages, profiles, category
// lists and the theme (falling back to "desktop_native.xml").
ELoadSource LoadDatabase(CLoadContext& context);
