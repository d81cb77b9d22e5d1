#include "ui/browsers/FormulaWindow.h"

#include "base/Messages.h"
#include "browsers/PastedList.h"
#include "browsers/QuickFilter.h"
#include "database/GameDatabase.h"
#include "ui/browsers/BrowserGrids.h"
#include "ui/browsers/CategoryBrowser.h"
#include "ui/order/OrderModel.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"
#include "ui/widgets/TreeModel.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>

// The formula browser's left column: the categories, the tree of formulae (with the
// sub-formula branch) and the searches that fill it.

// The filter as you type: a formula shows when the core's filter matches its record, a
// category when one of its formulae shows, a sub-formula with its formula.
class CFormulaFilterModel : public QSortFilterProxyModel
{
public:
    CFormulaFilterModel(CTreeModel& tree, QObject* parent) : QSortFilterProxyModel(parent), m_tree(tree)
    {
        setRecursiveFilteringEnabled(true);
        setAutoAcceptChildRows(true);
        setSourceModel(&tree);
    }

    void SetText(std::string_view text)
    {
        if (text == m_text)
            return;
        m_text = text;
        m_filter = CQuickFilter(text);
        invalidateRowsFilter();
    }
    bool Filtering() const { return !m_filter.Empty(); }
    // The categories' names and totals, top row by top row, for labels that follow the filter.
    void SetCategories(std::vector<std::pair<std::string, int>> categories) { m_categories = std::move(categories); }
    // The formulae the filter leaves.
    int Shown() const
    {
        int shown = 0;
        for (int row = 0; row < rowCount(); ++row)
            shown += rowCount(index(row, 0));
        return shown;
    }

    QVariant data(const QModelIndex& proxy, int role) const override
    {
        if (role == Qt::DisplayRole && Filtering() && proxy.isValid() && !proxy.parent().isValid())
        {
            const int row = mapToSource(proxy).row();
            if (row >= 0 && row < static_cast<int>(m_categories.size()))
            {
                const auto& [name, total] = m_categories[static_cast<std::size_t>(row)];
                return Qs(TreeCategoryLabel(name, rowCount(proxy), total));
            }
        }
        return QSortFilterProxyModel::data(proxy, role);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        if (m_filter.Empty())
            return true;
        const CFormula* const* formula = m_tree.Record<const CFormula*>(m_tree.NodeOf(m_tree.index(row, 0, parent)));
        return formula && m_filter.Matches(**formula);
    }

private:
    CTreeModel& m_tree;
    std::string m_text;
    CQuickFilter m_filter;
    std::vector<std::pair<std::string, int>> m_categories;
};

QWidget* CFormulaWindow::BuildTreeColumn(QWidget* client)
{
    m_browser = new CCategoryBrowser(client, QT_TRANSLATE_NOOP("Messages", "Available Categories"), true);
    m_tree = m_browser->Tree();
    m_tree->setAccessibleName(QStringLiteral("Formulae"));
    m_treeModel = new CTreeModel([this](int icon) { return App().Icon(icon); }, this);
    // A formula drags into the order window's groups as the browser's item.
    m_treeModel->SetDrag(QString::fromLatin1(COrderModel::ItemMimeType), [this](int) { return DragItem(); });
    m_filterModel = new CFormulaFilterModel(*m_treeModel, this);
    m_tree->setModel(m_filterModel);
    m_tree->setDragEnabled(true);
    m_tree->setDragDropMode(QAbstractItemView::DragOnly);
    connect(m_browser->Filter(), &QLineEdit::textChanged, this, &CFormulaWindow::ApplyQuickFilter);
    return m_browser;
}

CThemedTree* CFormulaWindow::Tree() const
{
    return m_tree;
}

QListView* CFormulaWindow::Categories() const
{
    return m_browser->Categories();
}

QLabel* CFormulaWindow::FoundLabel() const
{
    return m_browser->Found();
}

QLineEdit* CFormulaWindow::QuickFilterEdit() const
{
    return m_browser->Filter();
}

int CFormulaWindow::CurrentNode() const
{
    return m_treeModel->NodeOf(m_filterModel->mapToSource(m_tree->currentIndex()));
}

void CFormulaWindow::SetCurrentNode(int node)
{
    // The entry shown is not a choice to act on.
    m_shownNode = node;
    m_tree->setCurrentIndex(m_filterModel->mapFromSource(m_treeModel->IndexOf(node)));
}

void CFormulaWindow::FillCategories()
{
    const std::vector<std::string> entries = CategoryEntries(App().Database());
    const auto found = std::find(entries.begin(), entries.end(), m_filter.category);
    // A category the database no longer has opens on the first entry.
    const int selected = found == entries.end() ? 0 : static_cast<int>(found - entries.begin());
    m_filter.category = entries[static_cast<std::size_t>(selected)];
    App().Settings().LastFormulaCategory = m_filter.category;
    m_browser->SetCategories(entries, selected);
}

void CFormulaWindow::FillTree()
{
    m_tree->setIconSize(IconPixels(App().Icons()));
    const EExpandMode expandMode = ExpandModeOf(App().Settings().ExpandFormulaMode);
    const CFormulaTree tree = BuildFormulaTree(m_order, m_filter, m_formulaCategory, m_formula);
    std::vector<CTreeModel::CNode> nodes;
    int current = -1;
    std::vector<int> tops;
    for (std::size_t c = 0; c < tree.categories.size(); ++c)
    {
        const CTreeCategory& category = tree.categories[c];
        const int top = static_cast<int>(nodes.size());
        tops.push_back(top);
        nodes.push_back({Qs(category.label), category.iconIndex, CTreeModel::ELevel::Level1, category.name});
        for (std::size_t f = 0; f < category.formulae.size(); ++f)
        {
            const CFormula* formula = category.formulae[f].formula;
            if (static_cast<int>(c) == tree.currentCategory && static_cast<int>(f) == tree.currentFormula)
                current = static_cast<int>(nodes.size());
            nodes.push_back({Qs(formula->name), formula->iconIndex, CTreeModel::ELevel::Level2, formula, top});
        }
    }
    m_treeModel->SetNodes(std::move(nodes));
    std::vector<std::pair<std::string, int>> categories;
    for (const CTreeCategory& category : tree.categories)
        categories.emplace_back(category.name, category.total);
    m_filterModel->SetCategories(std::move(categories));
    m_foundText = tree.foundText;
    m_shownNode = -1;
    m_branchNode = -1;
    m_branchFor.clear();
    ApplyQuickFilter();
    if (expandMode == EExpandMode::AllCategories)
        m_tree->ExpandTop(true);
    if (current >= 0)
    {
        SetCurrentNode(current);
        if (expandMode != EExpandMode::Off)
            m_tree->scrollTo(m_tree->currentIndex());
    }
    else
    {
        if (!tops.empty())
        {
            if (expandMode != EExpandMode::Off)
                m_tree->expand(m_filterModel->mapFromSource(m_treeModel->IndexOf(tops.front())));
            SetCurrentNode(tops.front());
        }
        m_formula.clear();
        m_formulaCategory.clear();
        Clear();
    }
    ShowFound();
}

void CFormulaWindow::ShowFound()
{
    // What the quick filter leaves, while one is typed.
    m_browser->SetFound(m_filterModel->Filtering() ? FormulaeFoundText(m_filterModel->Shown(), m_filter) : m_foundText);
}

void CFormulaWindow::OnCategoryClicked(int row)
{
    const std::string category = m_browser->Category(row);
    if (row < 0 || category == m_filter.category)
        return;
    m_filter.category = category;
    App().Settings().LastFormulaCategory = m_filter.category;
    m_formula.clear();
    m_formulaCategory.clear();
    FillTree();
}

void CFormulaWindow::OnTreeSelection(const QModelIndex& current)
{
    const int node = m_treeModel->NodeOf(m_filterModel->mapToSource(current));
    if (node < 0 || node == m_shownNode)
        return;
    m_shownNode = node;
    m_quick->setCurrentIndex(0);
    m_working.inOrder = false;
    m_add->setText(Tr(AddButtonCaption(m_working)));
    const int depth = m_treeModel->Depth(node);
    if (depth == 1)
    {
        m_formula.clear();
        m_formulaCategory.clear();
        Clear();
        m_tree->expand(current);
        if (ExpandModeOf(App().Settings().ExpandFormulaMode) == EExpandMode::CurrentCategory)
            for (int row = 0; row < m_filterModel->rowCount(); ++row)
                if (row != current.row())
                    m_tree->collapse(m_filterModel->index(row, 0));
        return;
    }
    if (depth >= 3)
    {
        ShowItem();
        return;
    }
    const CFormula* formula = *m_treeModel->Record<const CFormula*>(node);
    if (formula->name == m_formula && m_working.item.formula == formula->name)
    {
        ShowItem();
        return;
    }
    m_formula = formula->name;
    m_formulaCategory = formula->category;
    StartWorkingItem(m_working, *formula);
    m_add->setText(Tr(AddButtonCaption(m_working)));
    ShowItem();
}

std::vector<std::string> CFormulaWindow::SelectedPath() const
{
    std::vector<std::string> path;
    for (int node = CurrentNode(); node >= 0 && m_treeModel->Depth(node) >= 3; node = m_treeModel->Node(node).parent)
        path.push_back(Bytes(m_treeModel->Node(node).label));
    return path;
}

void CFormulaWindow::ShowSubFormulae(int formulaNode, const CFormulaTier& tier, const std::string& builtFor)
{
    // An entry of the branch taken away leaves the formula's entry current.
    for (int node = CurrentNode(); node >= 0; node = m_treeModel->Node(node).parent)
        if (m_treeModel->Node(node).parent == m_branchNode && m_branchNode >= 0)
        {
            SetCurrentNode(m_branchNode);
            break;
        }
    m_treeModel->RemoveChildren(m_branchNode);
    m_treeModel->RemoveChildren(formulaNode);
    m_branchNode = formulaNode;
    m_branchFor = builtFor;
    std::vector<CTreeModel::CNode> nodes;
    const int first = m_treeModel->NodeCount();
    const std::function<void(const std::vector<CSubFormulaNode>&, int)> add =
        [&](const std::vector<CSubFormulaNode>& branch, int parent)
    {
        for (const CSubFormulaNode& sub : branch)
        {
            const int self = first + static_cast<int>(nodes.size());
            nodes.push_back({Qs(sub.name), sub.iconIndex, CTreeModel::ELevel::Level3, {}, parent});
            add(sub.children, self);
        }
    };
    add(SubFormulaBranch(App().Database(), tier), formulaNode);
    m_treeModel->AddChildren(formulaNode, std::move(nodes));
    m_tree->expand(m_filterModel->mapFromSource(m_treeModel->IndexOf(formulaNode)));
}

void CFormulaWindow::SearchByName()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Filter By Name"),
                                               tr("Formula Name"), QLineEdit::Normal,
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
        QInputDialog::getItem(this, tr("Filter By Class"), tr("Class Name"),
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

void CFormulaWindow::ShowFormula(const std::string& formula, const std::string& category,
                                 const std::string& tier)
{
    ApplyNameFilter(formula);
    // The name search also shows formulae whose names hold this one; take the exact one.
    for (int node = 0; node < m_treeModel->NodeCount(); ++node)
    {
        const CFormula* const* record = m_treeModel->Record<const CFormula*>(node);
        if (!record || (*record)->name != formula)
            continue;
        m_tree->setCurrentIndex(m_filterModel->mapFromSource(m_treeModel->IndexOf(node)));
        if (m_working.item.category != category)
            continue;
        const CBrowserRows tiers = m_tiers->Rows();
        for (std::size_t r = 0; r < tiers.size(); ++r)
            if (tiers[r].cells.front() == tier)
                ChooseTierRow(static_cast<int>(r));
        return;
    }
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

void CFormulaWindow::ApplyQuickFilter()
{
    m_filterModel->SetText(Bytes(QuickFilterEdit()->text()));
    // The categories holding what the filter found open.
    if (m_filterModel->Filtering())
        m_tree->ExpandTop(true);
    ShowFound();
}

QByteArray CFormulaWindow::DragItem() const
{
    // The item the browser holds: the dragged formula, selected by the press that began it.
    const int node = CurrentNode();
    if (node < 0 || m_treeModel->Depth(node) < 2 || m_working.item.formula.empty())
        return {};
    return QByteArray::fromStdString(DragItemText(m_working.item));
}
