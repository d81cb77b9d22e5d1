#pragma once

#include <QProxyStyle>

// The application's style: the platform's own, except that check boxes and radio buttons
// keep a visible edge on a dark theme, and that the toolbar extension arrows
// of Fusion are read as the PNG images they are. Fusion hands their file names to QIcon,
// and finding the format of an image file loads every image format plugin with its
// libraries first (some milliseconds at each start, for the menu bar's arrow alone).
class CAppStyle : public QProxyStyle
{
public:
    // Uses the style QApplication would pick.
    CAppStyle() = default;
    explicit CAppStyle(QStyle* base) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};
