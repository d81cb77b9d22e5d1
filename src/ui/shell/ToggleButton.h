#pragma once

#include <QColor>
#include <QPushButton>

// A toolbar button with an "on" and an "off" look (the theme's "BUTTONCOLOUR_ON" and
// "BUTTONCOLOUR_OFF"); on while its window is shown.
class CToggleButton : public QPushButton
{
    Q_OBJECT

public:
    CToggleButton(const QString& text, const QString& tooltip, QWidget* parent);

    bool IsOn() const { return m_on; }
    void SetOn(bool on);
    void SetColours(const QColor& on, const QColor& off);
    // Room for the text in the bold face the "on" look uses.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = false;
    QColor m_onColour{0x9C, 0xC9, 0x8A};
    QColor m_offColour{0xD4, 0xD0, 0xC8};
};
