#pragma once

#include "base/SettingsStore.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// The settings store in an INI file laid out as QSettings lays out its INI files (so files
// written by earlier builds and by hand read the same), but saved through CAtomicFile: a
// save interrupted by a crash or a full disk keeps the previous file whole and reports
// failure. (QSettings itself reports success on a full disk and leaves the file cut short.)
//
// Values are Latin-1 strings in memory and UTF-8 in the file. Key paths match without
// regard to case, as value names do; the first spelling seen is kept.
// Values by full key, found without regard to case in constant time; the first spelling of a
// key is kept.
class CIniValues
{
public:
    void Set(const std::string& key, std::string value);
    const std::string* Find(const std::string& key) const;
    // The spelling a key is stored under, or nullptr.
    const std::string* Spelling(const std::string& key) const;
    const std::map<std::string, std::string>& BySpelling() const { return m_values; }
    bool Empty() const { return m_values.empty(); }

private:
    std::map<std::string, std::string> m_values;
    std::unordered_map<std::string, std::string> m_spellings; // lower-cased key -> spelling
};

class CIniSettingsStore : public ISettingsStore
{
public:
    // Reads the file when it is there; removes what an interrupted save left beside it.
    explicit CIniSettingsStore(std::filesystem::path file);

    std::optional<std::string> Read(std::string_view key, std::string_view name) const override;
    bool Write(std::string_view key, std::string_view name, std::string_view text) override;
    // Merges the values written since the last flush into the file as it is on disk now
    // (another instance may have saved meanwhile) and replaces it atomically. Saves of
    // several processes take turns (the lock file "NAME.lock"), so each merges the other's.
    bool Flush() override;
    std::string Error() const override { return m_error; }

    const std::filesystem::path& File() const { return m_file; }

private:
    std::filesystem::path m_file;
    // Full keys with '/' between their parts, as in the file.
    CIniValues m_values;
    CIniValues m_pending;
    // The file exists but could not be read: never overwrite it with what little we have.
    bool m_unreadable = false;
    std::string m_error;
};

namespace Ini
{
// One value as written after "key=", and read back (a list of several values comes back
// joined by ", ", the way a hand-written value with commas was meant).
std::string EscapeValue(std::string_view latin1);
std::string ParseValue(std::string_view utf8);
// One part of a key path as written in a section name or key.
std::string EscapeKey(std::string_view latin1);
std::string UnescapeKey(std::string_view text);

// The whole file: full keys ("Software/Moxa2/Config/IconSize") and their values.
std::vector<std::pair<std::string, std::string>> ParseFile(std::string_view text);
std::string FormatFile(const std::map<std::string, std::string>& values);
} // namespace Ini
