#pragma once

#include "profile/ProfileEdit.h"
#include "ui/shell/ToolWindow.h"

#include <array>
#include <string_view>

class CProfileListModel;
class CThemedTree;
class CTreeModel;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableView;

// "Profile Manager": the profiles by type and server, and the pages that edit the selected
// one. Selecting a profile makes it current; every edit reaches the formula browser at once.
class CProfileWindow : public CToolWindow
{
    Q_OBJECT

public:
    CProfileWindow(CAppContext& app, QWidget* parent);
    ~CProfileWindow() override;

    // The tree and the pages again, keeping the selection when it still exists.
    void Refresh();
    void DatabaseReloaded() override;
    void ApplyTheme() override;

    void SelectProfile(CProfile* profile);
    CProfile* Selected() const { return m_selected; }

    void NewProfile();
    void CopyProfile();
    void DeleteProfile();
    void SaveChanges();

    CThemedTree* Tree() const { return m_tree; }
    QTabWidget* Pages() const { return m_pages; }
    QLineEdit* NameEdit() const { return m_name; }
    QLineEdit* ServerEdit() const { return m_server; }
    QLineEdit* EmailEdit() const { return m_email; }
    QTableView* Grid(EProfileList list) const { return m_grids[static_cast<std::size_t>(list)]; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* DeleteButton() const { return m_delete; }

private:
    // The layout's parts, each with the controls it makes: the profile list, the player's
    // page, and a page of a levels list over a skills list.
    void BuildProfileList(QSplitter* splitter);
    QWidget* BuildPlayerPage();
    QWidget* BuildListsPage(EProfileList levels, std::string_view levelsLabel, std::string_view levelsHeader,
                            EProfileList skills, std::string_view skillsLabel);
    QTableView* ListGrid(EProfileList list, QWidget* page, std::string_view header);
    void FillTree();
    void ShowProfile();
    void OnTreeSelection(const QModelIndex& current);
    void OnPlayerEdited(QLineEdit* edit);
    // After an edit here: labels, buttons, and the other windows.
    void Edited();
    void Refuse(const std::string& message);

    CProfile* m_selected = nullptr;

    CThemedTree* m_tree;
    CTreeModel* m_treeModel;
    QPushButton* m_new;
    QPushButton* m_copy;
    QPushButton* m_delete;
    QPushButton* m_save;
    QTabWidget* m_pages;
    QLineEdit* m_name;
    QLineEdit* m_server;
    QLineEdit* m_email;
    std::array<QTableView*, 5> m_grids{};
    std::array<CProfileListModel*, 5> m_lists{};
};
