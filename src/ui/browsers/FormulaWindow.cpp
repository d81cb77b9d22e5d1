#include "ui/browsers/FormulaWindow.h"

#include "base/Messages.h"
#include "base/Theme.h"
#include "browsers/DetailRows.h"
#include "browsers/PastedList.h"
#include "browsers/QuickFilter.h"
#include "browsers/ResourceRows.h"
#include "browsers/TierChecks.h"
#include "database/GameDatabase.h"
#include "database/Links.h"
#include "profile/Profile.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/EfficiencyGuideWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/GridWidget.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"

#include <QActionGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace
{
constexpr int DepthRole = Qt::UserRole;
constexpr int CategoryRole = Qt::UserRole + 1; // a category item's formula category

// The count of data rows the resource grid shows.
int ResourceGridExtra(int dataRows, int setting, bool autoShrink)
{
    if (!autoShrink)
        return setting - 4;
    return std::clamp(dataRows - 4, -2, setting - 4);
}

constexpr const char* ExpandTexts[] = {"Off", "Current Category", "All Categories"};
constexpr const char* BreakdownTexts[] = {"Show Formula Resource", "Show Sub-Formulae",
                                          "Show Base Resource"};
constexpr int RowChoices[] = {4, 8, 12, 16};
} // namespace

namespace
{
// The formula tree, whose formulae drag into the order window's groups as the browser's item.
class CFormulaDragTree : public CThemedTree
{
public:
    explicit CFormulaDragTree(QWidget* parent) : CThemedTree(parent)
    {
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragOnly);
    }
    std::function<QByteArray()> dragText;

protected:
    QStringList mimeTypes() const override { return {QString::fromLatin1(COrderTree::ItemMimeType)}; }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override
    {
        const QByteArray text = dragText && items.size() == 1 ? dragText() : QByteArray();
        if (text.isEmpty())
            return nullptr;
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(COrderTree::ItemMimeType), text);
        return mime;
    }
};
} // namespace

CFormulaWindow::CFormulaWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Formulae, PlacementNameOf(EToolWindow::Formulae), parent)
{
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMinimumSize(400, 550);
    setMaximumSize(800, 1280);
    BuildMenus();

    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QGridLayout(client);

    // Left column: the categories and the tree.
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Available Categories"), client));
    m_categories = new QListWidget(client);
    m_categories->setMaximumHeight(110);
    left->addWidget(m_categories);
    auto* treeButtons = new QHBoxLayout;
    m_collapse = new QPushButton(QStringLiteral("<"), client);
    m_expand = new QPushButton(QStringLiteral(">"), client);
    m_found = new QLabel(QStringLiteral("Formulas Found"), client);
    treeButtons->addWidget(m_collapse);
    treeButtons->addWidget(m_expand);
    treeButtons->addWidget(m_found, 1);
    left->addLayout(treeButtons);
    m_quickFilter = new QLineEdit(client);
    m_quickFilter->setPlaceholderText(Qs(Messages::FormulaQuickFilter));
    m_quickFilter->setClearButtonEnabled(true);
    left->addWidget(m_quickFilter);
    auto* tree = new CFormulaDragTree(client);
    tree->dragText = [this] { return DragItem(); };
    m_tree = tree;
    m_tree->setHeaderHidden(true);
    left->addWidget(m_tree, 1);
    connect(m_quickFilter, &QLineEdit::textChanged, this, &CFormulaWindow::ApplyQuickFilter);
    layout->addLayout(left, 0, 0, 2, 1);

    // Right column: the item.
    auto* right = new QGridLayout;
    m_details = new CGridWidget(client);
    m_details->SetCols(2);
    m_details->SetFixedRows(0);
    m_details->SetRows(0);
    m_details->SetColWidth(0, TwipsToPixels(1150));
    m_details->SetColWidth(1, TwipsToPixels(2700));
    m_details->SetBackColourKey("GRID_INFOBACKCOLOUR");
    // A steady width for the wrapped values, whatever their count.
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    right->addWidget(m_details, 0, 0, 1, 2);
    m_tiers = new CGridWidget(client);
    m_tiers->SetColWidth(0, TwipsToPixels(1700));
    m_tiers->SetBackColourKey("GRID_LISTBACKCOLOUR");
    SetGridHeader(*m_tiers, "^Tiers");
    right->addWidget(m_tiers, 1, 0, 2, 1, Qt::AlignTop);
    m_techniques = new CGridWidget(client);
    m_techniques->SetColWidth(0, TwipsToPixels(2420));
    m_techniques->SetBackColourKey("GRID_LISTBACKCOLOUR");
    SetGridHeader(*m_techniques, "^Techniques");
    m_tiers->FitColumns();
    m_techniques->FitColumns();
    right->addWidget(m_techniques, 1, 1);
    m_removeTechnique = new QPushButton(QStringLiteral("Remove Technique"), client);
    right->addWidget(m_removeTechnique, 2, 1);
    auto* combos = new QGridLayout;
    m_quick = new QComboBox(client);
    m_profile = new QComboBox(client);
    combos->addWidget(new QLabel(QStringLiteral("Quick Item"), client), 0, 0);
    combos->addWidget(m_quick, 0, 1);
    combos->addWidget(new QLabel(QStringLiteral("Profile"), client), 1, 0);
    combos->addWidget(m_profile, 1, 1);
    combos->setColumnStretch(1, 1);
    right->addLayout(combos, 3, 0, 1, 2);
    right->setRowStretch(0, 1);
    layout->addLayout(right, 0, 1);
    layout->setColumnStretch(0, 4);
    layout->setColumnStretch(1, 6);

    // Bottom: the resources over the whole width.
    m_resources = new CGridWidget(client);
    m_resources->SetCols(8);
    const int widths[] = {1870, 1000, 700, 1400, 700, 700, 700, 0};
    for (int col = 0; col < 8; ++col)
        m_resources->SetColWidth(col, TwipsToPixels(widths[col]));
    m_resources->setColumnHidden(7, true);
    m_resources->setWordWrap(false);
    // A steady view width for sharing out the columns, however many rows there are.
    m_resources->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetGridHeader(*m_resources, "<Resource|^Effiency|^Need|^Skill Used|^Min|^Opt|^Cur Skill|");
    layout->addWidget(m_resources, 2, 0, 1, 2);
    auto* bottom = new QHBoxLayout;
    m_levels = new QPushButton(QStringLiteral("Display Effiency Levels"), client);
    m_add = new QPushButton(Qs(Messages::AddItem), client);
    bottom->addWidget(m_levels);
    bottom->addStretch(1);
    bottom->addWidget(m_add);
    layout->addLayout(bottom, 3, 0, 1, 2);
    layout->setRowStretch(1, 1);

    connect(m_categories, &QListWidget::currentRowChanged, this,
            [this](int row)
            {
                if (!m_refilling)
                    OnCategoryClicked(row);
            });
    connect(m_collapse, &QPushButton::clicked, this,
            [this]
            {
                for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
                    m_tree->topLevelItem(i)->setExpanded(false);
            });
    connect(m_expand, &QPushButton::clicked, this,
            [this]
            {
                for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
                    m_tree->topLevelItem(i)->setExpanded(true);
            });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnTreeSelection(current); });
    connect(m_tiers, &QTableWidget::cellClicked, this,
            [this](int row, int) { ChooseTierRow(row); });
    connect(m_removeTechnique, &QPushButton::clicked, this,
            &CFormulaWindow::RemoveSelectedTechnique);
    connect(m_add, &QPushButton::clicked, this, &CFormulaWindow::AddOrIncreaseItem);
    connect(m_levels, &QPushButton::clicked, this, &CFormulaWindow::ShowEfficiencyLevels);
    connect(m_resources, &QTableWidget::cellDoubleClicked, this, &CFormulaWindow::EditCurrentSkill);
    m_skillEdit = new QLineEdit(m_resources->viewport());
    m_skillEdit->hide();
    connect(m_skillEdit, &QLineEdit::returnPressed, this, &CFormulaWindow::CommitCurrentSkill);
    // Leaving the editor or scrolling the grid drops the edit.
    connect(m_skillEdit, &QLineEdit::editingFinished, m_skillEdit, &QLineEdit::hide);
    connect(m_resources->verticalScrollBar(), &QScrollBar::valueChanged, m_skillEdit,
            &QLineEdit::hide);
    connect(m_resources->horizontalScrollBar(), &QScrollBar::valueChanged, m_skillEdit,
            &QLineEdit::hide);
    connect(m_quick, &QComboBox::activated, this, &CFormulaWindow::PickQuickItem);
    connect(m_profile, &QComboBox::activated, this, &CFormulaWindow::ChooseProfile);
    // Efficiencies follow the profile manager's edits at once.
    App().ListenToProfiles(this,
                           [this]
                           {
                               FillProfiles();
                               if (!m_formula.empty())
                                   ShowItem();
                           });
    connect(this, &QObject::destroyed,
            [&app, key = static_cast<const void*>(this)] { app.StopListeningToProfiles(key); });

    // A search's "Custom" is not kept over a restart: its filter is gone.
    m_filter.category = FormulaCategoryShown(App().Settings().LastFormulaCategory);
    resize(560, 700);
    RefreshAll();
}

void CFormulaWindow::BuildMenus()
{
    CSettings& settings = App().Settings();
    QMenu* options = menuBar()->addMenu(QStringLiteral("Options"));

    QMenu* expand = options->addMenu(QStringLiteral("AutoExpand"));
    auto* expandGroup = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
    {
        QAction* action = expand->addAction(QString::fromLatin1(ExpandTexts[mode]));
        action->setCheckable(true);
        expandGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetExpandMode(static_cast<EExpandMode>(mode)); });
        m_expandActions[static_cast<std::size_t>(mode)] = action;
    }

    QMenu* breakdown = options->addMenu(QStringLiteral("Resource Breakdown"));
    auto* breakdownGroup = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
    {
        QAction* action = breakdown->addAction(QString::fromLatin1(BreakdownTexts[mode]));
        action->setCheckable(true);
        breakdownGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetBreakdownMode(static_cast<EBreakdownMode>(mode)); });
        m_breakdownActions[static_cast<std::size_t>(mode)] = action;
    }

    QMenu* grid = options->addMenu(QStringLiteral("Resource Grid"));
    m_autoShrinkAction = grid->addAction(QStringLiteral("Autoshrink"));
    m_autoShrinkAction->setCheckable(true);
    connect(m_autoShrinkAction, &QAction::triggered, this, &CFormulaWindow::ToggleAutoShrink);
    grid->addSeparator();
    auto* rowGroup = new QActionGroup(this);
    for (std::size_t i = 0; i < m_rowActions.size(); ++i)
    {
        const int rows = RowChoices[i];
        QAction* action = grid->addAction(QStringLiteral("Set To %1 Rows").arg(rows));
        action->setCheckable(true);
        rowGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, rows] { SetResourceRows(rows); });
        m_rowActions[i] = action;
    }

    QMenu* search = options->addMenu(QStringLiteral("Search"));
    connect(search->addAction(QStringLiteral("By Name...")), &QAction::triggered, this,
            &CFormulaWindow::SearchByName);
    connect(search->addAction(QStringLiteral("By Class...")), &QAction::triggered, this,
            &CFormulaWindow::SearchByClass);

    AddStandardMenus("Help With Formulae", std::string(LinkKeys::FormulaWindow));
    if (settings.ExpandFormulaMode < 0 || settings.ExpandFormulaMode > 2)
        settings.ExpandFormulaMode = 1;
    if (settings.ShowResourceMode < 0 || settings.ShowResourceMode > 2)
        settings.ShowResourceMode = 0;
    if (std::find(std::begin(RowChoices), std::end(RowChoices), settings.ItemResourceSize) ==
        std::end(RowChoices))
        settings.ItemResourceSize = 4;
}

void CFormulaWindow::CheckMenus()
{
    const CSettings& settings = App().Settings();
    m_expandActions[static_cast<std::size_t>(settings.ExpandFormulaMode)]->setChecked(true);
    m_breakdownActions[static_cast<std::size_t>(settings.ShowResourceMode)]->setChecked(true);
    for (std::size_t i = 0; i < m_rowActions.size(); ++i)
        m_rowActions[i]->setChecked(RowChoices[i] == settings.ItemResourceSize);
    m_autoShrinkAction->setChecked(settings.AutoShrink);
}

void CFormulaWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    const CTheme& theme = App().Theme();
    m_tree->ApplyTheme(theme);
    ApplyListTheme(*m_categories, theme);
    for (CGridWidget* grid : {m_details, m_tiers, m_techniques, m_resources})
        grid->ApplyTheme(theme);
}

void CFormulaWindow::RefreshAll()
{
    ApplyTheme();
    FillCategories();
    FillTree();
    FillQuickItems();
    FillProfiles();
    CheckMenus();
    if (!m_formula.empty())
        ShowItem();
}

void CFormulaWindow::FillCategories()
{
    m_refilling = true;
    m_categories->clear();
    int selected = 0;
    const std::vector<std::string> entries = CategoryEntries(App().Database());
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        m_categories->addItem(Qs(entries[i]));
        if (entries[i] == m_filter.category)
            selected = static_cast<int>(i);
    }
    m_categories->setCurrentRow(selected);
    if (QListWidgetItem* item = m_categories->currentItem())
        m_filter.category = Bytes(item->text());
    App().Settings().LastFormulaCategory = m_filter.category;
    m_refilling = false;
}

void CFormulaWindow::FillTree()
{
    m_tree->setIconSize(IconPixels(App().Icons()));
    const EExpandMode expandMode = ExpandModeOf(App().Settings().ExpandFormulaMode);
    const CFormulaTree tree =
        BuildFormulaTree(App().Database(), m_filter, m_formulaCategory, m_formula);
    m_refilling = true;
    m_tree->clear();
    m_branchItem = nullptr;
    m_branchFor.clear();
    QTreeWidgetItem* current = nullptr;
    for (std::size_t c = 0; c < tree.categories.size(); ++c)
    {
        const CTreeCategory& category = tree.categories[c];
        auto* top = new QTreeWidgetItem(m_tree, {Qs(category.label)});
        top->setData(0, DepthRole, 1);
        top->setData(0, CategoryRole, Qs(category.name));
        top->setIcon(0, IconFromStore(App().Icons(), category.iconIndex));
        m_tree->ColourItem(top, CThemedTree::ELevel::Level1);
        for (std::size_t f = 0; f < category.formulae.size(); ++f)
        {
            auto* child = new QTreeWidgetItem(top, {Qs(category.formulae[f].name)});
            child->setData(0, DepthRole, 2);
            child->setIcon(0, IconFromStore(App().Icons(), category.formulae[f].iconIndex));
            m_tree->ColourItem(child, CThemedTree::ELevel::Level2);
            if (static_cast<int>(c) == tree.currentCategory &&
                static_cast<int>(f) == tree.currentFormula)
                current = child;
        }
        if (expandMode == EExpandMode::AllCategories)
            top->setExpanded(true);
    }
    if (current)
    {
        m_tree->setCurrentItem(current);
        if (expandMode != EExpandMode::Off)
            m_tree->scrollToItem(current);
    }
    else
    {
        if (QTreeWidgetItem* first = m_tree->topLevelItem(0))
        {
            m_tree->setCurrentItem(first);
            if (expandMode != EExpandMode::Off)
                first->setExpanded(true);
        }
        m_formula.clear();
        m_formulaCategory.clear();
        Clear();
    }
    m_found->setText(Qs(tree.foundText));
    m_refilling = false;
    ApplyQuickFilter();
}

void CFormulaWindow::OnCategoryClicked(int row)
{
    if (row < 0)
        return;
    m_filter.category = Bytes(m_categories->item(row)->text());
    App().Settings().LastFormulaCategory = m_filter.category;
    m_formula.clear();
    m_formulaCategory.clear();
    FillTree();
}

void CFormulaWindow::OnTreeSelection(QTreeWidgetItem* item)
{
    if (m_refilling || !item)
        return;
    m_quick->setCurrentIndex(0);
    m_working.inOrder = false;
    m_add->setText(Qs(AddButtonCaption(m_working)));
    const int depth = item->data(0, DepthRole).toInt();
    if (depth == 1)
    {
        m_formula.clear();
        m_formulaCategory.clear();
        Clear();
        item->setExpanded(true);
        if (ExpandModeOf(App().Settings().ExpandFormulaMode) == EExpandMode::CurrentCategory)
            for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
                if (m_tree->topLevelItem(i) != item)
                    m_tree->topLevelItem(i)->setExpanded(false);
        return;
    }
    if (depth >= 3)
    {
        ShowItem();
        return;
    }
    const std::string name = Bytes(item->text(0));
    if (name == m_formula && m_working.item.formula == name)
    {
        ShowItem();
        return;
    }
    const std::string category =
        item->parent() ? Bytes(item->parent()->data(0, CategoryRole).toString()) : "";
    const CFormula* formula = App().Database().FindFormula(category, name);
    if (!formula)
    {
        m_formula.clear();
        Clear();
        return;
    }
    m_formula = formula->name;
    m_formulaCategory = formula->category;
    StartWorkingItem(m_working, *formula);
    m_add->setText(Qs(AddButtonCaption(m_working)));
    ShowItem();
}

std::vector<std::string> CFormulaWindow::SelectedPath() const
{
    std::vector<std::string> path;
    for (QTreeWidgetItem* item = m_tree->currentItem();
         item && item->data(0, DepthRole).toInt() >= 3; item = item->parent())
        path.push_back(Bytes(item->text(0)));
    return path;
}

void CFormulaWindow::AddSubFormulae(QTreeWidgetItem* parent,
                                    const std::vector<CSubFormulaNode>& nodes)
{
    const int depth = parent->data(0, DepthRole).toInt() + 1;
    for (const CSubFormulaNode& node : nodes)
    {
        auto* child = new QTreeWidgetItem(parent, {Qs(node.name)});
        child->setData(0, DepthRole, depth);
        child->setIcon(0, IconFromStore(App().Icons(), node.iconIndex));
        m_tree->ColourItem(child, CThemedTree::ELevel::Level3);
        AddSubFormulae(child, node.children);
    }
}

void CFormulaWindow::ShowItem()
{
    const CGameDatabase& db = App().Database();
    const CFormula* formula = db.FindFormula(m_working.item.category, m_working.item.formula);
    const CFormulaTier* tier = WorkingTier(db, m_working);
    if (!formula || !tier)
    {
        Clear();
        return;
    }
    for (CGridWidget* grid : {m_details, m_tiers, m_techniques, m_resources})
        grid->setEnabled(true);
    m_add->setEnabled(true);
    m_levels->setEnabled(true);
    m_add->setText(Qs(AddButtonCaption(m_working)));

    LayoutColumns();
    ShowBrowserRows(*m_details, DetailRows(db, *formula, *tier, m_working.item.techniques),
                    App().Theme(), false, true);
    FillTiers();
    FillTechniques();

    // The sub-formula branch hangs under the formula's own item.
    if (BreakdownModeOf(App().Settings().ShowResourceMode) == BreakdownSubcomponents)
    {
        QTreeWidgetItem* item = m_tree->currentItem();
        while (item && item->data(0, DepthRole).toInt() > 2)
            item = item->parent();
        const std::string builtFor = formula->category + "\n" + formula->name + "\n" + tier->name;
        if (item && item->data(0, DepthRole).toInt() == 2 &&
            (item != m_branchItem || builtFor != m_branchFor))
        {
            m_refilling = true;
            if (m_branchItem)
                qDeleteAll(m_branchItem->takeChildren());
            qDeleteAll(item->takeChildren());
            m_branchItem = item;
            m_branchFor = builtFor;
            AddSubFormulae(item, SubFormulaBranch(db, *tier));
            item->setExpanded(true);
            m_refilling = false;
        }
    }
    FillResources();
    Q_EMIT WorkingItemChanged();
}

void CFormulaWindow::FillTiers()
{
    const CGameDatabase& db = App().Database();
    const CFormula* formula = db.FindFormula(m_working.item.category, m_working.item.formula);
    const CTierGrid grid = TierGrid(formula, m_working.item.tierName);
    ShowBrowserRows(*m_tiers, grid.rows, App().Theme(), false);
    LayoutResourceGrid();
    if (grid.selected >= 0)
        m_tiers->setCurrentCell(grid.selected + 1, 0);
}

void CFormulaWindow::FillTechniques()
{
    const CBrowserRows rows = TechniqueRows(App().Database(), m_working);
    ShowBrowserRows(*m_techniques, rows, App().Theme(), false);
    m_removeTechnique->setEnabled(!(rows.size() == 1 && rows[0].text == Messages::GridNone));
}

void CFormulaWindow::FillResources()
{
    const CGameDatabase& db = App().Database();
    const CSettings& settings = App().Settings();
    const CFormulaTier* tier = WorkingTier(db, m_working);
    CBrowserRows rows;
    if (tier)
        rows = ResourceRows(db, *tier, m_working.item.techniques, App().Profiles().current,
                            BreakdownModeOf(settings.ShowResourceMode), SelectedPath());
    else
        rows.push_back({std::string(Messages::GridNone), BrowserRowKind::Resource});
    ShowBrowserRows(*m_resources, rows, App().Theme(), true);
    LayoutColumns();
    if (m_resources->Rows() > 1)
        m_resources->setCurrentCell(1, 0);
    LayoutResourceGrid();
    RefreshEfficiencyGuide();
}

void CFormulaWindow::resizeEvent(QResizeEvent* event)
{
    CToolWindow::resizeEvent(event);
    LayoutColumns();
}

void CFormulaWindow::LayoutColumns()
{
    // The label column is as wide as its longest label (the rows widen it).
    m_details->SetColWidth(
        1, std::max(TwipsToPixels(2700), m_details->viewport()->width() - m_details->ColWidth(0)));
    // The resource grid's free width goes to the name and skill columns; no column is
    // narrower than its texts.
    const int width = m_resources->viewport()->width() * 15;
    const int k = static_cast<int>((width - 1500 - 700 - 820 - 3 * 500 - 700) * -0.5);
    const int widths[] = {1500 - k, 700, 820, 500 - k, 500, 500, 700};
    int content = 0;
    int sized[7];
    int over = -m_resources->viewport()->width();
    for (int col = 0; col < 7; ++col)
    {
        const int needs = m_resources->ContentWidth(col);
        sized[col] = std::max(TwipsToPixels(widths[col]), needs);
        content += col == 0 || col == 3 ? needs : sized[col];
        over += sized[col];
    }
    // What the texts take beyond the shares comes off the name and skill columns' free room.
    for (const int col : {0, 3})
    {
        const int take = std::clamp(over, 0, sized[col] - m_resources->ContentWidth(col));
        sized[col] -= take;
        over -= take;
    }
    for (int col = 0; col < 7; ++col)
        m_resources->SetColWidth(col, sized[col]);
    // The window widens (up to its limit) rather than hide a column's end.
    m_resources->setMinimumWidth(std::min(content + 2 * m_resources->frameWidth() +
                                              m_resources->verticalScrollBar()->sizeHint().width(),
                                          maximumWidth() - 40));
}

void CFormulaWindow::LayoutResourceGrid()
{
    // The tiers grid grows with its rows, between six and sixteen.
    const int tierRows = 7 + std::clamp(m_tiers->Rows() - 1 - 7, -1, 9);
    m_tiers->setFixedHeight(m_tiers->HeightForRows(tierRows));

    const CSettings& settings = App().Settings();
    const int dataRows = 4 + ResourceGridExtra(m_resources->Rows() - 1, settings.ItemResourceSize,
                                               settings.AutoShrink);
    m_resources->setFixedHeight(m_resources->HeightForRows(dataRows));
}

void CFormulaWindow::Clear()
{
    const CTheme& theme = App().Theme();
    m_details->ClearRows();
    m_details->SetRows(0);
    ShowBrowserRows(*m_resources, {{std::string(Messages::GridNone), BrowserRowKind::Resource}},
                    theme, true);
    ShowBrowserRows(*m_tiers, {{std::string(Messages::GridNone), BrowserRowKind::TierNotAvailable}},
                    theme, false);
    ShowBrowserRows(*m_techniques, {{std::string(Messages::GridNone), BrowserRowKind::Technique}},
                    theme, false);
    for (CGridWidget* grid : {m_details, m_tiers, m_techniques, m_resources})
        grid->setEnabled(false);
    m_add->setEnabled(false);
    m_add->setText(Qs(Messages::AddItem));
    m_removeTechnique->setEnabled(false);
    m_levels->setEnabled(false);
    LayoutResourceGrid();
    // Nothing shown is nothing to edit: the technique browser attaches to this item.
    const std::string lastLevel = m_working.lastLevel;
    m_working = CWorkingItem{};
    m_working.lastLevel = lastLevel;
    Q_EMIT WorkingItemChanged();
    RefreshEfficiencyGuide();
}

void CFormulaWindow::SearchByName()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Filter By Name"),
                                               QStringLiteral("Formula Name"), QLineEdit::Normal,
                                               Qs(m_filter.name), &ok);
    if (ok)
        ApplyNameFilter(Bytes(text));
}

void CFormulaWindow::SearchByClass()
{
    QStringList classes;
    for (const std::string& entry : ClassNames())
        classes << Qs(entry);
    bool ok = false;
    const QString entry =
        QInputDialog::getItem(this, QStringLiteral("Filter By Class"), QStringLiteral("Class Name"),
                              classes, 0, false, &ok);
    if (ok)
        ApplyClassFilter(Bytes(entry));
}

void CFormulaWindow::ApplyNameFilter(const std::string& name)
{
    ApplyNameSearch(m_filter, name);
    m_formula.clear();
    m_working.inOrder = false;
    RefreshAll();
    show();
}

void CFormulaWindow::ApplyClassFilter(const std::string& classEntry)
{
    ApplyClassSearch(m_filter, classEntry);
    m_formula.clear();
    m_working.inOrder = false;
    RefreshAll();
    show();
}

void CFormulaWindow::ItemEdited(std::string_view name)
{
    if (!m_working.inOrder)
        return;
    App().OrderEdited(name);
    if (auto* toolbar = qobject_cast<CToolbarWindow*>(parentWidget()))
        if (auto* order = qobject_cast<COrderWindow*>(toolbar->ExistingWindow(EToolWindow::Order)))
            order->SelectItem(m_working.item.id);
}

void CFormulaWindow::ChooseTierRow(int row)
{
    if (row < 1 || row >= m_tiers->Rows())
        return;
    const std::string name = m_tiers->TextMatrix(row, 0);
    if (name == Messages::GridNone)
        return;
    const std::string message = ChooseTier(App().Database(), m_working, App().Order(), name);
    if (!message.empty())
    {
        App().Prompter().Warn(message);
        FillTiers();
        return;
    }
    ShowItem();
    ItemEdited(Messages::EditChooseTier);
}

void CFormulaWindow::RemoveSelectedTechnique()
{
    const int row = m_techniques->currentRow();
    if (row < 1 || m_techniques->TextMatrix(row, 0) == Messages::GridNone)
        return;
    if (RemoveTechnique(App().Database(), m_working, App().Order(), row))
    {
        ShowItem();
        ItemEdited(Messages::EditRemoveTechnique);
    }
}

void CFormulaWindow::AddOrIncreaseItem()
{
    if (m_working.item.formula.empty())
        return;
    const bool increase = m_working.inOrder && App().Order().FindItem(m_working.item.id);
    COrderWindow* orders = nullptr;
    if (auto* toolbar = qobject_cast<CToolbarWindow*>(parentWidget()))
        orders = qobject_cast<COrderWindow*>(toolbar->ExistingWindow(EToolWindow::Order));
    AddOrIncrease(m_working, App().Order(), orders ? orders->SelectedGroup() : std::string());
    m_add->setText(Qs(AddButtonCaption(m_working)));
    App().OrderEdited(increase ? Messages::EditIncreaseQty : Messages::EditAddItem);
    if (orders)
        orders->SelectItem(m_working.item.id);
}

void CFormulaWindow::OrderChanged()
{
    // The item may have been deleted from the order window, or changed by an undo.
    const COrderItem* item = m_working.inOrder ? App().Order().FindItem(m_working.item.id) : nullptr;
    if (m_working.inOrder && !item)
    {
        m_working.inOrder = false;
        m_add->setText(Qs(AddButtonCaption(m_working)));
    }
    else if (item && (item->tierName != m_working.item.tierName || item->batches != m_working.item.batches ||
                      item->techniques.size() != m_working.item.techniques.size()))
    {
        m_working.item = *item;
        ShowItem();
    }
    FillQuickItems();
}

void CFormulaWindow::FillQuickItems()
{
    m_quick->clear();
    for (const std::string& entry : QuickItemEntries(App().Database(), App().Order()))
        m_quick->addItem(Qs(entry));
    int selected = 0;
    if (m_working.inOrder)
    {
        const auto& items = App().Order().items;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i]->id == m_working.item.id)
                selected = static_cast<int>(i) + 1;
    }
    m_quick->setCurrentIndex(selected);
}

void CFormulaWindow::PickQuickItem(int entry)
{
    if (!::PickQuickItem(m_working, App().Order(), entry))
        return;
    m_add->setText(Qs(AddButtonCaption(m_working)));
    if (entry == 0)
    {
        Q_EMIT WorkingItemChanged(); // back in "Add Item" mode
        return;
    }
    if (!LoadOrderItem(entry))
        return;
    if (auto* toolbar = qobject_cast<CToolbarWindow*>(parentWidget()))
        if (auto* order = qobject_cast<COrderWindow*>(toolbar->ExistingWindow(EToolWindow::Order)))
            order->SelectItem(m_working.item.id);
}

void CFormulaWindow::ShowOrderItem(int id)
{
    const auto& items = App().Order().items;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i]->id == id)
        {
            const int entry = static_cast<int>(i) + 1;
            if (::PickQuickItem(m_working, App().Order(), entry))
                LoadOrderItem(entry);
            return;
        }
}

bool CFormulaWindow::LoadOrderItem(int entry)
{
    m_add->setText(Qs(AddButtonCaption(m_working)));
    const CFormula* formula =
        App().Database().FindFormula(m_working.item.category, m_working.item.formula);
    if (!formula)
    {
        Clear();
        return false;
    }
    bool shown = false;
    for (int i = 0; i < m_tree->topLevelItemCount() && !shown; ++i)
        for (int j = 0; j < m_tree->topLevelItem(i)->childCount() && !shown; ++j)
            shown = Bytes(m_tree->topLevelItem(i)->child(j)->text(0)) == formula->name;
    m_filter.category = LoadedItemCategory(m_filter.category, formula->category, shown);
    m_formula = formula->name;
    m_formulaCategory = formula->category;
    const CWorkingItem kept = m_working;
    FillCategories();
    FillTree();
    m_working = kept;
    m_quick->setCurrentIndex(entry);
    ShowItem();
    return true;
}

void CFormulaWindow::FillProfiles()
{
    const CProfileEntries entries = ProfileEntries(App().Profiles());
    m_profile->clear();
    for (const std::string& entry : entries.entries)
        m_profile->addItem(Qs(entry));
    m_profile->setCurrentIndex(entries.current);
}

void CFormulaWindow::ChooseProfile(int entry)
{
    const CProfileEntries entries = ProfileEntries(App().Profiles());
    if (entry < 0 || entry >= static_cast<int>(entries.profiles.size()))
        return;
    CProfile* profile = entries.profiles[static_cast<std::size_t>(entry)];
    App().Profiles().current = profile;
    App().Settings().CurrentProfile = profile->name;
    App().Settings().CurrentProfileType = profile->type;
    ShowItem();
    App().ProfilesChanged(this);
}

void CFormulaWindow::ShowEfficiencyLevels()
{
    auto* guide = findChild<CEfficiencyGuideWindow*>();
    if (!guide)
    {
        guide = new CEfficiencyGuideWindow(App(), this);
        // A click on another resource row while the guide is open shows that resource.
        connect(m_resources, &QTableWidget::cellClicked, guide,
                [this](int row, int)
                {
                    if (row >= 1)
                        RefreshEfficiencyGuide(m_resources->TextMatrix(row, 0));
                });
    }
    const int row = std::max(m_resources->currentRow(), 1);
    guide->show();
    RefreshEfficiencyGuide(row < m_resources->Rows() ? m_resources->TextMatrix(row, 0)
                                                     : std::string());
    guide->raise();
}

void CFormulaWindow::RefreshEfficiencyGuide(const std::string& name)
{
    auto* guide = findChild<CEfficiencyGuideWindow*>();
    if (!guide || !guide->isVisible())
        return;
    // Without a name the guide keeps its resource, or takes the first row's when the item
    // no longer needs it.
    const std::string first =
        m_resources->Rows() > 1 ? m_resources->TextMatrix(1, 0) : std::string();
    const CGameDatabase& db = App().Database();
    guide->ShowFor(db, m_formula.empty() ? nullptr : WorkingTier(db, m_working),
                   m_working.item.techniques, App().Profiles().current,
                   name.empty() ? guide->ResourceName() : name, first);
}

void CFormulaWindow::SetExpandMode(EExpandMode mode)
{
    App().Settings().ExpandFormulaMode = static_cast<int>(mode);
    CheckMenus();
}

void CFormulaWindow::SetBreakdownMode(EBreakdownMode mode)
{
    App().Settings().ShowResourceMode = mode;
    CheckMenus();
    const CWorkingItem kept = m_working;
    FillTree();
    m_working = kept;
    if (!m_formula.empty())
        ShowItem();
}

void CFormulaWindow::SetResourceRows(int rows)
{
    App().Settings().ItemResourceSize = rows;
    CheckMenus();
    LayoutResourceGrid();
}

void CFormulaWindow::ToggleAutoShrink()
{
    App().Settings().AutoShrink = !App().Settings().AutoShrink;
    CheckMenus();
    LayoutResourceGrid();
}

void CFormulaWindow::EditCurrentSkill(int row, int col)
{
    if (col != 6 || row < 1 || !CanEditCurrentSkill(App().Profiles().current))
        return;
    m_editRow = row;
    m_skillEdit->setGeometry(m_resources->visualRect(m_resources->model()->index(row, col)));
    m_skillEdit->setText(Qs(m_resources->TextMatrix(row, col)));
    m_skillEdit->selectAll();
    m_skillEdit->show();
    m_skillEdit->setFocus();
}

void CFormulaWindow::CommitCurrentSkill()
{
    const int row = m_editRow;
    m_skillEdit->hide();
    if (row < 1 || row >= m_resources->Rows())
        return;
    const std::string text = Bytes(m_skillEdit->text());
    if (!SetCurrentSkill(App().Profiles().current, m_resources->TextMatrix(row, 3), text))
        return;
    ShowItem();
    App().ProfilesChanged(this);
}

void CFormulaWindow::SetTechniqueFilter(const CTechnique* technique)
{
    m_filter.name.clear();
    m_filter.classCode.clear();
    m_filter.race.clear();
    m_filter.technique = technique;
    m_filter.category = std::string(Messages::CategoryCustom);
    m_formula.clear();
    m_working.inOrder = false;
    RefreshAll();
}

bool CFormulaWindow::AttachTechniqueTier(const COrderTechnique& technique)
{
    const std::string message =
        AttachTechnique(App().Database(), m_working, App().Order(), technique);
    if (!message.empty())
    {
        App().Prompter().Warn(message);
        return false;
    }
    ShowItem();
    ItemEdited(Messages::EditAddTechnique);
    return true;
}

QByteArray CFormulaWindow::DragItem() const
{
    // The item the browser holds: the dragged formula, selected by the press that began it.
    const QTreeWidgetItem* current = m_tree->currentItem();
    if (!current || current->data(0, DepthRole).toInt() < 2 || m_working.item.formula.empty())
        return {};
    return QByteArray::fromStdString(DragItemText(m_working.item));
}

void CFormulaWindow::ApplyQuickFilter()
{
    const std::string text = Bytes(m_quickFilter->text());
    const CGameDatabase& db = App().Database();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* top = m_tree->topLevelItem(i);
        const std::string category = Bytes(top->data(0, CategoryRole).toString());
        int shown = 0;
        for (int j = 0; j < top->childCount(); ++j)
        {
            QTreeWidgetItem* child = top->child(j);
            const CFormula* formula = db.FindFormula(category, Bytes(child->text(0)));
            const bool match = !formula || QuickFilterMatches(*formula, text);
            child->setHidden(!match);
            shown += match ? 1 : 0;
        }
        top->setHidden(shown == 0 && top->childCount() > 0);
        if (!text.empty() && shown > 0)
            top->setExpanded(true);
    }
}
