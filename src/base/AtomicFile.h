#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// One version of a file on disk: a save that replaces the file makes a new inode, an edit in
// place changes its time or size.
struct CFileStamp
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const CFileStamp&) const = default;

    // The stamp of a regular file (links followed); none for anything else or nothing there.
    static std::optional<CFileStamp> Of(const std::filesystem::path& file);
};

// A save on QSaveFile: the bytes go to an unnamed file beside the target, which takes the
// target's name only when everything was written and flushed. Until Commit() succeeds the
// target is untouched; a failed or abandoned save leaves nothing behind.
//
// On top of QSaveFile: a short write (a full disk) fails the save instead of committing a
// cut file; a replaced file keeps its exact mode; a file nobody may write (mode 0444, even for
// root) is refused; a character device or a FIFO is written into, never replaced; a block
// device, socket or folder is refused.
class CAtomicFile
{
public:
    CAtomicFile();
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    bool Open(const std::filesystem::path& target);
    // As Open(target), and the save goes ahead only while the target is still the file
    // `unchanged` describes (a file gone since counts as unchanged). Programs saving the same
    // file take turns under a lock beside it ("NAME.lock") from Open to Commit, so the second
    // of two finds the first's file and is refused (ChangedOnDisk()).
    bool Open(const std::filesystem::path& target, const std::optional<CFileStamp>& unchanged);
    bool IsOpen() const;

    // Appends bytes; a failure is remembered and makes Commit() fail.
    bool Write(std::string_view bytes);
    // Puts the file in place. False (target untouched) when anything failed.
    bool Commit();
    // Drops what was written and leaves the target as it was.
    void Discard();

    // Why the last save failed, in the system's words ("No space left on device"); empty
    // while nothing failed.
    const std::string& Error() const;
    // The save was refused because another program changed the target since `unchanged`.
    bool ChangedOnDisk() const;
    // The stamp of the file a successful Commit() left (none for a device or FIFO).
    const std::optional<CFileStamp>& Saved() const;

    // The prefix of the temporary names of earlier versions, still tidied.
    static constexpr std::string_view TempPrefix = ".moxa-save-";

    // Removes what interrupted saves left in a folder: earlier versions' ".moxa-save-*" files
    // and the lock files of processes that have gone; in a folder only the program writes
    // (the cache, Temp) also QSaveFile's temporary names ("NAME.AbcDef": a file's name, a dot
    // and six letters, beside that file). A player's folder (orders, profiles, themes) may hold
    // a "NAME.backup" of the player's own: there only names whose six letters mix both cases go.
    enum class EFolder
    {
        ProgramsOwn,
        Players
    };
    static void RemoveLeftovers(const std::filesystem::path& folder, EFolder kind = EFolder::ProgramsOwn);
    // The same for one file in a folder that is not the program's own (a player's folder).
    static void RemoveLeftoversOf(const std::filesystem::path& file);

private:
    struct CState;
    bool Fail(std::string reason);
    bool FlushBuffer();

    std::unique_ptr<CState> m;
};

// Writes a whole file atomically; false when anything failed (the target is then untouched),
// with the reason in `error` when given.
bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string* error = nullptr);
