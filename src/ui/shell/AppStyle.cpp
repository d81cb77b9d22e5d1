#include "ui/shell/AppStyle.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QStyleOption>

namespace
{
// The images Fusion names for an extension arrow, read with the built-in PNG reader only;
// an empty icon when one is missing (another Qt), so that the caller asks the style itself.
QIcon ImagesIcon(const char* name, std::initializer_list<int> sizes)
{
    QIcon icon;
    for (const int size : sizes)
    {
        QImageReader reader(QStringLiteral(":/qt-project.org/styles/commonstyle/images/%1-%2.png")
                                .arg(QLatin1String(name))
                                .arg(size),
                            "png");
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (image.isNull())
            return QIcon();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
} // namespace

QIcon CAppStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                              const QWidget* widget) const
{
    const bool extension =
        icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
    if (extension && baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
    {
        // Fusion reads the direction from the option, else from the application.
        const bool rightToLeft =
            (option ? option->direction : QApplication::layoutDirection()) == Qt::RightToLeft;
        const QIcon images = icon == SP_ToolBarVerticalExtensionButton
                                 ? ImagesIcon("toolbar-ext-v", {5, 10, 20})
                             : rightToLeft ? ImagesIcon("toolbar-ext-h-rtl", {8, 16, 32})
                                           : ImagesIcon("toolbar-ext-h", {8, 16, 32});
        if (!images.isNull())
            return images;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

void CAppStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const
{
    // Fusion edges an indicator a shade darker than the window, which a dark window leaves
    // invisible on the box's dark fill: there the edge is taken from halfway to the text.
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (button && (element == PE_IndicatorCheckBox || element == PE_IndicatorRadioButton) &&
        button->palette.color(QPalette::Base).lightness() < 128)
    {
        QStyleOptionButton lighter(*button);
        const QColor window = button->palette.color(QPalette::Window);
        const QColor text = button->palette.color(QPalette::WindowText);
        lighter.palette.setColor(QPalette::Window, QColor((window.red() + text.red()) / 2,
                                                          (window.green() + text.green()) / 2,
                                                          (window.blue() + text.blue()) / 2));
        QProxyStyle::drawPrimitive(element, &lighter, painter, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
