#include "ui/shell/ToggleButton.h"

#include <QPainter>
#include <QStyleOptionButton>

CToggleButton::CToggleButton(const QString& text, const QString& tooltip, QWidget* parent)
    : QPushButton(text, parent)
{
    setToolTip(tooltip);
    setFocusPolicy(Qt::NoFocus);
}

void CToggleButton::SetOn(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    update();
}

void CToggleButton::SetColours(const QColor& on, const QColor& off)
{
    m_onColour = on;
    m_offColour = off;
    update();
}

QSize CToggleButton::sizeHint() const
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return QPushButton::sizeHint().expandedTo(QSize(metrics.horizontalAdvance(text()) + 16, metrics.height() + 10));
}

void CToggleButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    const QColor face = m_on ? m_onColour : m_offColour;
    painter.fillRect(area, isDown() ? face.darker(115) : face);
    // Raised when off, sunken when on.
    const QColor light = face.lighter(140);
    const QColor dark = face.darker(170);
    painter.setPen(m_on ? dark : light);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(m_on ? light : dark);
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());

    // Text in the contrasting shade of the face.
    painter.setPen(face.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black));
    QFont font = painter.font();
    font.setBold(m_on);
    painter.setFont(font);
    painter.drawText(area.translated(m_on ? 1 : 0, m_on ? 1 : 0), Qt::AlignCenter, text());
}
