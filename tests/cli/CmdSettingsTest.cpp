#include "support/RunCommand.h"
#include "support/TempDir.h"
#include "support/TestZip.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace fs = std::filesystem;

namespace
{
struct CRun : CCommandRun
{
    std::string err;
};

// Runs moxa-cli on a data folder with a settings file of the test's own.
class CliSettingsTest : public ::testing::Test
{
protected:
    CRun Run(const std::string& args)
    {
        const fs::path errFile = m_dir / "stderr.txt";
        const std::string command = "MOXA_SETTINGS='" + SettingsFile().string() + "' '" + MOXA_CLI + "' --data-dir '" +
                                    Data().string() + "' " + args + " 2>'" + errFile.string() + "'";
        CRun run;
        static_cast<CCommandRun&>(run) = RunShellCommand(command);
        run.err = ReadFileBytes(errFile);
        fs::remove(errFile);
        return run;
    }

    fs::path Data() const { return m_dir / "data"; }
    fs::path SettingsFile() const { return m_dir / "settings.ini"; }

    void SetUp() override
    {
        m_dir.WriteFile("data/Config/Categories.xml", "<categories>\n</categories>\n");
        fs::create_directories(Data() / "Temp");
    }

    CTempDir m_dir;
};

const char* const DefaultListing = "GameBasePath=<Please Set Manually>\n"
                                   "CurrentProfile=\n"
                                   "CurrentProfileType=\n"
                                   "LastFormulaCategory=\n"
                                   "LastTechCategory=\n"
                                   "DatabaseRevision=Initial\n"
                                   "CurrentTheme=desktop_native.xml\n"
                                   "ItemResourceSize=0\n"
                                   "ShowResourceMode=0\n"
                                   "ShowReportMode=0\n"
                                   "ExpandFormulaMode=1\n"
                                   "ExpandTechMode=1\n"
                                   "IconSize=16\n"
                                   "ReportType=0\n"
                                   "ShowReportResourceMode=0\n"
                                   "ShowReportBonusMode=0\n"
                                   "StickyStrength=16\n"
                                   "ShowUsableTechs=Y\n"
                                   "EnableCache=Y\n"
                                   "EnableIcons=Y\n"
                                   "DockingMode=Y\n"
                                   "GlobalHotkeys=Y\n"
                                   "DragWithToolbar=N\n"
                                   "VerticalToolbar=Y\n"
                                   "AutoShrink=Y\n"
                                   "HighPriority=N\n";

TEST_F(CliSettingsTest, Version)
{
    const CRun run = Run("version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Moxa v2.27\n");
}

TEST_F(CliSettingsTest, ListsEverySettingWithItsDefault)
{
    const CRun run = Run("settings");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, DefaultListing);
    EXPECT_FALSE(fs::exists(SettingsFile()));
}

TEST_F(CliSettingsTest, StoresOneValueInItsEncoding)
{
    struct Case
    {
        const char* name;
        const char* value;
        const char* readBack;
        const char* fileLine;
    };
    const Case cases[] = {
        {"IconSize", "24", "24", "IconSize=24"},
        {"stickystrength", "-12", "-12", "StickyStrength=-12"},
        {"EnableCache", "y", "Y", "EnableCache=Y"},
        {"DockingMode", "yes", "N", "DockingMode=N"},
        {"HighPriority", "Y", "Y", "HighPriority=Y"},
        {"CurrentTheme", "dark.xml", "dark.xml", "CurrentTheme=dark.xml"},
        {"DatabaseRevision", "2026-11-30", "2026-11-30", "DatabaseRevision=2026-11-30"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const CRun set = Run("settings " + std::string(c.name) + " " + c.value);
        EXPECT_EQ(set.status, 0) << set.err;
        EXPECT_EQ(set.out, "");
        const CRun get = Run("settings " + std::string(c.name));
        EXPECT_EQ(get.status, 0);
        EXPECT_EQ(get.out, std::string(c.readBack) + "\n");
        EXPECT_NE(ReadFileBytes(SettingsFile()).find(std::string(c.fileLine) + "\n"), std::string::npos)
            << ReadFileBytes(SettingsFile());
    }
    // Only the values that were set are in the file; the rest keep their defaults.
    const CRun all = Run("settings");
    EXPECT_NE(all.out.find("IconSize=24\nReportType=0\n"), std::string::npos) << all.out;
    EXPECT_EQ(ReadFileBytes(SettingsFile()).find("ReportType"), std::string::npos);
}

TEST_F(CliSettingsTest, RefusesUnknownSettingsAndValuesThatAreNoNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"settings NoSuchSetting", "moxa-cli: unknown setting 'NoSuchSetting'\n"},
        {"settings NoSuchSetting 1", "moxa-cli: unknown setting 'NoSuchSetting'\n"},
        {"settings IconSize big", "moxa-cli: settings: IconSize is a number, not 'big'\n"},
        {"settings iconsize 12px", "moxa-cli: settings: IconSize is a number, not '12px'\n"},
        {"settings StickyStrength 99999999999", "moxa-cli: settings: StickyStrength is a number, not '99999999999'\n"},
        {"settings StickyStrength ''", "moxa-cli: settings: StickyStrength is a number, not ''\n"},
    };
    for (const auto& [args, error] : cases)
    {
        SCOPED_TRACE(args);
        const CRun run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, error);
    }
    EXPECT_FALSE(fs::exists(SettingsFile()));
}

TEST_F(CliSettingsTest, InstallUpdate)
{
    // Nothing waiting.
    CRun run = Run("install-update");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");

    // A hostile archive: refused, nothing else changes.
    const fs::path archive = Data() / "Temp" / "Moxa_2026-11-30.zip";
    ASSERT_TRUE(WriteTestZip(archive, {{"Categories.xml", "new"}, {"../../evil.xml", "x"}}));
    run = Run("install-update");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Update failed, database archive is corrupt.\nRemoving update file\n");
    EXPECT_FALSE(fs::exists(archive));
    EXPECT_FALSE(fs::exists(m_dir / "evil.xml"));
    EXPECT_FALSE(fs::exists(Data() / "evil.xml"));
    EXPECT_EQ(ReadFileBytes(Data() / "Config" / "Categories.xml"), "<categories>\n</categories>\n");

    // Two waiting: neither is touched.
    ASSERT_TRUE(WriteTestZip(Data() / "Temp" / "Moxa_2026-11-30.zip", {{"Categories.xml", "a"}}));
    ASSERT_TRUE(WriteTestZip(Data() / "Temp" / "Moxa_2026-12-01.zip", {{"Categories.xml", "b"}}));
    run = Run("install-update");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "More then one database update file (*.zip) exists in '" + (Data() / "Temp").string() +
                           "'.\nPlease remove all but one and restart the client for the update to take effect!\n");
    EXPECT_TRUE(fs::exists(Data() / "Temp" / "Moxa_2026-12-01.zip"));
    fs::remove(Data() / "Temp" / "Moxa_2026-12-01.zip");

    // The good one.
    run = Run("install-update");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "Moving 'Categories.xml'...\n");
    EXPECT_EQ(ReadFileBytes(Data() / "Config" / "Categories.xml"), "a");
    EXPECT_FALSE(fs::exists(Data() / "Temp" / "Moxa_2026-11-30.zip"));
    EXPECT_FALSE(fs::exists(Data() / "Temp" / "Archive"));
    EXPECT_NE(ReadFileBytes(SettingsFile()).find("DatabaseRevision=2026-11-30\n"), std::string::npos);
    EXPECT_EQ(Run("settings DatabaseRevision").out, "2026-11-30\n");
}
} // namespace
