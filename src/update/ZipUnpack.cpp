#include "update/ZipUnpack.h"

#include "base/ZipNames.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <fcntl.h>
#include <locale.h>
#include <set>
#include <string>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// libarchive converts names flagged as UTF-8 into the locale's character set, and fails
// (no name at all) in the C locale that moxa-cli runs in. With UTF-8 as this thread's
// character set the bytes come through unchanged in every process.
class CUtf8Names
{
public:
    CUtf8Names() : m_locale(::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0)))
    {
        if (m_locale)
            m_previous = ::uselocale(m_locale);
    }
    ~CUtf8Names()
    {
        if (m_locale)
        {
            ::uselocale(m_previous);
            ::freelocale(m_locale);
        }
    }
    CUtf8Names(const CUtf8Names&) = delete;
    CUtf8Names& operator=(const CUtf8Names&) = delete;

private:
    locale_t m_locale;
    locale_t m_previous = static_cast<locale_t>(0);
};

// The zip reader of one archive file, closed on every path.
class CZipReader
{
public:
    explicit CZipReader(const fs::path& archive) : m_archive(archive_read_new())
    {
        m_open = m_archive && archive_read_support_format_zip(m_archive) == ARCHIVE_OK &&
                 archive_read_open_filename(m_archive, archive.c_str(), 1 << 16) == ARCHIVE_OK;
    }
    ~CZipReader()
    {
        if (m_archive)
            archive_read_free(m_archive);
    }
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;

    bool IsOpen() const { return m_open; }
    archive* Get() const { return m_archive; }

private:
    archive* m_archive;
    bool m_open = false;
};

bool IsDiskFull(int error)
{
    return error == ENOSPC || error == EFBIG || error == EDQUOT;
}

// One unpacked file, written plainly: the scratch folder is new and is synced as a whole.
class CPlainFile
{
public:
    ~CPlainFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool Open(const fs::path& path)
    {
        m_fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        m_error = m_fd < 0 ? errno : 0;
        return m_fd >= 0;
    }
    bool Write(const char* bytes, std::size_t size)
    {
        while (size > 0)
        {
            const ssize_t n = ::write(m_fd, bytes, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
            {
                m_error = n < 0 ? errno : ENOSPC;
                return false;
            }
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
        {
            m_error = errno;
            return false;
        }
        return true;
    }
    int Error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

bool IsXmlName(const fs::path& path)
{
    return path.filename().string().find(".xml") != std::string::npos;
}

// The file data of the current entry; counts bytes against the bound and, for XML, lines.
EUnpackResult CopyData(archive* a, CPlainFile* out, std::uint64_t limit, std::uint64_t& unpacked, bool xml)
{
    std::uint64_t size = 0;
    std::uint64_t lines = 0;
    std::uint64_t blanks = 0;
    for (;;)
    {
        const void* block = nullptr;
        std::size_t length = 0;
        la_int64_t offset = 0;
        const int read = archive_read_data_block(a, &block, &length, &offset);
        if (read == ARCHIVE_EOF)
            break;
        if (read != ARCHIVE_OK || length > limit - unpacked)
            return EUnpackResult::Refused;
        unpacked += length;
        size += length;
        const char* bytes = static_cast<const char*>(block);
        if (xml)
            for (const char* c = bytes; c != bytes + length; ++c)
                if (*c == ' ' || *c == '\t' || *c == '\r' || *c == '\n')
                {
                    ++blanks;
                    lines += *c == '\n';
                }
        if (out && !out->Write(bytes, length))
            return IsDiskFull(out->Error()) ? EUnpackResult::DiskFull : EUnpackResult::Refused;
    }
    if (xml && lines > size / MinBytesPerXmlLine + FreeXmlLines)
        return EUnpackResult::Refused;
    if (xml && blanks > FreeXmlBlanks && (size - blanks) * MaxXmlBytesPerSolidByte < size - FreeXmlBlanks)
        return EUnpackResult::Refused;
    if (out && !out->Close())
        return IsDiskFull(out->Error()) ? EUnpackResult::DiskFull : EUnpackResult::Refused;
    return EUnpackResult::Done;
}

// Everything written below the folder reaches the disk in one call rather than a sync per
// file (thousands of them in a large database).
bool SyncTree(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}
} // namespace

EUnpackResult UnpackZip(const fs::path& archivePath, const fs::path& target, std::uint64_t limit)
{
    const CUtf8Names utf8;
    CZipReader reader(archivePath);
    if (!reader.IsOpen())
        return EUnpackResult::Refused;
    archive* a = reader.Get();
    std::uint64_t announced = 0;
    std::uint64_t unpacked = 0;
    int xmlFiles = 0;
    std::set<std::string> seen;
    for (;;)
    {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(a, &entry);
        if (status == ARCHIVE_EOF)
            break;
        // A warning here is about the name's character set; the name is checked below.
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            return EUnpackResult::Refused;
        const char* name = archive_entry_pathname(entry);
        if (!name || !IsSafeEntryPath(name))
            return EUnpackResult::Refused;
        if (archive_entry_hardlink(entry) || archive_entry_symlink(entry))
            return EUnpackResult::Refused;
        const mode_t type = archive_entry_filetype(entry);
        if (type != AE_IFREG && type != AE_IFDIR)
            return EUnpackResult::Refused;
        // Two files of one name: which one a tool keeps differs, so neither is trusted.
        if (type == AE_IFREG && !seen.insert(fs::path(name).lexically_normal().generic_string()).second)
            return EUnpackResult::Refused;
        if (archive_entry_size_is_set(entry))
        {
            const la_int64_t size = archive_entry_size(entry);
            if (size < 0 || static_cast<std::uint64_t>(size) > limit - announced)
                return EUnpackResult::Refused;
            announced += static_cast<std::uint64_t>(size);
        }

        const fs::path path = target.empty() ? fs::path() : target / fs::path(name);
        std::error_code ec;
        if (type == AE_IFDIR)
        {
            if (!target.empty() && (fs::create_directories(path, ec), ec))
                return IsDiskFull(ec.value()) ? EUnpackResult::DiskFull : EUnpackResult::Refused;
            continue;
        }
        const bool xml = IsXmlName(name);
        xmlFiles += xml ? 1 : 0;
        CPlainFile out;
        if (!target.empty())
        {
            fs::create_directories(path.parent_path(), ec);
            if (ec)
                return IsDiskFull(ec.value()) ? EUnpackResult::DiskFull : EUnpackResult::Refused;
            if (!out.Open(path))
                return IsDiskFull(out.Error()) ? EUnpackResult::DiskFull : EUnpackResult::Refused;
        }
        const EUnpackResult copied = CopyData(a, target.empty() ? nullptr : &out, limit, unpacked, xml);
        if (copied != EUnpackResult::Done)
            return copied;
    }
    if (xmlFiles == 0)
        return EUnpackResult::Refused;
    if (!target.empty() && !SyncTree(target))
        return IsDiskFull(errno) ? EUnpackResult::DiskFull : EUnpackResult::Refused;
    return EUnpackResult::Done;
}
