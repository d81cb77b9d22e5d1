#pragma once

// What a view shows, read through its model as a player reads it.
#include <QAbstractItemView>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

inline QString Cell(const QAbstractItemView* view, int row, int column = 0, const QModelIndex& parent = {})
{
    return view->model()->index(row, column, parent).data().toString();
}

inline QString Heading(const QAbstractItemView* view, int column)
{
    return view->model()->headerData(column, Qt::Horizontal).toString();
}

inline int RowCount(const QAbstractItemView* view, const QModelIndex& parent = {})
{
    return view->model()->rowCount(parent);
}

// The entry at a path of rows from the top ({2, 0}: the third entry's first child).
inline QModelIndex Entry(const QAbstractItemView* view, std::initializer_list<int> rows)
{
    QModelIndex entry;
    for (const int row : rows)
        entry = view->model()->index(row, 0, entry);
    return entry;
}

// The first entry, depth first, whose text is the given one; invalid when there is none.
inline QModelIndex Find(const QAbstractItemView* view, const QString& text)
{
    const QAbstractItemModel* model = view->model();
    std::function<QModelIndex(const QModelIndex&)> walk = [&](const QModelIndex& parent)
    {
        for (int row = 0; row < model->rowCount(parent); ++row)
        {
            const QModelIndex entry = model->index(row, 0, parent);
            if (entry.data().toString() == text)
                return entry;
            if (const QModelIndex found = walk(entry); found.isValid())
                return found;
        }
        return QModelIndex();
    };
    return walk({});
}

// The rows' cells joined with "|", a line per row.
inline QStringList RowTexts(const QAbstractItemView* view)
{
    QStringList rows;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
    {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

inline QModelIndex Child(const QModelIndex& parent, int row)
{
    return parent.model()->index(row, 0, parent);
}

// A cell's text as the program's bytes.
inline std::string Text(const QAbstractItemView* view, int row, int column = 0)
{
    return Cell(view, row, column).toLatin1().toStdString();
}
