#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A decoded image: width x height pixels, 0xAARRGGBB, row by row.
struct CImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Decodes image files (PNG, TIFF); the platform layer provides one on QImage.
class IImageDecoder
{
public:
    virtual ~IImageDecoder() = default;
    virtual bool Decode(const std::filesystem::path& path, CImage& image) = 0;
};

// The icon store: names and 24 x 24 images in load order; an icon's index is its position.
//
// The icon cache ("formicons.dat") keeps the images only, in this binary layout, every
// integer an unsigned 32-bit little-endian value:
//   8 bytes   magic "MOXAICON"
//   4 bytes   format version (1)
//   4 bytes   icon edge in pixels (24)
//   4 bytes   number of icons N (at most MaxCachedIcons)
//   N x 24 x 24 pixels, 0xAARRGGBB, row by row, icon after icon
// A file whose size is not exactly that of its header is rejected whole.
class CIconManager
{
public:
    static constexpr int IconPixels = 24;
    static constexpr std::string_view CacheMagic = "MOXAICON";
    static constexpr std::uint32_t CacheVersion = 1;
    static constexpr std::uint32_t MaxCachedIcons = 1u << 16;

    explicit CIconManager(IImageDecoder* decoder = nullptr) : m_decoder(decoder) {}

    // Replaces the store by an empty one, then (when enabled) adds the program's general
    // icons, the game's formula icons and the game's technique icons, in that order.
    void LoadIcons(const std::filesystem::path& gameFolder, const std::filesystem::path& dataFolder,
                   bool enableIcons);
    void Clear();
    // Adds every ".png" and ".tif" image of one folder (not its sub-folders).
    void AddFolder(const std::filesystem::path& folder);
    // Appends one icon (already 24 x 24) under a name.
    void AddIcon(std::string name, CImage icon);
    // The index of the first icon of that name (without extension); 0 when there is none.
    int IconIndex(std::string_view name) const;

    // The icon cache: images only, names are not kept.
    bool WriteIcons(const std::filesystem::path& path) const;
    bool ReadIcons(const std::filesystem::path& path);
    // After ReadIcons: the names again, from the file names LoadIcons would read, so that
    // what the cache does not hold (the categories' icons) still finds its icon. Kept only
    // when there are as many as the cache has images; false (and no names) otherwise.
    bool RestoreNames(const std::filesystem::path& gameFolder, const std::filesystem::path& dataFolder,
                      bool enableIcons);

    int Count() const { return static_cast<int>(m_images.size()); }
    const std::vector<std::string>& Names() const { return m_names; }
    const std::vector<CImage>& Images() const { return m_images; }
    const std::filesystem::path& LastFolder() const { return m_lastFolder; }
    void SetIconSize(int pixels) { m_iconSize = pixels; }
    int IconSize() const { return m_iconSize; }
    void SetDecoder(IImageDecoder* decoder) { m_decoder = decoder; }

private:
    IImageDecoder* m_decoder = nullptr;
    std::vector<std::string> m_names;
    std::vector<CImage> m_images;
    std::unordered_map<std::string, int> m_firstByName;
    std::filesystem::path m_lastFolder;
    int m_iconSize = 16;
};
