#include "ui/browsers/ComponentWindow.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Theme.h"
#include "browsers/ComponentRows.h"
#include "database/GameDatabase.h"
#include "database/Links.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/ThemedTree.h"
#include "ui/widgets/TreeModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace
{
CBrowserGrid* MakeListGrid(QWidget* parent, int cols, std::string_view header)
{
    auto* grid = new CBrowserGrid(parent, cols, header);
    grid->SetBackColourKey("GRID_LISTBACKCOLOUR");
    grid->FitColumns();
    return grid;
}
} // namespace

CComponentWindow::CComponentWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Components, PlacementNameOf(EToolWindow::Components), parent)
{
    setWindowTitle(Tr(Messages::ComponentWindowTitle));
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setMinimumSize(400, 450);
    AddStandardMenus(std::string(Messages::ComponentHelp), std::string(LinkKeys::ComponentWindow));

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    setCentralWidget(splitter);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 4, 4);
    auto* typesLabel = new QLabel(Tr(Messages::ComponentTypesLabel), left);
    leftLayout->addWidget(typesLabel);
    m_tree = new CThemedTree(left);
    typesLabel->setBuddy(m_tree);
    m_tree->setAccessibleName(typesLabel->text()); // item views take no name from their buddy
    m_treeModel = new CTreeModel({}, this);
    m_tree->setModel(m_treeModel);
    leftLayout->addWidget(m_tree, 1);
    m_found = new QLabel(left);
    m_found->setTextFormat(Qt::PlainText);
    leftLayout->addWidget(m_found);

    auto* right = new QWidget(splitter);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(4, 4, 4, 4);
    m_details = new CBrowserGrid(right, 2);
    m_details->setColumnWidth(0, TwipsToPixels(1150));
    m_details->horizontalHeader()->setStretchLastSection(true);
    m_details->setWordWrap(true);
    m_details->SetBackColourKey("GRID_INFOBACKCOLOUR");
    m_details->setAccessibleName(QStringLiteral("Component Details"));
    rightLayout->addWidget(m_details, 3);
    m_locations = MakeListGrid(right, 1, Messages::LocationsHeader);
    m_locations->setAccessibleName(QStringLiteral("Locations"));
    rightLayout->addWidget(m_locations, 1);
    m_usesLabel = new QLabel(right);
    m_usesLabel->setTextFormat(Qt::PlainText);
    rightLayout->addWidget(m_usesLabel);
    m_uses = MakeListGrid(right, 4, Messages::UsesHeader);
    m_usesLabel->setBuddy(m_uses);
    m_uses->setAccessibleName(QStringLiteral("Uses"));
    m_uses->setColumnWidth(0, TwipsToPixels(2200));
    m_uses->setColumnWidth(1, TwipsToPixels(1300));
    m_uses->setColumnWidth(2, TwipsToPixels(900));
    rightLayout->addWidget(m_uses, 2);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);

    connect(m_uses, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& cell) { OpenUse(cell.row()); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnTreeSelection(current); });

    resize(640, 600);
    RefreshAll();
}

CComponentWindow::~CComponentWindow() = default;

void CComponentWindow::OpenUse(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_shownUses.size())
        return;
    const CComponentUse& use = m_shownUses[static_cast<std::size_t>(row)];
    const std::string formula = use.formula->name;
    const std::string category = use.formula->category;
    const std::string tier = use.tier->name;
    Q_EMIT App().Bus().ShowWindowRequested(EToolWindow::Formulae);
    Q_EMIT App().Bus().ShowFormulaRequested(formula, category, tier);
}

void CComponentWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    const CTheme& theme = App().Theme();
    m_tree->ApplyTheme(theme);
    for (CBrowserGrid* grid : {m_details, m_locations, m_uses})
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
    m_current = nullptr;
    FillTree();
    if (shown.empty() || !SelectComponent(shown))
        Clear();
}

void CComponentWindow::FillTree()
{
    const CComponentTree tree = BuildComponentTree(App().Database());
    const auto& components = App().Database().Components();
    std::vector<CTreeModel::CNode> nodes;
    for (const CComponentTypeEntry& type : tree.types)
    {
        const int top = static_cast<int>(nodes.size());
        nodes.push_back({Qs(type.label), -1, CTreeModel::ELevel::Level1});
        for (const std::size_t index : type.components)
            nodes.push_back({Qs(components[index]->name), -1, CTreeModel::ELevel::Level2,
                             static_cast<const CComponent*>(components[index].get()), top});
    }
    m_treeModel->SetNodes(std::move(nodes));
    m_shownNode = -1;
    m_found->setText(Qs(tree.foundText));
}

bool CComponentWindow::SelectComponent(const std::string& name)
{
    for (int node = 0; node < m_treeModel->NodeCount(); ++node)
    {
        const CComponent* const* component = m_treeModel->Record<const CComponent*>(node);
        if (!component || (*component)->name != name)
            continue;
        const QModelIndex entry = m_treeModel->IndexOf(node);
        m_tree->expand(entry.parent());
        // Shown here, whether or not the entry was current already.
        m_shownNode = node;
        m_tree->setCurrentIndex(entry);
        m_tree->scrollTo(entry);
        ShowComponent(**component);
        return true;
    }
    return false;
}

const CComponent* CComponentWindow::Current()
{
    return m_current;
}

void CComponentWindow::OnTreeSelection(const QModelIndex& current)
{
    const int node = m_treeModel->NodeOf(current);
    if (node < 0 || node == m_shownNode)
        return;
    m_shownNode = node;
    if (const CComponent* const* component = m_treeModel->Record<const CComponent*>(node))
        ShowComponent(**component);
    else
    {
        m_tree->expand(current);
        Clear();
    }
}

void CComponentWindow::ShowComponent(const CComponent& component)
{
    const CGameDatabase& db = App().Database();
    m_current = &component;
    m_currentName = component.name;
    m_details->ShowRows(ComponentDetailRows(component));
    // Labels on one line; the values wrap.
    m_details->setColumnWidth(0, std::max(TwipsToPixels(1150), m_details->ContentWidth(0)));
    m_details->resizeRowsToContents();
    m_locations->ShowRows(LocationRows(component));
    if (!m_usesIndex)
        m_usesIndex = std::make_unique<CComponentUses>(db);
    m_shownUses = m_usesIndex->UsesOf(component.name);
    m_usesLabel->setText(TrFormat(Messages::UsesFound, static_cast<int>(m_shownUses.size())));
    m_uses->ShowRows(UseRows(m_shownUses));
    for (CBrowserGrid* grid : {m_details, m_locations, m_uses})
        grid->setEnabled(true);
}

void CComponentWindow::Clear()
{
    m_current = nullptr;
    m_currentName.clear();
    m_shownUses.clear();
    m_details->ShowRows({});
    m_locations->ShowRows(NoneRow(EBrowserRow::Plain));
    m_uses->ShowRows(NoneRow(EBrowserRow::Resource));
    m_usesLabel->setText(TrFormat(Messages::UsesFound, 0));
    for (CBrowserGrid* grid : {m_details, m_locations, m_uses})
        grid->setEnabled(false);
}
