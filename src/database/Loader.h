#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class CGameDatabase;
class CIconManager;
class IPrompter;
struct CSettings;

// How a rebuild from XML reports its progress (the "Caching In Progress" window).
class ILoadProgress
{
public:
    virtual ~ILoadProgress() = default;
    // Called once before any file is read, so a window can paint first; files is the
    // number of formula, technique and wizard files that will be read.
    virtual void Begin(int files) = 0;
    // One file read.
    virtual void Step() = 0;
    // The rebuild is over (the window closes).
    virtual void End() {}
};

// Everything reading the database touches. Pointers are not owned; prompter and progress
// may be null.
struct CDatabaseLoadContext
{
    std::filesystem::path dataFolder;
    CSettings* settings = nullptr;
    CGameDatabase* database = nullptr;
    CIconManager* icons = nullptr;
    IPrompter* prompter = nullptr;
    ILoadProgress* progress = nullptr;
    // A rebuild calls this once the old database is gone, before reading the new one (the
    // program drops its profiles there).
    std::function<void()> databaseCleared;
    // The free bytes for a rebuild; FreeSpaceForRebuild when empty (tests put a full disk here).
    std::function<std::uintmax_t(const std::filesystem::path&)> freeSpace;
    // The threads a rebuild reads its files on; 0: one per core (LoadThreads).
    unsigned threads = 0;
    // Read the XML even when the cache is valid ("Recache Database"). The cache is replaced
    // only once the rebuild has something to put in it.
    bool rebuild = false;
};

enum class ELoadSource
{
    Cache,      // restored from the two cache files
    Xml,        // rebuilt from the XML files
    NoSpace,    // the rebuild was refused for lack of disk space
    NoFormulae, // the rebuild was refused: no formula file, and no database to fall back on
    Kept        // a rebuild found no formula file: the database already there (or the cache's) stays
};

// A load that left a database to work with.
inline bool HasDatabase(ELoadSource source)
{
    return source == ELoadSource::Cache || source == ELoadSource::Xml || source == ELoadSource::Kept;
}

// Below this many free bytes on the data folder's partition a rebuild is refused.
inline constexpr std::uintmax_t RebuildFreeSpace = 12582912;

// The cache first, else the rebuild from XML. When neither gives a database, what a damaged
// cache left behind is dropped.
ELoadSource LoadOrRebuildDatabase(CDatabaseLoadContext& context);

// The full read from XML; false (nothing touched) when there is not enough free space
// (after telling the user) or no formula file at all, with the reason in `refused`.
bool RebuildDatabase(CDatabaseLoadContext& context, ELoadSource* refused = nullptr);

// The free bytes where the rebuild writes ("Temp", else the nearest folder above it that
// exists); UINTMAX_MAX when the system cannot tell, so that a rebuild is never refused
// for want of an answer.
std::uintmax_t FreeSpaceForRebuild(const std::filesystem::path& dataFolder);

// The files of a folder tree in walk order: entries by byte-wise sorted name, a folder
// entered where its name sorts, files kept when their name contains ".xml". Links to
// folders are not entered (a loop would never end).
std::vector<std::filesystem::path> DatabaseFiles(const std::filesystem::path& folder);
