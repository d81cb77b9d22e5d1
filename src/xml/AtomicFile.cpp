#include "xml/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr std::size_t BufferLimit = 1 << 16;

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
    m_target = target;
    m_failed = false;
    m_buffer.clear();
    const fs::path folder = target.parent_path();
    std::string pattern = (folder / (std::string(TempPrefix) + "XXXXXX")).string();
    m_fd = ::mkstemp(pattern.data());
    if (m_fd < 0)
        return false;
    m_temp = pattern;
    // mkstemp creates 0600; saved files get the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(m_fd, 0666 & ~mask);
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
    bool ok = FlushBuffer() && ::fsync(m_fd) == 0;
    ok = (::close(m_fd) == 0) && ok;
    m_fd = -1;
    if (ok && ::rename(m_temp.c_str(), m_target.c_str()) == 0)
    {
        m_temp.clear();
        SyncFolder(m_target.parent_path());
        return true;
    }
    ::unlink(m_temp.c_str());
    m_temp.clear();
    return false;
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
        if (name.rfind(TempPrefix, 0) == 0 && it->is_regular_file(ec))
            fs::remove(it->path(), ec);
    }
}

bool WriteFileAtomically(const fs::path& target, std::string_view bytes)
{
    CAtomicFile file;
    return file.Open(target) && file.Write(bytes) && file.Commit();
}
