// Transfers and whole updates against a real HTTP server on 127.0.0.1.
#include "HttpFixture.h"
#include "UpdateTestData.h"
#include "ZipBuilder.h"
#include "base/Settings.h"
#include "platform/QtTransfer.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "update/UpdateSession.h"

#include <QCoreApplication>
#include <algorithm>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace UpdateTestData;
using EBehaviour = CHttpFixture::EBehaviour;

namespace
{
std::vector<std::string> FilesBelow(const fs::path& root)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            names.push_back(entry.path().lexically_relative(root).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Body(std::size_t size)
{
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = static_cast<char>('a' + i % 26);
    return body;
}

struct CTransferRun
{
    std::optional<CTransferResult> result;
    std::vector<std::pair<std::int64_t, std::int64_t>> progress;
    int finishedCalls = 0;
};

void RunTransfer(CQtTransfer& transfer, const CTransferRequest& request, CTransferRun& run)
{
    CTransferCallbacks callbacks;
    callbacks.progress = [&run](std::int64_t received, std::int64_t expected)
    { run.progress.emplace_back(received, expected); };
    callbacks.finished = [&run](const CTransferResult& result)
    {
        run.result = result;
        ++run.finishedCalls;
    };
    transfer.Start(request, std::move(callbacks));
    EXPECT_FALSE(run.result.has_value()); // never from inside Start
    EXPECT_TRUE(RunUntil([&run]() { return run.result.has_value(); }));
}
} // namespace

TEST(QtTransfer, OutcomesAgainstAServer)
{
    const std::string body = Body(70000);
    struct Case
    {
        const char* name;
        CHttpFixture::CRoute route;
        std::int64_t limit;
        ETransferStatus status;
        int httpStatus;
    } cases[] = {
        {"complete", {200, body, EBehaviour::Normal, {}}, 0, ETransferStatus::Completed, 200},
        {"no length", {200, body, EBehaviour::NoLength, {}}, 0, ETransferStatus::Completed, 200},
        {"empty", {200, "", EBehaviour::Normal, {}}, 0, ETransferStatus::Completed, 200},
        {"404",
         {404, "<html>Not Found</html>", EBehaviour::Normal, {}},
         0,
         ETransferStatus::HttpError,
         404},
        {"500",
         {500, "<html>oops</html>", EBehaviour::Normal, {}},
         0,
         ETransferStatus::HttpError,
         500},
        {"short body",
         {200, body, EBehaviour::ShortBody, {}},
         0,
         ETransferStatus::LengthMismatch,
         200},
        {"closed midway",
         {200, body, EBehaviour::CloseMidway, {}},
         0,
         ETransferStatus::LengthMismatch,
         200},
        {"stalled midway",
         {200, body, EBehaviour::StallMidway, {}},
         0,
         ETransferStatus::TimedOut,
         200},
        {"silent", {200, body, EBehaviour::Silent, {}}, 0, ETransferStatus::TimedOut, 0},
        {"announced too large",
         {200, body, EBehaviour::Normal, {}},
         1000,
         ETransferStatus::TooLarge,
         200},
        {"too large", {200, body, EBehaviour::NoLength, {}}, 1000, ETransferStatus::TooLarge, 200},
        {"redirect without target",
         {302, "", EBehaviour::Normal, {}},
         0,
         ETransferStatus::HttpError,
         302},
        {"redirect elsewhere",
         {302, "", EBehaviour::Normal, "ftp://127.0.0.1/x"},
         0,
         ETransferStatus::HttpError,
         302},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CHttpFixture server;
        CTempDir dir;
        dir.WriteFile("Temp/file.xml", "the old file");
        server.Route("/db/file.xml", c.route);
        CQtTransfer transfer;
        CTransferRequest request{server.Base() + "//db//file.xml", dir / "Temp/file.xml", c.limit,
                                 300};
        CTransferRun run;
        RunTransfer(transfer, request, run);
        ASSERT_TRUE(run.result.has_value());
        EXPECT_EQ(run.result->status, c.status) << DescribeTransfer(*run.result);
        EXPECT_EQ(run.result->httpStatus, c.httpStatus);
        EXPECT_FALSE(transfer.IsRunning());
        EXPECT_EQ(FilesBelow(dir.Path()), std::vector<std::string>{"Temp/file.xml"});
        if (c.status == ETransferStatus::Completed)
        {
            EXPECT_EQ(ReadFileBytes(dir / "Temp/file.xml"), c.route.body);
            EXPECT_EQ(run.result->received, static_cast<std::int64_t>(c.route.body.size()));
            ASSERT_FALSE(run.progress.empty());
            const std::int64_t expected =
                c.route.behaviour == EBehaviour::NoLength ? 0 : std::int64_t(c.route.body.size());
            EXPECT_EQ(run.progress.back(),
                      std::make_pair(std::int64_t(c.route.body.size()), expected));
        }
        else
            EXPECT_EQ(ReadFileBytes(dir / "Temp/file.xml"), "the old file");
        RunUntil([]() { return false; }, 5);
        EXPECT_EQ(run.finishedCalls, 1);
        ASSERT_FALSE(server.requests.empty());
        const CHttpFixture::CRequestLog& log = server.requests.front();
        EXPECT_EQ(log.method, "GET");
        EXPECT_EQ(log.path, "/db/file.xml");
        EXPECT_EQ(log.headers.at("accept"), "*/*");
        EXPECT_EQ(log.headers.at("cache-control"), "no-cache");
        EXPECT_EQ(log.headers.at("host"), "127.0.0.1:" + std::to_string(server.Port()));
    }
}

TEST(QtTransfer, FollowsAFewRedirects)
{
    CHttpFixture server;
    CTempDir dir;
    server.Route("/a", {301, "moved", EBehaviour::Normal, "/b"});
    server.Route("/b", {302, "", EBehaviour::Normal, server.Base() + "/c"});
    server.Serve("/c", "final");
    for (int i = 0; i < 6; ++i)
        server.Route("/loop" + std::to_string(i),
                     {302, "", EBehaviour::Normal, "/loop" + std::to_string(i + 1)});
    server.Serve("/loop6", "never");

    CQtTransfer transfer;
    CTransferRun run;
    RunTransfer(transfer, {server.Base() + "/a", dir / "got.xml", 0, 2000}, run);
    ASSERT_TRUE(run.result.has_value());
    EXPECT_EQ(run.result->status, ETransferStatus::Completed);
    EXPECT_EQ(ReadFileBytes(dir / "got.xml"), "final");
    EXPECT_EQ(server.requests.size(), 3u);

    // Five redirects are followed; the sixth is refused.
    server.requests.clear();
    CTransferRun loop;
    RunTransfer(transfer, {server.Base() + "/loop1", dir / "loop.xml", 0, 2000}, loop);
    ASSERT_TRUE(loop.result.has_value());
    EXPECT_EQ(loop.result->status, ETransferStatus::Completed);
    EXPECT_EQ(server.requests.size(), 6u);
    server.requests.clear();
    CTransferRun tooMany;
    RunTransfer(transfer, {server.Base() + "/loop0", dir / "loop0.xml", 0, 2000}, tooMany);
    ASSERT_TRUE(tooMany.result.has_value());
    EXPECT_EQ(tooMany.result->status, ETransferStatus::RedirectRefused);
    EXPECT_EQ(server.requests.size(), 6u);
    EXPECT_EQ(FilesBelow(dir.Path()), (std::vector<std::string>{"got.xml", "loop.xml"}));
}

TEST(QtTransfer, FailuresBeforeAnyRequest)
{
    CTempDir dir;
    dir.WriteFile("blocker", "x");
    // A port nobody listens on: take a free one from a server that is then closed.
    int closedPort = 0;
    {
        CHttpFixture gone;
        closedPort = gone.Port();
    }
    struct Case
    {
        const char* name;
        std::string address;
        fs::path target;
        ETransferStatus status;
    } cases[] = {
        {"refused", "http://127.0.0.1:" + std::to_string(closedPort) + "/x", dir / "x.xml",
         ETransferStatus::ConnectFailed},
        {"no host", "http:///x", dir / "x.xml", ETransferStatus::ConnectFailed},
        {"unwritable", "http://127.0.0.1:" + std::to_string(closedPort) + "/x",
         dir / "blocker/x.xml", ETransferStatus::FileError},
    };
    CQtTransfer transfer;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CTransferRun run;
        RunTransfer(transfer, {c.address, c.target, 0, 2000}, run);
        ASSERT_TRUE(run.result.has_value());
        EXPECT_EQ(run.result->status, c.status);
        EXPECT_EQ(FilesBelow(dir.Path()), std::vector<std::string>{"blocker"});
    }
}

TEST(QtTransfer, AbortLeavesNothing)
{
    CHttpFixture server;
    CTempDir dir;
    server.Route("/big.zip", {200, Body(50000), EBehaviour::StallMidway, {}});
    CQtTransfer transfer;
    CTransferRun run;
    CTransferCallbacks callbacks;
    callbacks.progress = [&run](std::int64_t received, std::int64_t expected)
    { run.progress.emplace_back(received, expected); };
    callbacks.finished = [&run](const CTransferResult& result) { run.result = result; };
    transfer.Start({server.Base() + "/big.zip", dir / "Temp/big.zip", 0, 5000},
                   std::move(callbacks));
    ASSERT_TRUE(
        RunUntil([&run]() { return !run.progress.empty() && run.progress.back().first > 0; }));
    EXPECT_EQ(run.progress.back().second, 50000);
    transfer.Abort();
    EXPECT_FALSE(transfer.IsRunning());
    RunUntil([]() { return false; }, 50);
    EXPECT_FALSE(run.result.has_value());
    EXPECT_EQ(FilesBelow(dir.Path()), std::vector<std::string>());
}

namespace
{
// A whole live update against the server, with the database reload counted.
class HttpUpdateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir.WriteFile("Config.xml", ServersList("Main", server.Base() + "/db"));
        dir.WriteFile("Config/Categories.xml", "old categories");
        server.Serve("/db/Config.xml", ServersList("Main", server.Base() + "/db"));
        server.Serve("/db/Release.xml", Release("2024-3-7", "2.27"));
        server.Serve("/db/Moxa_2024-03-07.zip", DatabaseArchive());
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
            env.install.reloadDatabase = [this]() { ++reloads; };
            env.stallTimeoutMs = 300;
            session = std::make_unique<CUpdateSession>(std::move(env), &view);
            session->Open();
        }
        return *session;
    }

    bool Check()
    {
        if (!Session().CheckForUpdate("Main"))
            return false;
        EXPECT_TRUE(RunUntil([this]() { return !Session().IsBusy(); }));
        return Session().LastFailure().empty() && Session().Release();
    }

    bool Download()
    {
        if (!Session().StartDownload())
            return false;
        EXPECT_TRUE(RunUntil([this]() { return !Session().IsBusy(); }));
        return Session().LastFailure().empty();
    }

    CHttpFixture server;
    CTempDir dir;
    CSettings settings;
    CScriptedPrompter prompter;
    CQtTransfer transfer;
    CRecordingView view;
    int reloads = 0;
    std::unique_ptr<CUpdateSession> session;
};
} // namespace

TEST_F(HttpUpdateTest, InstallsTheNewRevision)
{
    ASSERT_TRUE(Check());
    EXPECT_EQ(view.shown.message, "This is a new database ready for downloading");
    ASSERT_TRUE(Download());
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(settings.DatabaseRevision, "2024-03-07");
    EXPECT_EQ(view.operations.back(), "Configuration complete.");
    EXPECT_EQ(view.progress.back(), "Moxa_2024-03-07.zip (" +
                                        std::to_string(DatabaseArchive().size()) + "/" +
                                        std::to_string(DatabaseArchive().size()) + " bytes)");
    EXPECT_EQ(FilesBelow(dir.Path()),
              (std::vector<std::string>{"Config.xml", "Config/Categories.xml",
                                        "Config/Crafts/Smithing.xml", "Release.xml"}));
    EXPECT_TRUE(prompter.warnings.empty());

    // Checking again finds the revision installed.
    ASSERT_TRUE(Check());
    EXPECT_EQ(view.shown.message, "You have this database already");
    EXPECT_EQ(view.shown.buttonLabel, "Re-download");
}

TEST_F(HttpUpdateTest, EveryStageFailsWithItsMessage)
{
    const std::string info =
        "Unable to access this Site for update information. Please try again when it is available";
    const std::string release =
        "Unable to access this Site for release information. Please try again when it is available";
    const std::string archive = "Unable to download the database archive from this Site. Please "
                                "try again when it is available";
    struct Case
    {
        const char* name;
        const char* path;
        CHttpFixture::CRoute route;
        bool checkOk;
        std::string message;
    } cases[] = {
        {"servers list 404",
         "/db/Config.xml",
         {404, "<html>gone</html>", EBehaviour::Normal, {}},
         false,
         info},
        {"servers list stalls", "/db/Config.xml", {200, "", EBehaviour::Silent, {}}, false, info},
        {"release 500",
         "/db/Release.xml",
         {500, "<html>oops</html>", EBehaviour::Normal, {}},
         false,
         release},
        {"release cut short",
         "/db/Release.xml",
         {200, Release("2024-3-7", "2.27"), EBehaviour::CloseMidway, {}},
         false,
         release},
        {"archive 404",
         "/db/Moxa_2024-03-07.zip",
         {404, "<html>gone</html>", EBehaviour::Normal, {}},
         true,
         archive},
        {"archive short",
         "/db/Moxa_2024-03-07.zip",
         {200, DatabaseArchive(), EBehaviour::ShortBody, {}},
         true,
         archive},
        {"archive stalls",
         "/db/Moxa_2024-03-07.zip",
         {200, DatabaseArchive(), EBehaviour::StallMidway, {}},
         true,
         archive},
    };
    const std::string oldServers = ReadFileBytes(dir / "Config.xml");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        SetUp();
        server.Route(c.path, c.route);
        prompter.warnings.clear();
        const bool checked = Check();
        EXPECT_EQ(checked, c.checkOk);
        if (checked)
        {
            EXPECT_FALSE(Download());
        }
        EXPECT_EQ(prompter.warnings, std::vector<std::string>{c.message});
        EXPECT_EQ(ReadFileBytes(dir / "Config/Categories.xml"), "old categories");
        EXPECT_EQ(ReadFileBytes(dir / "Config.xml"), oldServers);
        EXPECT_EQ(reloads, 0);
        EXPECT_EQ(settings.DatabaseRevision, "Initial");
        std::vector<std::string> files = FilesBelow(dir.Path());
        files.erase(std::remove(files.begin(), files.end(), "Release.xml"), files.end());
        EXPECT_EQ(files, (std::vector<std::string>{"Config.xml", "Config/Categories.xml"}));
        EXPECT_FALSE(fs::exists(dir / "Config.bak"));
        EXPECT_FALSE(fs::exists(dir / "Release.bak"));
    }
}

TEST_F(HttpUpdateTest, HostileArchivesAreRefused)
{
    struct Case
    {
        const char* name;
        std::string archive;
    } cases[] = {
        {"corrupt", "PK\x03\x04garbage that is not a zip at all"},
        {"climbs out", BuildZip({{"Categories.xml", "x"}, {"../../escape.xml", "x"}})},
        {"link", BuildZipWithSymlink("Crafts/link.xml", "/etc/passwd")},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        server.Serve("/db/Moxa_2024-03-07.zip", c.archive);
        prompter.warnings.clear();
        view.operations.clear();
        ASSERT_TRUE(Check());
        EXPECT_FALSE(Download());
        EXPECT_EQ(view.operations.back(), "Update failed, database archive is corrupt");
        EXPECT_EQ(prompter.warnings,
                  std::vector<std::string>{
                      "Update failed, database archive is corrupt.\nRemoving update file"});
        EXPECT_EQ(ReadFileBytes(dir / "Config/Categories.xml"), "old categories");
        EXPECT_EQ(FilesBelow(dir.Path()),
                  (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
        EXPECT_FALSE(fs::exists(dir.Path().parent_path() / "escape.xml"));
    }
}

TEST_F(HttpUpdateTest, TooNewMinimumClientRefusesTheDownload)
{
    server.Serve("/db/Release.xml", Release("2024-3-7", "2.28"));
    ASSERT_TRUE(Check());
    EXPECT_EQ(view.shown.message, "Your client '2.27' cannot support this update!");
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_FALSE(Download());
    EXPECT_EQ(server.requests.size(), 2u);
}

TEST_F(HttpUpdateTest, AbortDuringTheArchive)
{
    server.Route("/db/Moxa_2024-03-07.zip", {200, DatabaseArchive(), EBehaviour::StallMidway, {}});
    ASSERT_TRUE(Check());
    ASSERT_TRUE(Session().StartDownload());
    ASSERT_TRUE(RunUntil(
        [this]()
        {
            return view.progress.back().find("(0/") == std::string::npos &&
                   view.progress.back().find("/") != std::string::npos;
        }));
    Session().Abort();
    EXPECT_FALSE(Session().IsBusy());
    RunUntil([]() { return false; }, 50);
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(FilesBelow(dir.Path()),
              (std::vector<std::string>{"Config.xml", "Config/Categories.xml", "Release.xml"}));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
