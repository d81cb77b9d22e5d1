#pragma once

#include "browsers/ComponentRows.h"
#include "ui/shell/ToolWindow.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CBrowserGrid;
class CThemedTree;
class CTreeModel;
class QLabel;
struct CComponent;

// "Component Database": the components by type, and for the chosen one its record, where it
// is gathered and found, and every formula tier that needs it.
class CComponentWindow : public CToolWindow
{
    Q_OBJECT

public:
    CComponentWindow(CAppContext& app, QWidget* parent);
    ~CComponentWindow() override;

    void RefreshAll();
    void DatabaseReloaded() override;
    void ApplyTheme() override;
    // Selects the first component of that name; false when there is none.
    bool SelectComponent(const std::string& name);
    // The component shown, or null.
    const CComponent* Current();
    // A double click on a use (0 = the first): the formula browser finds that formula and
    // shows the tier.
    void OpenUse(int row);

    CThemedTree* Tree() const { return m_tree; }
    QLabel* FoundLabel() const { return m_found; }
    CBrowserGrid* DetailsGrid() const { return m_details; }
    CBrowserGrid* LocationsGrid() const { return m_locations; }
    QLabel* UsesLabel() const { return m_usesLabel; }
    CBrowserGrid* UsesGrid() const { return m_uses; }

private:
    void FillTree();
    void OnTreeSelection(const QModelIndex& current);
    void ShowComponent(const CComponent& component);
    void Clear();

    // Built on the first look at a component's uses, dropped when the database reloads.
    std::unique_ptr<CComponentUses> m_usesIndex;
    const CComponent* m_current = nullptr;
    std::string m_currentName;              // kept across a reload, which makes new records
    std::vector<CComponentUse> m_shownUses; // the uses grid's rows
    int m_shownNode = -1;                   // the tree entry shown (a node of m_treeModel)

    QLabel* m_found;
    CThemedTree* m_tree;
    CTreeModel* m_treeModel;
    CBrowserGrid* m_details;
    CBrowserGrid* m_locations;
    QLabel* m_usesLabel;
    CBrowserGrid* m_uses;
};
