#include "update/UpdateSession.h"

#include "UpdateTestData.h"
#include "ZipBuilder.h"
#include "base/Settings.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "update/DownloadFile.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace UpdateTestData;

namespace
{
// A transfer the test completes by hand, writing the target the way a real one does.
class CFakeTransfer : public ITransfer
{
public:
    void Start(const CTransferRequest& request, CTransferCallbacks callbacks) override
    {
        requests.push_back(request);
        m_callbacks = std::move(callbacks);
        m_running = true;
    }
    void Abort() override
    {
        m_running = false;
        m_callbacks = {};
        ++aborts;
    }
    bool IsRunning() const override { return m_running; }

    void Serve(const std::string& body)
    {
        ASSERT_TRUE(m_running);
        CDownloadFile file;
        ASSERT_TRUE(file.Open(requests.back().target, requests.back().sizeLimit));
        file.SetExpected(static_cast<std::int64_t>(body.size()));
        file.Append(body);
        if (m_callbacks.progress)
            m_callbacks.progress(file.Received(), file.Expected());
        ASSERT_TRUE(file.Commit());
        Finish({ETransferStatus::Completed, 200, file.Received(), {}});
    }
    void Refuse(ETransferStatus status, int httpStatus = 0) { Finish({status, httpStatus, 0, {}}); }

    std::vector<CTransferRequest> requests;
    int aborts = 0;

private:
    void Finish(const CTransferResult& result)
    {
        m_running = false;
        CTransferCallbacks callbacks = std::move(m_callbacks);
        m_callbacks = {};
        callbacks.finished(result);
    }

    CTransferCallbacks m_callbacks;
    bool m_running = false;
};

const std::string OldServers = ServersList("Main", "http://updates.example/db");

class UpdateSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.WriteFile("Config.xml", OldServers);
        dir.WriteFile("Release.xml", Release("2023-1-1", "2.0"));
        dir.WriteFile("Config/Categories.xml", "old categories");
    }

    CUpdateSession& Session()
    {
        if (!session)
        {
            CUpdateEnvironment env;
            env.dataFolder = dir.Path();
            env.settings = &settings;
            env.prompter = &prompter;
            env.transfer = &transfer;
            env.orderHasItems = [this]() { return orderItems; };
            env.install.reloadDatabase = [this]()
            {
                ++reloads;
                reloadSawNewConfig =
                    ReadFileBytes(dir / "Config/Categories.xml") == "<categories>\n</categories>\n";
            };
            env.openLink = [this](std::string_view key) { links.emplace_back(key); };
            env.freeSpace = [this](const fs::path&) { return freeSpace; };
            session = std::make_unique<CUpdateSession>(std::move(env), &view);
            session->Open();
        }
        return *session;
    }

    // Runs the check up to the release shown.
    void CheckWith(const std::string& release)
    {
        ASSERT_TRUE(Session().CheckForUpdate("Main"));
        transfer.Serve(ServersList("Main", "http://updates.example/db"));
        transfer.Serve(release);
    }

    std::vector<std::string> DataFiles() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir.Path()))
            if (entry.is_regular_file())
                names.push_back(entry.path().lexically_relative(dir.Path()).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }

    CTempDir dir;
    CSettings settings;
    CScriptedPrompter prompter;
    CFakeTransfer transfer;
    CRecordingView view;
    bool orderItems = false;
    int reloads = 0;
    bool reloadSawNewConfig = false;
    std::vector<std::string> links;
    std::optional<std::uintmax_t> freeSpace = std::uintmax_t(1) << 30;
    std::unique_ptr<CUpdateSession> session;
};
} // namespace

TEST_F(UpdateSessionTest, CheckReplacesBothFilesAndShowsTheRelease)
{
    Session();
    EXPECT_EQ(view.servers, std::vector<std::string>{"Main"});
    ASSERT_TRUE(Session().CheckForUpdate("Main"));
    EXPECT_TRUE(Session().IsBusy());
    EXPECT_TRUE(view.busy);
    EXPECT_FALSE(Session().CheckForUpdate("Main")); // one transfer at a time
    ASSERT_EQ(transfer.requests.size(), 1u);
    EXPECT_EQ(transfer.requests[0].address, "http://updates.example/db/Config.xml");
    EXPECT_EQ(transfer.requests[0].target, dir / "Temp/Config.xml");
    EXPECT_EQ(transfer.requests[0].stallTimeoutMs, 30000);

    const std::string newServers =
        "<config>\n<servers>\n<server value=\"Zeta\">http://z</server>\n"
        "<server value=\"Main\">http://updates.example/db</server>\n</servers>\n</config>\n";
    transfer.Serve(newServers);
    EXPECT_EQ(ReadFileBytes(dir / "Config.xml"), newServers);
    EXPECT_EQ(view.servers, (std::vector<std::string>{"Main", "Zeta"}));
    ASSERT_EQ(transfer.requests.size(), 2u);
    EXPECT_EQ(transfer.requests[1].address, "http://updates.example/db/Release.xml");
    EXPECT_EQ(transfer.requests[1].target, dir / "Temp/Release.xml");

    const std::string release = Release("24-3-7", "2.27", "Spring");
    transfer.Serve(release);
    EXPECT_FALSE(Session().IsBusy());
    EXPECT_FALSE(view.busy);
    EXPECT_EQ(ReadFileBytes(dir / "Release.xml"), release);
    EXPECT_EQ(view.shownTitle, "Spring");
    EXPECT_EQ(view.shown.message, "This is a new database ready for downloading");
    EXPECT_EQ(view.shown.buttonLabel, "Start Download");
    EXPECT_EQ(view.shown.archiveName, "Moxa_2024-03-07.zip");
    EXPECT_EQ(view.statuses, (std::vector<std::string>{"Downloading Config.xml...",
                                                       "Downloading Release.xml..."}));
    EXPECT_EQ(view.progress.front(), "Config.xml (0 bytes)");
    EXPECT_EQ(view.progress[1], "Config.xml (" + std::to_string(newServers.size()) + "/" +
                                    std::to_string(newServers.size()) + " bytes)");
    EXPECT_EQ(view.finished,
              (std::vector<std::pair<EUpdateStage, bool>>{{EUpdateStage::ServersList, true},
                                                          {EUpdateStage::ReleaseInfo, true}}));
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(DataFiles(),
              (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
}

TEST_F(UpdateSessionTest, FailedServersListKeepsTheOldFile)
{
    struct Case
    {
        const char* name;
        bool transferFails;
        std::string body;
    } cases[] = {
        {"404", true, {}},
        {"error page", false, "<html><body>Not Found</body></html>\n"},
        {"empty servers", false, "<config>\n<servers>\n</servers>\n</config>\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        prompter.warnings.clear();
        ASSERT_TRUE(Session().CheckForUpdate("Main"));
        if (c.transferFails)
            transfer.Refuse(ETransferStatus::HttpError, 404);
        else
            transfer.Serve(c.body);
        EXPECT_EQ(prompter.warnings,
                  std::vector<std::string>{"Unable to access this Site for update information. "
                                           "Please try again when it is available"});
        EXPECT_EQ(Session().LastFailure(), prompter.warnings.front());
        EXPECT_EQ(ReadFileBytes(dir / "Config.xml"), OldServers);
        EXPECT_EQ(transfer.requests.back().address,
                  "http://updates.example/db/Config.xml"); // no release stage
        EXPECT_FALSE(Session().IsBusy());
        EXPECT_EQ(DataFiles(),
                  (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
    }
}

TEST_F(UpdateSessionTest, FailedServersListWithoutAnOldOneLeavesNone)
{
    fs::remove(dir / "Config.xml");
    dir.WriteFile("ConfigLocal.xml", OldServers);
    ASSERT_TRUE(Session().CheckForUpdate("Main"));
    transfer.Serve("garbage");
    EXPECT_FALSE(fs::exists(dir / "Config.xml"));
    EXPECT_FALSE(fs::exists(dir / "Config.bak"));
}

TEST_F(UpdateSessionTest, FailedReleaseInformationKeepsTheOldFile)
{
    const std::string oldRelease = ReadFileBytes(dir / "Release.xml");
    for (const bool transferFails : {true, false})
    {
        SCOPED_TRACE(transferFails);
        prompter.warnings.clear();
        ASSERT_TRUE(Session().CheckForUpdate("Main"));
        transfer.Serve(OldServers);
        if (transferFails)
            transfer.Refuse(ETransferStatus::TimedOut);
        else
            transfer.Serve(Release("someday", "2.0"));
        EXPECT_EQ(prompter.warnings,
                  std::vector<std::string>{"Unable to access this Site for release information. "
                                           "Please try again when it is available"});
        EXPECT_EQ(ReadFileBytes(dir / "Release.xml"), oldRelease);
        EXPECT_EQ(Session().Release(), nullptr);
        EXPECT_FALSE(Session().StartDownload());
        EXPECT_EQ(DataFiles(),
                  (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
    }
}

TEST_F(UpdateSessionTest, OpenPutsBackAStrandedBackup)
{
    fs::rename(dir / "Config.xml", dir / "Config.bak");
    dir.WriteFile("Release.bak", "stale");
    dir.WriteFile("Temp/.moxa-save-abc123", "half a download");
    Session();
    EXPECT_EQ(ReadFileBytes(dir / "Config.xml"), OldServers);
    EXPECT_FALSE(fs::exists(dir / "Config.bak"));
    // Release.xml was there, so its stale backup is not put over it.
    EXPECT_EQ(ReadFileBytes(dir / "Release.xml"), Release("2023-1-1", "2.0"));
    EXPECT_FALSE(fs::exists(dir / "Temp/.moxa-save-abc123"));
    EXPECT_EQ(view.servers, std::vector<std::string>{"Main"});
}

TEST_F(UpdateSessionTest, UnknownServerIsReported)
{
    EXPECT_FALSE(Session().CheckForUpdate("Nowhere"));
    EXPECT_TRUE(transfer.requests.empty());
    EXPECT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(
        prompter.warnings[0],
        "Unable to access this Site for update information. Please try again when it is available");
}

TEST_F(UpdateSessionTest, VerdictsOfTheRelease)
{
    settings.DatabaseRevision = "2024-03-07";
    CheckWith(Release("2024-3-7", "2.27"));
    EXPECT_EQ(view.shown.message, "You have this database already");
    EXPECT_EQ(view.shown.buttonLabel, "Re-download");
    EXPECT_TRUE(prompter.questions.empty());

    prompter.QueueAnswer(true);
    CheckWith(Release("2024-5-1", "2.30"));
    EXPECT_EQ(view.shown.message, "Your client '2.27' cannot support this update!");
    EXPECT_FALSE(view.shown.downloadEnabled);
    EXPECT_EQ(
        prompter.questions,
        std::vector<std::string>{"This version of Moxa cannot support the latest database "
                                 "revision. Do you want to launch the Moxa Client Upgrade page?"});
    EXPECT_EQ(links, std::vector<std::string>{"update"});
    EXPECT_FALSE(Session().StartDownload());
    EXPECT_EQ(transfer.requests.size(), 4u);

    prompter.QueueAnswer(false);
    CheckWith(Release("2024-5-1", "3"));
    EXPECT_EQ(links.size(), 1u);
}

TEST_F(UpdateSessionTest, DownloadAndInstall)
{
    CheckWith(Release("2024-3-7", "2.27"));
    orderItems = true;
    prompter.QueueAnswer(true);
    ASSERT_TRUE(Session().StartDownload());
    EXPECT_EQ(prompter.questions,
              std::vector<std::string>{
                  "In order to perform the update, the current order must be reset. Proceed?"});
    EXPECT_EQ(view.installsStarted, 1);
    ASSERT_EQ(transfer.requests.size(), 3u);
    EXPECT_EQ(transfer.requests[2].address, "http://updates.example/db/Moxa_2024-03-07.zip");
    EXPECT_EQ(transfer.requests[2].target, dir / "Temp/Moxa_2024-03-07.zip");
    EXPECT_EQ(view.statuses.back(), "Downloading Moxa_2024-03-07.zip...");
    transfer.Serve(DatabaseArchive());

    EXPECT_EQ(view.operations,
              (std::vector<std::string>{
                  "Extracting database archive...", "Extraction complete, starting installation...",
                  "Moving 'Categories.xml'...", "Moving 'Crafts/Smithing.xml'...",
                  "Warning - Unexpected File 'readme.txt' found. This file will be deleted.",
                  "Installation complete, restarting database...", "Configuration complete."}));
    EXPECT_EQ(reloads, 1);
    EXPECT_TRUE(reloadSawNewConfig);
    EXPECT_EQ(settings.DatabaseRevision, "2024-03-07");
    EXPECT_EQ(view.shown.buttonLabel, "Re-download");
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(view.finished.back(), std::make_pair(EUpdateStage::Install, true));
    EXPECT_EQ(DataFiles(), (std::vector<std::string>{"Config.xml", "Config/Categories.xml",
                                                     "Config/Crafts/Smithing.xml", "Release.xml"}));
}

TEST_F(UpdateSessionTest, BadArchivesLeaveTheDatabase)
{
    struct Case
    {
        const char* name;
        std::string archive;
    } cases[] = {
        {"not a zip", "PK\x03\x04 this is not really a zip"},
        {"climbs out", BuildZip({{"../Config.xml", "x"}})},
        {"absolute", BuildZip({{"/tmp/evil.xml", "x"}})},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        prompter.warnings.clear();
        view.operations.clear();
        CheckWith(Release("2024-3-7", "2.27"));
        ASSERT_TRUE(Session().StartDownload());
        transfer.Serve(c.archive);
        EXPECT_EQ(view.operations,
                  (std::vector<std::string>{"Extracting database archive...",
                                            "Update failed, database archive is corrupt"}));
        EXPECT_EQ(prompter.warnings,
                  std::vector<std::string>{
                      "Update failed, database archive is corrupt.\nRemoving update file"});
        EXPECT_EQ(reloads, 0);
        EXPECT_EQ(settings.DatabaseRevision, "Initial");
        EXPECT_EQ(view.finished.back(), std::make_pair(EUpdateStage::Install, false));
        EXPECT_EQ(ReadFileBytes(dir / "Config/Categories.xml"), "old categories");
        EXPECT_EQ(DataFiles(),
                  (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
    }
}

TEST_F(UpdateSessionTest, DownloadRefusals)
{
    CheckWith(Release("2024-3-7", "2.27"));

    freeSpace = 12582911;
    EXPECT_FALSE(Session().StartDownload());
    EXPECT_EQ(prompter.warnings,
              std::vector<std::string>{"There is not enough space on the partition (where Moxa is "
                                       "installed) to install the update.\nPlease free up some "
                                       "space (at least 12Mb) and retry"});

    freeSpace = 12582912;
    orderItems = true;
    prompter.QueueAnswer(false);
    EXPECT_FALSE(Session().StartDownload());
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(transfer.requests.size(), 2u);
    EXPECT_EQ(view.installsStarted, 0);

    // Free space that cannot be read does not stop the download.
    freeSpace.reset();
    orderItems = false;
    EXPECT_TRUE(Session().StartDownload());
    EXPECT_FALSE(Session().StartDownload()); // already running
    transfer.Refuse(ETransferStatus::LengthMismatch);
    EXPECT_EQ(prompter.warnings.back(), "Unable to download the database archive from this Site. "
                                        "Please try again when it is available");
    EXPECT_EQ(reloads, 0);
    EXPECT_EQ(DataFiles(),
              (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
}

TEST_F(UpdateSessionTest, AbortEndsTheStageQuietly)
{
    ASSERT_TRUE(Session().CheckForUpdate("Main"));
    Session().Abort();
    EXPECT_EQ(transfer.aborts, 1);
    EXPECT_FALSE(Session().IsBusy());
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(view.finished.back(), std::make_pair(EUpdateStage::ServersList, false));
    EXPECT_EQ(Session().LastTransfer().status, ETransferStatus::Aborted);
    EXPECT_EQ(ReadFileBytes(dir / "Config.xml"), OldServers);

    // A new check can start straight away; aborting when idle does nothing.
    Session().Abort();
    EXPECT_EQ(transfer.aborts, 1);
    CheckWith(Release("2024-3-7", "2.27"));
    ASSERT_TRUE(Session().StartDownload());
    Session().Abort();
    EXPECT_EQ(transfer.aborts, 2);
    EXPECT_EQ(view.finished.back(), std::make_pair(EUpdateStage::Archive, false));
    EXPECT_EQ(DataFiles(),
              (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
}
