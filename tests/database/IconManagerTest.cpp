#include "database/IconManager.h"
#include "support/TempDir.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;

namespace
{
// Test images are text files "WxH"; pixel (x, y) is 0xFF000000 | y << 8 | x, so a cut icon
// shows where it was taken from. Anything else does not decode.
class CFakeDecoder : public IImageDecoder
{
public:
    bool Decode(const fs::path& path, CImage& image) override
    {
        decoded.push_back(path.filename().native());
        int width = 0;
        int height = 0;
        if (std::sscanf(ReadFileBytes(path).c_str(), "%dx%d", &width, &height) != 2)
            return false;
        image.width = width;
        image.height = height;
        image.pixels.clear();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.pixels.push_back(Pixel(x, y));
        return true;
    }
    static std::uint32_t Pixel(int x, int y)
    {
        return 0xFF000000u | static_cast<std::uint32_t>(y) << 8 | static_cast<std::uint32_t>(x);
    }
    std::vector<std::string> decoded;
};

std::uint32_t At(const CImage& icon, int x, int y)
{
    return icon.pixels.at(static_cast<std::size_t>(y * icon.width + x));
}

class IconsTest : public ::testing::Test
{
protected:
    CTempDir dir;
    CFakeDecoder decoder;
    CIconManager icons{&decoder};
};
} // namespace

TEST_F(IconsTest, AddFolderTakesPngAndTifInByteOrder)
{
    dir.WriteFile("f/b.png", "10x10");
    dir.WriteFile("f/a.tif", "40x40");
    dir.WriteFile("f/C.png", "8x8");
    dir.WriteFile("f/c.PNG", "8x8");
    dir.WriteFile("f/d.jpg", "8x8");
    dir.WriteFile("f/e.png", "not an image");
    dir.WriteFile("f/f.png", "0x5");
    dir.WriteFile("f/g.tiff", "8x8");
    dir.WriteFile("f/sub/h.png", "8x8");
    fs::create_directories(dir / "f/dir.png");

    icons.AddFolder(dir / "f");

    EXPECT_EQ(icons.Names(), (std::vector<std::string>{"C", "a", "b"}));
    ASSERT_EQ(icons.Count(), 3);
    for (const CImage& icon : icons.Images())
    {
        EXPECT_EQ(icon.width, 24);
        EXPECT_EQ(icon.height, 24);
        EXPECT_EQ(icon.pixels.size(), 576u);
    }
    EXPECT_EQ(decoder.decoded,
              (std::vector<std::string>{"C.png", "a.tif", "b.png", "e.png", "f.png"}));
    EXPECT_EQ(icons.IconIndex("c"), 0);
    EXPECT_EQ(icons.LastFolder(), dir / "f");
}

TEST_F(IconsTest, CutsAtOffsetZeroOrEightAndPadsWithTransparency)
{
    dir.WriteFile("f/a_small.png", "31x31");
    dir.WriteFile("f/b_wide.png", "32x10");
    dir.WriteFile("f/c_narrow.png", "30x40");
    dir.WriteFile("f/d_tiny.png", "10x12");
    icons.AddFolder(dir / "f");
    ASSERT_EQ(icons.Count(), 4);
    const auto& images = icons.Images();

    // Both sides below 32: offset 0.
    EXPECT_EQ(At(images[0], 0, 0), CFakeDecoder::Pixel(0, 0));
    EXPECT_EQ(At(images[0], 23, 23), CFakeDecoder::Pixel(23, 23));
    // One side of 32: offset 8 on both axes; rows past the image are transparent.
    EXPECT_EQ(At(images[1], 0, 0), CFakeDecoder::Pixel(8, 8));
    EXPECT_EQ(At(images[1], 23, 1), CFakeDecoder::Pixel(31, 9));
    EXPECT_EQ(At(images[1], 0, 2), 0u);
    // Offset 8, columns past the image are transparent.
    EXPECT_EQ(At(images[2], 21, 23), CFakeDecoder::Pixel(29, 31));
    EXPECT_EQ(At(images[2], 22, 0), 0u);
    // Smaller than the cut area.
    EXPECT_EQ(At(images[3], 9, 11), CFakeDecoder::Pixel(9, 11));
    EXPECT_EQ(At(images[3], 10, 0), 0u);
    EXPECT_EQ(At(images[3], 0, 12), 0u);
}

TEST_F(IconsTest, LoadIconsOrderAndIconIndex)
{
    const fs::path data = dir / "data";
    const fs::path game = dir / "game";
    dir.WriteFile("data/Config/icons/general/dup.png", "8x8");
    dir.WriteFile("data/Config/icons/general/gen.png", "8x8");
    dir.WriteFile("game/Resources/interface/icons/formulas/dup.png", "40x40");
    dir.WriteFile("game/Resources/interface/icons/formulas/a.b.png", "8x8");
    dir.WriteFile("game/Resources/interface/icons/techniques/a.png", "8x8");

    icons.AddIcon("stale", CImage{24, 24, std::vector<std::uint32_t>(576, 1)});
    icons.LoadIcons(game, data, true);
    EXPECT_EQ(icons.Names(), (std::vector<std::string>{"dup", "gen", "a.b", "dup", "a"}));

    const std::map<std::string, int> expected = {
        {"dup", 0},     {"dup.png", 0}, {"dup.tif", 0}, {"gen", 1},  {"gen.x.y", 0},
        {"a.b", 4},     {"a.b.png", 2}, {"a", 4},       {"a.", 4},   {"stale", 0},
        {"missing", 0}, {"", 0},        {"Dup", 0},     {".png", 0}, {"gen.", 1},
    };
    for (const auto& [name, index] : expected)
        EXPECT_EQ(icons.IconIndex(name), index) << name;
    // Two icons of the same name are both kept.
    EXPECT_NE(icons.Images()[0].pixels, icons.Images()[3].pixels);

    icons.LoadIcons(game, data, false);
    EXPECT_EQ(icons.Count(), 0);
    EXPECT_EQ(icons.IconIndex("gen"), 0);

    // Without a game folder only the general icons are taken.
    icons.LoadIcons({}, data, true);
    EXPECT_EQ(icons.Names(), (std::vector<std::string>{"dup", "gen"}));
}

TEST_F(IconsTest, WithoutDecoderNothingIsAdded)
{
    dir.WriteFile("f/a.png", "8x8");
    CIconManager bare;
    bare.AddFolder(dir / "f");
    EXPECT_EQ(bare.Count(), 0);
    icons.AddFolder(dir / "missing");
    EXPECT_EQ(icons.Count(), 0);
}

// ---------------------------------------------------------------------------------------

namespace
{
std::string Header(std::uint32_t count)
{
    std::string bytes = "MOXAICON";
    for (std::uint32_t value : {1u, 24u, count})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    return bytes;
}
} // namespace

TEST_F(IconsTest, CacheRoundTripKeepsImagesAndIndices)
{
    dir.WriteFile("f/a.png", "40x40");
    dir.WriteFile("f/b.png", "5x7");
    dir.WriteFile("f/c.tif", "24x24");
    icons.AddFolder(dir / "f");
    const fs::path cache = dir / "formicons.dat";
    ASSERT_TRUE(icons.WriteIcons(cache));

    const std::string bytes = ReadFileBytes(cache);
    ASSERT_EQ(bytes.size(), 20u + 3u * 2304u);
    EXPECT_EQ(bytes.substr(0, 20), Header(3));
    // First pixel of the first icon, 0xFF000808, little-endian.
    EXPECT_EQ(bytes.substr(20, 4), std::string("\x08\x08\x00\xFF", 4));

    CIconManager restored;
    restored.AddIcon("old", CImage{24, 24, std::vector<std::uint32_t>(576, 7)});
    ASSERT_TRUE(restored.ReadIcons(cache));
    ASSERT_EQ(restored.Count(), 3);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(restored.Images()[i].width, 24);
        EXPECT_EQ(restored.Images()[i].height, 24);
        EXPECT_EQ(restored.Images()[i].pixels, icons.Images()[i].pixels) << i;
    }
    // Names are not cached.
    EXPECT_TRUE(restored.Names().empty());
    EXPECT_EQ(restored.IconIndex("b"), 0);

    CIconManager empty;
    ASSERT_TRUE(empty.WriteIcons(dir / "empty.dat"));
    EXPECT_EQ(ReadFileBytes(dir / "empty.dat"), Header(0));
    EXPECT_TRUE(restored.ReadIcons(dir / "empty.dat"));
    EXPECT_EQ(restored.Count(), 0);

    EXPECT_FALSE(icons.WriteIcons(dir / "no/such/folder/formicons.dat"));
}

TEST_F(IconsTest, DamagedCachesAreRejected)
{
    const std::string icon(2304, '\x11');
    std::string badVersion = Header(1) + icon;
    badVersion[8] = 2;
    std::string badEdge = Header(1) + icon;
    badEdge[12] = 16;
    const struct
    {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"header cut", Header(1).substr(0, 19)},
        {"truncated", Header(2) + icon + icon.substr(1)},
        {"count too high", Header(2) + icon},
        {"count too low", Header(1) + icon + icon},
        {"oversized", Header(1) + icon + "x"},
        {"bad magic", "MOXAICOX" + Header(1).substr(8) + icon},
        {"bad version", badVersion},
        {"bad edge", badEdge},
        {"absurd count", Header(0xFFFFFFFFu) + icon},
        {"count past limit", Header(CIconManager::MaxCachedIcons + 1)},
    };
    for (const auto& c : cases)
    {
        const fs::path path = dir.WriteFile("damaged.dat", c.bytes);
        CIconManager store;
        store.AddIcon("kept?", CImage{24, 24, std::vector<std::uint32_t>(576, 3)});
        EXPECT_FALSE(store.ReadIcons(path)) << c.what;
        EXPECT_EQ(store.Count(), 0) << c.what;
    }
    CIconManager store;
    EXPECT_FALSE(store.ReadIcons(dir / "missing.dat"));
}
