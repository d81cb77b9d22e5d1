#pragma once

#include "order/Requirements.h"
#include "ui/shell/ToolWindow.h"
#include "ui/widgets/ThemedTree.h"

class QLabel;
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

Q_SIGNALS:
    void ItemDropped(int id, const QString& group);

protected:
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

    COrderTree* Tree() const { return m_tree; }
    QLineEdit* BatchesEdit() const { return m_batches; }
    QLabel* BatchesLabel() const { return m_batchesLabel; }
    QLabel* StatusLine() const { return m_status; }
    QTreeWidget* TechniqueList() const { return m_techniques; }
    // The tree entry of an item or a group; null when not shown.
    QTreeWidgetItem* ItemEntry(int id) const;
    QTreeWidgetItem* GroupEntry(const QString& name) const;

private:
    void OnCurrentChanged(QTreeWidgetItem* current);
    void OnEntryChanged(QTreeWidgetItem* entry, int column);
    void ShowDetails();
    void ClearDetails();
    // The order was edited here: caption, and every other window hears of it.
    void Edited();

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
    int m_selectedId = -1;
    bool m_filling = false;
    bool m_selfEdit = false;
    bool m_selecting = false; // SelectItem, not the player, changes the current entry
};
