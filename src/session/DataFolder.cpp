#include "session/DataFolder.h"

#include "base/DataPaths.h"
#include "base/Messages.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
// Paths without a trailing separator, relative ones made absolute.
fs::path Clean(const fs::path& path)
{
    std::error_code error;
    fs::path clean = fs::absolute(path, error).lexically_normal();
    if (clean.has_relative_path() && !clean.has_filename())
        clean = clean.parent_path();
    return clean;
}

bool HasWaitingArchive(const fs::path& folder)
{
    std::error_code error;
    for (fs::directory_iterator it(DataPaths::Join(folder, DataPaths::Temp), error), end; !error && it != end;
         it.increment(error))
    {
        const std::string name = it->path().filename().string();
        if (name.starts_with(ArchivePrefix) && name.ends_with(ArchiveSuffix))
            return true;
    }
    return false;
}

// Copies the sample data into the per-user folder; Config comes last, under another name
// first, so that an interrupted copy is not taken for a data folder by the next start.
bool Seed(const fs::path& seed, const fs::path& target, std::string& error)
{
    std::error_code ec;
    fs::create_directories(target, ec);
    const auto options = fs::copy_options::recursive | fs::copy_options::skip_existing;
    for (fs::directory_iterator it(seed, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename() != DataPaths::Config)
            fs::copy(it->path(), target / it->path().filename(), options, ec);
    const fs::path incoming = DataPaths::Join(target, DataPaths::ConfigIncoming);
    if (!ec)
    {
        fs::remove_all(incoming, ec);
        fs::copy(DataPaths::Join(seed, DataPaths::Config), incoming, options, ec);
    }
    if (!ec)
        fs::rename(incoming, DataPaths::Join(target, DataPaths::Config), ec);
    if (ec)
    {
        std::error_code ignored;
        fs::remove_all(incoming, ignored);
        error = std::string(Messages::SeedFailed1) + seed.string() + std::string(Messages::SeedFailed2) +
                target.string() + "': " + ec.message();
        return false;
    }
    return true;
}
} // namespace

bool IsDataFolder(const fs::path& folder)
{
    std::error_code error;
    return fs::is_directory(DataPaths::Join(folder, DataPaths::Config), error) || HasWaitingArchive(folder);
}

CDataFolderChoice ChooseDataFolder(const CDataFolderRequest& request)
{
    CDataFolderChoice choice;
    if (request.named)
    {
        choice.folder = Clean(*request.named);
        if (IsDataFolder(choice.folder))
            choice.source = EDataFolderSource::Named;
        else
            choice.error = std::string(Messages::NotADataFolder1) + choice.folder.string() +
                           std::string(Messages::NotADataFolder2);
        return choice;
    }
    if (!request.current.empty() && IsDataFolder(request.current))
    {
        choice.folder = Clean(request.current);
        choice.source = EDataFolderSource::Current;
        return choice;
    }
    if (request.perUser.empty())
    {
        choice.error = std::string(Messages::NoPerUserFolder);
        return choice;
    }
    choice.folder = Clean(request.perUser);
    if (IsDataFolder(choice.folder))
    {
        choice.source = EDataFolderSource::PerUser;
        return choice;
    }
    for (const fs::path& seed : request.seeds)
    {
        std::error_code error;
        if (!fs::is_directory(DataPaths::Join(seed, DataPaths::Config), error))
            continue;
        if (Seed(seed, choice.folder, choice.error))
        {
            choice.seed = seed;
            choice.source = EDataFolderSource::PerUserSeeded;
        }
        return choice;
    }
    choice.error = std::string(Messages::NoSampleData1) + choice.folder.string() + std::string(Messages::NoSampleData2);
    return choice;
}

fs::path PerUserDataFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "moxa";
    if (home && *home)
        return fs::path(home) / ".local/share/moxa";
    return {};
}

std::vector<fs::path> InstalledSampleData()
{
    std::vector<fs::path> seeds;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        seeds.push_back((program.parent_path().parent_path() / "share/moxa/data").lexically_normal());
#ifdef MOXA_INSTALLED_DATA_DIR
    if (seeds.empty() || seeds.front() != fs::path(MOXA_INSTALLED_DATA_DIR))
        seeds.emplace_back(MOXA_INSTALLED_DATA_DIR);
#endif
    return seeds;
}

CDataFolderRequest DataFolderRequestFromEnvironment(std::optional<fs::path> named)
{
    CDataFolderRequest request;
    request.named = std::move(named);
    std::error_code error;
    request.current = fs::current_path(error);
    request.perUser = PerUserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    request.seeds = InstalledSampleData();
    return request;
}
