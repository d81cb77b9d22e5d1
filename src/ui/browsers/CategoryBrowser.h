#pragma once

#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

class CThemedTree;
class CTheme;
class QLabel;
class QLineEdit;
class QListView;
class QStringListModel;

// The left column of the formula and technique browsers: the list of categories, the "<"
// and ">" buttons that collapse and expand the tree's categories with the count line beside
// them, an optional filter as you type, and the tree. The window gives the tree its model.
class CCategoryBrowser : public QWidget
{
    Q_OBJECT

public:
    CCategoryBrowser(QWidget* parent, std::string_view categoriesLabel, bool filter);

    // The entries of the category list, the one at current selected.
    void SetCategories(const std::vector<std::string>& entries, int current);
    std::string Category(int row) const;
    void SetFound(const std::string& text);
    void ApplyTheme(const CTheme& theme);

    QListView* Categories() const { return m_categories; }
    QLabel* Found() const { return m_found; }
    QLineEdit* Filter() const { return m_filter; }
    CThemedTree* Tree() const { return m_tree; }

Q_SIGNALS:
    // The player chose another entry of the category list.
    void CategoryChosen(int row);

private:
    QStringListModel* m_entries;
    QListView* m_categories;
    QLabel* m_found;
    QLineEdit* m_filter = nullptr;
    CThemedTree* m_tree;
};
