#include "base/FileLock.h"

#include <QFile>
#include <QLockFile>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <thread>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
QString QtPath(const fs::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

// A holder killed between creating its lock file and writing its process id leaves the file
// empty, which QLockFile takes for a live lock until it is 30 seconds old. A living holder
// writes its id within microseconds (holding an flock meanwhile): an empty file that nobody
// holds and that stays empty for two seconds is dead.
void RemoveIfEmptyAndDead(const fs::path& file)
{
    constexpr auto Patience = std::chrono::seconds(2);
    const auto deadline = std::chrono::steady_clock::now() + Patience + std::chrono::seconds(1);
    for (;;)
    {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            return;
        struct stat info{};
        const bool empty = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
        const auto age = std::chrono::system_clock::now() -
                         std::chrono::system_clock::time_point(std::chrono::seconds(info.st_mtim.tv_sec));
        const bool dead = empty && age >= Patience && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (dead)
            ::unlink(file.c_str());
        ::close(fd);
        if (!empty || dead || std::chrono::steady_clock::now() > deadline)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
} // namespace

CFileLock::CFileLock(const fs::path& lockFile) : m_file(lockFile)
{
}

CFileLock::~CFileLock()
{
    Unlock();
}

bool CFileLock::Lock(std::chrono::milliseconds wait)
{
    if (m_held)
        return true;
    if (!m_lock)
        m_lock = std::make_unique<QLockFile>(QtPath(m_file));
    m_error.clear();
    errno = 0;
    m_held = m_lock->tryLock(0);
    if (!m_held && m_lock->error() == QLockFile::LockFailedError)
    {
        RemoveIfStale(m_file);
        errno = 0;
        m_held = m_lock->tryLock(static_cast<int>(wait.count()));
    }
    // QLockFile gives no reason; its failed open or write of the lock file leaves errno.
    const int reason = errno;
    if (!m_held && m_lock->error() == QLockFile::PermissionError)
        m_error = std::strerror(reason == EROFS ? EROFS : EACCES);
    else if (!m_held && m_lock->error() == QLockFile::UnknownError)
        m_error = reason != 0 ? std::strerror(reason) : "The lock file could not be made";
    return m_held;
}

void CFileLock::Unlock()
{
    if (m_held)
        m_lock->unlock();
    m_held = false;
}

void CFileLock::RemoveIfStale(const fs::path& lockFile)
{
    // QLockFile takes "NAME.lock.rmlock" to remove a stale "NAME.lock", and so on down: a
    // process killed meanwhile leaves them, and each level blocks the one above. Deepest first.
    const fs::path folder = lockFile.has_parent_path() ? lockFile.parent_path() : fs::path(".");
    const std::string own = lockFile.filename().string();
    std::vector<std::string> chain;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    {
        std::string name = it->path().filename().string();
        if (!name.starts_with(own))
            continue;
        std::string_view rest = std::string_view(name).substr(own.size());
        while (rest.starts_with(".rmlock"))
            rest.remove_prefix(7);
        std::error_code typeError;
        if (rest.empty() && it->symlink_status(typeError).type() == fs::file_type::regular)
            chain.push_back(std::move(name));
    }
    std::sort(chain.begin(), chain.end(), [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& name : chain)
    {
        // Taking the lock removes a dead holder's file; giving it back removes ours.
        QLockFile lock(QtPath(folder / name));
        if (lock.tryLock(0))
            lock.unlock();
        else
            RemoveIfEmptyAndDead(folder / name);
    }
}
