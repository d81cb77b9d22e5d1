#include "ui/order/OrderWindow.h"

#include "app/Messages.h"
#include "database/Links.h"
#include "order/OrderWindowLogic.h"
#include "order/TierAlignment.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/IconImage.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
constexpr int KindRole = Qt::UserRole;
constexpr int KeyRole = Qt::UserRole + 1;   // the item's id or the group's name
constexpr int LabelRole = Qt::UserRole + 2; // the text as the tree last set it
constexpr int GroupKind = 0;
constexpr int ItemKind = 1;

bool IsGroup(const QTreeWidgetItem* entry)
{
    return entry && entry->data(0, KindRole).toInt() == GroupKind;
}

int BatchQuantity(const CGameDatabase& db, const COrderItem& item)
{
    const CFormula* formula = db.FindFormula(item.category, item.formula);
    return formula ? formula->batchQty : 1;
}
} // namespace

COrderTree::COrderTree(QWidget* parent) : CThemedTree(parent)
{
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
}

void COrderTree::dropEvent(QDropEvent* event)
{
    QTreeWidgetItem* dragged = currentItem();
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    // The window moves the item in the order and rebuilds the tree; Qt moves nothing.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (!dragged || IsGroup(dragged) || !target)
        return;
    QTreeWidgetItem* group = IsGroup(target) ? target : target->parent();
    if (group && group != dragged->parent())
        Q_EMIT ItemDropped(dragged->data(0, KeyRole).toInt(), group->data(0, KeyRole).toString());
}

COrderWindow::COrderWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Order, PlacementNameOf(EToolWindow::Order), parent)
{
    QMenu* selection = menuBar()->addMenu(Qs(Messages::MenuSelection));
    connect(selection->addAction(Qs(Messages::MenuSelectNone)), &QAction::triggered, this, &COrderWindow::SelectNone);
    connect(selection->addAction(Qs(Messages::MenuSelectAll)), &QAction::triggered, this, &COrderWindow::SelectAll);
    connect(selection->addAction(Qs(Messages::MenuInvertSelection)), &QAction::triggered, this,
            &COrderWindow::InvertSelection);
    connect(selection->addAction(Qs(Messages::MenuCopySelected)), &QAction::triggered, this,
            &COrderWindow::CopyToClipboard);
    AddStandardMenus(std::string(Messages::OrderHelp), std::string(LinkKeys::OrderWindow));

    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QVBoxLayout(client);

    auto* current = new QGroupBox(Qs(Messages::OrderCurrentGroup), client);
    auto* currentLayout = new QVBoxLayout(current);
    m_tree = new COrderTree(current);
    currentLayout->addWidget(m_tree);
    auto* treeButtons = new QHBoxLayout;
    m_delete = new QPushButton(Qs(Messages::OrderDelete), current);
    m_newGroup = new QPushButton(Qs(Messages::OrderNewGroup), current);
    treeButtons->addWidget(m_delete);
    treeButtons->addWidget(m_newGroup);
    currentLayout->addLayout(treeButtons);
    layout->addWidget(current, 3);

    m_status = new QLabel(client);
    m_status->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_status);

    m_techniques = new QTreeWidget(client);
    m_techniques->setHeaderLabels({Qs(Messages::OrderTechColumn)});
    m_techniques->setRootIsDecorated(false);
    layout->addWidget(m_techniques, 1);

    auto* batches = new QHBoxLayout;
    m_batches = new QLineEdit(client);
    m_batches->setMaximumWidth(70);
    m_spin = new QSpinBox(client);
    m_spin->setRange(COrder::MinBatches, COrder::MaxBatches);
    m_spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_spin->setFixedWidth(m_spin->sizeHint().height() + 4);
    m_spin->findChild<QLineEdit*>()->setVisible(false);
    m_batchesLabel = new QLabel(client);
    batches->addWidget(m_batches);
    batches->addWidget(m_spin);
    batches->addWidget(m_batchesLabel, 1);
    layout->addLayout(batches);

    auto* buttons = new QHBoxLayout;
    m_copyToClipboard = new QPushButton(Qs(Messages::OrderCopyToClipboard), client);
    m_alignTiers = new QPushButton(Qs(Messages::OrderAlignTiers), client);
    m_copy = new QPushButton(Qs(Messages::OrderCopy), client);
    buttons->addWidget(m_copyToClipboard);
    buttons->addWidget(m_alignTiers);
    buttons->addWidget(m_copy);
    layout->addLayout(buttons);

    connect(m_delete, &QPushButton::clicked, this, &COrderWindow::DeleteTicked);
    connect(m_newGroup, &QPushButton::clicked, this, &COrderWindow::NewGroup);
    connect(m_copyToClipboard, &QPushButton::clicked, this, &COrderWindow::CopyToClipboard);
    connect(m_alignTiers, &QPushButton::clicked, this, &COrderWindow::AlignTiers);
    connect(m_copy, &QPushButton::clicked, this, &COrderWindow::CopyItem);
    connect(m_batches, &QLineEdit::textEdited, this, &COrderWindow::SetBatches);
    connect(m_spin, &QSpinBox::valueChanged, this,
            [this](int value)
            {
                if (m_filling)
                    return;
                m_batches->setText(QString::number(value));
                SetBatches(m_batches->text());
            });
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentChanged(current); });
    connect(m_tree, &QTreeWidget::itemChanged, this, &COrderWindow::OnEntryChanged);
    connect(m_tree, &COrderTree::ItemDropped, this, &COrderWindow::MoveItem);

    App().orderSelection = [this] { return Ticked(); };
    resize(300, 460);
    RefreshOrderTree();
    ClearDetails();
    RefreshCaption();
}

COrderWindow::~COrderWindow()
{
    App().orderSelection = nullptr;
}

void COrderWindow::RefreshCaption()
{
    const COrder& order = App().Order();
    setWindowTitle(Qs(order.filePath + (order.modified ? "*" : "")));
}

void COrderWindow::RefreshOrderTree()
{
    m_tree->setIconSize(IconPixels(App().Icons()));
    COrder& order = App().Order();
    const CGameDatabase& db = App().Database();
    // Ticks survive a rebuild: they choose what the reports cover.
    const COrderSelection ticked = Ticked();

    m_filling = true;
    m_tree->clear();
    AddMissingGroups(order, db);
    for (const std::string& group : order.groups)
    {
        auto* entry = new QTreeWidgetItem(m_tree, {Qs(group)});
        entry->setData(0, KindRole, GroupKind);
        entry->setData(0, KeyRole, Qs(group));
        entry->setData(0, LabelRole, Qs(group));
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEditable |
                        Qt::ItemIsDropEnabled);
        entry->setCheckState(0, ticked.groups.count(group) ? Qt::Checked : Qt::Unchecked);
        m_tree->ColourItem(entry, CThemedTree::ELevel::Level1);
    }
    for (COrderItem* item : TreeOrder(order, db))
    {
        QTreeWidgetItem* group = GroupEntry(Qs(item->group));
        if (!group)
            continue;
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        const QString label = Qs(ItemLabel(formula ? formula->batchQty : 1, *item));
        auto* entry = new QTreeWidgetItem(group, {label});
        entry->setData(0, KindRole, ItemKind);
        entry->setData(0, KeyRole, item->id);
        entry->setData(0, LabelRole, label);
        if (formula)
            entry->setIcon(0, IconFromStore(App().Icons(), formula->iconIndex));
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEditable |
                        Qt::ItemIsDragEnabled);
        entry->setCheckState(0, ticked.items.count(item->id) ? Qt::Checked : Qt::Unchecked);
        m_tree->ColourItem(entry, CThemedTree::ELevel::Level2);
    }
    m_tree->expandAll();
    if (QTreeWidgetItem* selected = ItemEntry(m_selectedId))
    {
        m_tree->setCurrentItem(selected);
        m_tree->scrollToItem(selected);
    }
    m_filling = false;
}

void COrderWindow::OrderChanged()
{
    RefreshCaption();
    if (m_selfEdit)
        return;
    RefreshOrderTree();
    if (!App().Order().FindItem(m_selectedId))
        ClearDetails();
    else
        ShowDetails();
}

void COrderWindow::ApplyTheme()
{
    CToolWindow::ApplyTheme();
    m_tree->ApplyTheme(App().Theme());
    QPalette pal = m_techniques->palette();
    pal.setColor(QPalette::Base, ColourFromTheme(App().Theme().ThemeColour("TREE_BACKCOLOUR")));
    pal.setColor(QPalette::Text, ColourFromTheme(App().Theme().ThemeColour("TREE_LVL1_NORMAL_FG")));
    m_techniques->setPalette(pal);
}

QTreeWidgetItem* COrderWindow::ItemEntry(int id) const
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if (!IsGroup(*it) && (*it)->data(0, KeyRole).toInt() == id)
            return *it;
    return nullptr;
}

QTreeWidgetItem* COrderWindow::GroupEntry(const QString& name) const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        if (m_tree->topLevelItem(i)->data(0, KeyRole).toString() == name)
            return m_tree->topLevelItem(i);
    return nullptr;
}

COrderSelection COrderWindow::Ticked() const
{
    COrderSelection ticked;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
    {
        if ((*it)->checkState(0) != Qt::Checked)
            continue;
        if (IsGroup(*it))
            ticked.groups.insert(Bytes((*it)->data(0, KeyRole).toString()));
        else
            ticked.items.insert((*it)->data(0, KeyRole).toInt());
    }
    return ticked;
}

void COrderWindow::SetTicked(QTreeWidgetItem* entry, bool ticked)
{
    entry->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}

void COrderWindow::SelectNone()
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        SetTicked(*it, false);
}

void COrderWindow::SelectAll()
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        SetTicked(*it, true);
}

void COrderWindow::InvertSelection()
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        SetTicked(*it, (*it)->checkState(0) != Qt::Checked);
}

void COrderWindow::SelectItem(int id)
{
    m_selectedId = id;
    if (QTreeWidgetItem* entry = ItemEntry(id))
        m_tree->setCurrentItem(entry);
    ShowDetails();
}

void COrderWindow::OnCurrentChanged(QTreeWidgetItem* current)
{
    if (m_filling)
        return;
    if (current && !IsGroup(current))
    {
        m_selectedId = current->data(0, KeyRole).toInt();
        ShowDetails();
    }
}

void COrderWindow::ShowDetails()
{
    const COrderItem* item = App().Order().FindItem(m_selectedId);
    if (!item)
    {
        ClearDetails();
        return;
    }
    const int batchQty = BatchQuantity(App().Database(), *item);
    m_filling = true;
    m_status->setText(Qs(item->formula + " - " + item->tierName));
    m_techniques->clear();
    for (const COrderTechnique& technique : item->techniques)
        new QTreeWidgetItem(m_techniques, {Qs(technique.name + " (" + technique.tierName + ")")});
    m_batches->setText(QString::number(item->batches));
    m_spin->setValue(std::clamp(item->batches, COrder::MinBatches, COrder::MaxBatches));
    m_batchesLabel->setText(Qs(::BatchesLabel(batchQty, item->batches)));
    m_filling = false;
    for (QWidget* control : std::initializer_list<QWidget*>{m_status, m_techniques, m_batches, m_spin, m_batchesLabel})
        control->setEnabled(true);
}

void COrderWindow::ClearDetails()
{
    m_filling = true;
    m_status->clear();
    m_techniques->clear();
    m_batches->clear();
    m_batchesLabel->clear();
    m_filling = false;
    for (QWidget* control : std::initializer_list<QWidget*>{m_status, m_techniques, m_batches, m_spin, m_batchesLabel})
        control->setEnabled(false);
}

void COrderWindow::Edited()
{
    m_selfEdit = true;
    App().OrderChanged();
    m_selfEdit = false;
    RefreshCaption();
}

void COrderWindow::SetBatches(const QString& text)
{
    if (m_filling)
        return;
    COrderItem* item = App().Order().FindItem(m_selectedId);
    if (!item)
        return;
    const int batchQty = BatchQuantity(App().Database(), *item);
    const CBatchesInput input = ReadBatches(Bytes(text));
    const std::string label = ::SetBatches(App().Order(), *item, batchQty, Bytes(text));
    m_filling = true;
    if (input.replaceText)
        m_batches->setText(QString::number(COrder::MaxBatches));
    m_spin->setValue(std::clamp(item->batches, COrder::MinBatches, COrder::MaxBatches));
    m_batchesLabel->setText(Qs(::BatchesLabel(batchQty, item->batches)));
    if (QTreeWidgetItem* entry = ItemEntry(item->id))
    {
        entry->setText(0, Qs(label));
        entry->setData(0, LabelRole, Qs(label));
    }
    m_filling = false;
    Edited();
}

void COrderWindow::OnEntryChanged(QTreeWidgetItem* entry, int)
{
    if (m_filling || !entry)
        return;
    const QString text = entry->text(0);
    if (text == entry->data(0, LabelRole).toString())
        return; // only the tick changed
    COrder& order = App().Order();
    if (IsGroup(entry))
    {
        const std::string oldName = Bytes(entry->data(0, KeyRole).toString());
        const COrderSelection ticked = Ticked();
        const bool wasTicked = ticked.groups.count(oldName) > 0;
        if (!RenameGroup(order, oldName, Bytes(text)))
        {
            m_filling = true;
            entry->setText(0, entry->data(0, LabelRole).toString());
            m_filling = false;
            return;
        }
        const QString newName = Qs(CleanLabel(Bytes(text)));
        m_filling = true;
        entry->setData(0, KeyRole, newName);
        m_filling = false;
        RefreshOrderTree();
        if (QTreeWidgetItem* renamed = GroupEntry(newName); renamed && wasTicked)
            SetTicked(renamed, true);
        Edited();
        return;
    }
    const int id = entry->data(0, KeyRole).toInt();
    RenameItem(order, id, Bytes(text));
    if (const COrderItem* item = order.FindItem(id))
    {
        const QString label = Qs(ItemLabel(BatchQuantity(App().Database(), *item), *item));
        m_filling = true;
        entry->setText(0, label);
        entry->setData(0, LabelRole, label);
        m_filling = false;
    }
    m_selectedId = id;
    ShowDetails();
    Edited();
}

void COrderWindow::NewGroup()
{
    QString name;
    if (!CTextPrompt::GetText(this, Qs(Messages::NewGroupTitle), Qs(Messages::NewGroupLabel), name) || name.isEmpty())
        return;
    // The same replacements as a rename: the order file keeps no markup in names.
    App().Order().AddGroup(CleanLabel(Bytes(name)));
    App().Order().modified = true;
    RefreshOrderTree();
    Edited();
}

void COrderWindow::DeleteTicked()
{
    if (!::DeleteTicked(App().Order(), App().Database(), Ticked(), App().Prompter()))
        return;
    RefreshOrderTree();
    if (!App().Order().FindItem(m_selectedId))
        ClearDetails();
    Edited();
}

void COrderWindow::CopyToClipboard()
{
    const std::string text = OrderClipboardText(App().Order(), App().Database(), Ticked());
    QGuiApplication::clipboard()->setText(Qs(text));
}

void COrderWindow::CopyItem()
{
    const COrderItem* copy = ::CopyItem(App().Order(), m_selectedId);
    if (!copy)
        return;
    const int id = copy->id;
    RefreshOrderTree();
    SelectItem(id);
    Edited();
}

void COrderWindow::AlignTiers()
{
    if (AlignTickedTiers(App().Order(), m_selectedId, Ticked()) == 0)
        return;
    RefreshOrderTree();
    ShowDetails();
    Edited();
}

void COrderWindow::MoveItem(int id, const QString& group)
{
    COrderItem* item = App().Order().FindItem(id);
    if (!item || item->group == Bytes(group))
        return;
    item->group = Bytes(group);
    App().Order().modified = true;
    RefreshOrderTree();
    Edited();
}
