#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class IPrompter;
struct CSettings;

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
    // Records the new "DatabaseRevision" where the next run finds it (the settings store),
    // before the archive is deleted.
    std::function<void(const std::string&)> saveRevision;
    // An archive that unpacks to more than this is refused (a zip bomb).
    std::uint64_t maxUnpackedBytes = std::uint64_t(1) << 30;
    // How long to wait for another process installing into the same data folder.
    std::chrono::milliseconds lockWait = std::chrono::minutes(5);
};

enum class EInstallResult
{
    Installed,
    Refused,  // corrupt or hostile: warned, archive deleted
    DiskFull, // did not fit: warned, archive kept for the next try
    Busy,     // another process kept the data folder past the wait: warned, archive kept
    Gone      // the archive went while waiting (another process installed it)
};

// Installs one update archive. On any failure the old "Config" folder is kept (or put back)
// and the scratch folder removed; the archive is removed unless it may install later.
EInstallResult InstallUpdateArchive(const std::filesystem::path& archive, CInstallContext& context);

enum class EPendingUpdate
{
    None,      // nothing waiting
    Installed, // one archive, installed
    Refused,   // one archive, corrupt or hostile, removed
    Kept,      // one archive, not installed now (a full disk, a busy data folder), kept
    Several    // more than one waiting; nothing installed
};

// Looks for "Moxa_*.zip" in the data folder's "Temp" and installs it when there is one.
EPendingUpdate FindPendingUpdate(CInstallContext& context);
