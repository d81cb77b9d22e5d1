#include "platform/QtImageDecoder.h"
#include "support/TempDir.h"

#include <QImage>
#include <QImageWriter>
#include <QString>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// Pixel (x, y) of the test images; opaque, so formats that premultiply keep it exactly.
std::uint32_t Pixel(int x, int y)
{
    return 0xFF000000u | static_cast<std::uint32_t>(x * 5) << 16 |
           static_cast<std::uint32_t>(y * 3) << 8 | 0x40u;
}

fs::path SaveImage(const fs::path& path, int width, int height, const char* format)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, Pixel(x, y));
    image.setPixel(0, 0, 0x00000000u); // one transparent pixel
    EXPECT_TRUE(image.save(QString::fromLocal8Bit(path.c_str()), format));
    return path;
}

void ExpectPixels(const CImage& image, int width, int height)
{
    ASSERT_EQ(image.width, width);
    ASSERT_EQ(image.height, height);
    ASSERT_EQ(image.pixels.size(), static_cast<std::size_t>(width * height));
    EXPECT_EQ(image.pixels[0] >> 24, 0u);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            if (x || y)
            {
                ASSERT_EQ(image.pixels[static_cast<std::size_t>(y * width + x)], Pixel(x, y))
                    << x << "," << y;
            }
        }
    }
}
} // namespace

TEST(QtImageDecoder, DecodesPngExactly)
{
    CTempDir dir;
    CQtImageDecoder decoder;
    CImage image;
    ASSERT_TRUE(decoder.Decode(SaveImage(dir / "odd width.png", 37, 29, "PNG"), image));
    ExpectPixels(image, 37, 29);

    EXPECT_FALSE(decoder.Decode(dir.WriteFile("broken.png", "\x89PNG not really"), image));
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
    EXPECT_FALSE(decoder.Decode(dir / "missing.png", image));
}

TEST(QtImageDecoder, DecodesTiff)
{
    if (!QImageWriter::supportedImageFormats().contains("tiff"))
        GTEST_SKIP() << "no TIFF plugin";
    CTempDir dir;
    CQtImageDecoder decoder;
    CImage image;
    ASSERT_TRUE(decoder.Decode(SaveImage(dir / "icon.tif", 20, 22, "TIFF"), image));
    ExpectPixels(image, 20, 22);
}

TEST(QtImageDecoder, FeedsTheIconStore)
{
    CTempDir dir;
    fs::create_directories(dir / "icons");
    SaveImage(dir / "icons/big.png", 40, 40, "PNG");
    SaveImage(dir / "icons/small.png", 16, 16, "PNG");
    dir.WriteFile("icons/junk.png", "junk");
    CQtImageDecoder decoder;
    CIconManager icons(&decoder);
    icons.AddFolder(dir / "icons");
    ASSERT_EQ(icons.Names(), (std::vector<std::string>{"big", "small"}));
    EXPECT_EQ(icons.Images()[0].pixels[0], Pixel(8, 8));
    EXPECT_EQ(icons.Images()[1].pixels[24 + 1], Pixel(1, 1));
    EXPECT_EQ(icons.Images()[1].pixels[16], 0u);
}
