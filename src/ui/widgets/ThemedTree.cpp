#include "ui/widgets/ThemedTree.h"

#include "base/Theme.h"
#include "platform/QtSystemColours.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
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
    header()->setStretchLastSection(false);
    connect(this, &QTreeView::expanded, this, &CThemedTree::FitColumnLater);
    connect(this, &QTreeView::collapsed, this, &CThemedTree::FitColumnLater);
    connect(model(), &QAbstractItemModel::rowsInserted, this, &CThemedTree::FitColumnLater);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &CThemedTree::FitColumnLater);
    connect(model(), &QAbstractItemModel::dataChanged, this, &CThemedTree::FitColumnLater);
    connect(model(), &QAbstractItemModel::layoutChanged, this, &CThemedTree::FitColumnLater);
}

QSize CThemedTree::minimumSizeHint() const
{
    constexpr int Limit = 340;
    // Before the column is fitted the entries are measured here, so that a window laid out
    // before its first show already has room for them.
    const int content = m_fitPending ? sizeHintForColumn(0) : m_contentWidth;
    const int width = std::min(content, Limit) + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    return QTreeWidget::minimumSizeHint().expandedTo(QSize(width, 0));
}

bool CThemedTree::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        FitColumnLater();
    return QTreeWidget::viewportEvent(event);
}

void CThemedTree::FitColumnLater()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(this, &CThemedTree::FitColumn, Qt::QueuedConnection);
}

void CThemedTree::FitColumn()
{
    m_fitPending = false;
    const int content = sizeHintForColumn(0);
    setColumnWidth(0, std::max(content, viewport()->width()));
    if (content != m_contentWidth)
    {
        m_contentWidth = content;
        updateGeometry();
    }
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
