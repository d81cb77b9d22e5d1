#include "update/UpdateSession.h"

#include "base/AtomicFile.h"
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "database/Links.h"
#include "update/UrlParts.h"

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{
bool ReadWholeFile(const fs::path& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::optional<std::uintmax_t> DefaultFreeSpace(const fs::path& folder)
{
    std::error_code ec;
    const fs::space_info info = fs::space(folder, ec);
    if (ec)
        return std::nullopt;
    return info.available;
}
} // namespace

CUpdateSession::CUpdateSession(CUpdateEnvironment environment, IUpdateView* view)
    : m_env(std::move(environment)), m_view(view ? view : &m_noView)
{
    if (m_env.clientVersion.empty())
        m_env.clientVersion = std::string(MoxaVersion);
    if (!m_env.freeSpace)
        m_env.freeSpace = DefaultFreeSpace;
}

CUpdateSession::~CUpdateSession()
{
    if (IsBusy() && m_env.transfer && m_env.transfer->IsRunning())
        m_env.transfer->Abort();
}

fs::path CUpdateSession::DataPath(std::string_view relative) const
{
    return DataPaths::Join(m_env.dataFolder, relative);
}

void CUpdateSession::Open()
{
    // A check interrupted between moving a file aside and putting the new one in place
    // would otherwise leave the file missing for good.
    std::error_code ec;
    const std::pair<std::string_view, std::string_view> pairs[] = {
        {DataPaths::ServersList, DataPaths::ServersBackup},
        {DataPaths::Release, DataPaths::ReleaseBackup}};
    for (const auto& [file, backup] : pairs)
        if (!fs::exists(DataPath(file), ec) && fs::is_regular_file(DataPath(backup), ec))
            fs::rename(DataPath(backup), DataPath(file), ec);
    CAtomicFile::RemoveLeftovers(DataPath(DataPaths::Temp));
    m_servers.Refresh(m_env.dataFolder);
    m_view->ServersChanged(m_servers.Names());
}

bool CUpdateSession::CheckForUpdate(std::string_view serverName)
{
    if (IsBusy())
        return false;
    const std::string* address = m_servers.FindAddress(serverName);
    if (!address || !m_env.transfer)
    {
        m_lastFailure = std::string(Messages::UpdateInfoUnavailable);
        if (m_env.prompter)
            m_env.prompter->Warn(m_lastFailure);
        return false;
    }
    m_base = *address;
    m_hasRelease = false;
    StartTransfer(EUpdateStage::ServersList, std::string(DataPaths::ServersList),
                  DataPath(DataPaths::TempServersList), ListSizeLimit);
    return true;
}

bool CUpdateSession::StartDownload()
{
    if (IsBusy() || !m_hasRelease || !m_assessment.downloadEnabled || !m_env.transfer)
        return false;
    const fs::path temp = DataPath(DataPaths::Temp);
    std::error_code ec;
    fs::create_directories(temp, ec);
    const std::optional<std::uintmax_t> free = m_env.freeSpace(temp);
    if (free && *free <= MinimumFreeSpace)
    {
        if (m_env.prompter)
            m_env.prompter->Warn(std::string(Messages::NoSpaceForUpdate));
        return false;
    }
    if (m_env.orderHasItems && m_env.orderHasItems())
    {
        if (!m_env.prompter ||
            !m_env.prompter->AskYesNo(std::string(Messages::ResetOrderForUpdate)))
            return false;
    }
    m_view->InstallStarted();
    StartTransfer(EUpdateStage::Archive, m_assessment.archiveName, temp / m_assessment.archiveName,
                  ArchiveSizeLimit);
    return true;
}

void CUpdateSession::Abort()
{
    if (m_stage != EUpdateStage::ServersList && m_stage != EUpdateStage::ReleaseInfo &&
        m_stage != EUpdateStage::Archive)
        return;
    m_env.transfer->Abort();
    m_lastFailure.clear();
    m_lastTransfer = CTransferResult{ETransferStatus::Aborted, 0, 0, {}};
    Finish(false);
}

void CUpdateSession::StartTransfer(EUpdateStage stage, const std::string& file,
                                   const fs::path& target, std::int64_t limit)
{
    m_stage = stage;
    m_fileName = file;
    m_target = target;
    m_lastFailure.clear();
    CTransferRequest request;
    request.address = JoinAddress(m_base, file);
    request.target = target;
    request.sizeLimit = limit;
    request.stallTimeoutMs = m_env.stallTimeoutMs;
    m_view->BusyChanged(true);
    m_view->StatusChanged(std::string(Messages::Downloading1) + file +
                          std::string(Messages::Downloading2));
    OnProgress(0, 0);
    CTransferCallbacks callbacks;
    callbacks.progress = [this](std::int64_t received, std::int64_t expected)
    { OnProgress(received, expected); };
    callbacks.finished = [this](const CTransferResult& result) { OnFinished(result); };
    m_env.transfer->Start(request, std::move(callbacks));
}

void CUpdateSession::OnProgress(std::int64_t received, std::int64_t expected)
{
    const std::string text =
        expected > 0 ? Format(Messages::TransferProgressSized, m_fileName.c_str(),
                              static_cast<long long>(received), static_cast<long long>(expected))
                     : Format(Messages::TransferProgressUnsized, m_fileName.c_str(),
                              static_cast<long long>(received));
    m_view->ProgressChanged(received, expected, text);
}

void CUpdateSession::OnFinished(const CTransferResult& result)
{
    m_lastTransfer = result;
    switch (m_stage)
    {
    case EUpdateStage::ServersList:
        if (result.Ok())
            FinishServersList();
        else
            Fail(Messages::UpdateInfoUnavailable);
        break;
    case EUpdateStage::ReleaseInfo:
        if (result.Ok())
            FinishReleaseInfo();
        else
            Fail(Messages::ReleaseInfoUnavailable);
        break;
    case EUpdateStage::Archive:
        if (result.Ok())
            Install();
        else
            Fail(Messages::ArchiveUnavailable);
        break;
    case EUpdateStage::None:
    case EUpdateStage::Install:
        break;
    }
}

bool CUpdateSession::PutInPlace(const fs::path& downloaded, std::string_view target,
                                std::string_view backup,
                                const std::function<bool(const fs::path&)>& read)
{
    const fs::path targetPath = DataPath(target);
    const fs::path backupPath = DataPath(backup);
    std::error_code ec;
    // The backup is a copy, so the file itself is never missing while the new one moves in.
    bool hadOld = false;
    if (fs::is_regular_file(targetPath, ec))
    {
        std::string bytes;
        if (!ReadWholeFile(targetPath, bytes) || !WriteFileAtomically(backupPath, bytes))
        {
            fs::remove(downloaded, ec);
            return false;
        }
        hadOld = true;
    }
    fs::rename(downloaded, targetPath, ec);
    if (ec)
    {
        fs::remove(downloaded, ec);
        if (hadOld)
            fs::remove(backupPath, ec);
        return false;
    }
    if (read(targetPath))
    {
        fs::remove(backupPath, ec);
        return true;
    }
    if (hadOld)
        fs::rename(backupPath, targetPath, ec);
    else
        fs::remove(targetPath, ec);
    return false;
}

void CUpdateSession::FinishServersList()
{
    const bool ok = PutInPlace(DataPath(DataPaths::TempServersList), DataPaths::ServersList,
                               DataPaths::ServersBackup,
                               [](const fs::path& path) { return CServersList().ReadFile(path); });
    if (!ok)
    {
        Fail(Messages::UpdateInfoUnavailable);
        return;
    }
    m_servers.Refresh(m_env.dataFolder);
    m_view->ServersChanged(m_servers.Names());
    m_view->StageFinished(EUpdateStage::ServersList, true);
    StartTransfer(EUpdateStage::ReleaseInfo, std::string(DataPaths::Release),
                  DataPath(DataPaths::TempRelease), ListSizeLimit);
}

void CUpdateSession::FinishReleaseInfo()
{
    CReleaseInfo info;
    const bool ok =
        PutInPlace(DataPath(DataPaths::TempRelease), DataPaths::Release, DataPaths::ReleaseBackup,
                   [&info](const fs::path& path) { return info.Load(path) && info.Latest(); });
    if (!ok)
    {
        Fail(Messages::ReleaseInfoUnavailable);
        return;
    }
    m_release = *info.Latest();
    m_hasRelease = true;
    const std::string installed = m_env.settings ? m_env.settings->DatabaseRevision : std::string();
    m_assessment = AssessRelease(m_release, installed, m_env.clientVersion);
    m_view->ReleaseShown(m_release, m_assessment);
    Finish(true);
    if (m_assessment.verdict == EReleaseVerdict::ClientTooOld && m_env.prompter &&
        m_env.prompter->AskYesNo(std::string(Messages::ClientUpgradeQuestion)) && m_env.openLink)
        m_env.openLink(LinkKeys::Update);
}

void CUpdateSession::Install()
{
    m_stage = EUpdateStage::Install;
    m_view->OperationAdded(std::string(Messages::ExtractingArchive));
    bool extracted = false;
    auto extractionDone = [this, &extracted]()
    {
        if (!extracted)
        {
            extracted = true;
            m_view->OperationAdded(std::string(Messages::ExtractionComplete));
        }
    };
    CInstallContext context = m_env.install;
    context.dataFolder = m_env.dataFolder;
    context.settings = m_env.settings;
    context.prompter = m_env.prompter;
    // The installer reports its moves and warnings after unpacking, and reloads last.
    context.report = [this, &extractionDone](const std::string& line)
    {
        if (line == Messages::ExtractingArchive)
            return;
        if (line == Messages::ExtractionComplete)
        {
            extractionDone();
            return;
        }
        extractionDone();
        m_view->OperationAdded(line);
    };
    context.reloadDatabase = [this, &extractionDone]()
    {
        extractionDone();
        m_view->OperationAdded(std::string(Messages::InstallationComplete));
        if (m_env.install.reloadDatabase)
            m_env.install.reloadDatabase();
    };
    const EInstallResult result = InstallUpdateArchive(m_target, context);
    if (result != EInstallResult::Installed)
    {
        // The installer has shown its own warning.
        m_lastFailure = std::string(result == EInstallResult::Refused    ? Messages::UpdateArchiveCorrupt
                                    : result == EInstallResult::DiskFull ? Messages::UpdateDiskFull
                                    : result == EInstallResult::Busy     ? Messages::UpdateBusy
                                                                         : Messages::UpdateInstalledElsewhere);
        m_view->OperationAdded(m_lastFailure);
        Finish(false);
        return;
    }
    m_view->OperationAdded(std::string(Messages::ConfigurationComplete));
    if (m_env.settings)
        m_assessment =
            AssessRelease(m_release, m_env.settings->DatabaseRevision, m_env.clientVersion);
    Finish(true);
    m_view->AssessmentChanged(m_assessment);
}

void CUpdateSession::Fail(std::string_view message)
{
    m_lastFailure = std::string(message);
    if (m_env.prompter)
        m_env.prompter->Warn(m_lastFailure);
    Finish(false);
}

void CUpdateSession::Finish(bool ok)
{
    const EUpdateStage stage = m_stage;
    m_stage = EUpdateStage::None;
    m_view->BusyChanged(false);
    m_view->StageFinished(stage, ok);
}
