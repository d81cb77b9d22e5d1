#include "ui/widgets/ThemedTree.h"

#include "app/Theme.h"
#include "platform/QtSystemColours.h"

#include <QListWidget>

#include <string>

namespace
{
constexpr int LevelRole = Qt::UserRole + 100;

QColor Key(const CTheme& theme, const std::string& key)
{
    return ColourFromTheme(theme.ThemeColour(key));
}
} // namespace

CThemedTree::CThemedTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
}

const char* CThemedTree::LevelPrefix(ELevel level)
{
    switch (level)
    {
    case ELevel::Level1: return "TREE_LVL1_";
    case ELevel::Level2: return "TREE_LVL2_";
    case ELevel::Level3: return "TREE_LVL3_";
    case ELevel::Empty: return "TREE_EMPTY_";
    case ELevel::Disabled: return "TREE_DISABLED_";
    }
    return "TREE_LVL1_";
}

void CThemedTree::ApplyTheme(const CTheme& theme)
{
    m_theme = &theme;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Key(theme, "TREE_BACKCOLOUR"));
    pal.setColor(QPalette::Window, Key(theme, "TREE_BACKCOLOUR"));
    pal.setColor(QPalette::Text, Key(theme, "TREE_LVL1_NORMAL_FG"));
    pal.setColor(QPalette::Highlight, Key(theme, "TREE_LVL1_SELECTED_BG"));
    pal.setColor(QPalette::HighlightedText, Key(theme, "TREE_LVL1_SELECTED_FG"));
    setPalette(pal);
    RecolourAll();
}

void CThemedTree::ColourItem(QTreeWidgetItem* item, ELevel level)
{
    item->setData(0, LevelRole, static_cast<int>(level));
    if (m_theme)
        item->setForeground(0, Key(*m_theme, std::string(LevelPrefix(level)) + "NORMAL_FG"));
}

void CThemedTree::RecolourAll()
{
    for (QTreeWidgetItemIterator it(this); *it; ++it)
    {
        const QVariant level = (*it)->data(0, LevelRole);
        if (level.isValid())
            ColourItem(*it, static_cast<ELevel>(level.toInt()));
    }
}

void ApplyListTheme(QListWidget& list, const CTheme& theme)
{
    QPalette pal = list.palette();
    pal.setColor(QPalette::Base, Key(theme, "TREE_BACKCOLOUR"));
    pal.setColor(QPalette::Text, Key(theme, "TREE_LVL1_NORMAL_FG"));
    pal.setColor(QPalette::Highlight, Key(theme, "TREE_LVL1_SELECTED_BG"));
    pal.setColor(QPalette::HighlightedText, Key(theme, "TREE_LVL1_SELECTED_FG"));
    list.setPalette(pal);
}
