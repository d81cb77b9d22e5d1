#pragma once

#include "browsers/FormulaTree.h"
#include "browsers/ResourceRows.h"
#include "browsers/WorkingItem.h"
#include "ui/shell/ToolWindow.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class CBrowserGrid;
class CCategoryBrowser;
class CFormulaFilterModel;
class CThemedTree;
class CTreeModel;
class QAction;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListView;
class QPushButton;

// "Formula Database": finds a formula, picks its tier and puts the item into the order.
// What is shown comes from the browser core; the window forwards the commands. Its code is
// in four files: the window (FormulaWindow.cpp), the tree column (FormulaTreePane.cpp), the
// item's grids (FormulaItemPanes.cpp) and the item's commands (FormulaItemCommands.cpp).
class CFormulaWindow : public CToolWindow
{
    Q_OBJECT

public:
    CFormulaWindow(CAppContext& app, QWidget* parent);
    ~CFormulaWindow() override;

    void RefreshAll();
    void ShowItem();
    void Clear();
    void OrderChanged() override;
    void DatabaseReloaded() override;
    void ApplyTheme() override;

    // Ctrl+F and the menu: asks for the text, then searches.
    void SearchByName() override;
    void SearchByClass();
    void ApplyNameFilter(const std::string& name);
    void ApplyClassFilter(const std::string& classEntry);
    // The formula found by a name search, and its tier when it has one of that name.
    void ShowFormula(const std::string& formula, const std::string& category, const std::string& tier);

    // A click on the tiers grid row (0 = first tier).
    void ChooseTierRow(int row);
    void RemoveSelectedTechnique();
    void AddOrIncreaseItem();
    void PickQuickItem(int entry);
    void ShowOrderItem(int id) override;
    void ChooseProfile(int entry);
    void ShowEfficiencyLevels();
    // The open efficiency guide follows the item; name picks the resource it shows.
    void RefreshEfficiencyGuide(const std::string& name = {});
    // A double click on a "Cur Skill" cell opens its editor; Enter sets the profile's skill.
    void EditCurrentSkill(const QModelIndex& cell);
    void CommitCurrentSkill();

    // For the technique browser: the technique filter, and attaching a technique tier
    // (false, with the message shown, when it is refused).
    void SetTechniqueFilter(const CTechnique* technique);
    bool AttachTechniqueTier(const COrderTechnique& technique);

    void SetExpandMode(EExpandMode mode);
    void SetBreakdownMode(EBreakdownMode mode);
    void SetResourceRows(int rows);
    void ToggleAutoShrink();

    const CWorkingItem& Working() const { return m_working; }
    CThemedTree* Tree() const;
    QListView* Categories() const;
    QLabel* FoundLabel() const;
    CBrowserGrid* DetailsGrid() const { return m_details; }
    CBrowserGrid* TiersGrid() const { return m_tiers; }
    CBrowserGrid* TechniquesGrid() const { return m_techniques; }
    CBrowserGrid* ResourceGrid() const { return m_resources; }
    QPushButton* AddButton() const { return m_add; }
    QComboBox* QuickItemCombo() const { return m_quick; }
    QComboBox* ProfileCombo() const { return m_profile; }
    QLineEdit* QuickFilterEdit() const;
    // The filter as you type hides the formulae whose name and keywords lack its words.
    void ApplyQuickFilter();
    // What a drag of the current formula carries to the order window: the working item.
    QByteArray DragItem() const;

Q_SIGNALS:
    // The working item was shown again or cleared; the technique browser follows it.
    void WorkingItemChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The layout's parts, each with the controls it makes.
    QWidget* BuildTreeColumn(QWidget* client);
    QLayout* BuildItemColumn(QWidget* client);
    QWidget* BuildResourceGrid(QWidget* client);
    QLayout* BuildButtonRow(QWidget* client);
    void ConnectControls();
    void ConnectWindowBus();
    void BuildMenus();
    void LayoutColumns();
    void FillCategories();
    void FillTree();
    void ShowFound();
    void FillTiers();
    void FillTechniques();
    void FillResources();
    void FillQuickItems();
    void FillProfiles();
    void CheckMenus();
    void LayoutResourceGrid();
    void OnCategoryClicked(int row);
    void OnTreeSelection(const QModelIndex& current);
    // The sub-formula branch under a formula's entry, for the tier.
    void ShowSubFormulae(int formulaNode, const CFormulaTier& tier, const std::string& builtFor);
    // Makes a tree entry the current one (the node of the tree model; -1 for none) without
    // acting on it as a choice of the player.
    void SetCurrentNode(int node);
    // The node of the tree's current entry, or -1.
    int CurrentNode() const;
    void ItemEdited(std::string_view name);
    // Quick Item entry n >= 1 after PickQuickItem: the working item is shown; false when
    // its formula is unknown.
    bool LoadOrderItem(int entry);
    std::vector<std::string> SelectedPath() const;
    // The resource a row of the resource grid shows; empty outside the rows.
    std::string ResourceNameOf(int row) const;

    CFormulaFilter m_filter;
    // The database's formulae in the tree's order.
    CFormulaOrder m_order;
    std::string m_formula; // current formula's name
    std::string m_formulaCategory;
    std::string m_foundText; // the tree's count before the quick filter
    CWorkingItem m_working;
    // The tree entry the window shows (a node of m_treeModel).
    int m_shownNode = -1;
    // The formula entry the sub-formulae hang under, and "category\nformula\ntier" they are for.
    int m_branchNode = -1;
    std::string m_branchFor;

    CCategoryBrowser* m_browser;
    CTreeModel* m_treeModel;
    CFormulaFilterModel* m_filterModel;
    CThemedTree* m_tree;
    CBrowserGrid* m_details;
    CBrowserGrid* m_tiers;
    CBrowserGrid* m_techniques;
    QPushButton* m_removeTechnique;
    QComboBox* m_quick;
    QComboBox* m_profile;
    CBrowserGrid* m_resources;
    QPushButton* m_levels;
    QPushButton* m_add;
    QLineEdit* m_skillEdit;
    int m_editRow = -1;

    std::array<QAction*, 3> m_expandActions{};
    std::array<QAction*, 3> m_breakdownActions{};
    std::array<QAction*, 4> m_rowActions{};
    QAction* m_autoShrinkAction = nullptr;
};
