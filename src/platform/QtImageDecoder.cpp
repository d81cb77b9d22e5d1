#include "platform/QtImageDecoder.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <cstring>

bool CQtImageDecoder::Decode(const std::filesystem::path& path, CImage& image)
{
    image = CImage();
    // File names are bytes; Qt decodes them the way it encodes its own.
    const QString name = QFile::decodeName(QByteArray(path.c_str()));
    QImage decoded;
    if (!decoded.load(name) || decoded.isNull())
        return false;
    decoded = decoded.convertToFormat(QImage::Format_ARGB32);
    if (decoded.isNull() || decoded.width() <= 0 || decoded.height() <= 0)
        return false;
    image.width = decoded.width();
    image.height = decoded.height();
    const std::size_t width = static_cast<std::size_t>(image.width);
    image.pixels.resize(width * static_cast<std::size_t>(image.height));
    // Format_ARGB32 is 0xAARRGGBB per 32-bit word; rows may be padded, so copy row by row.
    for (int y = 0; y < image.height; ++y)
        std::memcpy(image.pixels.data() + static_cast<std::size_t>(y) * width,
                    decoded.constScanLine(y), width * sizeof(std::uint32_t));
    return true;
}
