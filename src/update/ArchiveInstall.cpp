#include "update/ArchiveInstall.h"

#include "base/DataPaths.h"
#include "base/FileLock.h"
#include "base/Messages.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "base/ZipNames.h"
#include "update/ZipUnpack.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
bool HasKeptExtension(const std::string& name)
{
    for (const char* ext : {".xml", ".tif", ".png", ".zip"})
        if (name.find(ext) != std::string::npos)
            return true;
    return false;
}

// A name as it may be shown: control characters (which would act on a terminal) escaped.
std::string Printable(const std::string& name)
{
    std::string shown;
    for (const char c : name)
    {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
        else
            shown += c;
    }
    return shown;
}

// Keeps the files a database is made of, announcing each, and deletes any other file.
bool SortUnpackedFiles(const fs::path& root, const fs::path& folder, const CInstallContext& context)
{
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(*it);
    if (ec)
        return false;
    std::sort(entries.begin(), entries.end(),
              [](const auto& l, const auto& r) { return l.path().filename().string() < r.path().filename().string(); });
    for (const fs::directory_entry& entry : entries)
    {
        if (entry.is_directory(ec))
        {
            if (!SortUnpackedFiles(root, entry.path(), context))
                return false;
            continue;
        }
        const std::string relative = Printable(entry.path().lexically_relative(root).generic_string());
        if (HasKeptExtension(entry.path().filename().string()))
        {
            if (context.report)
                context.report(std::string(Messages::MovingFile1) + relative + std::string(Messages::MovingFile2));
            continue;
        }
        if (context.report)
            context.report(std::string(Messages::UnexpectedFile1) + relative + std::string(Messages::UnexpectedFile2));
        if (!fs::remove(entry.path(), ec) || ec)
            return false;
    }
    return true;
}

bool IsDiskFull(const std::error_code& ec)
{
    return ec == std::errc::no_space_on_device || ec == std::errc::file_too_large || ec.value() == EDQUOT;
}

// Puts the unpacked tree where the database lives. Renamed when the scratch folder is on
// the same file system, else copied beside "Config" first and renamed from there, so
// "Config" is always either complete or absent.
EUnpackResult PlaceNewConfig(const fs::path& scratch, const fs::path& config, const fs::path& incoming)
{
    std::error_code ec;
    fs::rename(scratch, config, ec);
    if (!ec)
        return EUnpackResult::Done;
    fs::remove_all(incoming, ec);
    fs::copy(scratch, incoming, fs::copy_options::recursive, ec);
    if (ec)
    {
        const bool full = IsDiskFull(ec);
        fs::remove_all(incoming, ec);
        return full ? EUnpackResult::DiskFull : EUnpackResult::Refused;
    }
    fs::rename(incoming, config, ec);
    return ec ? EUnpackResult::Refused : EUnpackResult::Done;
}

std::string RevisionOf(const fs::path& archive)
{
    std::string name = archive.filename().string();
    if (name.rfind(ArchivePrefix, 0) == 0)
        name.erase(0, ArchivePrefix.size());
    if (name.size() >= ArchiveSuffix.size() &&
        name.compare(name.size() - ArchiveSuffix.size(), ArchiveSuffix.size(), ArchiveSuffix) == 0)
        name.erase(name.size() - ArchiveSuffix.size());
    return name;
}

// An installation that stopped half-way (a crash, a power cut) left the old database
// aside: put it back when "Config" never arrived, else drop what is left over.
void RecoverInterruptedInstall(const fs::path& dataFolder)
{
    const fs::path config = DataPaths::Join(dataFolder, DataPaths::Config);
    const fs::path previous = DataPaths::Join(dataFolder, DataPaths::ConfigPrevious);
    std::error_code ec;
    fs::remove_all(DataPaths::Join(dataFolder, DataPaths::ConfigIncoming), ec);
    if (!fs::exists(previous, ec))
        return;
    if (fs::exists(config, ec))
        fs::remove_all(previous, ec);
    else
        fs::rename(previous, config, ec);
}

bool InterruptedInstallLeft(const fs::path& dataFolder)
{
    std::error_code ec;
    return fs::exists(DataPaths::Join(dataFolder, DataPaths::ConfigPrevious), ec) ||
           fs::exists(DataPaths::Join(dataFolder, DataPaths::ConfigIncoming), ec);
}

// The new tree in place of the old one; the old one comes back on any failure.
EUnpackResult SwapInNewConfig(const fs::path& scratch, CInstallContext& context)
{
    const fs::path& data = context.dataFolder;
    const fs::path config = DataPaths::Join(data, DataPaths::Config);
    const fs::path previous = DataPaths::Join(data, DataPaths::ConfigPrevious);
    std::error_code ec;
    if (!SortUnpackedFiles(scratch, scratch, context))
        return EUnpackResult::Refused;

    const fs::path cache = DataPaths::Join(data, DataPaths::Cache);
    for (const std::string_view file : {DataPaths::CacheFile, DataPaths::IconCacheFile})
    {
        fs::remove(cache / file, ec);
        if (ec)
            return EUnpackResult::Refused;
    }

    const bool hadConfig = fs::exists(config, ec);
    if (hadConfig)
    {
        fs::rename(config, previous, ec);
        if (ec)
            return EUnpackResult::Refused;
    }
    const EUnpackResult placed = PlaceNewConfig(scratch, config, DataPaths::Join(data, DataPaths::ConfigIncoming));
    if (placed != EUnpackResult::Done)
    {
        fs::remove_all(config, ec);
        if (hadConfig)
            fs::rename(previous, config, ec);
    }
    return placed;
}

// One installation per data folder at a time, across processes: a lock file in the data
// folder's "Temp", where archives wait, held from looking for the archive to recording its
// revision.
class CInstallLock
{
public:
    explicit CInstallLock(const CInstallContext& context)
        : m_lock(DataPaths::Join(context.dataFolder, DataPaths::Temp) / "install.lock")
    {
        std::error_code ec;
        fs::create_directories(DataPaths::Join(context.dataFolder, DataPaths::Temp), ec);
        // Nobody to wait for when the lock file itself cannot be made.
        if (m_lock.Lock(std::chrono::milliseconds(0)) || !m_lock.Error().empty())
            return;
        const std::string waiting(Messages::InstallWaiting);
        if (context.report)
            context.report(waiting);
        else
            std::fprintf(stderr, "moxa: %s\n", waiting.c_str());
        m_lock.Lock(context.lockWait);
    }

    // False when the lock file cannot be made (nothing can be installed there either) or
    // another process held it past the wait.
    bool Held() const { return m_lock.Held(); }
    // Why the lock file could not be made; empty when another process held it.
    const std::string& Error() const { return m_lock.Error(); }

private:
    CFileLock m_lock;
};

EInstallResult InstallLocked(const fs::path& archive, CInstallContext& context)
{
    const fs::path& data = context.dataFolder;
    const fs::path scratch = DataPaths::Join(data, DataPaths::TempArchive);
    std::error_code ec;
    RecoverInterruptedInstall(data);
    if (!fs::is_regular_file(archive, ec))
        return EInstallResult::Gone;
    fs::remove_all(scratch, ec);

    // Everything is checked before the first byte is written, then written.
    EUnpackResult result = !ec && StoredZipNamesAreSafe(archive)
                               ? UnpackZip(archive, {}, context.maxUnpackedBytes)
                               : EUnpackResult::Refused;
    if (result == EUnpackResult::Done)
    {
        fs::create_directories(scratch, ec);
        result = ec ? (IsDiskFull(ec) ? EUnpackResult::DiskFull : EUnpackResult::Refused)
                    : UnpackZip(archive, scratch, context.maxUnpackedBytes);
        if (result == EUnpackResult::Done)
            result = SwapInNewConfig(scratch, context);
    }
    fs::remove_all(scratch, ec);

    if (result == EUnpackResult::DiskFull)
    {
        // A good archive that did not fit stays for the next try.
        if (context.prompter)
            context.prompter->Warn(std::string(Messages::ArchiveDiskFull));
        return EInstallResult::DiskFull;
    }
    if (result == EUnpackResult::Refused)
    {
        if (context.prompter)
            context.prompter->Warn(std::string(Messages::ArchiveCorrupt));
        fs::remove(archive, ec);
        return EInstallResult::Refused;
    }

    if (context.reloadDatabase)
        context.reloadDatabase();
    // The revision is recorded before the archive goes: a start after a crash in between
    // finds the archive and installs it again rather than keeping the old revision.
    const std::string revision = RevisionOf(archive);
    if (context.settings)
        context.settings->DatabaseRevision = revision;
    if (context.saveRevision)
        context.saveRevision(revision);
    fs::remove(archive, ec);
    fs::remove_all(DataPaths::Join(data, DataPaths::ConfigPrevious), ec);
    return EInstallResult::Installed;
}

std::vector<fs::path> WaitingArchives(const fs::path& dataFolder)
{
    const fs::path temp = DataPaths::Join(dataFolder, DataPaths::Temp);
    std::vector<fs::path> archives;
    std::error_code ec;
    for (fs::directory_iterator it(temp, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string name = it->path().filename().string();
        const bool matches = name.size() >= ArchivePrefix.size() + ArchiveSuffix.size() &&
                             name.rfind(ArchivePrefix, 0) == 0 &&
                             name.compare(name.size() - ArchiveSuffix.size(), ArchiveSuffix.size(), ArchiveSuffix) == 0;
        std::error_code typeError;
        if (matches && it->is_regular_file(typeError))
            archives.push_back(it->path());
    }
    return archives;
}

void WarnBusy(const CInstallContext& context, const CInstallLock& lock)
{
    if (!context.prompter)
        return;
    if (lock.Error().empty())
        context.prompter->Warn(std::string(Messages::InstallBusy));
    else
        context.prompter->Warn(std::string(Messages::InstallCannotLock1) + lock.Error() +
                               std::string(Messages::InstallCannotLock2));
}
} // namespace

EInstallResult InstallUpdateArchive(const fs::path& archive, CInstallContext& context)
{
    const CInstallLock lock(context);
    if (!lock.Held())
    {
        WarnBusy(context, lock);
        return EInstallResult::Busy;
    }
    return InstallLocked(archive, context);
}

EPendingUpdate FindPendingUpdate(CInstallContext& context)
{
    // Most starts find nothing to do and take no lock.
    if (WaitingArchives(context.dataFolder).empty() && !InterruptedInstallLeft(context.dataFolder))
        return EPendingUpdate::None;
    const CInstallLock lock(context);
    if (!lock.Held())
    {
        WarnBusy(context, lock);
        return EPendingUpdate::Kept;
    }
    RecoverInterruptedInstall(context.dataFolder);
    // Looked at again under the lock: another process may have installed it meanwhile.
    const std::vector<fs::path> archives = WaitingArchives(context.dataFolder);
    if (archives.empty())
        return EPendingUpdate::None;
    if (archives.size() > 1)
    {
        if (context.prompter)
            context.prompter->Warn(std::string(Messages::MoreThanOneArchive1) +
                                   DataPaths::Join(context.dataFolder, DataPaths::Temp).string() +
                                   std::string(Messages::MoreThanOneArchive2));
        return EPendingUpdate::Several;
    }
    switch (InstallLocked(archives.front(), context))
    {
    case EInstallResult::Installed:
        return EPendingUpdate::Installed;
    case EInstallResult::Refused:
        return EPendingUpdate::Refused;
    case EInstallResult::Gone:
        return EPendingUpdate::None;
    case EInstallResult::DiskFull:
    case EInstallResult::Busy:
        break;
    }
    return EPendingUpdate::Kept;
}
