#include "ui/browsers/ProfileWindow.h"

#include "base/Messages.h"
#include "base/Theme.h"
#include "database/Links.h"
#include "profile/ProfileFile.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/ThemedTree.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
constexpr int ProfileRole = Qt::UserRole; // a profile entry's CProfile*, 0 for types and servers

QTableWidget* MakeGrid(QWidget* parent, std::string_view header)
{
    auto* grid = new QTableWidget(parent);
    QStringList labels = Qs(header).split(QLatin1Char('|'));
    grid->setColumnCount(static_cast<int>(labels.size()));
    grid->setHorizontalHeaderLabels(labels);
    grid->verticalHeader()->hide();
    // Every column as wide as its heading and values.
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

QTableWidgetItem* Cell(const std::string& text, bool editable)
{
    auto* cell = new QTableWidgetItem(Qs(text));
    cell->setFlags(editable ? cell->flags() | Qt::ItemIsEditable : cell->flags() & ~Qt::ItemIsEditable);
    return cell;
}

CProfile* ProfileOf(const QTreeWidgetItem* item)
{
    return item ? reinterpret_cast<CProfile*>(item->data(0, ProfileRole).value<quintptr>()) : nullptr;
}

// The number a list's cell shows: its value, or for craft levels the column's field.
int CellValue(const CProfile& profile, EProfileList list, std::size_t row, int col)
{
    switch (list)
    {
    case EProfileList::Statistics: return profile.statistics[row].value;
    case EProfileList::CraftSkills: return profile.craftSkills[row].value;
    case EProfileList::AdventureLevels: return profile.adventureLevels[row].value;
    case EProfileList::AdventureSkills: return profile.adventureSkills[row].value;
    case EProfileList::CraftLevels: break;
    }
    const CCraftLevel& level = profile.craftLevels[row];
    return col == 1 ? level.level : col == 2 ? level.workTierMin : level.workTierMax;
}

std::size_t ListSize(const CProfile& profile, EProfileList list)
{
    switch (list)
    {
    case EProfileList::Statistics: return profile.statistics.size();
    case EProfileList::CraftLevels: return profile.craftLevels.size();
    case EProfileList::CraftSkills: return profile.craftSkills.size();
    case EProfileList::AdventureLevels: return profile.adventureLevels.size();
    case EProfileList::AdventureSkills: return profile.adventureSkills.size();
    }
    return 0;
}

const std::string& EntryName(const CProfile& profile, EProfileList list, std::size_t row)
{
    switch (list)
    {
    case EProfileList::Statistics: return profile.statistics[row].name;
    case EProfileList::CraftLevels: return profile.craftLevels[row].name;
    case EProfileList::CraftSkills: return profile.craftSkills[row].name;
    case EProfileList::AdventureLevels: return profile.adventureLevels[row].name;
    case EProfileList::AdventureSkills: break;
    }
    return profile.adventureSkills[row].name;
}

QWidget* Titled(QWidget* parent, std::string_view title, QWidget* content)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(Qs(title), box));
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

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(splitter);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    leftLayout->addWidget(new QLabel(Qs(Messages::ProfilesLabel), left));
    m_tree = new CThemedTree(left);
    m_tree->setHeaderHidden(true);
    leftLayout->addWidget(m_tree, 1);
    auto* buttons = new QHBoxLayout;
    m_new = new QPushButton(Qs(Messages::ProfileNew), left);
    m_copy = new QPushButton(Qs(Messages::ProfileCopy), left);
    m_delete = new QPushButton(Qs(Messages::ProfileDelete), left);
    for (QPushButton* button : {m_new, m_copy, m_delete})
        buttons->addWidget(button);
    leftLayout->addLayout(buttons);
    m_save = new QPushButton(Qs(Messages::ProfileSaveChanges), left);
    leftLayout->addWidget(m_save);

    m_pages = new QTabWidget(splitter);
    auto* player = new QWidget(m_pages);
    auto* playerLayout = new QVBoxLayout(player);
    auto* form = new QFormLayout;
    m_name = new QLineEdit(player);
    m_server = new QLineEdit(player);
    m_email = new QLineEdit(player);
    form->addRow(Qs(Messages::ProfileNameLabel), m_name);
    form->addRow(Qs(Messages::ProfileServerLabel), m_server);
    form->addRow(Qs(Messages::ProfileEmailLabel), m_email);
    playerLayout->addLayout(form);
    const auto grid = [this](EProfileList list, QWidget* page, std::string_view header)
    {
        QTableWidget* table = MakeGrid(page, header);
        m_grids[static_cast<std::size_t>(list)] = table;
        connect(table, &QTableWidget::itemChanged, this,
                [this, list](QTableWidgetItem* cell) { OnCellEdited(list, cell); });
        return table;
    };
    playerLayout->addWidget(Titled(player, Messages::ProfileStatisticsLabel,
                                   grid(EProfileList::Statistics, player, Messages::ProfileStatisticsHeader)),
                            1);
    m_pages->addTab(player, Qs(Messages::ProfilePagePlayer));

    auto* craft = new QWidget(m_pages);
    auto* craftLayout = new QVBoxLayout(craft);
    craftLayout->addWidget(Titled(craft, Messages::ProfileCraftLevelsLabel,
                                  grid(EProfileList::CraftLevels, craft, Messages::ProfileCraftLevelsHeader)));
    craftLayout->addWidget(
        Titled(craft, Messages::ProfileCraftSkillsLabel, grid(EProfileList::CraftSkills, craft, Messages::ProfileSkillsHeader)));
    m_pages->addTab(craft, Qs(Messages::ProfilePageCraft));

    auto* adventure = new QWidget(m_pages);
    auto* adventureLayout = new QVBoxLayout(adventure);
    adventureLayout->addWidget(Titled(adventure, Messages::ProfileAdventureLevelsLabel,
                                      grid(EProfileList::AdventureLevels, adventure, Messages::ProfileAdventureLevelsHeader)));
    adventureLayout->addWidget(Titled(adventure, Messages::ProfileAdventureSkillsLabel,
                                      grid(EProfileList::AdventureSkills, adventure, Messages::ProfileSkillsHeader)));
    m_pages->addTab(adventure, Qs(Messages::ProfilePageAdventure));
    splitter->setStretchFactor(1, 1);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { OnTreeSelection(current); });
    connect(m_new, &QPushButton::clicked, this, &CProfileWindow::NewProfile);
    connect(m_copy, &QPushButton::clicked, this, &CProfileWindow::CopyProfile);
    connect(m_delete, &QPushButton::clicked, this, &CProfileWindow::DeleteProfile);
    connect(m_save, &QPushButton::clicked, this, &CProfileWindow::SaveChanges);
    for (QLineEdit* edit : {m_name, m_server, m_email})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { OnPlayerEdited(edit); });

    // The formula browser's current-skill edits and its Profile combo show here too.
    App().ListenToProfiles(this, [this] { Refresh(); });

    m_selected = App().Profiles().current;
    resize(700, 460);
    Refresh();
}

CProfileWindow::~CProfileWindow()
{
    App().StopListeningToProfiles(this);
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
    m_filling = true;
    m_tree->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const CProfileTreeType& type : ProfileTree(App().Profiles()))
    {
        auto* typeItem = new QTreeWidgetItem(m_tree, QStringList{Qs(type.type)});
        m_tree->ColourItem(typeItem, CThemedTree::ELevel::Level1);
        for (const CProfileTreeServer& server : type.servers)
        {
            auto* serverItem = new QTreeWidgetItem(typeItem, QStringList{Qs(server.server)});
            m_tree->ColourItem(serverItem, CThemedTree::ELevel::Level2);
            for (CProfile* profile : server.profiles)
            {
                auto* item = new QTreeWidgetItem(serverItem, QStringList{Qs(ProfileTreeLabel(*profile))});
                item->setData(0, ProfileRole, QVariant::fromValue(reinterpret_cast<quintptr>(profile)));
                m_tree->ColourItem(item, CThemedTree::ELevel::Level3);
                QFont font = item->font(0);
                font.setBold(profile == App().Profiles().current);
                item->setFont(0, font);
                if (profile == m_selected)
                    selected = item;
            }
        }
    }
    m_tree->expandAll();
    if (selected)
        m_tree->setCurrentItem(selected);
    m_filling = false;
}

void CProfileWindow::ShowProfile()
{
    m_filling = true;
    const CProfile* profile = m_selected;
    const bool editable = CanEditProfile(profile);
    m_name->setText(profile ? Qs(profile->name) : QString());
    m_server->setText(profile ? Qs(profile->server) : QString());
    m_email->setText(profile ? Qs(profile->email) : QString());
    for (QLineEdit* edit : {m_name, m_server, m_email})
    {
        edit->setReadOnly(!editable);
        edit->setEnabled(profile != nullptr);
    }
    for (std::size_t i = 0; i < m_grids.size(); ++i)
        FillGrid(static_cast<EProfileList>(i));
    m_copy->setEnabled(profile != nullptr);
    m_delete->setEnabled(editable);
    m_save->setEnabled(App().Profiles().AnyChanged());
    m_filling = false;
}

void CProfileWindow::FillGrid(EProfileList list)
{
    QTableWidget* grid = Grid(list);
    const CProfile* profile = m_selected;
    const bool editable = CanEditProfile(profile);
    const std::size_t rows = profile ? ListSize(*profile, list) : 0;
    grid->setRowCount(static_cast<int>(rows));
    for (std::size_t row = 0; row < rows; ++row)
    {
        const int r = static_cast<int>(row);
        grid->setItem(r, 0, Cell(EntryName(*profile, list, row), false));
        for (int col = 1; col < grid->columnCount(); ++col)
            grid->setItem(r, col, Cell(std::to_string(CellValue(*profile, list, row, col)), editable));
    }
    grid->setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
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

void CProfileWindow::OnTreeSelection(QTreeWidgetItem* item)
{
    if (m_filling)
        return;
    if (CProfile* profile = ProfileOf(item); profile && profile != m_selected)
        SelectProfile(profile);
}

void CProfileWindow::OnCellEdited(EProfileList list, QTableWidgetItem* cell)
{
    if (m_filling || !m_selected || !cell || cell->column() < 1)
        return;
    const auto row = static_cast<std::size_t>(cell->row());
    if (row >= ListSize(*m_selected, list))
        return;
    const ECraftField field = cell->column() == 2   ? ECraftField::WorkTierMin
                              : cell->column() == 3 ? ECraftField::WorkTierMax
                                                    : ECraftField::Level;
    const std::string message = SetProfileValue(*m_selected, list, row, Bytes(cell->text()), field);
    // The cell shows what the profile holds: the number as read, or the old one when refused.
    m_filling = true;
    cell->setText(Qs(std::to_string(CellValue(*m_selected, list, row, cell->column()))));
    m_filling = false;
    if (!message.empty())
        Refuse(message);
    else
        Edited();
}

void CProfileWindow::OnPlayerEdited(QLineEdit* edit)
{
    if (m_filling || !m_selected || edit->isReadOnly())
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
