#include "ui/order/OrderWindow.h"

#include "base/Messages.h"
#include "browsers/PastedList.h"
#include "database/Links.h"
#include "order/OrderWindowLogic.h"
#include "order/TierAlignment.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/FileDialog.h"
#include "ui/order/OrderModel.h"
#include "ui/shell/QtText.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/IconImage.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTreeView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{
int BatchQuantity(const CGameDatabase& db, const COrderItem& item)
{
    const CFormula* formula = db.FindFormula(item.category, item.formula);
    return formula ? formula->batchQty : 1;
}

// The selected item's techniques under the column's title.
class CTechniqueListModel : public QStringListModel
{
public:
    using QStringListModel::QStringListModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole)
            return Tr(Messages::OrderTechColumn);
        return QStringListModel::headerData(section, orientation, role);
    }
};
} // namespace

COrderWindow::COrderWindow(CAppContext& app, QWidget* parent)
    : CToolWindow(app, EToolWindow::Order, PlacementNameOf(EToolWindow::Order), parent), m_model(app.OrderModel())
{
    BuildMenus();
    // From the top: the order's tree, the item's status, techniques and batches, the buttons.
    auto* client = new QWidget(this);
    setCentralWidget(client);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(BuildOrderBox(client), 3);
    BuildItemDetails(client, layout);
    layout->addLayout(BuildButtonRow(client));
    ConnectControls();

    // The formula browser's item.
    connect(&App().Bus(), &CWindowBus::OrderItemTaken, this, &COrderWindow::SelectItem);
    resize(300, 460);
    RefreshOrderTree();
    ClearDetails();
    RefreshCaption();
}

void COrderWindow::BuildMenus()
{
    QMenu* edit = menuBar()->addMenu(Tr(Messages::MenuEdit));
    // The toolbar's keys undo and redo from every window; these entries show them.
    m_undoAction = edit->addAction(Tr(Messages::UndoPrefix), this, [this] { App().UndoOrderEdit(); });
    m_redoAction = edit->addAction(Tr(Messages::RedoPrefix), this, [this] { App().RedoOrderEdit(); });
    edit->addSeparator();
    m_pasteAction = edit->addAction(Tr(Messages::MenuPasteList), this, &COrderWindow::PasteList);
    m_pasteAction->setShortcut(QKeySequence::Paste);
    m_pasteAction->setShortcutContext(Qt::WindowShortcut);
    connect(edit, &QMenu::aboutToShow, this,
            [this]
            {
                const COrderHistory& history = App().History();
                m_undoAction->setText(TrEditText(Messages::UndoPrefix, history.UndoText()) + QStringLiteral("\tCtrl+Z"));
                m_redoAction->setText(TrEditText(Messages::RedoPrefix, history.RedoText()) + QStringLiteral("\tCtrl+Y"));
                m_undoAction->setEnabled(history.CanUndo());
                m_redoAction->setEnabled(history.CanRedo());
            });
    QMenu* selection = menuBar()->addMenu(Tr(Messages::MenuSelection));
    connect(selection->addAction(Tr(Messages::MenuSelectNone)), &QAction::triggered, this, &COrderWindow::SelectNone);
    connect(selection->addAction(Tr(Messages::MenuSelectAll)), &QAction::triggered, this, &COrderWindow::SelectAll);
    connect(selection->addAction(Tr(Messages::MenuInvertSelection)), &QAction::triggered, this,
            &COrderWindow::InvertSelection);
    connect(selection->addAction(Tr(Messages::MenuCopySelected)), &QAction::triggered, this,
            &COrderWindow::CopyToClipboard);
    AddStandardMenus(std::string(Messages::OrderHelp), std::string(LinkKeys::OrderWindow));
}

QWidget* COrderWindow::BuildOrderBox(QWidget* client)
{
    auto* current = new QGroupBox(Tr(Messages::OrderCurrentGroup), client);
    auto* currentLayout = new QVBoxLayout(current);
    m_tree = new CThemedTree(current);
    m_tree->setModel(&Model());
    // The current entry lives beside the model: the formula browser adds to its group.
    QItemSelectionModel* own = m_tree->selectionModel();
    m_tree->setSelectionModel(&App().OrderCurrent());
    delete own;
    m_tree->setDragDropMode(QAbstractItemView::DragDrop);
    // Drops land on the entry under the pointer: a group, or an item's group.
    m_tree->setDragDropOverwriteMode(true);
    m_tree->setDefaultDropAction(Qt::CopyAction);
    m_tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked);
    // A right-click offers what the Edit menu does.
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at)
            {
                QMenu* edit = menuBar()->actions().front()->menu();
                Q_EMIT edit->aboutToShow();
                edit->exec(m_tree->viewport()->mapToGlobal(at));
            });
    // Groups have no icon, items do: each row takes the height it needs.
    m_tree->setUniformRowHeights(false);
    m_tree->setAccessibleName(current->title());
    currentLayout->addWidget(m_tree);
    auto* treeButtons = new QHBoxLayout;
    m_delete = new QPushButton(Tr(Messages::OrderDelete), current);
    m_newGroup = new QPushButton(Tr(Messages::OrderNewGroup), current);
    treeButtons->addWidget(m_delete);
    treeButtons->addWidget(m_newGroup);
    currentLayout->addLayout(treeButtons);
    return current;
}

void COrderWindow::BuildItemDetails(QWidget* client, QBoxLayout* layout)
{
    // A name of any length is cut to the window's width, not the window widened to it.
    m_status = new CElidedLabel(client);
    m_status->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_status);

    m_techniques = new QTreeView(client);
    m_techniqueList = new CTechniqueListModel(this);
    m_techniques->setModel(m_techniqueList);
    m_techniques->setRootIsDecorated(false);
    m_techniques->setAccessibleName(QStringLiteral("Techniques"));
    m_techniques->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_techniques, 1);

    auto* batches = new QHBoxLayout;
    m_batches = new QLineEdit(client);
    m_batches->setMaximumWidth(70);
    m_batches->setAccessibleName(QStringLiteral("Batches"));
    m_spin = new QSpinBox(client);
    m_spin->setRange(COrder::MinBatches, COrder::MaxBatches);
    m_spin->setAccessibleName(QStringLiteral("Batches"));
    m_spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    m_spin->setFixedWidth(m_spin->sizeHint().height() + 4);
    m_spin->findChild<QLineEdit*>()->setVisible(false);
    m_batchesLabel = new QLabel(client);
    m_batchesLabel->setTextFormat(Qt::PlainText);
    batches->addWidget(m_batches);
    batches->addWidget(m_spin);
    batches->addWidget(m_batchesLabel, 1);
    layout->addLayout(batches);
}

QLayout* COrderWindow::BuildButtonRow(QWidget* client)
{
    auto* buttons = new QHBoxLayout;
    m_copyToClipboard = new QPushButton(Tr(Messages::OrderCopyToClipboard), client);
    m_alignTiers = new QPushButton(Tr(Messages::OrderAlignTiers), client);
    m_copy = new QPushButton(Tr(Messages::OrderCopy), client);
    m_alignTiers->setToolTip(Tr(Messages::TipAlignTiers));
    m_copy->setToolTip(Tr(Messages::TipCopyItem));
    buttons->addWidget(m_copyToClipboard);
    buttons->addWidget(m_alignTiers);
    buttons->addWidget(m_copy);
    return buttons;
}

void COrderWindow::ConnectControls()
{
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
                if (const COrderItem* item = App().Order().FindItem(m_selectedId))
                    m_batches->setText(QString::number(item->batches));
            });
    connect(m_spin, &QSpinBox::valueChanged, this,
            [this](int value)
            {
                m_batches->setText(QString::number(value));
                SetBatches(m_batches->text());
            });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });
    // A new order or another structure: every group open again, the selected item current.
    connect(&Model(), &QAbstractItemModel::modelReset, this, &COrderWindow::ShowTree);
    connect(&Model(), &COrderModel::ItemDropped, this, &COrderWindow::SelectItem);
    connect(&Model(), &COrderModel::ListDropped, this, &COrderWindow::PasteText);
}


COrderWindow::~COrderWindow() = default;

void COrderWindow::RefreshCaption()
{
    const COrder& order = App().Order();
    setWindowTitle(Qs(order.filePath + (order.modified ? "*" : "")));
}

void COrderWindow::RefreshOrderTree()
{
    m_tree->setIconSize(IconPixels(App().Icons()));
    Model().Refresh();
    ShowTree();
}

void COrderWindow::ShowTree()
{
    m_tree->expandAll();
    const QModelIndex selected = ItemEntry(m_selectedId);
    if (selected.isValid())
    {
        m_currentId = m_selectedId;
        m_tree->setCurrentIndex(selected);
        m_tree->scrollTo(selected);
    }
}

void COrderWindow::OrderChanged()
{
    RefreshCaption();
    if (m_selfEdit)
        return;
    ShowTree();
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

QModelIndex COrderWindow::ItemEntry(int id) const
{
    return Model().ItemIndex(id);
}

QModelIndex COrderWindow::GroupEntry(const QString& name) const
{
    return Model().GroupIndex(Bytes(name));
}

COrderSelection COrderWindow::Ticked() const
{
    return Model().Ticked();
}

void COrderWindow::SetTicked(const QModelIndex& entry, bool ticked)
{
    Model().SetTicked(entry, ticked);
}

void COrderWindow::SelectNone()
{
    Model().TickAll(false);
}

void COrderWindow::SelectAll()
{
    Model().TickAll(true);
}

void COrderWindow::InvertSelection()
{
    Model().InvertTicks();
}

void COrderWindow::SelectItem(int id)
{
    m_selectedId = id;
    // The window's own choice: the formula browser is not told of it.
    const QModelIndex entry = ItemEntry(id);
    if (entry.isValid())
    {
        m_currentId = id;
        m_tree->setCurrentIndex(entry);
    }
    ShowDetails();
}

std::string COrderWindow::SelectedGroup() const
{
    return Model().GroupName(m_tree->currentIndex());
}

void COrderWindow::OnCurrentChanged(const QModelIndex& current)
{
    const int id = Model().ItemId(current);
    const bool picked = id != m_currentId;
    m_currentId = id;
    if (id < 0)
        return;
    m_selectedId = id;
    ShowDetails();
    // The open formula browser shows the item the player chose, as its Quick Item does.
    if (picked)
        Q_EMIT App().Bus().OrderItemPicked(m_selectedId);
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
    m_status->SetFullText(Qs(item->formula + " - " + item->tierName));
    QStringList techniques;
    for (const COrderTechnique& technique : item->techniques)
        techniques << Qs(technique.name + " (" + technique.tierName + ")");
    m_techniqueList->setStringList(techniques);
    m_batches->setText(QString::number(item->batches));
    {
        const QSignalBlocker shown(m_spin);
        m_spin->setValue(std::clamp(item->batches, COrder::MinBatches, COrder::MaxBatches));
    }
    m_batchesLabel->setText(Qs(::BatchesLabel(batchQty, item->batches, TrBytes(Messages::BatchesLabelFormat).c_str())));
    for (QWidget* control : std::initializer_list<QWidget*>{m_status, m_techniques, m_batches, m_spin, m_batchesLabel})
        control->setEnabled(true);
}

void COrderWindow::ClearDetails()
{
    m_status->SetFullText({});
    m_techniqueList->setStringList({});
    m_batches->clear();
    m_batchesLabel->clear();
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
    COrderItem* item = App().Order().FindItem(m_selectedId);
    if (!item)
        return;
    const int batchQty = BatchQuantity(App().Database(), *item);
    const CBatchesInput input = ReadBatches(Bytes(text));
    ::SetBatches(App().Order(), *item, batchQty, Bytes(text));
    if (input.replaceText)
        m_batches->setText(QString::number(item->batches));
    {
        const QSignalBlocker shown(m_spin);
        m_spin->setValue(std::clamp(item->batches, COrder::MinBatches, COrder::MaxBatches));
    }
    m_batchesLabel->setText(Qs(::BatchesLabel(batchQty, item->batches, TrBytes(Messages::BatchesLabelFormat).c_str())));
    // The tree's label follows through the order model.
    Edited(Messages::EditSetBatches, "batches " + std::to_string(item->id));
}

void COrderWindow::NewGroup()
{
    QString name;
    if (!CTextPrompt::GetText(this, Tr(Messages::NewGroupTitle), Tr(Messages::NewGroupLabel), name) || name.trimmed().isEmpty())
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
    m_status->SetFullText(Qs(result.message));
    m_status->setEnabled(true);
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
