#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

class CGameDatabase;
class CIconManager;
struct CSettings;

// The database cache: "config.dat" (every formula set, technique set, component and wizard
// template as "|"-separated text lines) and "formicons.dat" (the icon store's images).
inline constexpr std::string_view CacheHeader = "Moxa2 V1.21 - Do not edit!";

// The text of "config.dat" for a database; false when some text field holds a byte the
// layout cannot carry ("|" inside a multi-field line, a line break anywhere), since such a
// cache would read back as different records.
bool FormatCache(const CGameDatabase& db, std::string& text);

// Appends the records of a "config.dat" text to the database; false as soon as a line is
// missing, has the wrong number of fields or holds a number that does not parse. Records
// read before the failure stay in the database.
bool ParseCache(CGameDatabase& db, std::string_view text);

// Writes folder/formicons.dat, then folder/config.dat, each atomically. When the database
// cannot be cached or a write fails, both cache files are removed so that the next start
// rebuilds from XML; the result is then false.
bool WriteCache(const CGameDatabase& db, const CIconManager& icons,
                const std::filesystem::path& folder);

// Clears the database and the icon store and restores both from the cache files of the
// folder; false when caching is off, a file is missing, or anything in it is damaged.
bool LoadCache(CGameDatabase& db, CIconManager& icons, const std::filesystem::path& folder,
               const CSettings& settings);

// Removes both cache files (a forced rebuild on the next load).
void RemoveCacheFiles(const std::filesystem::path& folder);
