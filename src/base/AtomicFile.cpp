#include "base/AtomicFile.h"

#include "base/FileLock.h"

#include <QFile>
#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
constexpr std::size_t BufferLimit = 1 << 16;
// Another program's save of the same file takes milliseconds.
constexpr std::chrono::seconds LockWait{10};
// QSaveFile names its temporary file after the target: "NAME.AbcDef".
constexpr std::size_t TempSuffixLetters = 6;

QString QtPath(const fs::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::string Reason(const QFileDevice& file)
{
    const std::string reason = file.errorString().toLocal8Bit().toStdString();
    return reason.empty() ? std::string("Unknown error") : reason;
}

void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}

// The file a link leads to, so that the lock is the same whichever name a save goes by.
fs::path RealPath(const fs::path& target)
{
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(target, ec);
    return ec ? target : real;
}

bool IsSaveFileTemp(const std::string& name, const std::set<std::string>& siblings)
{
    if (name.size() <= TempSuffixLetters + 1 || name[name.size() - TempSuffixLetters - 1] != '.')
        return false;
    for (std::size_t i = name.size() - TempSuffixLetters; i < name.size(); ++i)
        if (!((name[i] >= 'a' && name[i] <= 'z') || (name[i] >= 'A' && name[i] <= 'Z')))
            return false;
    return siblings.count(name.substr(0, name.size() - TempSuffixLetters - 1)) != 0;
}

// QSaveFile draws its six letters from both cases; a suffix in one case ("backup", "BACKUP")
// is far more likely a player's own copy, so a player's folder keeps it. One killed save in
// 32 leaves a name that stays: a stray file, never a lost one.
bool IsMixedCaseSuffix(const std::string& name)
{
    bool lower = false;
    bool upper = false;
    for (std::size_t i = name.size() - TempSuffixLetters; i < name.size(); ++i)
        (name[i] >= 'a' ? lower : upper) = true;
    return lower && upper;
}

// Stale lock files ("NAME.lock") of the given names.
void RemoveStaleLocks(const fs::path& folder, const std::set<std::string>& names, const std::set<std::string>& locked)
{
    std::set<std::string> done;
    for (std::string name : names)
    {
        while (name.ends_with(".rmlock"))
            name.resize(name.size() - 7);
        if (name.ends_with(".lock") && locked.count(name.substr(0, name.size() - 5)) && done.insert(name).second)
            CFileLock::RemoveIfStale(folder / name);
    }
}

bool IsRegularFile(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.symlink_status(ec).type() == fs::file_type::regular;
}
} // namespace

std::optional<CFileStamp> CFileStamp::Of(const fs::path& file)
{
    struct stat info{};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    CFileStamp stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

struct CAtomicFile::CState
{
    fs::path target;
    std::unique_ptr<QSaveFile> save; // a regular file, replaced on Commit
    std::unique_ptr<QFile> direct;   // a device or FIFO, written into on Commit
    std::unique_ptr<CFileLock> lock;
    std::string buffer;
    std::string error;
    bool failed = false;
    bool changed = false;
    std::optional<CFileStamp> saved;
};

CAtomicFile::CAtomicFile() : m(std::make_unique<CState>())
{
}

CAtomicFile::~CAtomicFile()
{
    Discard();
}

bool CAtomicFile::Open(const fs::path& target)
{
    return Open(target, std::nullopt);
}

bool CAtomicFile::Open(const fs::path& target, const std::optional<CFileStamp>& unchanged)
{
    Discard();
    m->error.clear();
    m->failed = false;
    m->changed = false;
    m->saved.reset();
    m->target = target;
    struct stat info{};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode))
        return Fail(std::strerror(EISDIR));
    if (exists && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode)))
    {
        // Replacing /dev/null or a pipe's node would break everyone else who uses it.
        m->direct = std::make_unique<QFile>(QtPath(target));
        if (!m->direct->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return Fail(Reason(*m->direct));
        return true;
    }
    if (exists && !S_ISREG(info.st_mode))
        return Fail("Not a regular file");
    // access() lets root write anything; a file nobody may write stays read-only for root too.
    if (exists && (::access(target.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0))
        return Fail(std::strerror(EACCES));
    if (unchanged)
    {
        m->lock = std::make_unique<CFileLock>(RealPath(target).native() + ".lock");
        if (!m->lock->Lock(LockWait))
            return Fail(m->lock->Error().empty() ? std::string("Another program is saving the file") : m->lock->Error());
        const std::optional<CFileStamp> now = CFileStamp::Of(target);
        if (now && *now != *unchanged)
        {
            m->changed = true;
            return Fail("The file has changed on disk");
        }
    }
    m->save = std::make_unique<QSaveFile>(QtPath(target));
    m->save->setDirectWriteFallback(false);
    if (!m->save->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Fail(Reason(*m->save));
    // QSaveFile copies only the permission bits QFile knows, and as the current user sees
    // them (root sees every file writable).
    if (exists)
        ::fchmod(m->save->handle(), info.st_mode & 07777);
    return true;
}

bool CAtomicFile::IsOpen() const
{
    return m->save || m->direct;
}

bool CAtomicFile::Fail(std::string reason)
{
    m->error = std::move(reason);
    m->failed = true;
    m->save.reset(); // an uncommitted QSaveFile removes its temporary file
    m->direct.reset();
    m->lock.reset();
    m->buffer.clear();
    return false;
}

bool CAtomicFile::FlushBuffer()
{
    QFileDevice& out = m->save ? static_cast<QFileDevice&>(*m->save) : *m->direct;
    std::size_t done = 0;
    while (done < m->buffer.size())
    {
        // QSaveFile takes a short write (a full disk) for a success and would commit the cut
        // file; writing the rest again fails with the reason.
        const qint64 n = out.write(m->buffer.data() + done, static_cast<qint64>(m->buffer.size() - done));
        if (n <= 0)
            return Fail(Reason(out));
        done += static_cast<std::size_t>(n);
    }
    m->buffer.clear();
    return true;
}

bool CAtomicFile::Write(std::string_view bytes)
{
    if (!IsOpen() || m->failed)
        return false;
    m->buffer.append(bytes);
    // A device or FIFO gets the bytes only on Commit, so a save that fails gives it nothing.
    if (m->save && m->buffer.size() >= BufferLimit)
        return FlushBuffer();
    return true;
}

bool CAtomicFile::Commit()
{
    if (!IsOpen() || m->failed || !FlushBuffer())
        return false;
    if (m->direct)
    {
        m->direct.reset();
        m->lock.reset();
        return true;
    }
    if (!m->save->commit())
        return Fail(Reason(*m->save));
    m->save.reset();
    // Taken before the lock goes, so that it is this save's file.
    m->saved = CFileStamp::Of(m->target);
    m->lock.reset();
    SyncFolder(RealPath(m->target).parent_path());
    return true;
}

void CAtomicFile::Discard()
{
    m->save.reset();
    m->direct.reset();
    m->lock.reset();
    m->buffer.clear();
}

const std::string& CAtomicFile::Error() const
{
    return m->error;
}

bool CAtomicFile::ChangedOnDisk() const
{
    return m->changed;
}

const std::optional<CFileStamp>& CAtomicFile::Saved() const
{
    return m->saved;
}

void CAtomicFile::RemoveLeftovers(const fs::path& folder, EFolder kind)
{
    std::error_code ec;
    std::set<std::string> names;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (IsRegularFile(*it))
            names.insert(it->path().filename().string());
    for (const std::string& name : names)
    {
        std::error_code removeError;
        if (name.starts_with(TempPrefix) ||
            (IsSaveFileTemp(name, names) && (kind == EFolder::ProgramsOwn || IsMixedCaseSuffix(name))))
            fs::remove(folder / name, removeError);
    }
    RemoveStaleLocks(folder, names, names);
}

void CAtomicFile::RemoveLeftoversOf(const fs::path& file)
{
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const std::string own = file.filename().string();
    const std::set<std::string> siblings = {own};
    std::set<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string name = it->path().filename().string();
        std::error_code removeError;
        if (!IsRegularFile(*it))
            continue;
        if (name.starts_with(TempPrefix) || (IsSaveFileTemp(name, siblings) && IsMixedCaseSuffix(name)))
            fs::remove(it->path(), removeError);
        else
            names.insert(name);
    }
    RemoveStaleLocks(folder, names, siblings);
}

bool WriteFileAtomically(const fs::path& target, std::string_view bytes, std::string* error)
{
    CAtomicFile file;
    const bool ok = file.Open(target) && file.Write(bytes) && file.Commit();
    if (!ok && error)
        *error = file.Error();
    return ok;
}
