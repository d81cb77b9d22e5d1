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
#include "ui/widgets/GridWidget.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"

#include <QActionGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace
{
constexpr int DepthRole = Qt::UserRole;
constexpr int CategoryRole = Qt::UserRole + 1; // a technique's category

constexpr int LabelTwips = 1150;

const CTechnique* FindIn(const CGameDatabase& db, const std::string& category,
                         const std::string& name)
{
    return name.empty() ? nullptr : db.FindTechnique(category, name);
}

constexpr const char* ExpandTexts[] = {"Off", "Current Category", "All Categories"};
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
    layout->addLayout(BuildTreeColumn(client), 4);
    layout->addLayout(BuildTechniqueColumn(client), 6);
    ConnectControls();

    // The formula browser holds the item; follow its changes.
    Q_EMIT App().Bus().WindowNeeded(EToolWindow::Formulae);
    connect(&App().Bus(), &CWindowBus::WorkingItemChanged, this, &CTechniqueWindow::WorkingItemChanged);

    m_category = TechCategoryShown(App().Settings().LastTechCategory);
    resize(560, 520);
    RefreshAll();
}

QLayout* CTechniqueWindow::BuildTreeColumn(QWidget* client)
{
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(Qs(Messages::TechniqueCategoriesLabel), client));
    m_categories = new QListWidget(client);
    m_categories->setMaximumHeight(110);
    left->addWidget(m_categories);
    auto* treeButtons = new QHBoxLayout;
    auto* collapse = new QPushButton(QStringLiteral("<"), client);
    auto* expand = new QPushButton(QStringLiteral(">"), client);
    m_found = new QLabel(client);
    treeButtons->addWidget(collapse);
    treeButtons->addWidget(expand);
    treeButtons->addWidget(m_found, 1);
    left->addLayout(treeButtons);
    m_tree = new CThemedTree(client);
    m_tree->setHeaderHidden(true);
    left->addWidget(m_tree, 1);
    connect(collapse, &QPushButton::clicked, this,
            [this]
            {
                for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
                    m_tree->topLevelItem(i)->setExpanded(false);
            });
    connect(expand, &QPushButton::clicked, this,
            [this]
            {
                for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
                    m_tree->topLevelItem(i)->setExpanded(true);
            });
    return left;
}

QLayout* CTechniqueWindow::BuildTechniqueColumn(QWidget* client)
{
    auto* right = new QGridLayout;
    right->addWidget(new QLabel(Qs(Messages::TechniqueItemLabel), client), 0, 0);
    m_item = new QLabel(client);
    m_item->setWordWrap(true);
    right->addWidget(m_item, 0, 1);
    m_details = new CGridWidget(client);
    m_details->SetCols(2);
    m_details->SetFixedRows(0);
    m_details->SetRows(0);
    m_details->SetColWidth(0, TwipsToPixels(LabelTwips));
    m_details->SetColWidth(1, TwipsToPixels(2700));
    m_details->SetBackColourKey("GRID_INFOBACKCOLOUR");
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    right->addWidget(m_details, 1, 0, 1, 2);
    m_tiers = new CGridWidget(client);
    m_tiers->SetColWidth(0, TwipsToPixels(2420));
    m_tiers->SetBackColourKey("GRID_LISTBACKCOLOUR");
    m_tiers->SetTextMatrix(0, 0, "Tiers");
    m_tiers->SetRow(0);
    m_tiers->SetCol(0);
    m_tiers->SetCellAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_tiers->SetCellFontBold(true);
    m_tiers->setFixedHeight(m_tiers->HeightForRows(6));
    m_tiers->FitColumns();
    right->addWidget(m_tiers, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    m_apply = new QPushButton(Qs(Messages::TechniqueApply), client);
    m_filter = new QPushButton(Qs(Messages::TechniqueFilterFormulae), client);
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
    connect(m_categories, &QListWidget::currentRowChanged, this,
            [this](int row)
            {
                if (!m_refilling)
                    SelectCategory(row);
            });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnTreeSelection(current); });
    connect(m_tiers, &QTableWidget::cellClicked, this,
            [this](int row, int) { ChooseTierRow(row); });
    connect(m_apply, &QPushButton::clicked, this, [this] { ApplyTechnique(); });
    connect(m_filter, &QPushButton::clicked, this, &CTechniqueWindow::FilterFormulae);
}

void CTechniqueWindow::BuildMenus()
{
    CSettings& settings = App().Settings();
    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));
    QMenu* expand = options->addMenu(QStringLiteral("AutoExpand"));
    auto* group = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
    {
        QAction* action = expand->addAction(QString::fromLatin1(ExpandTexts[mode]));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetExpandMode(static_cast<EExpandMode>(mode)); });
        m_expandActions[static_cast<std::size_t>(mode)] = action;
    }
    m_usableAction = options->addAction(Qs(Messages::TechniqueShowUsable));
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
    m_tree->ApplyTheme(theme);
    ApplyListTheme(*m_categories, theme);
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
    m_refilling = true;
    m_categories->clear();
    int selected = 0;
    const std::vector<std::string> entries = TechCategoryEntries(App().Database());
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        m_categories->addItem(Qs(entries[i]));
        if (entries[i] == m_category)
            selected = static_cast<int>(i);
    }
    // A category the database no longer has opens on "All".
    m_categories->setCurrentRow(selected);
    m_category = Bytes(m_categories->currentItem()->text());
    App().Settings().LastTechCategory = m_category;
    m_refilling = false;
}

void CTechniqueWindow::SelectCategory(int row)
{
    if (row < 0 || row >= m_categories->count())
        return;
    m_refilling = true;
    m_categories->setCurrentRow(row);
    m_refilling = false;
    m_category = Bytes(m_categories->item(row)->text());
    App().Settings().LastTechCategory = m_category;
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

    m_refilling = true;
    m_tree->clear();
    QTreeWidgetItem* current = nullptr;
    for (std::size_t c = 0; c < tree.categories.size(); ++c)
    {
        const CTechTreeCategory& category = tree.categories[c];
        auto* top = new QTreeWidgetItem(m_tree, {Qs(category.label)});
        top->setData(0, DepthRole, 1);
        top->setData(0, CategoryRole, Qs(category.name));
        top->setIcon(0, IconFromStore(App().Icons(), category.iconIndex));
        m_tree->ColourItem(top, CThemedTree::ELevel::Level1);
        for (std::size_t t = 0; t < category.techniques.size(); ++t)
        {
            auto* child = new QTreeWidgetItem(top, {Qs(category.techniques[t].name)});
            child->setData(0, DepthRole, 2);
            child->setData(0, CategoryRole, Qs(category.name));
            child->setIcon(0, IconFromStore(App().Icons(), category.techniques[t].iconIndex));
            m_tree->ColourItem(child, CThemedTree::ELevel::Level2);
            if (static_cast<int>(c) == tree.currentCategory &&
                static_cast<int>(t) == tree.currentTechnique)
                current = child;
        }
        if (ExpandModeOf(settings.ExpandTechMode) == EExpandMode::AllCategories)
            top->setExpanded(true);
    }
    if (current)
    {
        m_tree->setCurrentItem(current);
        if (ExpandModeOf(settings.ExpandTechMode) != EExpandMode::Off)
            m_tree->scrollToItem(current);
    }
    else if (QTreeWidgetItem* first = m_tree->topLevelItem(0))
    {
        m_tree->setCurrentItem(first);
        if (ExpandModeOf(settings.ExpandTechMode) != EExpandMode::Off)
            first->setExpanded(true);
    }
    if (!current)
        ClearTechnique();
    m_found->setText(Qs(tree.foundText));
    m_item->setText(Qs(TechniqueItemText(db, working)));
    m_refilling = false;
    ShowTechnique();
}

void CTechniqueWindow::OnTreeSelection(QTreeWidgetItem* item)
{
    if (m_refilling || !item)
        return;
    if (item->data(0, DepthRole).toInt() == 1)
    {
        ClearTechnique();
        ShowTechnique();
        item->setExpanded(true);
        if (ExpandModeOf(App().Settings().ExpandTechMode) == EExpandMode::CurrentCategory)
            for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
                if (m_tree->topLevelItem(i) != item)
                    m_tree->topLevelItem(i)->setExpanded(false);
        return;
    }
    m_techniqueCategory = Bytes(item->data(0, CategoryRole).toString());
    m_technique = Bytes(item->text(0));
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
    m_details->SetColWidth(1, std::max(60, m_details->viewport()->width() - m_details->ColWidth(0)));
    const CTechniqueTier* tier = technique && m_tierIndex >= 0
                                     ? technique->tiers[static_cast<std::size_t>(m_tierIndex)].get()
                                     : nullptr;
    if (technique)
        ShowBrowserRows(*m_details, TechniqueDetailRows(*technique, tier), App().Theme(), false,
                        true);
    else
        m_details->ClearRows();
    ShowBrowserRows(*m_tiers, TechniqueTierRows(technique, target), App().Theme(), false, false);
    if (tier)
        m_tiers->setCurrentCell(m_tierIndex + 1, 0);
    for (CGridWidget* grid : {m_details, m_tiers})
        grid->setEnabled(technique != nullptr);
    m_apply->setEnabled(tier != nullptr);
    m_filter->setEnabled(technique != nullptr && App().Bus().HasFormulaBrowser());
}

void CTechniqueWindow::ChooseTierRow(int row)
{
    const CTechnique* technique = CurrentTechnique();
    if (!technique || row < 1 || row > static_cast<int>(technique->tiers.size()))
        return;
    m_tierIndex = row - 1;
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
        m_details->SetColWidth(1, std::max(60, m_details->viewport()->width() - m_details->ColWidth(0)));
}
