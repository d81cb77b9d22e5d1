#include "ui/browsers/ProfileWindow.h"

#include "base/Messages.h"
#include "base/Theme.h"
#include "database/Links.h"
#include "profile/ProfileFile.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/QtText.h"
#include "ui/browsers/ProfileListModel.h"
#include "ui/widgets/ThemedTree.h"
#include "ui/widgets/TreeModel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace
{
QWidget* Titled(QWidget* parent, std::string_view title, QWidget* content)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(Tr(title), box);
    label->setBuddy(content);
    content->setAccessibleName(label->text()); // item views take no name from their buddy
    layout->addWidget(label);
    layout->addWidget(content, 1);
    content->setParent(box);
    return box;
}
} // namespace

CProfileWindow::CProfileWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Profiles, PlacementNameOf(EToolWindow::Profiles), parent)
{
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMinimumSize(480, 400);
    AddStandardMenus(std::string(Messages::ProfileHelp), std::string(LinkKeys::ProfileWindow));

    // The profiles on the left, the chosen profile's pages on the right.
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(splitter);
    BuildProfileList(splitter);
    m_pages = new QTabWidget(splitter);
    m_pages->addTab(BuildPlayerPage(), Tr(Messages::ProfilePagePlayer));
    m_pages->addTab(BuildListsPage(EProfileList::CraftLevels, Messages::ProfileCraftLevelsLabel,
                                   Messages::ProfileCraftLevelsHeader, EProfileList::CraftSkills,
                                   Messages::ProfileCraftSkillsLabel),
                    Tr(Messages::ProfilePageCraft));
    m_pages->addTab(BuildListsPage(EProfileList::AdventureLevels, Messages::ProfileAdventureLevelsLabel,
                                   Messages::ProfileAdventureLevelsHeader, EProfileList::AdventureSkills,
                                   Messages::ProfileAdventureSkillsLabel),
                    Tr(Messages::ProfilePageAdventure));
    splitter->setStretchFactor(1, 1);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnTreeSelection(current); });
    connect(m_new, &QPushButton::clicked, this, &CProfileWindow::NewProfile);
    connect(m_copy, &QPushButton::clicked, this, &CProfileWindow::CopyProfile);
    connect(m_delete, &QPushButton::clicked, this, &CProfileWindow::DeleteProfile);
    connect(m_save, &QPushButton::clicked, this, &CProfileWindow::SaveChanges);
    for (QLineEdit* edit : {m_name, m_server, m_email})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { OnPlayerEdited(edit); });

    // The formula browser's current-skill edits and its Profile combo show here too.
    connect(&App().Bus(), &CWindowBus::ProfilesChanged, this,
            [this](const void* from)
            {
                if (from != this)
                    Refresh();
            });

    m_selected = App().Profiles().current;
    resize(700, 460);
    Refresh();
}

CProfileWindow::~CProfileWindow() = default;

void CProfileWindow::BuildProfileList(QSplitter* splitter)
{
    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    auto* profilesLabel = new QLabel(Tr(Messages::ProfilesLabel), left);
    leftLayout->addWidget(profilesLabel);
    m_tree = new CThemedTree(left);
    profilesLabel->setBuddy(m_tree);
    m_tree->setAccessibleName(profilesLabel->text()); // item views take no name from their buddy
    m_treeModel = new CTreeModel({}, this);
    m_tree->setModel(m_treeModel);
    leftLayout->addWidget(m_tree, 1);
    auto* buttons = new QHBoxLayout;
    m_new = new QPushButton(Tr(Messages::ProfileNew), left);
    m_copy = new QPushButton(Tr(Messages::ProfileCopy), left);
    m_delete = new QPushButton(Tr(Messages::ProfileDelete), left);
    for (QPushButton* button : {m_new, m_copy, m_delete})
        buttons->addWidget(button);
    leftLayout->addLayout(buttons);
    m_save = new QPushButton(Tr(Messages::ProfileSaveChanges), left);
    leftLayout->addWidget(m_save);
}

QTableView* CProfileWindow::ListGrid(EProfileList list, QWidget* page, std::string_view header)
{
    auto* model = new CProfileListModel(list, header, this);
    auto* table = new QTableView(page);
    table->setModel(model);
    table->verticalHeader()->hide();
    // Every column as wide as its heading and values.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    m_grids[static_cast<std::size_t>(list)] = table;
    m_lists[static_cast<std::size_t>(list)] = model;
    connect(model, &CProfileListModel::Edited, this, &CProfileWindow::Edited);
    connect(model, &CProfileListModel::Refused, this, &CProfileWindow::Refuse);
    return table;
}

QWidget* CProfileWindow::BuildPlayerPage()
{
    auto* player = new QWidget(m_pages);
    auto* playerLayout = new QVBoxLayout(player);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(player);
    m_server = new QLineEdit(player);
    m_email = new QLineEdit(player);
    form->addRow(Tr(Messages::ProfileNameLabel), m_name);
    form->addRow(Tr(Messages::ProfileServerLabel), m_server);
    form->addRow(Tr(Messages::ProfileEmailLabel), m_email);
    playerLayout->addLayout(form);
    playerLayout->addWidget(Titled(player, Messages::ProfileStatisticsLabel,
                                   ListGrid(EProfileList::Statistics, player, Messages::ProfileStatisticsHeader)),
                            1);
    return player;
}

QWidget* CProfileWindow::BuildListsPage(EProfileList levels, std::string_view levelsLabel,
                                        std::string_view levelsHeader, EProfileList skills,
                                        std::string_view skillsLabel)
{
    auto* page = new QWidget(m_pages);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Titled(page, levelsLabel, ListGrid(levels, page, levelsHeader)));
    layout->addWidget(Titled(page, skillsLabel, ListGrid(skills, page, Messages::ProfileSkillsHeader)));
    return page;
}

void CProfileWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    m_tree->ApplyTheme(App().Theme());
}

void CProfileWindow::DatabaseReloaded()
{
    // The reload made new profile records: the old selection is gone.
    m_selected = App().Profiles().current;
    Refresh();
}

void CProfileWindow::Refresh()
{
    const CProfileList& list = App().Profiles();
    const bool exists = std::any_of(list.profiles.begin(), list.profiles.end(),
                                    [this](const auto& p) { return p.get() == m_selected; });
    if (!exists)
        m_selected = list.current;
    FillTree();
    ShowProfile();
}

void CProfileWindow::FillTree()
{
    std::vector<CTreeModel::CNode> nodes;
    int selected = -1;
    for (const CProfileTreeType& type : ProfileTree(App().Profiles()))
    {
        const int typeNode = static_cast<int>(nodes.size());
        nodes.push_back({Qs(type.type), -1, CTreeModel::ELevel::Level1});
        for (const CProfileTreeServer& server : type.servers)
        {
            const int serverNode = static_cast<int>(nodes.size());
            nodes.push_back({Qs(server.server), -1, CTreeModel::ELevel::Level2, {}, typeNode});
            for (CProfile* profile : server.profiles)
            {
                if (profile == m_selected)
                    selected = static_cast<int>(nodes.size());
                nodes.push_back({Qs(ProfileTreeLabel(*profile)), -1, CTreeModel::ELevel::Level3, profile, serverNode,
                                 profile == App().Profiles().current});
            }
        }
    }
    m_treeModel->SetNodes(std::move(nodes));
    m_tree->expandAll();
    // The selected profile's entry: choosing it again changes nothing.
    if (selected >= 0)
        m_tree->setCurrentIndex(m_treeModel->IndexOf(selected));
}

void CProfileWindow::ShowProfile()
{
    CProfile* profile = m_selected;
    const bool editable = CanEditProfile(profile);
    m_name->setText(profile ? Qs(profile->name) : QString());
    m_server->setText(profile ? Qs(profile->server) : QString());
    m_email->setText(profile ? Qs(profile->email) : QString());
    for (QLineEdit* edit : {m_name, m_server, m_email})
    {
        edit->setReadOnly(!editable);
        edit->setEnabled(profile != nullptr);
    }
    for (CProfileListModel* list : m_lists)
        list->Show(profile);
    m_copy->setEnabled(profile != nullptr);
    m_delete->setEnabled(editable);
    m_save->setEnabled(App().Profiles().AnyChanged());
}

void CProfileWindow::SelectProfile(CProfile* profile)
{
    m_selected = profile;
    // Only a profile the list holds can be current; the template never is.
    if (profile && profile != App().Profiles().current)
        MakeCurrent(App().Profiles(), profile, App().Settings());
    FillTree();
    ShowProfile();
    App().ProfilesChanged(this);
}

void CProfileWindow::OnTreeSelection(const QModelIndex& current)
{
    CProfile* const* profile = m_treeModel->Record<CProfile*>(m_treeModel->NodeOf(current));
    if (profile && *profile != m_selected)
        SelectProfile(*profile);
}

void CProfileWindow::OnPlayerEdited(QLineEdit* edit)
{
    if (!m_selected || edit->isReadOnly())
        return;
    const std::string text = Bytes(edit->text());
    std::string message;
    if (edit == m_name)
        message = RenameProfile(App().Profiles(), *m_selected, text, App().DataFolder(), App().Settings());
    else if (edit == m_server)
        message = SetProfileServer(*m_selected, text);
    else
        message = SetProfileEmail(*m_selected, text);
    if (!message.empty())
    {
        ShowProfile();
        Refuse(message);
        return;
    }
    Edited();
}

void CProfileWindow::Edited()
{
    FillTree();
    m_save->setEnabled(App().Profiles().AnyChanged());
    App().ProfilesChanged(this);
}

void CProfileWindow::Refuse(const std::string& message)
{
    CMessageBox::Show(this, Qs(message), CMessageBox::EIcon::Warning);
}

void CProfileWindow::NewProfile()
{
    CProfileList& list = App().Profiles();
    std::string server;
    if (CanEditProfile(m_selected))
        server = m_selected->server;
    else if (list.templateProfile)
        server = list.templateProfile->server;
    SelectProfile(&::NewProfile(list, App().DataFolder(), server));
    m_pages->setCurrentIndex(0);
    m_name->setFocus();
    m_name->selectAll();
}

void CProfileWindow::CopyProfile()
{
    if (!m_selected)
        return;
    SelectProfile(&::CopyProfile(App().Profiles(), *m_selected, App().DataFolder()));
    m_pages->setCurrentIndex(0);
    m_name->setFocus();
    m_name->selectAll();
}

void CProfileWindow::DeleteProfile()
{
    if (!m_selected)
        return;
    if (CanEditProfile(m_selected) &&
        !CMessageBox::AskYesNo(this, Qs(DeleteProfileQuestion(*m_selected)), CMessageBox::EIcon::Question))
        return;
    const std::string message = ::DeleteProfile(App().Profiles(), *m_selected, App().Settings());
    if (!message.empty())
    {
        Refuse(message);
        return;
    }
    m_selected = App().Profiles().current;
    FillTree();
    ShowProfile();
    App().ProfilesChanged(this);
}

void CProfileWindow::SaveChanges()
{
    SaveChangedProfiles(App().Profiles(), App().DataFolder(), &App().Prompter());
    FillTree();
    ShowProfile();
}
