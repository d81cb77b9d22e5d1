#pragma once

#include "order/Requirements.h"

#include <string>
#include <string_view>
#include "ui/shell/ToolWindow.h"
#include "ui/widgets/ThemedTree.h"

class QAction;
class QBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QTreeWidget;
class QPushButton;
class QSpinBox;
class QTreeWidgetItem;

// The order tree: groups with their items, check boxes, labels edited in place, items
// dragged between groups. A drop only reports the move; the window edits the order.
class COrderTree : public CThemedTree
{
    Q_OBJECT

public:
    explicit COrderTree(QWidget* parent);

    // What the formula browser's drags carry (an order item), and plain text (a list).
    static constexpr const char* ItemMimeType = "application/x-moxa-order-item";

Q_SIGNALS:
    void ItemDropped(int id, const QString& group);
    // An item from the formula browser, or a list of items as text, dropped on a group.
    void OrderItemDropped(const QByteArray& item, const QString& group);
    void ListDropped(const QString& text, const QString& group);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// "Orders": the current order as a tree, the selected item's details, and the commands
// that edit the order. Its ticks choose what the reports cover.
class COrderWindow : public CToolWindow
{
    Q_OBJECT

public:
    COrderWindow(CAppContext& app, QWidget* parent);
    ~COrderWindow() override;

    void RefreshOrderTree();
    void RefreshCaption();
    void OrderChanged() override;
    void ApplyTheme() override;

    // The ticked entries: item ids and group names.
    COrderSelection Ticked() const;
    void SetTicked(QTreeWidgetItem* entry, bool ticked);
    void SelectNone();
    void SelectAll();
    void InvertSelection();

    void SelectItem(int id);
    int SelectedId() const { return m_selectedId; }
    // The selected group, or the selected item's; empty when nothing is selected.
    std::string SelectedGroup() const;
    void SetBatches(const QString& text);
    void NewGroup();
    void DeleteTicked();
    void CopyToClipboard();
    void CopyItem();
    void AlignTiers();
    void MoveItem(int id, const QString& group);
    // Ctrl+V: the clipboard's list of items into the selected group.
    void PasteList();
    void PasteText(const QString& text, const QString& group);
    void AddDroppedItem(const QByteArray& item, const QString& group);
    QAction* PasteAction() const { return m_pasteAction; }

    COrderTree* Tree() const { return m_tree; }
    QLineEdit* BatchesEdit() const { return m_batches; }
    QLabel* BatchesLabel() const { return m_batchesLabel; }
    QLabel* StatusLine() const { return m_status; }
    QTreeWidget* TechniqueList() const { return m_techniques; }
    // The tree entry of an item or a group; null when not shown.
    QTreeWidgetItem* ItemEntry(int id) const;
    QTreeWidgetItem* GroupEntry(const QString& name) const;

private:
    // The menus and the layout's parts, each with the controls it makes.
    void BuildMenus();
    QWidget* BuildOrderBox(QWidget* client);
    void BuildItemDetails(QWidget* client, QBoxLayout* layout);
    QLayout* BuildButtonRow(QWidget* client);
    void ConnectControls();
    void OnCurrentChanged(QTreeWidgetItem* current);
    void OnEntryChanged(QTreeWidgetItem* entry, int column);
    void ShowDetails();
    void ClearDetails();
    // The order was edited here: the history names the step, the caption follows, and every
    // other window hears of it.
    void Edited(std::string_view name, const std::string& mergeKey = {});

    COrderTree* m_tree;
    QPushButton* m_delete;
    QPushButton* m_newGroup;
    QLabel* m_status;
    QTreeWidget* m_techniques;
    QLineEdit* m_batches;
    QSpinBox* m_spin;
    QLabel* m_batchesLabel;
    QPushButton* m_copyToClipboard;
    QPushButton* m_alignTiers;
    QPushButton* m_copy;
    QAction* m_pasteAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    int m_selectedId = -1;
    bool m_filling = false;
    bool m_selfEdit = false;
    bool m_selecting = false; // SelectItem, not the player, changes the current entry
};
