#pragma once

#include "browsers/BrowserRows.h"
#include "ui/shell/ToolWindow.h"

#include <array>
#include <string>

class CBrowserGrid;
class CCategoryBrowser;
class CThemedTree;
class CTreeModel;
class QAction;
class QLabel;
class QLayout;
class QListView;
class QPushButton;
struct CTechnique;

// "Technique Database": the technique categories and their techniques, a technique's tiers,
// and "Apply" onto the formula browser's working item. What is shown comes from the browser
// core; the window sends the commands to the formula browser through the window bus.
class CTechniqueWindow : public CToolWindow
{
    Q_OBJECT

public:
    CTechniqueWindow(CAppContext& app, QWidget* parent);

    void RefreshAll();
    void DatabaseReloaded() override { RefreshAll(); }
    void ApplyTheme() override;
    // The formula browser's item changed: what is usable may have changed with it.
    void WorkingItemChanged();

    // A click on the category list entry, or on a tiers grid row (0 = first tier).
    void SelectCategory(int row);
    void ChooseTierRow(int row);
    // "Apply": false, with the reason shown, when the tier cannot go on the item.
    bool ApplyTechnique();
    // "Filter Formulae By Technique".
    void FilterFormulae();

    void SetExpandMode(EExpandMode mode);
    void SetUsableOnly(bool on);

    const CTechnique* CurrentTechnique();
    CThemedTree* Tree() const;
    QListView* Categories() const;
    QLabel* FoundLabel() const;
    QLabel* ItemLabel() const { return m_item; }
    CBrowserGrid* DetailsGrid() const { return m_details; }
    CBrowserGrid* TiersGrid() const { return m_tiers; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* FilterButton() const { return m_filter; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The layout's columns, each with the controls it makes.
    QWidget* BuildTreeColumn(QWidget* client);
    QLayout* BuildTechniqueColumn(QWidget* client);
    void ConnectControls();
    void BuildMenus();
    void CheckMenus();
    void FillCategories();
    void FillTree();
    void ShowTechnique();
    void ClearTechnique();
    void OnTreeSelection(const QModelIndex& current);

    std::string m_category;          // the category list entry ("All" or a category)
    std::string m_techniqueCategory; // the current technique's category and name
    std::string m_technique;
    int m_tierIndex = -1; // the chosen tier of the current technique
    bool m_tierByHand = false; // else the tier follows the item: the highest usable one
    int m_shownNode = -1;      // the tree entry shown (a node of m_treeModel)

    CCategoryBrowser* m_browser;
    CTreeModel* m_treeModel;
    CThemedTree* m_tree;
    QLabel* m_item;
    CBrowserGrid* m_details;
    CBrowserGrid* m_tiers;
    QPushButton* m_apply;
    QPushButton* m_filter;

    std::array<QAction*, 3> m_expandActions{};
    QAction* m_usableAction = nullptr;
};
