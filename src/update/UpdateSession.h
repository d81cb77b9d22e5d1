#pragma once

#include "update/ArchiveInstall.h"
#include "update/ReleaseInfo.h"
#include "update/ServersList.h"
#include "update/Transfer.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IPrompter;
struct CSettings;

enum class EUpdateStage
{
    None,
    ServersList, // "Check For Update": the servers list of the chosen server
    ReleaseInfo, // its release information
    Archive,     // the database archive
    Install      // unpacking and installing it
};

// What the live update shows; the dialog and the command line implement it. Every call
// comes from the session, in the caller's event loop.
class IUpdateView
{
public:
    virtual ~IUpdateView() = default;
    // The server names changed (the combo box is refilled).
    virtual void ServersChanged(const std::vector<std::string>& /*names*/) {}
    // The latest release of the server: notes, title, versions and the verdict.
    virtual void ReleaseShown(const CRelease& /*release*/, const CReleaseAssessment& /*assessment*/)
    {
    }
    // The verdict changed without a new release (after an installation).
    virtual void AssessmentChanged(const CReleaseAssessment& /*assessment*/) {}
    // The status line ("Downloading Config.xml...").
    virtual void StatusChanged(const std::string& /*text*/) {}
    // The progress bar: bytes so far, the announced total (0: unknown) and its text.
    virtual void ProgressChanged(std::int64_t /*received*/, std::int64_t /*expected*/,
                                 const std::string& /*text*/)
    {
    }
    // The list switches to the single column "Operation".
    virtual void InstallStarted() {}
    // One line of the "Operation" list.
    virtual void OperationAdded(const std::string& /*line*/) {}
    // A transfer starts or ends: "Close" reads "Abort" while busy.
    virtual void BusyChanged(bool /*busy*/) {}
    // A stage ended; a failed stage has shown its message by then.
    virtual void StageFinished(EUpdateStage /*stage*/, bool /*ok*/) {}
};

// What the session needs from the program.
struct CUpdateEnvironment
{
    std::filesystem::path dataFolder;
    CSettings* settings = nullptr;
    IPrompter* prompter = nullptr;
    ITransfer* transfer = nullptr;
    // Whether the order holds items (it is reset by the reload after an installation).
    std::function<bool()> orderHasItems;
    // The program's installation of an archive (its reload, its size bound); the session
    // puts its own step texts around the reload and the installer's report.
    CInstallContext install;
    // Opens a help link by its key ("update").
    std::function<void(std::string_view)> openLink;
    // Free bytes on the drive of a folder; nothing when it cannot be read.
    std::function<std::optional<std::uintmax_t>(const std::filesystem::path&)> freeSpace;
    int stallTimeoutMs = 30000;
    std::string clientVersion;
};

// The stages of the live update: check for an update (servers list, then release
// information), download the archive, install it. The files of the data folder are only
// ever replaced by complete, readable copies; a failed stage puts the old ones back.
class CUpdateSession
{
public:
    CUpdateSession(CUpdateEnvironment environment, IUpdateView* view);
    ~CUpdateSession();
    CUpdateSession(const CUpdateSession&) = delete;
    CUpdateSession& operator=(const CUpdateSession&) = delete;

    // The dialog opens: a backup left by an interrupted check is put back where its file
    // is missing, and the servers list is read again.
    void Open();
    const CServersList& Servers() const { return m_servers; }

    // Stage 1, continuing with stage 2 when it succeeds. False when nothing was started
    // (a transfer runs, or the server is unknown, which has been reported).
    bool CheckForUpdate(std::string_view serverName);
    // Stages 3 and 4. False when nothing was started: busy, no release, client too old, not
    // enough space (reported), or the user kept the order.
    bool StartDownload();
    // Stops the running transfer; the stage ends without a message.
    void Abort();

    bool IsBusy() const { return m_stage != EUpdateStage::None; }
    EUpdateStage Stage() const { return m_stage; }
    const CRelease* Release() const { return m_hasRelease ? &m_release : nullptr; }
    const CReleaseAssessment& Assessment() const { return m_assessment; }
    // The message of the last failed stage; empty when it succeeded or was aborted.
    const std::string& LastFailure() const { return m_lastFailure; }
    // The result of the last transfer, for diagnostics.
    const CTransferResult& LastTransfer() const { return m_lastTransfer; }

    // Limits of what a server may send.
    static constexpr std::int64_t ListSizeLimit = 16LL << 20;
    static constexpr std::int64_t ArchiveSizeLimit = 512LL << 20;
    // The archive needs more than this much free space.
    static constexpr std::uintmax_t MinimumFreeSpace = 12582911;

private:
    void StartTransfer(EUpdateStage stage, const std::string& file,
                       const std::filesystem::path& target, std::int64_t limit);
    void OnProgress(std::int64_t received, std::int64_t expected);
    void OnFinished(const CTransferResult& result);
    void FinishServersList();
    void FinishReleaseInfo();
    void Install();
    void Fail(std::string_view message);
    void Finish(bool ok);
    bool PutInPlace(const std::filesystem::path& downloaded, std::string_view target,
                    std::string_view backup,
                    const std::function<bool(const std::filesystem::path&)>& read);
    std::filesystem::path DataPath(std::string_view relative) const;

    CUpdateEnvironment m_env;
    IUpdateView* m_view;
    IUpdateView m_noView;
    CServersList m_servers;
    EUpdateStage m_stage = EUpdateStage::None;
    std::string m_base;
    std::string m_fileName;
    std::filesystem::path m_target;
    CRelease m_release;
    bool m_hasRelease = false;
    CReleaseAssessment m_assessment;
    std::string m_lastFailure;
    CTransferResult m_lastTransfer;
};
