#include "ui/update/UpdateDialog.h"

#include "base/Messages.h"
#include "database/Links.h"
#include "platform/QtTransfer.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/ProgressWindow.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToolbarWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CUpdateDialog::CUpdateDialog(CAppContext& app, QWidget* parent, int stallTimeoutMs)
    : QDialog(parent), m_app(app), m_prompter(this), m_transfer(std::make_unique<CQtTransfer>())
{
    setWindowTitle(Tr(Messages::UpdateWindowTitle));

    QMenuBar* menu = BuildHelpMenu();
    QWidget* serverGroup = BuildServerGroup();
    QWidget* revisionGroup = BuildRevisionGroup();

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    m_list->setAccessibleName(QStringLiteral("Release Notes"));
    ShowNotesColumns();

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(true);
    m_progress->setFormat(QString());
    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    // A failure's message is longer than the room beside "Close".
    m_status->setWordWrap(true);
    m_close = new QPushButton(Tr(Messages::UpdateClose), this);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(serverGroup);
    layout->addWidget(revisionGroup);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_progress);
    layout->addLayout(bottom);
    resize(500, 420);

    connect(m_check, &QPushButton::clicked, this, &CUpdateDialog::CheckForUpdate);
    connect(m_download, &QPushButton::clicked, this, &CUpdateDialog::StartDownload);
    connect(m_close, &QPushButton::clicked, this, &CUpdateDialog::CloseOrAbort);

    StartSession(stallTimeoutMs);
}

QMenuBar* CUpdateDialog::BuildHelpMenu()
{
    auto* menu = new QMenuBar(this);
    QMenu* help = menu->addMenu(Tr(Messages::UpdateHelpMenu));
    help->addAction(
        Tr(Messages::UpdateHelpItem), this,
        [this]()
        { OpenLink(m_app.Database(), LinkKeys::UpdateWindow, m_app.Links(), m_prompter); });
    return menu;
}

QWidget* CUpdateDialog::BuildServerGroup()
{
    auto* serverGroup = new QGroupBox(Tr(Messages::UpdateServerGroup), this);
    m_servers = new QComboBox(serverGroup);
    m_servers->setAccessibleName(serverGroup->title());
    m_check = new QPushButton(Tr(Messages::CheckForUpdate), serverGroup);
    m_download = new QPushButton(Tr(Messages::StartDownload), serverGroup);
    m_download->setEnabled(false);
    auto* serverRow = new QHBoxLayout(serverGroup);
    serverRow->addWidget(m_servers, 1);
    serverRow->addWidget(m_check);
    serverRow->addWidget(m_download);
    return serverGroup;
}

QWidget* CUpdateDialog::BuildRevisionGroup()
{
    auto* revisionGroup = new QGroupBox(Tr(Messages::UpdateRevisionGroup), this);
    m_version = new QLabel(revisionGroup);
    m_version->setTextFormat(Qt::PlainText);
    m_client = new QLabel(revisionGroup);
    m_client->setTextFormat(Qt::PlainText);
    m_title = new QLabel(revisionGroup);
    m_title->setTextFormat(Qt::PlainText);
    m_message = new QLabel(revisionGroup);
    m_message->setTextFormat(Qt::PlainText);
    auto* revisionGrid = new QGridLayout(revisionGroup);
    revisionGrid->addWidget(new QLabel(Tr(Messages::UpdateVersionLabel), revisionGroup), 0, 0);
    revisionGrid->addWidget(m_version, 0, 1);
    revisionGrid->addWidget(new QLabel(Tr(Messages::UpdateClientLabel), revisionGroup), 1, 0);
    revisionGrid->addWidget(m_client, 1, 1);
    revisionGrid->addWidget(m_title, 0, 2);
    revisionGrid->addWidget(m_message, 1, 2);
    revisionGrid->setColumnStretch(2, 1);
    return revisionGroup;
}

// The update session, with what it needs of the program; it reloads the database through the
// program, so every window hears about the new one.
void CUpdateDialog::StartSession(int stallTimeoutMs)
{
    CSession& session = m_app.Session();
    CUpdateEnvironment env;
    env.dataFolder = m_app.DataFolder();
    env.settings = &m_app.Settings();
    env.prompter = &m_prompter;
    env.transfer = m_transfer.get();
    env.orderHasItems = [this]() { return m_app.Order().ItemCount() > 0; };
    env.install = session.InstallContext();
    // The program's reload, so every window hears about the new database.
    env.install.reloadDatabase = [this]()
    {
        m_app.Icons().Clear();
        CProgressWindow progress(this);
        m_app.LoadDatabase(&progress);
    };
    env.openLink = [this](std::string_view key)
    { OpenLink(m_app.Database(), key, m_app.Links(), m_prompter); };
    env.stallTimeoutMs = stallTimeoutMs;
    m_session = std::make_unique<CUpdateSession>(std::move(env), static_cast<IUpdateView*>(this));
    m_session->Open();
}

CUpdateDialog::~CUpdateDialog()
{
    // The session aborts a running transfer before the transfer goes.
    m_session.reset();
}

void CUpdateDialog::Run(CAppContext& app, QWidget* parent)
{
    CUpdateDialog dialog(app, parent);
    dialog.exec();
}

void CUpdateDialog::Register()
{
    CToolbarWindow::SetLiveUpdateHandler(&CUpdateDialog::Run);
}

void CUpdateDialog::CheckForUpdate()
{
    m_session->CheckForUpdate(Bytes(m_servers->currentText()));
}

void CUpdateDialog::StartDownload()
{
    m_session->StartDownload();
}

void CUpdateDialog::CloseOrAbort()
{
    if (m_session->IsBusy())
        m_session->Abort();
    else
        accept();
}

void CUpdateDialog::reject()
{
    // Escape or the window's close box during a transfer stops it first.
    if (m_session->IsBusy())
        m_session->Abort();
    QDialog::reject();
}

void CUpdateDialog::ShowNotesColumns()
{
    m_list->clear();
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({Tr(Messages::UpdateChangeColumn), Tr(Messages::UpdateAuthorColumn)});
    m_list->setColumnWidth(0, 382);
    m_list->setColumnWidth(1, 99);
}

void CUpdateDialog::ServersChanged(const std::vector<std::string>& names)
{
    const QString current = m_servers->currentText();
    m_servers->clear();
    for (const std::string& name : names)
        m_servers->addItem(Qs(name));
    const int index = m_servers->findText(current);
    if (index >= 0)
        m_servers->setCurrentIndex(index);
}

void CUpdateDialog::ReleaseShown(const CRelease& release, const CReleaseAssessment& assessment)
{
    ShowNotesColumns();
    for (const CReleaseNote& note : release.notes)
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{Qs(note.change), Qs(note.author)}));
    m_version->setText(Qs(RevisionText(release.date)));
    m_client->setText(Qs(release.minClientVersion));
    m_title->setText(Qs(release.title));
    ShowAssessment(assessment);
}

void CUpdateDialog::AssessmentChanged(const CReleaseAssessment& assessment)
{
    ShowAssessment(assessment);
}

void CUpdateDialog::ShowAssessment(const CReleaseAssessment& assessment)
{
    m_message->setText(Tr(assessment.message));
    m_download->setText(Tr(assessment.buttonLabel));
    m_download->setEnabled(assessment.downloadEnabled && !m_session->IsBusy());
}

void CUpdateDialog::StatusChanged(const std::string& text)
{
    m_status->setText(Qs(text));
}

void CUpdateDialog::ProgressChanged(std::int64_t received, std::int64_t expected,
                                    const std::string& text)
{
    // The bar counts kilobytes so archives past 2 GB still fit its int range.
    if (expected > 0)
    {
        m_progress->setRange(0, static_cast<int>((expected + 1023) / 1024));
        m_progress->setValue(static_cast<int>(std::min(received, expected) / 1024));
    }
    else
    {
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
    }
    m_progress->setFormat(Qs(text));
}

void CUpdateDialog::InstallStarted()
{
    m_list->clear();
    m_list->setColumnCount(1);
    m_list->setHeaderLabels({Tr(Messages::UpdateOperationColumn)});
    m_list->setColumnWidth(0, 464);
}

void CUpdateDialog::OperationAdded(const std::string& line)
{
    auto* item = new QTreeWidgetItem(QStringList{Qs(line)});
    m_list->addTopLevelItem(item);
    m_list->scrollToItem(item);
    // The installation runs without returning to the loop; show each step as it comes.
    m_list->repaint();
}

void CUpdateDialog::BusyChanged(bool busy)
{
    m_close->setText(Tr(busy ? Messages::UpdateAbort : Messages::UpdateClose));
    m_check->setEnabled(!busy);
    m_servers->setEnabled(!busy);
    m_download->setEnabled(!busy && m_session && m_session->Release() &&
                           m_session->Assessment().downloadEnabled);
}

void CUpdateDialog::StageFinished(EUpdateStage stage, bool ok)
{
    if (!ok)
    {
        // A failed or aborted transfer leaves no "Downloading ..." behind: the status tells
        // what went wrong (nothing after an abort) and the bar is emptied.
        m_status->setText(Qs(m_session->LastFailure()));
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
        m_progress->setFormat(QString());
    }
    if (stage == EUpdateStage::Install && ok && m_app.onDatabaseLoaded)
        m_app.onDatabaseLoaded(); // the revision changed after the reload
}
