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
#include "ui/widgets/GridWidget.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
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
    return right;
}

QWidget* CFormulaWindow::BuildResourceGrid(QWidget* client)
{
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
    return m_resources;
}

QLayout* CFormulaWindow::BuildButtonRow(QWidget* client)
{
    auto* bottom = new QHBoxLayout;
    m_levels = new QPushButton(QStringLiteral("Display Effiency Levels"), client);
    m_add = new QPushButton(Qs(Messages::AddItem), client);
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
