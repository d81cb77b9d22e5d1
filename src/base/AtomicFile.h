#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A file written beside its target under a temporary name and renamed over the target
// only when everything was written and flushed. Until Commit() succeeds the target is
// untouched; a failed or abandoned save removes the temporary file.
//
// A symbolic link is written through: its target gets the new bytes and the link stays. A
// file that is replaced keeps its permissions.
//
// The temporary name holds none of the extensions the program looks for when it scans
// folders (".xml", ".png", ".tif", ".zip", ".dat"), so a crash mid-save never leaves a
// file that a later start would read.
class CAtomicFile
{
public:
    CAtomicFile() = default;
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file; false when it cannot be created.
    bool Open(const std::filesystem::path& target);
    bool IsOpen() const { return m_fd >= 0; }

    // Appends bytes; a failure is remembered and makes Commit() fail.
    bool Write(std::string_view bytes);

    // Flushes, syncs and renames over the target. False (target untouched) when any
    // write failed or the rename did not happen.
    bool Commit();

    // Drops the temporary file and leaves the target as it was.
    void Discard();

    // The prefix of every temporary name, for tidying up leftovers.
    static constexpr std::string_view TempPrefix = ".moxa-save-";

    // Removes temporary files that an interrupted save left in a folder (those of a save
    // still running in another process are locked by it and stay). Every save tidies its
    // folder this way.
    static void RemoveLeftovers(const std::filesystem::path& folder);

private:
    bool FlushBuffer();

    int m_fd = -1;
    bool m_failed = false;
    std::filesystem::path m_target;
    std::filesystem::path m_temp;
    std::string m_buffer;
};

// Writes a whole file atomically; false when anything failed (the target is then untouched).
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);
