// moxa-cli update: the live update's stages without a window.
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "cli/Commands.h"
#include "database/Links.h"
#include "platform/QtImageDecoder.h"
#include "platform/QtTransfer.h"
#include "session/Session.h"
#include "update/UpdateSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <cstdlib>

namespace
{
// Prints what the dialog would show; quits the loop when a stage sequence is over.
class CPrintingView : public IUpdateView
{
public:
    explicit CPrintingView(QEventLoop& loop) : m_loop(loop) {}

    void StatusChanged(const std::string& text) override
    {
        FlushProgress();
        std::printf("%s\n", text.c_str());
    }
    // Only the last count of a transfer is printed, when whatever follows it is.
    void ProgressChanged(std::int64_t, std::int64_t, const std::string& text) override
    {
        m_progress = text;
    }
    void OperationAdded(const std::string& line) override
    {
        FlushProgress();
        std::printf("%s\n", line.c_str());
    }
    void BusyChanged(bool busy) override
    {
        if (!busy)
            FlushProgress();
    }
    void ReleaseShown(const CRelease& release, const CReleaseAssessment& assessment) override
    {
        FlushProgress();
        std::printf("Revision: %s\n", RevisionText(release.date).c_str());
        std::printf("Title: %s\n", release.title.c_str());
        std::printf("Minimum client version: %s\n", release.minClientVersion.c_str());
        for (const CReleaseNote& note : release.notes)
            std::printf("Note: %s (%s)\n", note.change.c_str(), note.author.c_str());
        std::printf("%s\n", assessment.message.c_str());
    }
    void StageFinished(EUpdateStage stage, bool ok) override
    {
        if (ok && stage == EUpdateStage::ServersList)
            return; // the release information follows
        m_ok = ok;
        m_done = true;
        m_loop.quit();
    }

    // Runs the loop until the stages that were started are over.
    bool Wait()
    {
        if (!m_done)
            m_loop.exec();
        std::fflush(stdout);
        const bool ok = m_ok;
        m_done = false;
        m_ok = false;
        return ok;
    }

private:
    void FlushProgress()
    {
        if (!m_progress.empty())
            std::printf("%s\n", m_progress.c_str());
        m_progress.clear();
    }

    QEventLoop& m_loop;
    std::string m_progress;
    bool m_done = false;
    bool m_ok = false;
};

// A command line has no desktop to open pages in; it names the page instead.
class CPrintingLinkOpener : public ILinkOpener
{
public:
    bool OpenUrl(const std::string& text) override
    {
        std::printf("Moxa Client Upgrade page: %s\n", text.c_str());
        return true;
    }
};

int StallTimeout()
{
    const char* text = std::getenv("MOXA_UPDATE_TIMEOUT_MS");
    const int value = text ? Atoi(text) : 0;
    return value > 0 ? value : 30000;
}

void ReportTransfer(const CUpdateSession& update)
{
    const CTransferResult& result = update.LastTransfer();
    if (!result.Ok() && result.status != ETransferStatus::Aborted)
        std::fprintf(stderr, "moxa-cli: transfer failed: %s\n", DescribeTransfer(result).c_str());
}

int CmdUpdate(CCliContext& context, const CParsedArgs& parsed)
{
    std::string server = parsed.Value("--server");
    const bool checkOnly = parsed.Has("--check-only");

    static int argc = 1;
    static char name[] = "moxa-cli";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    // The same start as the program: settings, a waiting archive, the database.
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    session.Start();
    const std::string storedRevision =
        context.store
            ? context.store->Read(SettingsKeys::Config, "DatabaseRevision").value_or(std::string())
            : "";

    QEventLoop loop;
    CPrintingView view(loop);
    CQtTransfer transfer;
    CPrintingLinkOpener opener;
    CUpdateEnvironment env;
    env.dataFolder = context.dataFolder;
    env.settings = &session.Settings();
    env.prompter = context.prompter.get();
    env.transfer = &transfer;
    env.orderHasItems = [&session]() { return session.Order().ItemCount() > 0; };
    env.install = session.InstallContext();
    env.openLink = [&session, &opener, &context](std::string_view key)
    { OpenLink(session.Database(), key, opener, *context.prompter); };
    env.stallTimeoutMs = StallTimeout();
    CUpdateSession update(std::move(env), &view);
    update.Open();

    int status = 0;
    if (server.empty())
    {
        const std::vector<std::string> names = update.Servers().Names();
        if (names.empty())
        {
            std::fprintf(stderr, "moxa-cli: no update server in the data folder's servers lists\n");
            return 1;
        }
        server = names.front();
    }
    if (const std::string* address = update.Servers().FindAddress(server))
        std::printf("Server: %s (%s)\n", server.c_str(), address->c_str());
    // A stage refused before any transfer began has said why; there is no transfer to report.
    if (const bool started = update.CheckForUpdate(server); !started || !view.Wait())
    {
        if (started)
            ReportTransfer(update);
        status = 1;
    }
    else if (update.Assessment().verdict == EReleaseVerdict::ClientTooOld)
        status = 1;
    else if (!checkOnly && update.Assessment().verdict == EReleaseVerdict::NewDatabase)
    {
        if (const bool started = update.StartDownload(); !started || !view.Wait())
        {
            if (started)
                ReportTransfer(update);
            status = 1;
        }
    }

    if (session.Settings().DatabaseRevision != storedRevision && !session.SaveSettings())
    {
        std::fprintf(stderr, "moxa-cli: the settings could not be saved\n");
        status = 1;
    }
    return status;
}
} // namespace

const CCommandSpec UpdateCommand = {
    .name = "update",
    .summary = "Check an update server for a newer database and install it.",
    .details = "Starts like the program, re-reads the servers lists (Config*.xml), downloads the\n"
               "server's Config.xml and Release.xml, prints the release and the verdict, then\n"
               "downloads and installs Moxa_YYYY-MM-DD.zip unless --check-only or it is installed.\n"
               "A transfer stalls after 30 s without data (MOXA_UPDATE_TIMEOUT_MS sets another limit).",
    .options = {{"--server", "NAME", "the server to check (default: the first by name)"},
                {"--check-only", "", "only check, download nothing"},
                {"--yes", "", "answer questions with yes"}},
    .exitCodes = "  0  updated, or already up to date\n"
                 "  1  a failure (the message is on standard error), or the revision needs a newer client\n"
                 "  2  bad usage",
    .run = CmdUpdate,
};
