#pragma once

#include "order/Requirements.h"

#include <string>
#include <string_view>
#include "ui/shell/ToolWindow.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/ThemedTree.h"

class COrderModel;
class QAction;
class QBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStringListModel;
class QTreeView;

// "Orders": the current order as a tree (the application's order model: groups with their
// items, check boxes, labels edited in place, items dragged between groups), the selected
// item's details, and the commands that edit the order. Its ticks choose what the reports
// cover.
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
    void SetTicked(const QModelIndex& entry, bool ticked);
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
    // Ctrl+V: the clipboard's list of items into the selected group.
    void PasteList();
    void PasteText(const QString& text, const QString& group);
    QAction* PasteAction() const { return m_pasteAction; }

    CThemedTree* Tree() const { return m_tree; }
    COrderModel& Model() const { return m_model; }
    QLineEdit* BatchesEdit() const { return m_batches; }
    QLabel* BatchesLabel() const { return m_batchesLabel; }
    QLabel* StatusLine() const { return m_status; }
    QTreeView* TechniqueList() const { return m_techniques; }
    // The tree entry of an item or a group; invalid when not shown.
    QModelIndex ItemEntry(int id) const;
    QModelIndex GroupEntry(const QString& name) const;

private:
    // The menus and the layout's parts, each with the controls it makes.
    void BuildMenus();
    QWidget* BuildOrderBox(QWidget* client);
    void BuildItemDetails(QWidget* client, QBoxLayout* layout);
    QLayout* BuildButtonRow(QWidget* client);
    void ConnectControls();
    void OnCurrentChanged(const QModelIndex& current);
    // The tree shows every group open, with the selected item current.
    void ShowTree();
    void ShowDetails();
    void ClearDetails();
    // The order was edited here: the history names the step, the caption follows, and every
    // other window hears of it.
    void Edited(std::string_view name, const std::string& mergeKey = {});

    COrderModel& m_model;
    CThemedTree* m_tree;
    QPushButton* m_delete;
    QPushButton* m_newGroup;
    CElidedLabel* m_status;
    QTreeView* m_techniques;
    QStringListModel* m_techniqueList;
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
    // The item whose entry is the tree's current one (-1: a group or none).
    int m_currentId = -1;
    // While the window's own edit goes round the other windows, its details stay as typed.
    bool m_selfEdit = false;
};
