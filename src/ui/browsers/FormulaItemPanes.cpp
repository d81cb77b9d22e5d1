#include "ui/browsers/FormulaWindow.h"

#include "base/Messages.h"
#include "base/Theme.h"
#include "browsers/DetailRows.h"
#include "browsers/ResourceRows.h"
#include "browsers/TierChecks.h"
#include "database/GameDatabase.h"
#include "profile/Profile.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/EfficiencyGuideWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/GridModel.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"
#include "ui/widgets/TreeModel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

// The formula browser's item: its details, tiers, techniques and resources, the widths and
// heights of those grids, the efficiency guide and the "Cur Skill" editor.

namespace
{
// The count of data rows the resource grid shows.
int ResourceGridExtra(int dataRows, int setting, bool autoShrink)
{
    if (!autoShrink)
        return setting - 4;
    return std::clamp(dataRows - 4, -2, setting - 4);
}
} // namespace

QLayout* CFormulaWindow::BuildItemColumn(QWidget* client)
{
    auto* right = new QGridLayout;
    m_details = new CBrowserGrid(client, 2);
    m_details->setColumnWidth(0, TwipsToPixels(1150));
    m_details->setColumnWidth(1, TwipsToPixels(2700));
    m_details->SetBackColourKey("GRID_INFOBACKCOLOUR");
    // A steady width for the wrapped values, whatever their count.
    m_details->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_details->setAccessibleName(QStringLiteral("Formula Details"));
    right->addWidget(m_details, 0, 0, 1, 2);
    m_tiers = new CBrowserGrid(client, 1, QT_TRANSLATE_NOOP("Messages", "^Tiers"));
    m_tiers->setColumnWidth(0, TwipsToPixels(1700));
    m_tiers->SetBackColourKey("GRID_LISTBACKCOLOUR");
    m_tiers->setAccessibleName(QStringLiteral("Tiers"));
    right->addWidget(m_tiers, 1, 0, 2, 1, Qt::AlignTop);
    m_techniques = new CBrowserGrid(client, 1, QT_TRANSLATE_NOOP("Messages", "^Techniques"));
    m_techniques->setColumnWidth(0, TwipsToPixels(2420));
    m_techniques->SetBackColourKey("GRID_LISTBACKCOLOUR");
    m_techniques->setAccessibleName(QStringLiteral("Techniques"));
    m_tiers->FitColumns();
    m_techniques->FitColumns();
    right->addWidget(m_techniques, 1, 1);
    m_removeTechnique = new QPushButton(tr("Remove Technique"), client);
    right->addWidget(m_removeTechnique, 2, 1);
    auto* combos = new QGridLayout;
    m_quick = new QComboBox(client);
    m_profile = new QComboBox(client);
    auto* quickLabel = new QLabel(tr("Quick Item"), client);
    quickLabel->setBuddy(m_quick);
    combos->addWidget(quickLabel, 0, 0);
    combos->addWidget(m_quick, 0, 1);
    auto* profileLabel = new QLabel(tr("Profile"), client);
    profileLabel->setBuddy(m_profile);
    combos->addWidget(profileLabel, 1, 0);
    combos->addWidget(m_profile, 1, 1);
    combos->setColumnStretch(1, 1);
    right->addLayout(combos, 3, 0, 1, 2);
    right->setRowStretch(0, 1);
    return right;
}

QWidget* CFormulaWindow::BuildResourceGrid(QWidget* client)
{
    m_resources = new CBrowserGrid(client, ResourceColumns, QT_TRANSLATE_NOOP("Messages", "<Resource|^Effiency|^Need|^Skill Used|^Min|^Opt|^Cur Skill"));
    const int widths[] = {1870, 1000, 700, 1400, 700, 700, 700};
    for (int col = 0; col < ResourceColumns; ++col)
        m_resources->setColumnWidth(col, TwipsToPixels(widths[col]));
    m_resources->setWordWrap(false);
    m_resources->setAccessibleName(QStringLiteral("Resources"));
    // A steady view width for sharing out the columns, however many rows there are.
    m_resources->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return m_resources;
}

QLayout* CFormulaWindow::BuildButtonRow(QWidget* client)
{
    auto* bottom = new QHBoxLayout;
    m_levels = new QPushButton(tr("Display Effiency Levels"), client);
    m_add = new QPushButton(Tr(Messages::AddItem), client);
    bottom->addWidget(m_levels);
    bottom->addStretch(1);
    bottom->addWidget(m_add);
    return bottom;
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
    for (CBrowserGrid* grid : {m_details, m_tiers, m_techniques, m_resources})
        grid->setEnabled(true);
    m_add->setEnabled(true);
    m_levels->setEnabled(true);
    m_add->setText(Tr(AddButtonCaption(m_working)));

    LayoutColumns();
    m_details->ShowRows(DetailRows(db, *formula, *tier, m_working.item.techniques), true);
    FillTiers();
    FillTechniques();

    // The sub-formula branch hangs under the formula's own entry.
    if (BreakdownModeOf(App().Settings().ShowResourceMode) == BreakdownSubcomponents)
    {
        int node = CurrentNode();
        while (node >= 0 && m_treeModel->Depth(node) > 2)
            node = m_treeModel->Node(node).parent;
        const std::string builtFor = formula->category + "\n" + formula->name + "\n" + tier->name;
        if (node >= 0 && m_treeModel->Depth(node) == 2 && (node != m_branchNode || builtFor != m_branchFor))
            ShowSubFormulae(node, *tier, builtFor);
    }
    FillResources();
    Q_EMIT WorkingItemChanged();
}

void CFormulaWindow::FillTiers()
{
    const CGameDatabase& db = App().Database();
    const CFormula* formula = db.FindFormula(m_working.item.category, m_working.item.formula);
    CTierGrid grid = TierGrid(formula, m_working.item.tierName);
    m_tiers->ShowRows(std::move(grid.rows));
    LayoutResourceGrid();
    if (grid.selected >= 0)
        m_tiers->setCurrentIndex(m_tiers->model()->index(grid.selected, 0));
}

void CFormulaWindow::FillTechniques()
{
    CBrowserRows rows = TechniqueRows(App().Database(), m_working);
    m_removeTechnique->setEnabled(rows != NoneRow(EBrowserRow::Technique));
    m_techniques->ShowRows(std::move(rows));
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
        rows = NoneRow(EBrowserRow::Resource);
    m_resources->ShowRows(std::move(rows));
    LayoutColumns();
    if (m_resources->model()->rowCount() > 0)
        m_resources->setCurrentIndex(m_resources->model()->index(0, 0));
    LayoutResourceGrid();
    RefreshEfficiencyGuide();
}

void CFormulaWindow::Clear()
{
    m_details->ShowRows({});
    m_resources->ShowRows(NoneRow(EBrowserRow::Resource));
    m_tiers->ShowRows(NoneRow(EBrowserRow::TierNotAvailable));
    m_techniques->ShowRows(NoneRow(EBrowserRow::Technique));
    for (CBrowserGrid* grid : {m_details, m_tiers, m_techniques, m_resources})
        grid->setEnabled(false);
    m_add->setEnabled(false);
    m_add->setText(Tr(Messages::AddItem));
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

void CFormulaWindow::resizeEvent(QResizeEvent* event)
{
    CToolWindow::resizeEvent(event);
    LayoutColumns();
    // A window resized while hidden gets its resize before its layout has resized the grid:
    // once the layout has, the columns are shared out again.
    QTimer::singleShot(0, this, &CFormulaWindow::LayoutColumns);
}

void CFormulaWindow::LayoutColumns()
{
    // The label column is as wide as its longest label (the rows widen it).
    m_details->setColumnWidth(
        1, std::max(TwipsToPixels(2700), m_details->viewport()->width() - m_details->columnWidth(0)));
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
        m_resources->setColumnWidth(col, sized[col]);
    // The window widens (up to its limit) rather than hide a column's end.
    m_resources->setMinimumWidth(std::min(content + 2 * m_resources->frameWidth() +
                                              m_resources->verticalScrollBar()->sizeHint().width(),
                                          maximumWidth() - 40));
}

void CFormulaWindow::LayoutResourceGrid()
{
    // The tiers grid grows with its rows, between six and sixteen.
    const int tierRows = 7 + std::clamp(m_tiers->model()->rowCount() - 7, -1, 9);
    m_tiers->setFixedHeight(m_tiers->HeightForRows(tierRows));

    const CSettings& settings = App().Settings();
    const int dataRows = 4 + ResourceGridExtra(m_resources->model()->rowCount(), settings.ItemResourceSize,
                                               settings.AutoShrink);
    m_resources->setFixedHeight(m_resources->HeightForRows(dataRows));
}

void CFormulaWindow::ShowEfficiencyLevels()
{
    auto* guide = findChild<CEfficiencyGuideWindow*>();
    if (!guide)
    {
        guide = new CEfficiencyGuideWindow(App(), this);
        // A click on another resource row while the guide is open shows that resource.
        connect(m_resources, &QAbstractItemView::clicked, guide,
                [this](const QModelIndex& cell) { RefreshEfficiencyGuide(ResourceNameOf(cell.row())); });
    }
    guide->show();
    RefreshEfficiencyGuide(ResourceNameOf(std::max(m_resources->currentIndex().row(), 0)));
    guide->raise();
}

void CFormulaWindow::RefreshEfficiencyGuide(const std::string& name)
{
    auto* guide = findChild<CEfficiencyGuideWindow*>();
    if (!guide || !guide->isVisible())
        return;
    // Without a name the guide keeps its resource, or takes the first row's when the item
    // no longer needs it.
    const std::string first = ResourceNameOf(0);
    const CGameDatabase& db = App().Database();
    guide->ShowFor(db, m_formula.empty() ? nullptr : WorkingTier(db, m_working),
                   m_working.item.techniques, App().Profiles().current,
                   name.empty() ? guide->ResourceName() : name, first);
}

std::string CFormulaWindow::ResourceNameOf(int row) const
{
    const CBrowserRow* shown = m_resources->Model()->Row(row);
    return shown ? shown->cells[ResourceName] : std::string();
}

void CFormulaWindow::EditCurrentSkill(const QModelIndex& cell)
{
    const CBrowserRow* row = m_resources->Model()->Row(cell.row());
    if (cell.column() != ResourceCurrentSkill || !row || row->cells.size() != ResourceColumns ||
        !CanEditCurrentSkill(App().Profiles().current))
        return;
    m_editRow = cell.row();
    m_skillEdit->setGeometry(m_resources->visualRect(cell));
    m_skillEdit->setText(Qs(row->cells[ResourceCurrentSkill]));
    m_skillEdit->selectAll();
    m_skillEdit->show();
    m_skillEdit->setFocus();
}

void CFormulaWindow::CommitCurrentSkill()
{
    const CBrowserRow* row = m_resources->Model()->Row(m_editRow);
    m_skillEdit->hide();
    if (!row || row->cells.size() != ResourceColumns)
        return;
    const std::string text = Bytes(m_skillEdit->text());
    if (!SetCurrentSkill(App().Profiles().current, row->cells[ResourceSkill], text))
        return;
    ShowItem();
    App().ProfilesChanged(this);
}
