#pragma once

#include "browsers/BrowserRows.h"
#include "ui/shell/ToolWindow.h"

#include <array>
#include <string>

class CGridWidget;
class CThemedTree;
class QAction;
class QLabel;
class QLayout;
class QListWidget;
class QPushButton;
class QTreeWidgetItem;
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

    // A click on the category list entry, or on a tiers grid row (1 = first tier).
    void SelectCategory(int row);
    void ChooseTierRow(int row);
    // "Apply": false, with the reason shown, when the tier cannot go on the item.
    bool ApplyTechnique();
    // "Filter Formulae By Technique".
    void FilterFormulae();

    void SetExpandMode(EExpandMode mode);
    void SetUsableOnly(bool on);

    const CTechnique* CurrentTechnique();
    CThemedTree* Tree() const { return m_tree; }
    QListWidget* Categories() const { return m_categories; }
    QLabel* FoundLabel() const { return m_found; }
    QLabel* ItemLabel() const { return m_item; }
    CGridWidget* DetailsGrid() const { return m_details; }
    CGridWidget* TiersGrid() const { return m_tiers; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* FilterButton() const { return m_filter; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The layout's columns, each with the controls it makes.
    QLayout* BuildTreeColumn(QWidget* client);
    QLayout* BuildTechniqueColumn(QWidget* client);
    void ConnectControls();
    void BuildMenus();
    void CheckMenus();
    void FillCategories();
    void FillTree();
    void ShowTechnique();
    void ClearTechnique();
    void OnTreeSelection(QTreeWidgetItem* item);

    std::string m_category;          // the category list entry ("All" or a category)
    std::string m_techniqueCategory; // the current technique's category and name
    std::string m_technique;
    int m_tierIndex = -1; // the chosen tier of the current technique
    bool m_tierByHand = false; // else the tier follows the item: the highest usable one
    bool m_refilling = false;

    QListWidget* m_categories;
    QLabel* m_found;
    CThemedTree* m_tree;
    QLabel* m_item;
    CGridWidget* m_details;
    CGridWidget* m_tiers;
    QPushButton* m_apply;
    QPushButton* m_filter;

    std::array<QAction*, 3> m_expandActions{};
    QAction* m_usableAction = nullptr;
};
