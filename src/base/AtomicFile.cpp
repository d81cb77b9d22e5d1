#include "base/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr std::size_t BufferLimit = 1 << 16;

// The file a save must replace: a symbolic link is followed to its target (which may not
// exist yet), so that the link stays a link and the target gets the new bytes.
fs::path ResolveLinks(fs::path target)
{
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops)
    {
        const fs::path link = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

CAtomicFile::~CAtomicFile()
{
    Discard();
}

bool CAtomicFile::Open(const fs::path& target)
{
    Discard();
    m_target = ResolveLinks(target);
    m_failed = false;
    m_buffer.clear();
    const fs::path folder = m_target.parent_path();
    // What a save killed half-way left here (a folder outside the data folder is tidied by
    // nothing else).
    RemoveLeftovers(folder);
    // The lock is held until the file is renamed or dropped: tidying skips files whose
    // writer is alive. Another process tidying between mkstemp and flock may still remove
    // the new file, so a file no longer at its name is made again.
    for (int tries = 0;; ++tries)
    {
        std::string pattern = (folder / (std::string(TempPrefix) + "XXXXXX")).string();
        m_fd = ::mkstemp(pattern.data());
        if (m_fd < 0)
            return false;
        ::flock(m_fd, LOCK_EX);
        struct stat opened;
        struct stat named;
        if (::fstat(m_fd, &opened) == 0 && ::lstat(pattern.c_str(), &named) == 0 &&
            opened.st_ino == named.st_ino && opened.st_dev == named.st_dev)
        {
            m_temp = pattern;
            break;
        }
        ::close(m_fd);
        m_fd = -1;
        if (tries == 100)
            return false;
    }
    // mkstemp creates 0600; a file that is replaced keeps its permissions, a new one gets
    // the usual ones.
    struct stat existing;
    if (::stat(m_target.c_str(), &existing) == 0)
        ::fchmod(m_fd, existing.st_mode & 07777);
    else
    {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    return true;
}

bool CAtomicFile::FlushBuffer()
{
    std::size_t done = 0;
    while (done < m_buffer.size())
    {
        const ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            m_failed = true;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    m_buffer.clear();
    return !m_failed;
}

bool CAtomicFile::Write(std::string_view bytes)
{
    if (m_fd < 0 || m_failed)
        return false;
    m_buffer.append(bytes);
    if (m_buffer.size() >= BufferLimit)
        return FlushBuffer();
    return true;
}

bool CAtomicFile::Commit()
{
    if (m_fd < 0)
        return false;
    // Renamed before it is closed: closing drops the lock that keeps another process's
    // tidying away from the file.
    const bool ok = FlushBuffer() && ::fsync(m_fd) == 0 && ::rename(m_temp.c_str(), m_target.c_str()) == 0;
    if (!ok)
        ::unlink(m_temp.c_str());
    ::close(m_fd);
    m_fd = -1;
    m_temp.clear();
    if (ok)
        SyncFolder(m_target.parent_path());
    return ok;
}

void CAtomicFile::Discard()
{
    if (m_fd >= 0)
    {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty())
    {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
    m_buffer.clear();
}

void CAtomicFile::RemoveLeftovers(const fs::path& folder)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string name = it->path().filename().string();
        if (name.rfind(TempPrefix, 0) != 0 || !it->is_regular_file(ec))
            continue;
        // A file another process is still writing is locked by it.
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            fs::remove(it->path(), ec);
        ::close(fd);
    }
}

bool WriteFileAtomically(const fs::path& target, std::string_view bytes)
{
    CAtomicFile file;
    return file.Open(target) && file.Write(bytes) && file.Commit();
}
