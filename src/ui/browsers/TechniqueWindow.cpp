#include "ui/browsers/TechniqueWindow.h"

#include "base/Messages.h"
#include "base/Settings.h"
#include "base/Theme.h"
#include "browsers/TechniqueRows.h"
#include "database/GameDatabase.h"
#include "database/Links.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"
#include "ui/widgets/TreeModel.h"
#include "ui/browsers/CategoryBrowser.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace
{
constexpr int LabelTwips = 1150;

const CTechnique* FindIn(const CGameDatabase& db, const std::string& category,
                         const std::string& name)
{
    return name.empty() ? nullptr : db.FindTechnique(category, name);
}

constexpr const char* ExpandTexts[] = {QT_TRANSLATE_NOOP("CTechniqueWindow", "Off"),
                                        QT_TRANSLATE_NOOP("CTechniqueWindow", "Current Category"),
                                        QT_TRANSLATE_NOOP("CTechniqueWindow", "All Categories")};
} // namespace

CTechniqueWindow::CTechniqueWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Techniques, PlacementNameOf(EToolWindow::Techniques), parent)
{
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMinimumSize(400, 400);
    BuildMenus();

    // The categories and the tree on the left; on the right the item the techniques go on,
    // the technique and its tiers.
    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QHBoxLayout(client);
    layout->addWidget(BuildTreeColumn(client), 4);
    layout->addLayout(BuildTechniqueColumn(client), 6);
    ConnectControls();

    // The formula browser holds the item; follow its changes.
    Q_EMIT App().Bus().WindowNeeded(EToolWindow::Formulae);
    connect(&App().Bus(), &CWindowBus::WorkingItemChanged, this, &CTechniqueWindow::WorkingItemChanged);

    m_category = TechCategoryShown(App().Settings().LastTechCategory);
    resize(560, 520);
    RefreshAll();
}

QWidget* CTechniqueWindow::BuildTreeColumn(QWidget* client)
{
    m_browser = new CCategoryBrowser(client, Messages::TechniqueCategoriesLabel, false);
    m_tree = m_browser->Tree();
    m_tree->setAccessibleName(QStringLiteral("Techniques"));
    m_treeModel = new CTreeModel([this](int icon) { return App().Icon(icon); }, this);
    m_tree->setModel(m_treeModel);
    return m_browser;
}

CThemedTree* CTechniqueWindow::Tree() const
{
    return m_tree;
}

QListView* CTechniqueWindow::Categories() const
{
    return m_browser->Categories();
}

QLabel* CTechniqueWindow::FoundLabel() const
{
    return m_browser->Found();
}

QLayout* CTechniqueWindow::BuildTechniqueColumn(QWidget* client)
{
    auto* right = new QGridLayout;
    right->addWidget(new QLabel(Tr(Messages::TechniqueItemLabel), client), 0, 0);
    m_item = new QLabel(client);
    m_item->setTextFormat(Qt::PlainText);
    m_item->setWordWrap(true);
    right->addWidget(m_item, 0, 1);
    m_details = new CBrowserGrid(client, 2);
    m_details->setColumnWidth(0, TwipsToPixels(LabelTwips));
    m_details->setColumnWidth(1, TwipsToPixels(2700));
    m_details->SetBackColourKey("GRID_INFOBACKCOLOUR");
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_details->setAccessibleName(QStringLiteral("Technique Details"));
    right->addWidget(m_details, 1, 0, 1, 2);
    m_tiers = new CBrowserGrid(client, 1, QT_TRANSLATE_NOOP("Messages", "^Tiers"));
    m_tiers->setColumnWidth(0, TwipsToPixels(2420));
    m_tiers->SetBackColourKey("GRID_LISTBACKCOLOUR");
    m_tiers->setFixedHeight(m_tiers->HeightForRows(6));
    m_tiers->setAccessibleName(QStringLiteral("Tiers"));
    m_tiers->FitColumns();
    right->addWidget(m_tiers, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    m_apply = new QPushButton(Tr(Messages::TechniqueApply), client);
    m_filter = new QPushButton(Tr(Messages::TechniqueFilterFormulae), client);
    buttons->addWidget(m_apply);
    buttons->addStretch(1);
    buttons->addWidget(m_filter);
    right->addLayout(buttons, 3, 0, 1, 2);
    right->setColumnStretch(1, 1);
    right->setRowStretch(1, 1);
    return right;
}

void CTechniqueWindow::ConnectControls()
{
    connect(m_browser, &CCategoryBrowser::CategoryChosen, this, &CTechniqueWindow::SelectCategory);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnTreeSelection(current); });
    connect(m_tiers, &QAbstractItemView::clicked, this, [this](const QModelIndex& cell) { ChooseTierRow(cell.row()); });
    connect(m_apply, &QPushButton::clicked, this, [this] { ApplyTechnique(); });
    connect(m_filter, &QPushButton::clicked, this, &CTechniqueWindow::FilterFormulae);
}

void CTechniqueWindow::BuildMenus()
{
    CSettings& settings = App().Settings();
    QMenu* options = menuBar()->addMenu(tr("Options"));
    QMenu* expand = options->addMenu(tr("AutoExpand"));
    auto* group = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
    {
        QAction* action = expand->addAction(tr(ExpandTexts[mode]));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetExpandMode(static_cast<EExpandMode>(mode)); });
        m_expandActions[static_cast<std::size_t>(mode)] = action;
    }
    m_usableAction = options->addAction(Tr(Messages::TechniqueShowUsable));
    m_usableAction->setCheckable(true);
    connect(m_usableAction, &QAction::triggered, this, &CTechniqueWindow::SetUsableOnly);

    AddStandardMenus(std::string(Messages::TechniqueHelp), std::string(LinkKeys::TechniqueWindow));
    if (settings.ExpandTechMode < 0 || settings.ExpandTechMode > 2)
        settings.ExpandTechMode = 1;
}

void CTechniqueWindow::CheckMenus()
{
    const CSettings& settings = App().Settings();
    m_expandActions[static_cast<std::size_t>(settings.ExpandTechMode)]->setChecked(true);
    m_usableAction->setChecked(settings.ShowUsableTechs);
}

void CTechniqueWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    const CTheme& theme = App().Theme();
    m_browser->ApplyTheme(theme);
    m_details->ApplyTheme(theme);
    m_tiers->ApplyTheme(theme);
}

void CTechniqueWindow::RefreshAll()
{
    ApplyTheme();
    FillCategories();
    FillTree();
    CheckMenus();
}

void CTechniqueWindow::WorkingItemChanged()
{
    FillTree();
}

void CTechniqueWindow::FillCategories()
{
    const std::vector<std::string> entries = TechCategoryEntries(App().Database());
    const auto found = std::find(entries.begin(), entries.end(), m_category);
    // A category the database no longer has opens on "All".
    const int selected = found == entries.end() ? 0 : static_cast<int>(found - entries.begin());
    m_category = entries[static_cast<std::size_t>(selected)];
    App().Settings().LastTechCategory = m_category;
    m_browser->SetCategories(entries, selected);
}

void CTechniqueWindow::SelectCategory(int row)
{
    const std::string category = m_browser->Category(row);
    if (row < 0 || category.empty() || category == m_category)
        return;
    m_category = category;
    App().Settings().LastTechCategory = m_category;
    m_browser->Categories()->setCurrentIndex(m_browser->Categories()->model()->index(row, 0));
    FillTree();
}

void CTechniqueWindow::FillTree()
{
    m_tree->setIconSize(IconPixels(App().Icons()));
    const CGameDatabase& db = App().Database();
    const CSettings& settings = App().Settings();
    const CWorkingItem& working = App().Bus().Working();
    const CTechTarget target = TechTarget(db, working);
    const CTechniqueTree tree = BuildTechniqueTree(db, m_category, settings.ShowUsableTechs, target,
                                                   m_techniqueCategory, m_technique);

    std::vector<CTreeModel::CNode> nodes;
    int current = -1;
    for (std::size_t c = 0; c < tree.categories.size(); ++c)
    {
        const CTechTreeCategory& category = tree.categories[c];
        const int top = static_cast<int>(nodes.size());
        nodes.push_back({Qs(category.label), category.iconIndex, CTreeModel::ELevel::Level1, category.name});
        for (std::size_t t = 0; t < category.techniques.size(); ++t)
        {
            if (static_cast<int>(c) == tree.currentCategory && static_cast<int>(t) == tree.currentTechnique)
                current = static_cast<int>(nodes.size());
            const CTechTreeTechnique& technique = category.techniques[t];
            nodes.push_back({Qs(technique.name), technique.iconIndex, CTreeModel::ELevel::Level2,
                             technique.technique, top});
        }
    }
    m_treeModel->SetNodes(std::move(nodes));
    const EExpandMode expandMode = ExpandModeOf(settings.ExpandTechMode);
    if (expandMode == EExpandMode::AllCategories)
        m_tree->ExpandTop(true);
    // The entry made current here is not a choice of the player.
    m_shownNode = current >= 0 ? current : (m_treeModel->NodeCount() > 0 ? 0 : -1);
    m_tree->setCurrentIndex(m_treeModel->IndexOf(m_shownNode));
    if (current >= 0 && expandMode != EExpandMode::Off)
        m_tree->scrollTo(m_tree->currentIndex());
    else if (current < 0 && m_shownNode >= 0 && expandMode != EExpandMode::Off)
        m_tree->expand(m_tree->currentIndex());
    if (current < 0)
        ClearTechnique();
    m_browser->SetFound(tree.foundText);
    m_item->setText(Qs(TechniqueItemText(db, working)));
    ShowTechnique();
}

void CTechniqueWindow::OnTreeSelection(const QModelIndex& current)
{
    const int node = m_treeModel->NodeOf(current);
    if (node < 0 || node == m_shownNode)
        return;
    m_shownNode = node;
    if (m_treeModel->Depth(node) == 1)
    {
        ClearTechnique();
        ShowTechnique();
        m_tree->expand(current);
        if (ExpandModeOf(App().Settings().ExpandTechMode) == EExpandMode::CurrentCategory)
            for (int row = 0; row < m_treeModel->rowCount(); ++row)
                if (row != current.row())
                    m_tree->collapse(m_treeModel->index(row, 0));
        return;
    }
    m_techniqueCategory = *m_treeModel->Record<std::string>(m_treeModel->Node(node).parent);
    m_technique = Bytes(m_treeModel->Node(node).label);
    m_tierIndex = -1;
    m_tierByHand = false;
    ShowTechnique();
}

const CTechnique* CTechniqueWindow::CurrentTechnique()
{
    return FindIn(App().Database(), m_techniqueCategory, m_technique);
}

void CTechniqueWindow::ClearTechnique()
{
    m_techniqueCategory.clear();
    m_technique.clear();
    m_tierIndex = -1;
    m_tierByHand = false;
}

void CTechniqueWindow::ShowTechnique()
{
    const CGameDatabase& db = App().Database();
    const CTechnique* technique = CurrentTechnique();
    const CTechTarget target = TechTarget(db, App().Bus().Working());
    const int tiers = technique ? static_cast<int>(technique->tiers.size()) : 0;
    if (technique && (!m_tierByHand || m_tierIndex < 0 || m_tierIndex >= tiers))
        m_tierIndex = PreferredTechniqueTier(*technique, target);

    // The values take the rest of the view and wrap there.
    m_details->setColumnWidth(1, std::max(60, m_details->viewport()->width() - m_details->columnWidth(0)));
    const CTechniqueTier* tier = technique && m_tierIndex >= 0
                                     ? technique->tiers[static_cast<std::size_t>(m_tierIndex)].get()
                                     : nullptr;
    m_details->ShowRows(technique ? TechniqueDetailRows(*technique, tier) : CBrowserRows(), true);
    m_tiers->ShowRows(TechniqueTierRows(technique, target));
    if (tier)
        m_tiers->setCurrentIndex(m_tiers->model()->index(m_tierIndex, 0));
    for (CBrowserGrid* grid : {m_details, m_tiers})
        grid->setEnabled(technique != nullptr);
    m_apply->setEnabled(tier != nullptr);
    m_filter->setEnabled(technique != nullptr && App().Bus().HasFormulaBrowser());
}

void CTechniqueWindow::ChooseTierRow(int row)
{
    const CTechnique* technique = CurrentTechnique();
    if (!technique || row < 0 || row >= static_cast<int>(technique->tiers.size()))
        return;
    m_tierIndex = row;
    m_tierByHand = true;
    ShowTechnique();
}

bool CTechniqueWindow::ApplyTechnique()
{
    const CTechnique* technique = CurrentTechnique();
    if (!technique || m_tierIndex < 0 || m_tierIndex >= static_cast<int>(technique->tiers.size()))
        return false;
    const COrderTechnique choice = TechniqueChoice(
        m_techniqueCategory, *technique, *technique->tiers[static_cast<std::size_t>(m_tierIndex)]);
    const std::string message = CheckApplyTechnique(App().Database(), App().Bus().Working(), choice);
    if (!message.empty())
    {
        App().Prompter().Warn(message);
        return false;
    }
    // The formula browser shows the item again, which refreshes this window.
    bool attached = false;
    Q_EMIT App().Bus().AttachTechniqueRequested(choice, &attached);
    return attached;
}

void CTechniqueWindow::FilterFormulae()
{
    const CTechnique* technique = CurrentTechnique();
    if (!technique || !App().Bus().HasFormulaBrowser())
        return;
    Q_EMIT App().Bus().FilterByTechniqueRequested(technique);
    Q_EMIT App().Bus().ShowWindowRequested(EToolWindow::Formulae);
}

void CTechniqueWindow::SetExpandMode(EExpandMode mode)
{
    App().Settings().ExpandTechMode = static_cast<int>(mode);
    CheckMenus();
}

void CTechniqueWindow::SetUsableOnly(bool on)
{
    App().Settings().ShowUsableTechs = on;
    CheckMenus();
    FillTree();
}

void CTechniqueWindow::resizeEvent(QResizeEvent* event)
{
    CToolWindow::resizeEvent(event);
    if (CurrentTechnique())
        ShowTechnique();
    else
        m_details->setColumnWidth(1, std::max(60, m_details->viewport()->width() - m_details->columnWidth(0)));
}
