#include "ui/widgets/IconImage.h"

#include "database/IconManager.h"

#include <QImage>
#include <QPixmap>

QIcon IconFromStore(const CIconManager& icons, int index)
{
    if (index < 0 || index >= icons.Count())
        return QIcon();
    const CImage& image = icons.Images()[static_cast<std::size_t>(index)];
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        return QIcon();
    const QImage view(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                      image.width * 4, QImage::Format_ARGB32);
    const QSize size = IconPixels(icons);
    return QIcon(QPixmap::fromImage(view.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

QSize IconPixels(const CIconManager& icons)
{
    const int size = icons.IconSize() > 0 ? icons.IconSize() : 16;
    return {size, size};
}
