#pragma once

#include "browsers/FormulaTree.h"
#include "browsers/ResourceRows.h"
#include "browsers/WorkingItem.h"
#include "ui/shell/ToolWindow.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

class CGridWidget;
class CThemedTree;
class QAction;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidgetItem;

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
    void DatabaseReloaded() override { RefreshAll(); }
    void ApplyTheme() override;

    // Ctrl+F and the menu: asks for the text, then searches.
    void SearchByName() override;
    void SearchByClass();
    void ApplyNameFilter(const std::string& name);
    void ApplyClassFilter(const std::string& classEntry);
    // The formula found by a name search, and its tier when it has one of that name.
    void ShowFormula(const std::string& formula, const std::string& category, const std::string& tier);

    // A click on the tiers grid row (1 = first tier).
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
    void EditCurrentSkill(int row, int col);
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
    CThemedTree* Tree() const { return m_tree; }
    QListWidget* Categories() const { return m_categories; }
    QLabel* FoundLabel() const { return m_found; }
    CGridWidget* DetailsGrid() const { return m_details; }
    CGridWidget* TiersGrid() const { return m_tiers; }
    CGridWidget* TechniquesGrid() const { return m_techniques; }
    CGridWidget* ResourceGrid() const { return m_resources; }
    QPushButton* AddButton() const { return m_add; }
    QComboBox* QuickItemCombo() const { return m_quick; }
    QComboBox* ProfileCombo() const { return m_profile; }
    QLineEdit* QuickFilterEdit() const { return m_quickFilter; }
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
    // The tree items' depth (1 category, 2 formula, 3 and more sub-formulae), and a category
    // item's formula category.
    static constexpr int DepthRole = Qt::UserRole;
    static constexpr int CategoryRole = Qt::UserRole + 1;

    // The layout's parts, each with the controls it makes.
    QLayout* BuildTreeColumn(QWidget* client);
    QLayout* BuildItemColumn(QWidget* client);
    QWidget* BuildResourceGrid(QWidget* client);
    QLayout* BuildButtonRow(QWidget* client);
    void ConnectControls();
    void ConnectWindowBus();
    void BuildMenus();
    void LayoutColumns();
    void FillCategories();
    void FillTree();
    void FillTiers();
    void FillTechniques();
    void FillResources();
    void FillQuickItems();
    void FillProfiles();
    void CheckMenus();
    void LayoutResourceGrid();
    void OnCategoryClicked(int row);
    void OnTreeSelection(QTreeWidgetItem* item);
    void AddSubFormulae(QTreeWidgetItem* parent, const std::vector<CSubFormulaNode>& nodes);
    void ItemEdited(std::string_view name);
    // Quick Item entry n >= 1 after PickQuickItem: the working item is shown; false when
    // its formula is unknown.
    bool LoadOrderItem(int entry);
    std::vector<std::string> SelectedPath() const;

    CFormulaFilter m_filter;
    std::string m_formula; // current formula's name
    std::string m_formulaCategory;
    CWorkingItem m_working;
    bool m_refilling = false;
    // The formula item the sub-formulae hang under, and "category\nformula\ntier" they are for.
    QTreeWidgetItem* m_branchItem = nullptr;
    std::string m_branchFor;

    QListWidget* m_categories;
    QLineEdit* m_quickFilter;
    QPushButton* m_collapse;
    QPushButton* m_expand;
    QLabel* m_found;
    CThemedTree* m_tree;
    CGridWidget* m_details;
    CGridWidget* m_tiers;
    CGridWidget* m_techniques;
    QPushButton* m_removeTechnique;
    QComboBox* m_quick;
    QComboBox* m_profile;
    CGridWidget* m_resources;
    QPushButton* m_levels;
    QPushButton* m_add;
    QLineEdit* m_skillEdit;
    int m_editRow = -1;

    std::array<QAction*, 3> m_expandActions{};
    std::array<QAction*, 3> m_breakdownActions{};
    std::array<QAction*, 4> m_rowActions{};
    QAction* m_autoShrinkAction = nullptr;
};
