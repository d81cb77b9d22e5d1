#include "base/AtomicFile.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
using CRun = CCommandRun;

// Runs moxa-cli on a data folder with settings of its own; standard error is dropped.
CRun RunCli(const fs::path& dataFolder, const std::string& args)
{
    const std::string command = std::string("'") + MOXA_CLI + "' --data-dir '" +
                                dataFolder.string() + "' " + args + " 2>/dev/null";
    return RunShellCommand(command);
}

// The output without its last line (the time, which differs from run to run).
std::string WithoutTime(const std::string& out)
{
    const std::size_t at = out.rfind("time: ");
    return at == std::string::npos ? out : out.substr(0, at);
}

const std::string Counts = "formula sets: 3\n"
                           "formulae: 4\n"
                           "tiers: 4\n"
                           "resources: 5\n"
                           "technique sets: 2\n"
                           "techniques: 2\n"
                           "technique tiers: 2\n"
                           "components: 3\n"
                           "wizard templates: 1\n"
                           "profiles: 2\n"
                           "help pages: 2\n"
                           "icons: 0\n";

class CliLoadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyTree(TestDataPath("loader/basic"), m_dir / "data");
        ::setenv("MOXA_SETTINGS", (m_dir / "settings.ini").c_str(), 1);
    }
    fs::path Data() const { return m_dir / "data"; }

    CTempDir m_dir;
};
} // namespace

TEST_F(CliLoadTest, FirstLoadIsFromXmlThenFromTheCacheWithTheSameCounts)
{
    const CRun first = RunCli(Data(), "load");
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(WithoutTime(first.out), Counts + "source: xml\n");
    EXPECT_NE(first.out.find("\ntime: "), std::string::npos);

    const CRun second = RunCli(Data(), "load");
    EXPECT_EQ(second.status, 0);
    EXPECT_EQ(WithoutTime(second.out), Counts + "source: cache\n");

    // --rebuild drops the cache first; a damaged cache is rebuilt silently.
    EXPECT_EQ(WithoutTime(RunCli(Data(), "load --rebuild").out), Counts + "source: xml\n");
    WriteFileAtomically(Data() / "Cache/config.dat", "Moxa2 V1.21 - Do not edit!\n9|9|9|9\n");
    EXPECT_EQ(WithoutTime(RunCli(Data(), "load").out), Counts + "source: xml\n");
    EXPECT_EQ(WithoutTime(RunCli(Data(), "load").out), Counts + "source: cache\n");
    // Loading does not write the user's settings.
    EXPECT_FALSE(fs::exists(m_dir / "settings.ini"));
}

TEST_F(CliLoadTest, FormulaPrintsTheRecord)
{
    const CRun run = RunCli(Data(), "formula 'Steel Helm'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(
        run.out,
        "formula: Steel Helm\n"
        "set: Smithing\n"
        "category: Armorer\n"
        "batch quantity: 1\n"
        "icon: 0\n"
        "tier: Steel Helm\n"
        "  level: 2\n"
        "  level name: Tier II\n"
        "  batch quantity: 1\n"
        "  allowed techniques: 1\n"
        "  description: \n"
        "  resource: Iron Bar; skill=Smelting; units=3; min skill=20; qty at min=8; opt skill=50; "
        "qty at opt=4\n");
    EXPECT_EQ(RunCli(Data(), "formula Iron Helm").out.substr(0, 20), "formula: Iron Helm\ns");

    const CRun missing = RunCli(Data(), "formula Nothing");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(RunCli(Data(), "load --bogus").status, 2);
}

// A rebuild that finds no formula file at all (an emptied or moved Config) keeps the cache
// it would have replaced with an empty one, and says why.
TEST_F(CliLoadTest, ARebuildWithoutFormulaFilesKeepsTheCache)
{
    ASSERT_EQ(RunCli(Data(), "load").status, 0);
    const std::string cache = ReadFileBytes(Data() / "Cache/config.dat");
    ASSERT_FALSE(cache.empty());
    fs::rename(Data() / "Config/Crafts", m_dir / "Crafts");
    const CRun rebuilt =
        RunShellCommand(std::string("'") + MOXA_CLI + "' --data-dir '" + Data().string() + "' load --rebuild 2>&1");
    EXPECT_EQ(rebuilt.status, 1);
    EXPECT_EQ(WithoutTime(rebuilt.out),
              Format(Messages::NoFormulaFilesKept, (Data() / "Config/Crafts").c_str()) + "\n" + Counts + "source: kept\n");
    EXPECT_EQ(ReadFileBytes(Data() / "Cache/config.dat"), cache);
    fs::rename(m_dir / "Crafts", Data() / "Config/Crafts");
    EXPECT_EQ(WithoutTime(RunCli(Data(), "load").out), Counts + "source: cache\n");
}
