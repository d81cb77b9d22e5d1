#pragma once

#include <QTreeWidget>

class CTheme;

// A tree whose colours come from the theme: "TREE_BACKCOLOUR" behind it, and per entry the
// level's normal text colour ("TREE_LVL1_" ... or "TREE_EMPTY_", "TREE_DISABLED_").
class CThemedTree : public QTreeWidget
{
    Q_OBJECT

public:
    enum class ELevel
    {
        Level1,
        Level2,
        Level3,
        Empty,
        Disabled
    };

    explicit CThemedTree(QWidget* parent = nullptr);

    void ApplyTheme(const CTheme& theme);
    // Colours one entry by its level; the entry remembers its level for later themes.
    void ColourItem(QTreeWidgetItem* item, ELevel level);
    static const char* LevelPrefix(ELevel level);
    // As wide as the longest entry shown (up to a limit), so that layouts give the names room.
    QSize minimumSizeHint() const override;

protected:
    bool viewportEvent(QEvent* event) override;

private:
    void RecolourAll();
    // The column spans the view, or the longest entry shown when that is wider (the tree
    // then scrolls sideways): names are never cut.
    void FitColumn();
    void FitColumnLater();

    int m_contentWidth = 0;
    bool m_fitPending = false;

    const CTheme* m_theme = nullptr;
};

// The same colours for plain lists.
class QListWidget;
void ApplyListTheme(QListWidget& list, const CTheme& theme);
