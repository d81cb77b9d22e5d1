#include "database/FileSnapshot.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

CFileSnapshot::CFileSnapshot(const std::filesystem::path& path, std::size_t mapFrom)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    struct stat info;
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))
        return;
    if (static_cast<std::size_t>(info.st_size) < mapFrom || !Map())
        Read();
}

CFileSnapshot::~CFileSnapshot()
{
    if (m_mapped)
        ::munmap(const_cast<char*>(m_data), m_size);
    if (m_leased)
        ::fcntl(m_fd, F_SETLEASE, F_UNLCK);
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CFileSnapshot::Map()
{
#if defined(__linux__)
    // The kernel tells the lease holder by a signal that a writer waits: SIGIO unless another
    // is set, and SIGIO ends a process that does not handle it. SIGURG is ignored unless
    // someone handles it; the writer waits for the lease to go either way.
    if (::fcntl(m_fd, F_SETSIG, SIGURG) != 0 || ::fcntl(m_fd, F_SETLEASE, F_RDLCK) != 0)
        return false;
    m_leased = true;
    // The size as it is now that no one can change it.
    struct stat info;
    if (::fstat(m_fd, &info) != 0 || info.st_size == 0)
        return false;
    const auto size = static_cast<std::size_t>(info.st_size);
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, m_fd, 0);
    if (map == MAP_FAILED)
        return false;
    m_data = static_cast<const char*>(map);
    m_size = size;
    m_mapped = true;
    m_ok = true;
    return true;
#else
    return false;
#endif
}

void CFileSnapshot::Read()
{
    struct stat info;
    if (::fstat(m_fd, &info) != 0)
        return;
    const auto size = static_cast<std::size_t>(info.st_size);
    // Not zero-filled first: caches are big.
    m_copy.reset(new char[size + 1]);
    m_data = m_copy.get();
    m_size = 0;
    // A file that changes size meanwhile ends where the read ends.
    m_ok = true;
    while (m_size < size)
    {
        const ssize_t n = ::read(m_fd, m_copy.get() + m_size, size - m_size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            m_ok = false;
        if (n <= 0)
            break;
        m_size += static_cast<std::size_t>(n);
    }
}
