#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class IPrompter;
class ISettingsStore;
struct CSettings;

// The game's installation folder from the game's key in the settings store (its unnamed
// value); empty when not stored.
std::string ReadGameFolder(const ISettingsStore& store);

// What an archive installation needs from the rest of the program.
struct CInstallContext
{
    std::filesystem::path dataFolder;
    CSettings* settings = nullptr;
    IPrompter* prompter = nullptr;
    // Reloads the database after the new files are in place (the cache is gone by then).
    std::function<void()> reloadDatabase;
    // Each step as it runs, for the live update's list ("Moving 'x'...", warnings).
    std::function<void(const std::string&)> report;
    // An archive that unpacks to more than this is refused (a zip bomb).
    std::uint64_t maxUnpackedBytes = std::uint64_t(1) << 30;
};

// Installs one update archive; true when the new database is in place. On any failure the
// old "Config" folder is kept (or put back), the archive warning is shown, and the archive
// and the scratch folder are removed either way.
bool InstallUpdateArchive(const std::filesystem::path& archive, CInstallContext& context);

enum class EPendingUpdate
{
    None,      // nothing waiting
    Installed, // one archive, installed
    Refused,   // one archive, corrupt or hostile, removed
    Several    // more than one waiting; nothing installed
};

// Looks for "Moxa_*.zip" in the data folder's "Temp" and installs it when there is one.
EPendingUpdate FindPendingUpdate(CInstallContext& context);
