#include "app/Startup.h"

#include "app/DataPaths.h"
#include "app/Messages.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "app/ZipNames.h"
#include "xml/AtomicFile.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
// The zip reader of one archive file, closed on every path.
class CZipReader
{
public:
    explicit CZipReader(const fs::path& archive)
        : m_archive(archive_read_new())
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

// Walks every entry of the archive, checking each before anything of it is written. With
// an empty target only checks (reading the data too, since the sizes in the headers may
// lie); otherwise writes plain files and folders below the target. False for anything
// unsafe, unreadable, over the size bound, or an archive without a single file.
bool UnpackZip(const fs::path& archivePath, const fs::path& target, std::uint64_t limit)
{
    CZipReader reader(archivePath);
    if (!reader.IsOpen())
        return false;
    archive* a = reader.Get();
    std::uint64_t announced = 0;
    std::uint64_t unpacked = 0;
    int files = 0;
    std::set<std::string> seen;
    for (;;)
    {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(a, &entry);
        if (status == ARCHIVE_EOF)
            break;
        // A warning here is about the name's character set; the name is checked below.
        if (status != ARCHIVE_OK && status != ARCHIVE_WARN)
            return false;
        const char* name = archive_entry_pathname(entry);
        if (!name || !IsSafeEntryPath(name))
            return false;
        if (archive_entry_hardlink(entry) || archive_entry_symlink(entry))
            return false;
        const mode_t type = archive_entry_filetype(entry);
        if (type != AE_IFREG && type != AE_IFDIR)
            return false;
        // Two files of one name: which one a tool keeps differs, so neither is trusted.
        if (type == AE_IFREG && !seen.insert(fs::path(name).lexically_normal().generic_string()).second)
            return false;
        if (archive_entry_size_is_set(entry))
        {
            const la_int64_t size = archive_entry_size(entry);
            if (size < 0 || static_cast<std::uint64_t>(size) > limit - announced)
                return false;
            announced += static_cast<std::uint64_t>(size);
        }

        const fs::path path = target.empty() ? fs::path() : target / fs::path(name);
        std::error_code ec;
        if (type == AE_IFDIR)
        {
            if (!target.empty() && (fs::create_directories(path, ec), ec))
                return false;
            continue;
        }
        ++files;
        CAtomicFile out;
        if (!target.empty())
        {
            fs::create_directories(path.parent_path(), ec);
            if (ec || !out.Open(path))
                return false;
        }
        for (;;)
        {
            const void* block = nullptr;
            std::size_t size = 0;
            la_int64_t offset = 0;
            const int read = archive_read_data_block(a, &block, &size, &offset);
            if (read == ARCHIVE_EOF)
                break;
            if (read != ARCHIVE_OK)
                return false;
            if (size > limit - unpacked)
                return false;
            unpacked += size;
            if (!target.empty() && !out.Write(std::string_view(static_cast<const char*>(block), size)))
                return false;
        }
        if (!target.empty() && !out.Commit())
            return false;
    }
    return files > 0;
}

bool HasKeptExtension(const std::string& name)
{
    for (const char* ext : {".xml", ".tif", ".png", ".zip"})
        if (name.find(ext) != std::string::npos)
            return true;
    return false;
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
        const std::string relative = entry.path().lexically_relative(root).generic_string();
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

// Puts the unpacked tree where the database lives. Renamed when the scratch folder is on
// the same file system, else copied beside "Config" first and renamed from there, so
// "Config" is always either complete or absent.
bool PlaceNewConfig(const fs::path& scratch, const fs::path& config, const fs::path& incoming)
{
    std::error_code ec;
    fs::rename(scratch, config, ec);
    if (!ec)
        return true;
    fs::remove_all(incoming, ec);
    fs::copy(scratch, incoming, fs::copy_options::recursive, ec);
    if (ec)
    {
        fs::remove_all(incoming, ec);
        return false;
    }
    fs::rename(incoming, config, ec);
    return !ec;
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

// The new tree in place of the old one; the old one comes back on any failure.
bool SwapInNewConfig(const fs::path& scratch, CInstallContext& context)
{
    const fs::path& data = context.dataFolder;
    const fs::path config = DataPaths::Join(data, DataPaths::Config);
    const fs::path previous = DataPaths::Join(data, DataPaths::ConfigPrevious);
    std::error_code ec;
    if (!SortUnpackedFiles(scratch, scratch, context))
        return false;

    const fs::path cache = DataPaths::Join(data, DataPaths::Cache);
    for (const std::string_view file : {DataPaths::CacheFile, DataPaths::IconCacheFile})
    {
        fs::remove(cache / file, ec);
        if (ec)
            return false;
    }

    const bool hadConfig = fs::exists(config, ec);
    if (hadConfig)
    {
        fs::rename(config, previous, ec);
        if (ec)
            return false;
    }
    if (!PlaceNewConfig(scratch, config, DataPaths::Join(data, DataPaths::ConfigIncoming)))
    {
        fs::remove_all(config, ec);
        if (hadConfig)
            fs::rename(previous, config, ec);
        return false;
    }
    return true;
}
} // namespace

std::string ReadGameFolder(const ISettingsStore& store)
{
    return store.Read(SettingsKeys::Game, "").value_or(std::string());
}

bool InstallUpdateArchive(const fs::path& archive, CInstallContext& context)
{
    const fs::path& data = context.dataFolder;
    const fs::path scratch = DataPaths::Join(data, DataPaths::TempArchive);
    std::error_code ec;
    RecoverInterruptedInstall(data);
    fs::remove_all(scratch, ec);

    // Everything is checked before the first byte is written, then written.
    bool installed = !ec && StoredZipNamesAreSafe(archive) && UnpackZip(archive, {}, context.maxUnpackedBytes);
    if (installed)
    {
        fs::create_directories(scratch, ec);
        installed = !ec && UnpackZip(archive, scratch, context.maxUnpackedBytes) && SwapInNewConfig(scratch, context);
    }

    if (installed)
    {
        if (context.reloadDatabase)
            context.reloadDatabase();
        if (context.settings)
            context.settings->DatabaseRevision = RevisionOf(archive);
        fs::remove_all(DataPaths::Join(data, DataPaths::ConfigPrevious), ec);
    }
    else if (context.prompter)
    {
        context.prompter->Warn(std::string(Messages::ArchiveCorrupt));
    }

    fs::remove_all(scratch, ec);
    fs::remove(archive, ec);
    return installed;
}

EPendingUpdate FindPendingUpdate(CInstallContext& context)
{
    RecoverInterruptedInstall(context.dataFolder);
    const fs::path temp = DataPaths::Join(context.dataFolder, DataPaths::Temp);
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
    if (archives.empty())
        return EPendingUpdate::None;
    if (archives.size() > 1)
    {
        if (context.prompter)
            context.prompter->Warn(std::string(Messages::MoreThanOneArchive1) + temp.string() +
                                   std::string(Messages::MoreThanOneArchive2));
        return EPendingUpdate::Several;
    }
    return InstallUpdateArchive(archives.front(), context) ? EPendingUpdate::Installed : EPendingUpdate::Refused;
}
