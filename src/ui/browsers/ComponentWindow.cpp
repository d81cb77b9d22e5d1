#include "ui/browsers/ComponentWindow.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Theme.h"
#include "browsers/ComponentRows.h"
#include "database/GameDatabase.h"
#include "database/Links.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/GridWidget.h"
#include "ui/widgets/ThemedTree.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace
{
constexpr int IndexRole = Qt::UserRole; // a component item's position in the list; -1 for a type

CGridWidget* MakeListGrid(QWidget* parent, int cols, std::string_view header)
{
    auto* grid = new CGridWidget(parent);
    grid->SetCols(cols);
    grid->SetBackColourKey("GRID_LISTBACKCOLOUR");
    SetGridHeader(*grid, header);
    grid->FitColumns();
    return grid;
}
} // namespace

CComponentWindow::CComponentWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Components, PlacementNameOf(EToolWindow::Components), parent)
{
    setWindowTitle(Qs(Messages::ComponentWindowTitle));
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMinimumSize(400, 450);
    AddStandardMenus(std::string(Messages::ComponentHelp), std::string(LinkKeys::ComponentWindow));

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(splitter);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    leftLayout->addWidget(new QLabel(Qs(Messages::ComponentTypesLabel), left));
    m_tree = new CThemedTree(left);
    m_tree->setHeaderHidden(true);
    leftLayout->addWidget(m_tree, 1);
    m_found = new QLabel(left);
    leftLayout->addWidget(m_found);

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(4, 4, 4, 4);
    m_details = new CGridWidget(right);
    m_details->SetCols(2);
    m_details->SetFixedRows(0);
    m_details->SetRows(0);
    m_details->SetColWidth(0, TwipsToPixels(1150));
    m_details->horizontalHeader()->setStretchLastSection(true);
    m_details->setWordWrap(true);
    m_details->SetBackColourKey("GRID_INFOBACKCOLOUR");
    rightLayout->addWidget(m_details, 3);
    m_locations = MakeListGrid(right, 1, Messages::LocationsHeader);
    rightLayout->addWidget(m_locations, 1);
    m_usesLabel = new QLabel(right);
    rightLayout->addWidget(m_usesLabel);
    m_uses = MakeListGrid(right, 4, Messages::UsesHeader);
    m_uses->SetColWidth(0, TwipsToPixels(2200));
    m_uses->SetColWidth(1, TwipsToPixels(1300));
    m_uses->SetColWidth(2, TwipsToPixels(900));
    rightLayout->addWidget(m_uses, 2);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);

    connect(m_uses, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenUse(row); });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnTreeSelection(current); });

    resize(640, 600);
    RefreshAll();
}

CComponentWindow::~CComponentWindow() = default;

void CComponentWindow::OpenUse(int row)
{
    if (row < 1 || static_cast<std::size_t>(row) > m_shownUses.size())
        return;
    auto* toolbar = qobject_cast<CToolbarWindow*>(parentWidget());
    if (!toolbar)
        return;
    auto* formulae = qobject_cast<CFormulaWindow*>(toolbar->Window(EToolWindow::Formulae));
    if (!formulae)
        return;
    const CComponentUse& use = m_shownUses[static_cast<std::size_t>(row) - 1];
    const std::string formula = use.formula->name;
    const std::string category = use.formula->category;
    const std::string tier = use.tier->name;
    toolbar->ShowWindow(EToolWindow::Formulae);
    formulae->ApplyNameFilter(formula);
    // The name search also shows formulae whose names hold this one; take the exact one.
    QTreeWidget& tree = *formulae->Tree();
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        for (int j = 0; j < tree.topLevelItem(i)->childCount(); ++j)
        {
            QTreeWidgetItem* item = tree.topLevelItem(i)->child(j);
            if (Bytes(item->text(0)) != formula)
                continue;
            tree.setCurrentItem(item);
            if (formulae->Working().item.category != category)
                continue;
            const CGridWidget& tiers = *formulae->TiersGrid();
            for (int r = 1; r < tiers.Rows(); ++r)
                if (tiers.TextMatrix(r, 0) == tier)
                    formulae->ChooseTierRow(r);
            return;
        }
}

void CComponentWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    const CTheme& theme = App().Theme();
    m_tree->ApplyTheme(theme);
    for (CGridWidget* grid : {m_details, m_locations, m_uses})
        grid->ApplyTheme(theme);
}

void CComponentWindow::RefreshAll()
{
    ApplyTheme();
    const std::string shown = m_currentName;
    FillTree();
    if (shown.empty() || !SelectComponent(shown))
        Clear();
}

void CComponentWindow::DatabaseReloaded()
{
    // The index points into the records that were just freed.
    m_usesIndex.reset();
    const std::string shown = m_currentName;
    m_current = -1;
    FillTree();
    if (shown.empty() || !SelectComponent(shown))
        Clear();
}

void CComponentWindow::FillTree()
{
    const CComponentTree tree = BuildComponentTree(App().Database());
    m_refilling = true;
    m_tree->clear();
    for (const CComponentTypeEntry& type : tree.types)
    {
        auto* top = new QTreeWidgetItem(m_tree, {Qs(type.label)});
        top->setData(0, IndexRole, -1);
        m_tree->ColourItem(top, CThemedTree::ELevel::Level1);
        for (const std::size_t index : type.components)
        {
            auto* child = new QTreeWidgetItem(top, {Qs(App().Database().components[index]->name)});
            child->setData(0, IndexRole, static_cast<qlonglong>(index));
            m_tree->ColourItem(child, CThemedTree::ELevel::Level2);
        }
    }
    m_found->setText(Qs(tree.foundText));
    m_refilling = false;
}

bool CComponentWindow::SelectComponent(const std::string& name)
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
    {
        QTreeWidgetItem* top = m_tree->topLevelItem(i);
        for (int j = 0; j < top->childCount(); ++j)
            if (Bytes(top->child(j)->text(0)) == name)
            {
                top->setExpanded(true);
                m_tree->setCurrentItem(top->child(j));
                m_tree->scrollToItem(top->child(j));
                // Selecting the item already current shows nothing new.
                ShowComponent(
                    static_cast<std::size_t>(top->child(j)->data(0, IndexRole).toLongLong()));
                return true;
            }
    }
    return false;
}

const CComponent* CComponentWindow::Current()
{
    const auto& components = App().Database().components;
    if (m_current < 0 || static_cast<std::size_t>(m_current) >= components.size())
        return nullptr;
    return components[static_cast<std::size_t>(m_current)].get();
}

void CComponentWindow::OnTreeSelection(QTreeWidgetItem* item)
{
    if (m_refilling || !item)
        return;
    const qlonglong index = item->data(0, IndexRole).toLongLong();
    if (index < 0)
    {
        item->setExpanded(true);
        Clear();
        return;
    }
    ShowComponent(static_cast<std::size_t>(index));
}

void CComponentWindow::ShowComponent(std::size_t index)
{
    const CGameDatabase& db = App().Database();
    if (index >= db.components.size())
    {
        Clear();
        return;
    }
    m_current = static_cast<long>(index);
    const CComponent& component = *db.components[index];
    m_currentName = component.name;
    const CTheme& theme = App().Theme();
    ShowBrowserRows(*m_details, ComponentDetailRows(component), theme);
    // Labels on one line; the values wrap.
    m_details->SetColWidth(0, std::max(TwipsToPixels(1150), m_details->ContentWidth(0)));
    m_details->resizeRowsToContents();
    ShowBrowserRows(*m_locations, LocationRows(component), theme);
    if (!m_usesIndex)
        m_usesIndex = std::make_unique<CComponentUses>(db);
    m_shownUses = m_usesIndex->UsesOf(component.name);
    m_usesLabel->setText(Qs(Format(Messages::UsesFound, static_cast<int>(m_shownUses.size()))));
    ShowBrowserRows(*m_uses, UseRows(m_shownUses), theme);
    for (CGridWidget* grid : {m_details, m_locations, m_uses})
        grid->setEnabled(true);
}

void CComponentWindow::Clear()
{
    m_current = -1;
    m_currentName.clear();
    m_shownUses.clear();
    const CTheme& theme = App().Theme();
    m_details->ClearRows();
    m_details->SetRows(0);
    ShowBrowserRows(*m_locations, {{std::string(Messages::GridNone), BrowserRowKind::Plain}},
                    theme);
    ShowBrowserRows(*m_uses, {{std::string(Messages::GridNone), BrowserRowKind::Resource}}, theme);
    m_usesLabel->setText(Qs(Format(Messages::UsesFound, 0)));
    for (CGridWidget* grid : {m_details, m_locations, m_uses})
        grid->setEnabled(false);
}
