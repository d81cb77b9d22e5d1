#pragma once

#include "ui/widgets/MeasuredWidths.h"

#include <QTreeView>

class CTheme;
class QAbstractItemView;

// A tree whose colours come from the theme: "TREE_BACKCOLOUR" behind it, its entries' text
// by their level (the model's, CTreeModel). Names are never cut: the column spans the view,
// or the longest entry shown when that is wider, and the tree then scrolls sideways.
class CThemedTree : public QTreeView
{
    Q_OBJECT

public:
    explicit CThemedTree(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    // The palette, and the level colours of the model (or of the model behind a proxy).
    void ApplyTheme(const CTheme& theme);
    // As wide as the longest entry shown (up to a limit), so that layouts give the names room.
    QSize minimumSizeHint() const override;
    // Every top-level entry expanded or collapsed.
    void ExpandTop(bool expand);

protected:
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FitColumn();
    void FitColumnLater();
    // The width the entries shown (those of expanded branches) need, each entry's measure
    // kept for the next fill that shows it again.
    int ContentWidth();

    int m_contentWidth = 0;
    bool m_fitPending = false;
    CMeasuredWidths m_widths; // without the indentation

    QSize m_measuredIcons;
};

// The same colours for plain lists.
void ApplyListTheme(QAbstractItemView& list, const CTheme& theme);
