#pragma once

#include "browsers/ComponentRows.h"
#include "ui/shell/ToolWindow.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CGridWidget;
class CThemedTree;
class QLabel;
class QTreeWidgetItem;
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
    // A double click on a use: the formula browser finds that formula and shows the tier.
    void OpenUse(int row);

    CThemedTree* Tree() const { return m_tree; }
    QLabel* FoundLabel() const { return m_found; }
    CGridWidget* DetailsGrid() const { return m_details; }
    CGridWidget* LocationsGrid() const { return m_locations; }
    QLabel* UsesLabel() const { return m_usesLabel; }
    CGridWidget* UsesGrid() const { return m_uses; }

private:
    void FillTree();
    void OnTreeSelection(QTreeWidgetItem* item);
    void ShowComponent(std::size_t index);
    void Clear();

    // Built on the first look at a component's uses, dropped when the database reloads.
    std::unique_ptr<CComponentUses> m_usesIndex;
    long m_current = -1;                    // position in the component list
    std::string m_currentName;              // kept across a reload, which renumbers the list
    std::vector<CComponentUse> m_shownUses; // the uses grid's rows from row 1
    bool m_refilling = false;

    QLabel* m_found;
    CThemedTree* m_tree;
    CGridWidget* m_details;
    CGridWidget* m_locations;
    QLabel* m_usesLabel;
    CGridWidget* m_uses;
};
