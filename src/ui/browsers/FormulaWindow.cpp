#include "ui/browsers/FormulaWindow.h"

#include "base/Messages.h"
#include "base/Theme.h"
#include "database/Links.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/CategoryBrowser.h"
#include "ui/shell/AppContext.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/CategoryBrowser.h"
#include "ui/widgets/ThemedTree.h"

#include <QActionGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

// The formula browser's frame: its layout, menus and modes, and what it hears from the
// other windows.

namespace
{
constexpr const char* ExpandTexts[] = {QT_TRANSLATE_NOOP("CFormulaWindow", "Off"),
                                        QT_TRANSLATE_NOOP("CFormulaWindow", "Current Category"),
                                        QT_TRANSLATE_NOOP("CFormulaWindow", "All Categories")};
constexpr const char* BreakdownTexts[] = {QT_TRANSLATE_NOOP("CFormulaWindow", "Show Formula Resource"),
                                           QT_TRANSLATE_NOOP("CFormulaWindow", "Show Sub-Formulae"),
                                           QT_TRANSLATE_NOOP("CFormulaWindow", "Show Base Resource")};
constexpr int RowChoices[] = {4, 8, 12, 16};
} // namespace

CFormulaWindow::CFormulaWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Formulae, PlacementNameOf(EToolWindow::Formulae), parent)
{
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMinimumSize(400, 550);
    setMaximumSize(800, 1280);
    BuildMenus();

    // The tree column on the left, the item on the right, the resources and the buttons
    // below over the whole width.
    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QGridLayout(client);
    layout->addWidget(BuildTreeColumn(client), 0, 0, 2, 1);
    layout->addLayout(BuildItemColumn(client), 0, 1);
    layout->setColumnStretch(0, 4);
    layout->setColumnStretch(1, 6);
    layout->addWidget(BuildResourceGrid(client), 2, 0, 1, 2);
    layout->addLayout(BuildButtonRow(client), 3, 0, 1, 2);
    layout->setRowStretch(1, 1);
    ConnectControls();
    ConnectWindowBus();

    // A search's "Custom" is not kept over a restart: its filter is gone.
    m_filter.category = FormulaCategoryShown(App().Settings().LastFormulaCategory);
    m_order = FormulaOrder(App().Database());
    resize(560, 700);
    RefreshAll();
}

void CFormulaWindow::DatabaseReloaded()
{
    m_order = FormulaOrder(App().Database());
    RefreshAll();
}

CFormulaWindow::~CFormulaWindow()
{
    App().Bus().WithdrawWorking(&m_working);
}

void CFormulaWindow::ConnectControls()
{
    connect(m_browser, &CCategoryBrowser::CategoryChosen, this, &CFormulaWindow::OnCategoryClicked);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnTreeSelection(current); });
    connect(m_tiers, &QAbstractItemView::clicked, this, [this](const QModelIndex& cell) { ChooseTierRow(cell.row()); });
    connect(m_removeTechnique, &QPushButton::clicked, this,
            &CFormulaWindow::RemoveSelectedTechnique);
    connect(m_add, &QPushButton::clicked, this, &CFormulaWindow::AddOrIncreaseItem);
    connect(m_levels, &QPushButton::clicked, this, &CFormulaWindow::ShowEfficiencyLevels);
    connect(m_resources, &QAbstractItemView::doubleClicked, this, &CFormulaWindow::EditCurrentSkill);
    m_skillEdit = new QLineEdit(m_resources->viewport());
    m_skillEdit->hide();
    m_skillEdit->setAccessibleName(QStringLiteral("Current Skill"));
    connect(m_skillEdit, &QLineEdit::returnPressed, this, &CFormulaWindow::CommitCurrentSkill);
    // Leaving the editor or scrolling the grid drops the edit.
    connect(m_skillEdit, &QLineEdit::editingFinished, m_skillEdit, &QLineEdit::hide);
    connect(m_resources->verticalScrollBar(), &QScrollBar::valueChanged, m_skillEdit,
            &QLineEdit::hide);
    connect(m_resources->horizontalScrollBar(), &QScrollBar::valueChanged, m_skillEdit,
            &QLineEdit::hide);
    connect(m_quick, &QComboBox::activated, this, &CFormulaWindow::PickQuickItem);
    connect(m_profile, &QComboBox::activated, this, &CFormulaWindow::ChooseProfile);
}

void CFormulaWindow::ConnectWindowBus()
{
    CWindowBus& bus = App().Bus();
    // Efficiencies follow the profile manager's edits at once.
    connect(&bus, &CWindowBus::ProfilesChanged, this,
            [this](const void* from)
            {
                if (from == this)
                    return;
                FillProfiles();
                if (!m_formula.empty())
                    ShowItem();
            });
    // The other windows see the item through the bus, and ask this window for their commands.
    bus.PublishWorking(&m_working);
    connect(this, &CFormulaWindow::WorkingItemChanged, &bus, &CWindowBus::WorkingItemChanged);
    connect(&bus, &CWindowBus::OrderItemPicked, this,
            [this](int id)
            {
                if (isVisible())
                    ShowOrderItem(id);
            });
    connect(&bus, &CWindowBus::ShowFormulaRequested, this, &CFormulaWindow::ShowFormula);
    connect(&bus, &CWindowBus::FilterByTechniqueRequested, this, &CFormulaWindow::SetTechniqueFilter);
    connect(&bus, &CWindowBus::AttachTechniqueRequested, this,
            [this](const COrderTechnique& technique, bool* attached) { *attached = AttachTechniqueTier(technique); });
}

void CFormulaWindow::BuildMenus()
{
    CSettings& settings = App().Settings();
    QMenu* options = menuBar()->addMenu(tr("Options"));

    QMenu* expand = options->addMenu(tr("AutoExpand"));
    auto* expandGroup = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
    {
        QAction* action = expand->addAction(tr(ExpandTexts[mode]));
        action->setCheckable(true);
        expandGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetExpandMode(static_cast<EExpandMode>(mode)); });
        m_expandActions[static_cast<std::size_t>(mode)] = action;
    }

    QMenu* breakdown = options->addMenu(tr("Resource Breakdown"));
    auto* breakdownGroup = new QActionGroup(this);
    for (int mode = 0; mode < 3; ++mode)
    {
        QAction* action = breakdown->addAction(tr(BreakdownTexts[mode]));
        action->setCheckable(true);
        breakdownGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode] { SetBreakdownMode(static_cast<EBreakdownMode>(mode)); });
        m_breakdownActions[static_cast<std::size_t>(mode)] = action;
    }

    QMenu* grid = options->addMenu(tr("Resource Grid"));
    m_autoShrinkAction = grid->addAction(tr("Autoshrink"));
    m_autoShrinkAction->setCheckable(true);
    connect(m_autoShrinkAction, &QAction::triggered, this, &CFormulaWindow::ToggleAutoShrink);
    grid->addSeparator();
    auto* rowGroup = new QActionGroup(this);
    for (std::size_t i = 0; i < m_rowActions.size(); ++i)
    {
        const int rows = RowChoices[i];
        QAction* action = grid->addAction(tr("Set To %1 Rows").arg(rows));
        action->setCheckable(true);
        rowGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, rows] { SetResourceRows(rows); });
        m_rowActions[i] = action;
    }

    QMenu* search = options->addMenu(tr("Search"));
    connect(search->addAction(tr("By Name...")), &QAction::triggered, this,
            &CFormulaWindow::SearchByName);
    connect(search->addAction(tr("By Class...")), &QAction::triggered, this,
            &CFormulaWindow::SearchByClass);

    AddStandardMenus(QT_TRANSLATE_NOOP("Messages", "Help With Formulae"), std::string(LinkKeys::FormulaWindow));
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
    m_browser->ApplyTheme(theme);
    for (CBrowserGrid* grid : {m_details, m_tiers, m_techniques, m_resources})
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
