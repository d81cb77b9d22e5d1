// moxa-cli update against a local HTTP server.
#include "HttpFixture.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "UpdateTestData.h"
#include "ZipBuilder.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace UpdateTestData;

namespace
{
struct CCliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

class CliUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.WriteFile("data/Config.xml", ServersList("Main", server.Base() + "/db"));
        dir.WriteFile("data/Config/Categories.xml", "<categories>\n</categories>\n");
        server.Serve("/db/Config.xml", ServersList("Main", server.Base() + "/db"));
        server.Serve("/db/Release.xml", Release("2024-3-7", "2.27", "Spring"));
        server.Serve("/db/Moxa_2024-03-07.zip", DatabaseArchive());
    }

    CCliRun Run(const QStringList& args)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MOXA_SETTINGS"),
                   QString::fromStdString((dir / "settings.ini").string()));
        env.insert(QStringLiteral("MOXA_UPDATE_TIMEOUT_MS"), QStringLiteral("300"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        QStringList all{QStringLiteral("--data-dir"),
                        QString::fromStdString((dir / "data").string())};
        all << QStringLiteral("update") << args;
        process.start(QStringLiteral(MOXA_CLI), all);
        EXPECT_TRUE(
            RunUntil([&process]() { return process.state() == QProcess::NotRunning; }, 20000));
        CCliRun run;
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput().toStdString();
        run.err = process.readAllStandardError().toStdString();
        return run;
    }

    int ArchiveRequests() const
    {
        int count = 0;
        for (const auto& request : server.requests)
            count += request.path == "/db/Moxa_2024-03-07.zip";
        return count;
    }

    CHttpFixture server;
    CTempDir dir;
};
} // namespace

TEST_F(CliUpdateTest, InstallsThenFindsItInstalled)
{
    const CCliRun run = Run({});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string size = std::to_string(DatabaseArchive().size());
    EXPECT_EQ(run.out,
              "Server: Main (" + server.Base() +
                  "/db)\n"
                  "Downloading Config.xml...\n"
                  "Config.xml (" +
                  std::to_string(ServersList("Main", server.Base() + "/db").size()) + "/" +
                  std::to_string(ServersList("Main", server.Base() + "/db").size()) +
                  " bytes)\n"
                  "Downloading Release.xml...\n"
                  "Release.xml (" +
                  std::to_string(Release("2024-3-7", "2.27", "Spring").size()) + "/" +
                  std::to_string(Release("2024-3-7", "2.27", "Spring").size()) +
                  " bytes)\n"
                  "Revision: 2024-03-07\n"
                  "Title: Spring\n"
                  "Minimum client version: 2.27\n"
                  "Note: More crafts (Quill)\n"
                  "This is a new database ready for downloading\n"
                  "Downloading Moxa_2024-03-07.zip...\n"
                  "Moxa_2024-03-07.zip (" +
                  size + "/" + size +
                  " bytes)\n"
                  "Extracting database archive...\n"
                  "Extraction complete, starting installation...\n"
                  "Moving 'Categories.xml'...\n"
                  "Moving 'Crafts/Smithing.xml'...\n"
                  "Warning - Unexpected File 'readme.txt' found. This file will be deleted.\n"
                  "Installation complete, restarting database...\n"
                  "Configuration complete.\n");
    EXPECT_TRUE(fs::exists(dir / "data/Config/Crafts/Smithing.xml"));
    EXPECT_FALSE(fs::exists(dir / "data/Config/readme.txt"));
    EXPECT_FALSE(fs::exists(dir / "data/Temp/Moxa_2024-03-07.zip"));
    EXPECT_FALSE(fs::exists(dir / "data/Temp/Archive"));
    // The reload rebuilt the cache from the new files; the revision was saved.
    EXPECT_TRUE(fs::exists(dir / "data/Cache/config.dat"));
    EXPECT_NE(ReadFileBytes(dir / "settings.ini").find("DatabaseRevision=2024-03-07"),
              std::string::npos);

    const CCliRun again = Run({});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("You have this database already\n"), std::string::npos);
    EXPECT_EQ(ArchiveRequests(), 1);
}

TEST_F(CliUpdateTest, CheckOnlyDownloadsNoArchive)
{
    const CCliRun run = Run({QStringLiteral("--check-only")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("This is a new database ready for downloading\n"), std::string::npos);
    EXPECT_EQ(ArchiveRequests(), 0);
    EXPECT_EQ(ReadFileBytes(dir / "data/Release.xml"), Release("2024-3-7", "2.27", "Spring"));
}

TEST_F(CliUpdateTest, FailuresExitNonZeroWithTheirMessage)
{
    struct Case
    {
        const char* name;
        QStringList args;
        const char* path;
        CHttpFixture::CRoute route;
        std::string message;
    } cases[] = {
        {"unknown server",
         {QStringLiteral("--server"), QStringLiteral("Elsewhere")},
         nullptr,
         {},
         "Unable to access this Site for update information. Please try again when it is "
         "available\n"},
        {"release 404",
         {},
         "/db/Release.xml",
         {404, "<html>gone</html>", CHttpFixture::EBehaviour::Normal, {}},
         "Unable to access this Site for release information. Please try again when it is "
         "available\n"},
        {"archive stalls",
         {},
         "/db/Moxa_2024-03-07.zip",
         {200, DatabaseArchive(), CHttpFixture::EBehaviour::StallMidway, {}},
         "Unable to download the database archive from this Site. Please try again when it is "
         "available\n"},
        {"corrupt archive",
         {},
         "/db/Moxa_2024-03-07.zip",
         {200, "PK\x03\x04 not a zip", CHttpFixture::EBehaviour::Normal, {}},
         "Update failed, database archive is corrupt.\nRemoving update file\n"},
        {"client too old",
         {},
         "/db/Release.xml",
         {200, Release("2024-3-7", "9.0"), CHttpFixture::EBehaviour::Normal, {}},
         "This version of Moxa cannot support the latest database revision. Do you want to launch "
         "the Moxa Client "
         "Upgrade page? [no]\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        if (c.path)
            server.Route(c.path, c.route);
        const CCliRun run = Run(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        // No transfer started for an unknown server: nothing else is said but that the
        // folder has no database yet.
        if (!c.path)
        {
            const std::string crafts = (dir / "data/Config/Crafts").string();
            EXPECT_EQ(run.err, Format(Messages::NoFormulaFiles, crafts.c_str()) + "\n" + c.message);
        }
        EXPECT_EQ(ReadFileBytes(dir / "data/Config/Categories.xml"),
                  "<categories>\n</categories>\n");
        EXPECT_FALSE(fs::exists(dir / "data/Config/Crafts"));
        std::vector<std::string> temp;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(dir / "data/Temp", ec), end; !ec && it != end;
             it.increment(ec))
            temp.push_back(it->path().string());
        EXPECT_EQ(temp, std::vector<std::string>());
        SetUp();
    }
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
