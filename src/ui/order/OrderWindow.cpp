#include "ui/order/OrderWindow.h"

#include "base/Messages.h"
#include "browsers/PastedList.h"
#include "database/Links.h"
#include "order/OrderWindowLogic.h"
#include "order/TierAlignment.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/FileDialog.h"
#include "ui/shell/QtText.h"
#include "ui/shell/ToolbarWindow.h"
#include "ui/widgets/IconImage.h"

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
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
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
}

namespace
{
// Drops from elsewhere: an item of the formula browser, or text (a list of items).
bool IsForeignDrop(const QDropEvent* event, const QObject* tree)
{
    const QMimeData* mime = event->mimeData();
    return event->source() != tree && mime &&
           (mime->hasFormat(QString::fromLatin1(COrderTree::ItemMimeType)) || mime->hasText());
}
} // namespace

void COrderTree::dragEnterEvent(QDragEnterEvent* event)
{
    if (IsForeignDrop(event, this))
        event->acceptProposedAction();
    else
        CThemedTree::dragEnterEvent(event);
}

void COrderTree::dragMoveEvent(QDragMoveEvent* event)
{
    if (IsForeignDrop(event, this))
    {
        QTreeWidgetItem* target = itemAt(event->position().toPoint());
        if (target)
            event->acceptProposedAction();
        else
            event->ignore();
        return;
    }
    CThemedTree::dragMoveEvent(event);
}

void COrderTree::dropEvent(QDropEvent* event)
{
    if (IsForeignDrop(event, this))
    {
        QTreeWidgetItem* target = itemAt(event->position().toPoint());
        QTreeWidgetItem* group = target && !IsGroup(target) ? target->parent() : target;
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (!group)
            return;
        const QMimeData* mime = event->mimeData();
        const QString name = group->data(0, KeyRole).toString();
        if (mime->hasFormat(QString::fromLatin1(ItemMimeType)))
            Q_EMIT OrderItemDropped(mime->data(QString::fromLatin1(ItemMimeType)), name);
        else
            Q_EMIT ListDropped(mime->text(), name);
        return;
    }
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
    QMenu* edit = menuBar()->addMenu(Qs(Messages::MenuEdit));
    // The toolbar's keys undo and redo from every window; these entries show them.
    m_undoAction = edit->addAction(Qs(Messages::UndoPrefix), this, [this] { App().UndoOrderEdit(); });
    m_redoAction = edit->addAction(Qs(Messages::RedoPrefix), this, [this] { App().RedoOrderEdit(); });
    edit->addSeparator();
    m_pasteAction = edit->addAction(Qs(Messages::MenuPasteList), this, &COrderWindow::PasteList);
    m_pasteAction->setShortcut(QKeySequence::Paste);
    m_pasteAction->setShortcutContext(Qt::WindowShortcut);
    connect(edit, &QMenu::aboutToShow, this,
            [this]
            {
                const COrderHistory& history = App().History();
                m_undoAction->setText(Qs(history.UndoText()) + QStringLiteral("\tCtrl+Z"));
                m_redoAction->setText(Qs(history.RedoText()) + QStringLiteral("\tCtrl+Y"));
                m_undoAction->setEnabled(history.CanUndo());
                m_redoAction->setEnabled(history.CanRedo());
            });
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
    // A box left empty shows the value in use.
    connect(m_batches, &QLineEdit::editingFinished, this,
            [this]
            {
                if (const COrderItem* item = App().Order().FindItem(m_selectedId); item && !m_filling)
                    m_batches->setText(QString::number(item->batches));
            });
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
    connect(m_tree, &COrderTree::OrderItemDropped, this, &COrderWindow::AddDroppedItem);
    connect(m_tree, &COrderTree::ListDropped, this, &COrderWindow::PasteText);

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
        // The group's box shows its items' ticks (partly when some are) and ticks them all.
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEditable |
                        Qt::ItemIsDropEnabled | Qt::ItemIsAutoTristate);
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
        const bool itemTicked = ticked.items.count(item->id) || ticked.groups.count(item->group);
        entry->setCheckState(0, itemTicked ? Qt::Checked : Qt::Unchecked);
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
    // A group with items follows them.
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->childCount() == 0)
            SetTicked(*it, (*it)->checkState(0) != Qt::Checked);
}

void COrderWindow::SelectItem(int id)
{
    m_selectedId = id;
    m_selecting = true;
    if (QTreeWidgetItem* entry = ItemEntry(id))
        m_tree->setCurrentItem(entry);
    m_selecting = false;
    ShowDetails();
}

std::string COrderWindow::SelectedGroup() const
{
    const QTreeWidgetItem* entry = m_tree->currentItem();
    if (entry && !IsGroup(entry))
        entry = entry->parent();
    return entry ? Bytes(entry->data(0, KeyRole).toString()) : std::string();
}

void COrderWindow::OnCurrentChanged(QTreeWidgetItem* current)
{
    if (m_filling)
        return;
    if (current && !IsGroup(current))
    {
        m_selectedId = current->data(0, KeyRole).toInt();
        ShowDetails();
        // The open formula browser shows the item the player chose, as its Quick Item does.
        if (auto* toolbar = m_selecting ? nullptr : qobject_cast<CToolbarWindow*>(parentWidget()))
            if (CToolWindow* formulae = toolbar->ExistingWindow(EToolWindow::Formulae); formulae && formulae->isVisible())
                formulae->ShowOrderItem(m_selectedId);
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

void COrderWindow::Edited(std::string_view name, const std::string& mergeKey)
{
    m_selfEdit = true;
    App().OrderEdited(name, mergeKey);
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
        m_batches->setText(QString::number(item->batches));
    m_spin->setValue(std::clamp(item->batches, COrder::MinBatches, COrder::MaxBatches));
    m_batchesLabel->setText(Qs(::BatchesLabel(batchQty, item->batches)));
    if (QTreeWidgetItem* entry = ItemEntry(item->id))
    {
        entry->setText(0, Qs(label));
        entry->setData(0, LabelRole, Qs(label));
    }
    m_filling = false;
    Edited(Messages::EditSetBatches, "batches " + std::to_string(item->id));
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
        Edited(Messages::EditRenameGroup);
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
    Edited(Messages::EditRenameItem);
}

void COrderWindow::NewGroup()
{
    QString name;
    if (!CTextPrompt::GetText(this, Qs(Messages::NewGroupTitle), Qs(Messages::NewGroupLabel), name) || name.trimmed().isEmpty())
        return;
    // The same replacements as a rename: the order file keeps no markup in names.
    App().Order().AddGroup(CleanLabel(Bytes(name)));
    App().Order().modified = true;
    RefreshOrderTree();
    Edited(Messages::EditNewGroup);
}

void COrderWindow::DeleteTicked()
{
    if (!::DeleteTicked(App().Order(), App().Database(), Ticked(), App().Prompter()))
        return;
    RefreshOrderTree();
    if (!App().Order().FindItem(m_selectedId))
        ClearDetails();
    Edited(Messages::EditDelete);
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
    Edited(Messages::EditCopyItem);
}

void COrderWindow::AlignTiers()
{
    const CTierAlignment result = AlignTickedTiers(App().Order(), m_selectedId, Ticked());
    if (result.changed > 0)
    {
        RefreshOrderTree();
        ShowDetails();
        Edited(Messages::EditAlignTiers);
    }
    m_status->setText(Qs(result.message));
    m_status->setEnabled(true);
}

void COrderWindow::MoveItem(int id, const QString& group)
{
    COrderItem* item = App().Order().FindItem(id);
    if (!item || item->group == Bytes(group))
        return;
    item->group = Bytes(group);
    App().Order().modified = true;
    RefreshOrderTree();
    Edited(Messages::EditMoveItem);
}

void COrderWindow::PasteList()
{
    const std::string group = SelectedGroup();
    PasteText(QGuiApplication::clipboard()->text(), Qs(group.empty() ? std::string(Messages::PasteGroup) : group));
}

void COrderWindow::PasteText(const QString& text, const QString& group)
{
    const CPasteResult result = AddPastedList(App().Order(), App().Database(), Bytes(text), Bytes(group));
    if (!result.added.empty())
    {
        RefreshOrderTree();
        SelectItem(result.added.back());
        Edited(Messages::EditPaste);
    }
    if (const std::string message = PasteMessage(result); !message.empty())
        CMessageBox::Show(this, Qs(message), CMessageBox::EIcon::Warning);
}

void COrderWindow::AddDroppedItem(const QByteArray& item, const QString& group)
{
    std::optional<COrderItem> dropped = ItemFromDragText(item.toStdString());
    if (!dropped)
        return;
    dropped->group = Bytes(group);
    App().Order().AddGroup(dropped->group);
    const int id = App().Order().AddItem(std::make_unique<COrderItem>(std::move(*dropped))).id;
    App().Order().modified = true;
    RefreshOrderTree();
    SelectItem(id);
    Edited(Messages::EditAddItem);
}
