#include "ui/widgets/ElidedLabel.h"

#include "ui/shell/QtText.h"

#include <QEvent>

#include <algorithm>

namespace
{
// What a cut text asks for at least: room for a few letters and the ellipsis.
constexpr int MinimumLetters = 8;
} // namespace

CElidedLabel::CElidedLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void CElidedLabel::SetFullText(const QString& text)
{
    m_full = text;
    Elide();
}

QSize CElidedLabel::sizeHint() const
{
    const QSize hint = QLabel::sizeHint();
    return {std::min(hint.width(), minimumSizeHint().width() * 4), hint.height()};
}

QSize CElidedLabel::minimumSizeHint() const
{
    const QMargins margins = contentsMargins();
    return {fontMetrics().averageCharWidth() * MinimumLetters + margins.left() + margins.right() + 2 * margin(),
            QLabel::minimumSizeHint().height()};
}

void CElidedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    Elide();
}

void CElidedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        Elide();
}

void CElidedLabel::Elide()
{
    // One line: a name's own line breaks would make the label as tall as they are many.
    QString line = m_full;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int room = std::max(0, contentsRect().width() - 2 * margin());
    const QString shown = fontMetrics().elidedText(line, Qt::ElideRight, room);
    if (shown != text())
        setText(shown);
    setToolTip(shown == line ? QString() : PlainToolTip(m_full));
}
