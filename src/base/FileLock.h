#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

class QLockFile;

// The one lock between the program's processes: QLockFile's lock file (the holder's process id,
// removed on unlock), the scheme QSettings uses beside its own files. A lock whose process has
// gone is taken over at once.
class CFileLock
{
public:
    explicit CFileLock(const std::filesystem::path& lockFile);
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Waits up to `wait` for the lock; false when another process held it all that time or
    // the lock file cannot be made.
    bool Lock(std::chrono::milliseconds wait);
    void Unlock();
    bool Held() const { return m_held; }
    // Why the last Lock() could not make the lock file, in the system's words ("No space
    // left on device"); empty when it was held by another process (or taken).
    const std::string& Error() const { return m_error; }

    // Removes the lock file when no living process holds it, with what QLockFile left
    // beside it while taking over stale locks.
    static void RemoveIfStale(const std::filesystem::path& lockFile);

private:
    std::filesystem::path m_file;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
    std::string m_error;
};
