#include "ui/widgets/MeasuredWidths.h"

#include <QAbstractItemView>

int CMeasuredWidths::Width(const QAbstractItemView& view, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    // Not a store of every text a long session shows.
    if (m_widths.size() > 100000)
        m_widths.clear();
    QString key = index.data().toString();
    key += QChar(u'0' + (index.data(Qt::DecorationRole).isValid() ? 1 : 0) +
                 (index.data(Qt::CheckStateRole).isValid() ? 2 : 0) + (index.data(Qt::FontRole).isValid() ? 4 : 0));
    auto width = m_widths.constFind(key);
    if (width == m_widths.constEnd())
        width = m_widths.insert(key, view.itemDelegateForIndex(index)->sizeHint(option, index).width());
    return *width;
}
