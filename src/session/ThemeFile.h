#pragma once

#include <filesystem>

class CTheme;

// Reads a theme file's "scheme"/"colours" table into the theme, replacing its table whole.
// False (the theme untouched) when the file has no "scheme" element with a "colours" element.
bool LoadTheme(CTheme& theme, const std::filesystem::path& path);
