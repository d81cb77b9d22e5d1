#pragma once

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

// A cell editor that takes only what matches a pattern as it is typed; the model still
// refuses a finished text that does not read.
class CPatternDelegate : public QStyledItemDelegate
{
public:
    CPatternDelegate(const QString& pattern, QObject* parent)
        : QStyledItemDelegate(parent), m_pattern(pattern)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setValidator(new QRegularExpressionValidator(m_pattern, edit));
        return editor;
    }

private:
    QRegularExpression m_pattern;
};
