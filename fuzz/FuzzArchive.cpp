// The update archive installation: fuzzed zip bytes as the waiting archive of a scratch
// data folder. Nothing may appear outside the data folder, and a refused archive leaves
// the old database as it was.
#include "FuzzSupport.h"
#include "update/ArchiveInstall.h"

#include <archive.h>
#include <archive_entry.h>

#include <set>
#include <vector>

namespace fs = std::filesystem;

namespace
{
std::set<std::string> Listing(const fs::path& folder)
{
    std::set<std::string> names;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::none, ec), end; !ec && it != end;
         it.increment(ec))
        names.insert(it->path().lexically_relative(folder).generic_string());
    return names;
}

// Absolute entry names, to prove afterwards that none of them was written.
std::vector<std::string> AbsoluteEntries(const fs::path& archive)
{
    std::vector<std::string> names;
    ::archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, archive.c_str(), 1 << 16) == ARCHIVE_OK)
    {
        archive_entry* entry = nullptr;
        while (names.size() < 64 && archive_read_next_header(a, &entry) == ARCHIVE_OK)
            if (const char* name = archive_entry_pathname(entry); name && name[0] == '/')
                names.emplace_back(name);
    }
    archive_read_free(a);
    return names;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // sandbox/ holds the data folder and nothing else; anything else appearing in it was
    // written outside the data folder.
    const fs::path sandbox = Fuzz::ScratchFolder() / "sandbox";
    const fs::path dataFolder = sandbox / "data";
    std::error_code ec;
    fs::remove_all(sandbox, ec);
    Fuzz::WriteBytes(dataFolder / "Config/Categories.xml", "<categories>\n</categories>\n");
    Fuzz::WriteBytes(dataFolder / "Cache/config.dat", "cache");
    const fs::path archive = dataFolder / "Temp/Moxa_2026-12-08.zip";
    Fuzz::WriteBytes(archive, Fuzz::Bytes(data, size));
    const std::vector<std::string> absolute = AbsoluteEntries(archive);
    std::vector<bool> existedBefore;
    for (const std::string& name : absolute)
        existedBefore.push_back(fs::exists(fs::path(name), ec));

    Fuzz::CCountingPrompter prompter;
    int reloads = 0;
    CInstallContext context;
    context.dataFolder = dataFolder;
    context.prompter = &prompter;
    context.reloadDatabase = [&reloads] { ++reloads; };
    context.maxUnpackedBytes = 1 << 20;
    const bool installed = InstallUpdateArchive(archive, context);

    for (const std::string& name : Listing(sandbox))
        Fuzz::Check(name == "data" || name.rfind("data/", 0) == 0, "nothing written beside the data folder");
    for (std::size_t i = 0; i < absolute.size(); ++i)
        Fuzz::Check(existedBefore[i] || !fs::exists(fs::path(absolute[i]), ec), "nothing written at an absolute path");
    Fuzz::Check(!fs::exists(archive, ec), "the archive is removed either way");
    Fuzz::Check(!fs::exists(dataFolder / "Temp/Archive", ec), "the scratch folder is removed either way");
    Fuzz::Check(!fs::exists(dataFolder / "Config.previous", ec), "no old database is left aside");
    if (installed)
    {
        Fuzz::Check(reloads == 1 && prompter.warnings == 0, "an installed archive reloads once, silently");
        Fuzz::Check(!fs::exists(dataFolder / "Cache/config.dat", ec), "the old cache is gone");
    }
    else
    {
        Fuzz::Check(reloads == 0 && prompter.warnings == 1, "a refused archive warns once");
        Fuzz::Check(Listing(dataFolder / "Config") == std::set<std::string>{"Categories.xml"},
                    "a refused archive keeps the old database");
        std::ifstream in(dataFolder / "Config/Categories.xml", std::ios::binary);
        const std::string kept((std::istreambuf_iterator<char>(in)), {});
        Fuzz::Check(kept == "<categories>\n</categories>\n", "the old database is unchanged");
    }
    return 0;
}
