// Full-disk trials: every saver, run in a child under a file-size limit (as a full disk
// would stop it), must report failure and leave the old file as it was.
#include "SaveKinds.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/TestZip.h"
#include "update/ArchiveInstall.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
// Saves the large version in a child limited to `limit` bytes per file; its exit code
// says what the saver reported: 0 success, 1 failure.
int SaveUnderLimit(const CSaveKind& kind, const fs::path& data, rlim_t limit)
{
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit rl{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0)
            ::_exit(3);
        ::_exit(kind.save(data, 2) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class FullDisk : public ::testing::TestWithParam<std::string>
{
};
} // namespace

TEST_P(FullDisk, SaveReportsFailureAndKeepsTheOldFile)
{
    const CSaveKind& kind = SaveKindNamed(GetParam());
    CTempDir reference;
    ASSERT_TRUE(kind.save(reference.Path(), 2)) << "the large version saves without a limit";
    std::size_t largest = 0;
    for (const std::string& target : kind.targets)
        largest = std::max(largest, ReadFileBytes(reference / target).size());

    for (const rlim_t limit : {rlim_t(0), rlim_t(1), rlim_t(512), rlim_t(largest / 2), rlim_t(largest - 1)})
    {
        SCOPED_TRACE("limit " + std::to_string(limit));
        CTempDir dir;
        ASSERT_TRUE(kind.save(dir.Path(), 0));
        std::vector<std::string> old;
        for (const std::string& target : kind.targets)
            old.push_back(ReadFileBytes(dir / target));
        if (limit > 0 && limit < old.front().size())
            continue; // the old file itself would not fit: no disk that small

        EXPECT_EQ(SaveUnderLimit(kind, dir.Path(), limit), 1) << "the save reports failure";
        if (kind.name == "cache")
        {
            // A cache that cannot be written completely is dropped whole: the next start
            // rebuilds from the XML files.
            for (const std::string& target : kind.targets)
                EXPECT_FALSE(fs::exists(dir / target)) << target;
        }
        else
        {
            for (std::size_t t = 0; t < kind.targets.size(); ++t)
                EXPECT_EQ(ReadFileBytes(dir / kind.targets[t]), old[t]) << kind.targets[t];
        }
        EXPECT_EQ(LeftoverFiles(kind, dir.Path()), std::vector<std::string>{});
    }
    // Under a generous limit the same save succeeds, byte for byte.
    CTempDir roomy;
    ASSERT_TRUE(kind.save(roomy.Path(), 0));
    EXPECT_EQ(SaveUnderLimit(kind, roomy.Path(), rlim_t(largest) * 4), 0);
    for (const std::string& target : kind.targets)
        EXPECT_EQ(ReadFileBytes(roomy / target), ReadFileBytes(reference / target)) << target;
}

// An update archive whose files do not fit: the disk is reported full, the archive stays for
// the next try and the database stays as it was. With no room even for the installation's
// lock file, the warning names the reason, not another Moxa.
TEST(FullDisk, InstallationKeepsTheArchiveAndTheDatabase)
{
    const struct
    {
        rlim_t limit;
        EInstallResult result;
        std::string warning;
    } cases[] = {
        {100, EInstallResult::DiskFull, std::string(Messages::ArchiveDiskFull)},
        {0, EInstallResult::Busy,
         std::string(Messages::InstallCannotLock1) + "File too large" + std::string(Messages::InstallCannotLock2)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("limit " + std::to_string(c.limit));
        CTempDir dir;
        const fs::path data = dir / "data";
        dir.WriteFile("data/Config/Categories.xml", "<categories>\n</categories>\n");
        ASSERT_TRUE(WriteGlassArchive(data, "Moxa_2026-12-01.zip"));
        const fs::path archive = data / "Temp/Moxa_2026-12-01.zip";
        const std::string bytes = ReadFileBytes(archive);
        const pid_t pid = ::fork();
        if (pid == 0)
        {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit rl{c.limit, c.limit};
            ::setrlimit(RLIMIT_FSIZE, &rl);
            CScriptedPrompter prompter;
            CSettings settings;
            CInstallContext context;
            context.dataFolder = data;
            context.settings = &settings;
            context.prompter = &prompter;
            const bool reported = InstallUpdateArchive(archive, context) == c.result &&
                                  prompter.warnings == std::vector<std::string>{c.warning};
            ::_exit(reported ? 0 : 1);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the full disk is reported as such";
        EXPECT_EQ(ReadFileBytes(archive), bytes);
        EXPECT_EQ(ReadFileBytes(data / "Config/Categories.xml"), "<categories>\n</categories>\n");
        EXPECT_FALSE(fs::exists(data / "Config/Crafts"));
        EXPECT_FALSE(fs::exists(data / "Temp/Archive"));
    }
}

INSTANTIATE_TEST_SUITE_P(EverySaver, FullDisk,
                         ::testing::Values("order", "profile", "settings", "cache", "download", "html"),
                         [](const auto& info) { return info.param; });
