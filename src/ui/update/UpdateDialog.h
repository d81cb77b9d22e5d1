#pragma once

#include "ui/shell/MessageBox.h"
#include "update/UpdateSession.h"

#include <QDialog>
#include <memory>

class CAppContext;
class ITransfer;
class QComboBox;
class QLabel;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// "Live Update": the servers, the latest release of the chosen one, and the download and
// installation of its archive. The transfers run in the event loop, so the window stays
// responsive; "Close" reads "Abort" while one runs.
class CUpdateDialog : public QDialog, private IUpdateView
{
    Q_OBJECT

public:
    explicit CUpdateDialog(CAppContext& app, QWidget* parent = nullptr, int stallTimeoutMs = 30000);
    ~CUpdateDialog() override;

    // Shows the dialog modally over the toolbar; the toolbar's handler.
    static void Run(CAppContext& app, QWidget* parent);
    // Makes the toolbar's button and F7 open this dialog.
    static void Register();

    CUpdateSession& Session() { return *m_session; }
    QComboBox* ServerBox() const { return m_servers; }
    QPushButton* CheckButton() const { return m_check; }
    QPushButton* DownloadButton() const { return m_download; }
    QPushButton* CloseButton() const { return m_close; }
    QTreeWidget* List() const { return m_list; }
    QLabel* VersionValue() const { return m_version; }
    QLabel* ClientValue() const { return m_client; }
    QLabel* TitleLabel() const { return m_title; }
    QLabel* MessageLabel() const { return m_message; }
    QLabel* StatusLabel() const { return m_status; }
    QProgressBar* Progress() const { return m_progress; }

    void CheckForUpdate();
    void StartDownload();
    void CloseOrAbort();

protected:
    void reject() override;

private:
    // The layout's parts, each with the controls it makes; then the session behind them.
    QMenuBar* BuildHelpMenu();
    QWidget* BuildServerGroup();
    QWidget* BuildRevisionGroup();
    void StartSession(int stallTimeoutMs);
    void ServersChanged(const std::vector<std::string>& names) override;
    void ReleaseShown(const CRelease& release, const CReleaseAssessment& assessment) override;
    void AssessmentChanged(const CReleaseAssessment& assessment) override;
    void StatusChanged(const std::string& text) override;
    void ProgressChanged(std::int64_t received, std::int64_t expected,
                         const std::string& text) override;
    void InstallStarted() override;
    void OperationAdded(const std::string& line) override;
    void BusyChanged(bool busy) override;
    void StageFinished(EUpdateStage stage, bool ok) override;

    void ShowNotesColumns();
    void ShowAssessment(const CReleaseAssessment& assessment);

    CAppContext& m_app;
    CMessageBoxPrompter m_prompter;
    std::unique_ptr<ITransfer> m_transfer;
    std::unique_ptr<CUpdateSession> m_session;
    QComboBox* m_servers = nullptr;
    QPushButton* m_check = nullptr;
    QPushButton* m_download = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_client = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_message = nullptr;
    QTreeWidget* m_list = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_close = nullptr;
};
