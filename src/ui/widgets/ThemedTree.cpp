#include "ui/widgets/ThemedTree.h"

#include "base/Theme.h"
#include "platform/QtSystemColours.h"
#include "ui/widgets/TreeModel.h"

#include <QAbstractProxyModel>
#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include <functional>

#include <string>

namespace
{
QColor Key(const CTheme& theme, const std::string& key)
{
    return ColourFromTheme(theme.ThemeColour(key));
}
} // namespace

CThemedTree::CThemedTree(QWidget* parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    // Every entry is one line with its icon: the view need not measure them to lay them out.
    setUniformRowHeights(true);
    connect(this, &QTreeView::expanded, this, &CThemedTree::FitColumnLater);
    connect(this, &QTreeView::collapsed, this, &CThemedTree::FitColumnLater);
}

void CThemedTree::setModel(QAbstractItemModel* model)
{
    QTreeView::setModel(model);
    if (!model)
        return;
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model, signal, this, &CThemedTree::FitColumnLater);
    connect(model, &QAbstractItemModel::dataChanged, this, &CThemedTree::FitColumnLater);
    connect(model, &QAbstractItemModel::layoutChanged, this, &CThemedTree::FitColumnLater);
    // A new tree is measured at once: its entries are drawn at the width they need.
    connect(model, &QAbstractItemModel::modelReset, this, &CThemedTree::FitColumn);
}

QSize CThemedTree::minimumSizeHint() const
{
    constexpr int Limit = 340;
    // Before the column is fitted the entries are measured here, so that a window laid out
    // before its first show already has room for them.
    const int content = m_fitPending ? const_cast<CThemedTree*>(this)->ContentWidth() : m_contentWidth;
    const int width = std::min(content, Limit) + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    return QTreeView::minimumSizeHint().expandedTo(QSize(width, 0));
}

bool CThemedTree::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Resize)
        FitColumnLater();
    return QTreeView::viewportEvent(event);
}

void CThemedTree::FitColumnLater()
{
    if (m_fitPending)
        return;
    m_fitPending = true;
    QMetaObject::invokeMethod(this, &CThemedTree::FitColumn, Qt::QueuedConnection);
}

void CThemedTree::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_widths.Clear();
    QTreeView::changeEvent(event);
}

int CThemedTree::ContentWidth()
{
    if (!model())
        return 0;
    if (iconSize() != m_measuredIcons)
    {
        m_widths.Clear();
        m_measuredIcons = iconSize();
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    int widest = 0;
    const std::function<void(const QModelIndex&, int)> walk = [&](const QModelIndex& parent, int level)
    {
        for (int row = 0; row < model()->rowCount(parent); ++row)
        {
            const QModelIndex index = model()->index(row, 0, parent);
            widest = std::max(widest, m_widths.Width(*this, option, index) + level * indentation());
            if (isExpanded(index))
                walk(index, level + 1);
        }
    };
    walk(rootIndex(), rootIsDecorated() ? 1 : 0);
    return widest;
}

void CThemedTree::FitColumn()
{
    m_fitPending = false;
    const int content = ContentWidth();
    setColumnWidth(0, std::max(content, viewport()->width()));
    if (content != m_contentWidth)
    {
        m_contentWidth = content;
        updateGeometry();
    }
}

void CThemedTree::ExpandTop(bool expand)
{
    if (!model())
        return;
    for (int row = 0; row < model()->rowCount(); ++row)
        setExpanded(model()->index(row, 0), expand);
}

void CThemedTree::ApplyTheme(const CTheme& theme)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Key(theme, "TREE_BACKCOLOUR"));
    pal.setColor(QPalette::Window, Key(theme, "TREE_BACKCOLOUR"));
    pal.setColor(QPalette::Text, Key(theme, "TREE_LVL1_NORMAL_FG"));
    pal.setColor(QPalette::Highlight, Key(theme, "TREE_LVL1_SELECTED_BG"));
    pal.setColor(QPalette::HighlightedText, Key(theme, "TREE_LVL1_SELECTED_FG"));
    setPalette(pal);
    QAbstractItemModel* shown = model();
    while (auto* proxy = qobject_cast<QAbstractProxyModel*>(shown))
        shown = proxy->sourceModel();
    if (auto* levels = qobject_cast<CLevelModel*>(shown))
        levels->ApplyTheme(theme);
}

void ApplyListTheme(QAbstractItemView& list, const CTheme& theme)
{
    QPalette pal = list.palette();
    pal.setColor(QPalette::Base, Key(theme, "TREE_BACKCOLOUR"));
    pal.setColor(QPalette::Text, Key(theme, "TREE_LVL1_NORMAL_FG"));
    pal.setColor(QPalette::Highlight, Key(theme, "TREE_LVL1_SELECTED_BG"));
    pal.setColor(QPalette::HighlightedText, Key(theme, "TREE_LVL1_SELECTED_FG"));
    list.setPalette(pal);
}
