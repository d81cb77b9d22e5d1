#include "base/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/TestZip.h"
#include "update/ArchiveInstall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <sys/wait.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
using Tree = std::map<std::string, std::string>; // relative path -> bytes ("/" for a folder)

Tree Snapshot(const fs::path& root)
{
    Tree tree;
    if (!fs::exists(root))
        return tree;
    for (const auto& entry : fs::recursive_directory_iterator(root))
    {
        const std::string relative = entry.path().lexically_relative(root).generic_string();
        tree[relative] = entry.is_directory() ? "/" : ReadFileBytes(entry.path());
    }
    return tree;
}

const char* const ArchiveCorrupt = "Update failed, database archive is corrupt.\nRemoving update file";

// A data folder below a parent folder that must stay empty otherwise.
struct CDataFolder
{
    CDataFolder()
    {
        data = root.Path() / "data";
        root.WriteFile("data/Config/Categories.xml", "<categories>old</categories>\n");
        root.WriteFile("data/Config/Crafts/Old.xml", "<formula>old</formula>\n");
        root.WriteFile("data/Cache/config.dat", "cache");
        root.WriteFile("data/Cache/formicons.dat", "icons");
        fs::create_directories(data / "Temp");
        context.dataFolder = data;
        context.settings = &settings;
        context.prompter = &prompter;
        context.reloadDatabase = [this] {
            ++reloads;
            configAtReload = Snapshot(data / "Config");
        };
        context.report = [this](const std::string& line) { reports.push_back(line); };
    }

    CTempDir root;
    fs::path data;
    CSettings settings;
    CScriptedPrompter prompter;
    CInstallContext context;
    int reloads = 0;
    Tree configAtReload;
    std::vector<std::string> reports;
};

TEST(ArchiveInstall, NothingWaiting)
{
    CDataFolder folder;
    fs::remove_all(folder.data / "Temp");
    EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::None);

    // Names that only look like an archive are left alone.
    folder.root.WriteFile("data/Temp/moxa_2026-01-01.zip", "x");
    folder.root.WriteFile("data/Temp/Moxa_2026-01-01.zip.part", "x");
    folder.root.WriteFile("data/Temp/Moxa_2026-01-01.txt", "x");
    folder.root.WriteFile("data/Temp/Old_Moxa_1.zip", "x");
    fs::create_directories(folder.data / "Temp" / "Moxa_folder.zip");
    const Tree before = Snapshot(folder.data);
    EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::None);
    EXPECT_EQ(Snapshot(folder.data), before);
    EXPECT_TRUE(folder.prompter.warnings.empty());
    EXPECT_EQ(folder.reloads, 0);
}

TEST(ArchiveInstall, SeveralWaitingInstallsNothing)
{
    CDataFolder folder;
    ASSERT_TRUE(WriteTestZip(folder.data / "Temp" / "Moxa_2026-11-30.zip", {{"Categories.xml", "new"}}));
    ASSERT_TRUE(WriteTestZip(folder.data / "Temp" / "Moxa_2026-12-01.zip", {{"Categories.xml", "newer"}}));
    const Tree before = Snapshot(folder.data);
    EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::Several);
    EXPECT_EQ(folder.prompter.warnings,
              std::vector<std::string>{"More then one database update file (*.zip) exists in '" +
                                       (folder.data / "Temp").string() +
                                       "'.\nPlease remove all but one and restart the client for the update to take "
                                       "effect!"});
    EXPECT_EQ(Snapshot(folder.data), before);
    EXPECT_EQ(folder.settings.DatabaseRevision, "Initial");
}

TEST(ArchiveInstall, InstallsTheOneArchive)
{
    CDataFolder folder;
    const fs::path archive = folder.data / "Temp" / "Moxa_2026-11-30.zip";
    ASSERT_TRUE(WriteTestZip(archive, {
                                          {"Categories.xml", "<categories>new \xE9</categories>\n"},
                                          {"Crafts/", "", CZipEntry::EKind::Folder},
                                          {"Crafts/Alchemy.xml", "<formula>potion</formula>\n"},
                                          {"Crafts/notes.doc", "stray"},
                                          {"icons/general/arrow.png", std::string("\x89PNG\0\x01", 6)},
                                          {"icons/general/mark.tif", "II*"},
                                          {"Wizards/pack.zip", "PK"},
                                          {"readme.txt", "stray"},
                                          {"clear\x1b[2J.txt", "stray"},
                                          {"Empty/", "", CZipEntry::EKind::Folder},
                                      }));
    EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::Installed);

    const Tree expected = {
        {"Categories.xml", "<categories>new \xE9</categories>\n"},
        {"Crafts", "/"},
        {"Crafts/Alchemy.xml", "<formula>potion</formula>\n"},
        {"Empty", "/"},
        {"Wizards", "/"},
        {"Wizards/pack.zip", "PK"},
        {"icons", "/"},
        {"icons/general", "/"},
        {"icons/general/arrow.png", std::string("\x89PNG\0\x01", 6)},
        {"icons/general/mark.tif", "II*"},
    };
    EXPECT_EQ(Snapshot(folder.data / "Config"), expected);
    EXPECT_EQ(folder.reloads, 1);
    EXPECT_EQ(folder.configAtReload, expected);
    EXPECT_EQ(folder.settings.DatabaseRevision, "2026-11-30");
    EXPECT_TRUE(folder.prompter.warnings.empty());
    EXPECT_EQ(folder.reports, (std::vector<std::string>{
                                  "Moving 'Categories.xml'...",
                                  "Moving 'Crafts/Alchemy.xml'...",
                                  "Warning - Unexpected File 'Crafts/notes.doc' found. This file will be deleted.",
                                  "Moving 'Wizards/pack.zip'...",
                                  // Control characters are shown escaped, never sent to a terminal.
                                  "Warning - Unexpected File 'clear\\x1B[2J.txt' found. This file will be deleted.",
                                  "Moving 'icons/general/arrow.png'...",
                                  "Moving 'icons/general/mark.tif'...",
                                  "Warning - Unexpected File 'readme.txt' found. This file will be deleted.",
                              }));
    // Caches gone (the reload rebuilds them), scratch folder, archive and old tree gone.
    const Tree rest = {{"Cache", "/"}, {"Temp", "/"}};
    Tree data = Snapshot(folder.data);
    for (auto it = data.begin(); it != data.end();)
        it = it->first.rfind("Config", 0) == 0 ? data.erase(it) : std::next(it);
    EXPECT_EQ(data, rest);
    EXPECT_EQ(Snapshot(folder.root.Path()).count("data"), 1u);
}

TEST(ArchiveInstall, InstallsIntoAFolderWithoutConfig)
{
    CDataFolder folder;
    fs::remove_all(folder.data / "Config");
    fs::remove_all(folder.data / "Cache");
    const fs::path archive = folder.data / "Temp" / "Moxa_2027-01-02.zip";
    ASSERT_TRUE(WriteTestZip(archive, {{"help.xml", "<help/>"}}));
    EXPECT_EQ(InstallUpdateArchive(archive, folder.context), EInstallResult::Installed);
    EXPECT_EQ(Snapshot(folder.data / "Config"), (Tree{{"help.xml", "<help/>"}}));
    EXPECT_EQ(folder.settings.DatabaseRevision, "2027-01-02");
    EXPECT_FALSE(fs::exists(archive));
}

struct HostileCase
{
    const char* what;
    std::vector<CZipEntry> entries;
};

TEST(ArchiveInstall, HostileArchivesAreRefusedBeforeAnythingIsWritten)
{
    const std::string outside = "/tmp/moxa-hostile-entry-" + std::to_string(::getpid()) + ".xml";
    const HostileCase cases[] = {
        {"parent folder", {{"Categories.xml", "new"}, {"../evil.xml", "x"}}},
        {"parent of the data folder", {{"../../../evil.xml", "x"}}},
        {"parent inside a path", {{"Crafts/../../evil.xml", "x"}}},
        {"absolute path", {{"Categories.xml", "new"}, {outside, "x"}}},
        {"backslash", {{"..\\evil.xml", "x"}}},
        {"backslash inside", {{"Crafts\\evil.xml", "x"}}},
        {"drive letter", {{"C:/evil.xml", "x"}}},
        {"drive letter relative", {{"c:evil.xml", "x"}}},
        {"symbolic link", {{"Categories.xml", "new"}, {"link.xml", "/etc/passwd", CZipEntry::EKind::Symlink}}},
        {"link to a folder", {{"Crafts", "../../..", CZipEntry::EKind::Symlink}, {"Crafts/a.xml", "x"}}},
        {"too big", {{"Categories.xml", std::string(3000, 'a')}}},
        {"too big together", {{"a.xml", std::string(600, 'a')}, {"b.xml", std::string(600, 'b')}}},
        {"no files", {{"Crafts/", "", CZipEntry::EKind::Folder}}},
        {"nothing at all", {}},
        {"file where a folder must go", {{"Crafts", "x"}, {"Crafts/a.xml", "y"}}},
    };
    for (const HostileCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        CDataFolder folder;
        folder.context.maxUnpackedBytes = 1000;
        const fs::path archive = folder.data / "Temp" / "Moxa_2026-11-30.zip";
        ASSERT_TRUE(WriteTestZip(archive, c.entries));
        // The archive really holds the hostile names (the zip reader shows backslashes as
        // slashes, the file holds them as written).
        ASSERT_EQ(ZipEntryPaths(archive).size(), c.entries.size());
        const std::string stored = ReadFileBytes(archive);
        for (const CZipEntry& e : c.entries)
            ASSERT_NE(stored.find(e.path), std::string::npos) << e.path;
        Tree before = Snapshot(folder.data);
        before.erase("Temp/Moxa_2026-11-30.zip");

        EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::Refused);
        EXPECT_EQ(Snapshot(folder.data), before);
        EXPECT_EQ(Snapshot(folder.root.Path()).size(), before.size() + 1); // only "data" beside
        EXPECT_FALSE(fs::exists(outside));
        EXPECT_FALSE(fs::exists("/tmp/evil.xml"));
        EXPECT_EQ(folder.prompter.warnings, std::vector<std::string>{ArchiveCorrupt});
        EXPECT_EQ(folder.reloads, 0);
        EXPECT_EQ(folder.settings.DatabaseRevision, "Initial");
    }
}

// Finds the 4-byte little-endian field at an offset from every record with a signature.
void PatchZipField(std::string& zip, std::string_view signature, std::size_t offset, std::uint32_t value)
{
    for (std::size_t at = zip.find(signature); at != std::string::npos; at = zip.find(signature, at + 4))
        for (int i = 0; i < 4; ++i)
            zip[at + offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(ArchiveInstall, BrokenArchivesAreRefused)
{
    CTempDir scratch;
    const fs::path good = scratch / "good.zip";
    ASSERT_TRUE(WriteTestZip(good, {{"Categories.xml", std::string(5000, 'c')}, {"help.xml", "<help/>"}}));
    const std::string bytes = ReadFileBytes(good);
    // Headers announcing 10 bytes for a file that unpacks to 5000.
    std::string lying = bytes;
    PatchZipField(lying, std::string_view("PK\x01\x02", 4), 24, 10);
    PatchZipField(lying, std::string_view("PK\x03\x04", 4), 22, 10);

    // Headers announcing 3 GiB, past the default bound.
    std::string bomb = bytes;
    PatchZipField(bomb, std::string_view("PK\x01\x02", 4), 24, 0xC0000000u);
    PatchZipField(bomb, std::string_view("PK\x03\x04", 4), 22, 0xC0000000u);

    const std::pair<const char*, std::string> cases[] = {
        {"announced past the default bound", bomb},
        {"not a zip", "hello, this is not an archive\n"},
        {"empty file", ""},
        {"truncated", bytes.substr(0, bytes.size() / 2)},
        {"header only", bytes.substr(0, 30)},
        {"sizes that lie", lying},
    };
    for (const auto& [what, content] : cases)
    {
        SCOPED_TRACE(what);
        CDataFolder folder;
        if (std::string_view(what) != "announced past the default bound")
            folder.context.maxUnpackedBytes = 1000;
        const fs::path archive = folder.root.WriteFile("data/Temp/Moxa_2026-11-30.zip", content);
        Tree before = Snapshot(folder.data);
        before.erase("Temp/Moxa_2026-11-30.zip");
        EXPECT_EQ(InstallUpdateArchive(archive, folder.context), EInstallResult::Refused);
        EXPECT_EQ(Snapshot(folder.data), before);
        EXPECT_EQ(folder.prompter.warnings, std::vector<std::string>{ArchiveCorrupt});
        EXPECT_EQ(folder.reloads, 0);
    }
}

TEST(ArchiveInstall, FailureAfterUnpackingKeepsTheOldConfig)
{
    CDataFolder folder;
    // A cache file that cannot be deleted stops the installation after unpacking.
    fs::remove(folder.data / "Cache" / "config.dat");
    folder.root.WriteFile("data/Cache/config.dat/stuck", "x");
    const fs::path archive = folder.data / "Temp" / "Moxa_2026-11-30.zip";
    ASSERT_TRUE(WriteTestZip(archive, {{"Categories.xml", "new"}}));
    Tree before = Snapshot(folder.data);
    before.erase("Temp/Moxa_2026-11-30.zip");
    EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::Refused);
    EXPECT_EQ(Snapshot(folder.data), before);
    EXPECT_EQ(folder.prompter.warnings, std::vector<std::string>{ArchiveCorrupt});
    EXPECT_EQ(folder.reloads, 0);
}

// Two processes finding the same archive at once: one installs it whole, the other waits
// and then finds nothing; neither calls it corrupt.
TEST(ArchiveInstall, TwoProcessesInstallOneArchiveOnce)
{
    std::vector<CZipEntry> entries;
    Tree expected;
    for (int i = 0; i < 200; ++i)
    {
        const std::string name = "Crafts/set" + std::to_string(i) + ".xml";
        entries.push_back({name, "<formulaset>" + std::to_string(i) + "</formulaset>\n"});
        expected[name] = entries.back().bytes;
    }
    expected["Crafts"] = "/";
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE(round);
        CDataFolder folder;
        ASSERT_TRUE(WriteTestZip(folder.data / "Temp" / "Moxa_2026-11-30.zip", entries));
        pid_t children[2];
        for (pid_t& child : children)
            if ((child = ::fork()) == 0)
            {
                const EPendingUpdate result = FindPendingUpdate(folder.context);
                ::_exit(static_cast<int>(result) + (folder.prompter.warnings.empty() ? 0 : 10));
            }
        std::multiset<int> results;
        for (const pid_t child : children)
        {
            int status = 0;
            ::waitpid(child, &status, 0);
            results.insert(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        EXPECT_EQ(results, (std::multiset<int>{static_cast<int>(EPendingUpdate::None),
                                               static_cast<int>(EPendingUpdate::Installed)}));
        EXPECT_EQ(Snapshot(folder.data / "Config"), expected);
        EXPECT_EQ(Snapshot(folder.data / "Temp"), Tree{});
    }
}

TEST(ArchiveInstall, InterruptedInstallationIsRecovered)
{
    {
        // Stopped after the old tree went aside and before the new one arrived.
        CDataFolder folder;
        fs::rename(folder.data / "Config", folder.data / "Config.previous");
        folder.root.WriteFile("data/Config.incoming/half.xml", "x");
        const Tree old = Snapshot(folder.data / "Config.previous");
        EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::None);
        EXPECT_EQ(Snapshot(folder.data / "Config"), old);
        EXPECT_FALSE(fs::exists(folder.data / "Config.previous"));
        EXPECT_FALSE(fs::exists(folder.data / "Config.incoming"));
    }
    {
        // Stopped after the new tree was in place: what was left aside goes.
        CDataFolder folder;
        folder.root.WriteFile("data/Config.previous/Categories.xml", "older");
        const Tree current = Snapshot(folder.data / "Config");
        EXPECT_EQ(FindPendingUpdate(folder.context), EPendingUpdate::None);
        EXPECT_EQ(Snapshot(folder.data / "Config"), current);
        EXPECT_FALSE(fs::exists(folder.data / "Config.previous"));
    }
}
} // namespace
