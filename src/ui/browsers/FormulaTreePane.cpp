#include "ui/browsers/FormulaWindow.h"

#include "base/Messages.h"
#include "browsers/PastedList.h"
#include "browsers/QuickFilter.h"
#include "database/GameDatabase.h"
#include "ui/order/OrderWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/GridWidget.h"
#include "ui/widgets/IconImage.h"
#include "ui/widgets/ThemedTree.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

// The formula browser's left column: the categories, the tree of formulae (with the
// sub-formula branch) and the searches that fill it.

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

QLayout* CFormulaWindow::BuildTreeColumn(QWidget* client)
{
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
    return left;
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

void CFormulaWindow::ShowFormula(const std::string& formula, const std::string& category,
                                 const std::string& tier)
{
    ApplyNameFilter(formula);
    // The name search also shows formulae whose names hold this one; take the exact one.
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        for (int j = 0; j < m_tree->topLevelItem(i)->childCount(); ++j)
        {
            QTreeWidgetItem* item = m_tree->topLevelItem(i)->child(j);
            if (Bytes(item->text(0)) != formula)
                continue;
            m_tree->setCurrentItem(item);
            if (m_working.item.category != category)
                continue;
            for (int r = 1; r < m_tiers->Rows(); ++r)
                if (m_tiers->TextMatrix(r, 0) == tier)
                    ChooseTierRow(r);
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

QByteArray CFormulaWindow::DragItem() const
{
    // The item the browser holds: the dragged formula, selected by the press that began it.
    const QTreeWidgetItem* current = m_tree->currentItem();
    if (!current || current->data(0, DepthRole).toInt() < 2 || m_working.item.formula.empty())
        return {};
    return QByteArray::fromStdString(DragItemText(m_working.item));
}
