#pragma once

#include <QHash>
#include <QString>

class QAbstractItemView;
class QModelIndex;
class QStyleOptionViewItem;

// The widths a view's delegate gives its entries, each measured once: a view sizing its
// columns to a refill of the same texts looks them up. An entry is told by its text and by
// whether it has an icon, a tick or a font of its own; a new font or style starts afresh.
class CMeasuredWidths
{
public:
    int Width(const QAbstractItemView& view, const QStyleOptionViewItem& option, const QModelIndex& index);
    void Clear() { m_widths.clear(); }

private:
    QHash<QString, int> m_widths;
};
