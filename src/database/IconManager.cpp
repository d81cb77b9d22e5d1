#include "database/IconManager.h"

#include "base/AtomicFile.h"
#include "base/DataPaths.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace
{
constexpr std::size_t PixelsPerIcon = CIconManager::IconPixels * CIconManager::IconPixels;
constexpr std::size_t BytesPerIcon = PixelsPerIcon * 4;
constexpr std::size_t HeaderBytes = CIconManager::CacheMagic.size() + 3 * 4;

bool EndsWith(const std::string& name, std::string_view suffix)
{
    return name.size() >= suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void PutU32(std::string& out, std::uint32_t value)
{
    const char bytes[4] = {static_cast<char>(value & 0xff), static_cast<char>((value >> 8) & 0xff),
                           static_cast<char>((value >> 16) & 0xff),
                           static_cast<char>((value >> 24) & 0xff)};
    out.append(bytes, 4);
}

std::uint32_t GetU32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// The 24 x 24 area of an icon image; whatever lies outside the image stays transparent.
CImage CutIcon(const CImage& image)
{
    const int size = CIconManager::IconPixels;
    const int offset = (image.width < 32 && image.height < 32) ? 0 : 8;
    CImage icon;
    icon.width = size;
    icon.height = size;
    icon.pixels.assign(PixelsPerIcon, 0);
    for (int y = 0; y < size; ++y)
    {
        const int sy = y + offset;
        if (sy >= image.height)
            break;
        for (int x = 0; x < size; ++x)
        {
            const int sx = x + offset;
            if (sx >= image.width)
                break;
            icon.pixels[static_cast<std::size_t>(y * size + x)] =
                image.pixels[static_cast<std::size_t>(sy) * static_cast<std::size_t>(image.width) +
                             static_cast<std::size_t>(sx)];
        }
    }
    return icon;
}

// The regular files of one folder, in byte-wise name order.
std::vector<std::string> SortedFileNames(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return names;
    for (; it != fs::directory_iterator(); it.increment(ec))
    {
        if (ec)
            break;
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().native());
    }
    std::sort(names.begin(), names.end());
    return names;
}
} // namespace

void CIconManager::Clear()
{
    m_names.clear();
    m_images.clear();
    m_firstByName.clear();
    m_lastFolder.clear();
}

void CIconManager::LoadIcons(const fs::path& gameFolder, const fs::path& dataFolder,
                             bool enableIcons)
{
    Clear();
    if (!enableIcons)
        return;
    AddFolder(DataPaths::Join(dataFolder, DataPaths::GeneralIcons));
    // Without a game folder the relative names would point below the current directory.
    if (gameFolder.empty())
        return;
    AddFolder(DataPaths::Join(gameFolder, DataPaths::GameFormulaIcons));
    AddFolder(DataPaths::Join(gameFolder, DataPaths::GameTechniqueIcons));
}

bool CIconManager::RestoreNames(const fs::path& gameFolder, const fs::path& dataFolder, bool enableIcons)
{
    std::vector<fs::path> folders;
    if (enableIcons)
        folders.push_back(DataPaths::Join(dataFolder, DataPaths::GeneralIcons));
    if (enableIcons && !gameFolder.empty())
        for (std::string_view folder : {DataPaths::GameFormulaIcons, DataPaths::GameTechniqueIcons})
            folders.push_back(DataPaths::Join(gameFolder, folder));
    std::vector<std::string> names;
    for (const fs::path& folder : folders)
        for (const std::string& name : SortedFileNames(folder))
            if (EndsWith(name, ".png") || EndsWith(name, ".tif"))
                names.push_back(name.substr(0, name.size() - 4));
    m_names.clear();
    m_firstByName.clear();
    // An image that would not load, or a folder changed since: the indices would not match.
    if (names.size() != m_images.size())
        return false;
    for (std::size_t i = 0; i < names.size(); ++i)
        m_firstByName.emplace(names[i], static_cast<int>(i));
    m_names = std::move(names);
    return true;
}

void CIconManager::AddFolder(const fs::path& folder)
{
    m_lastFolder = folder;
    if (!m_decoder)
        return;
    for (const std::string& name : SortedFileNames(folder))
    {
        if (!EndsWith(name, ".png") && !EndsWith(name, ".tif"))
            continue;
        CImage image;
        if (!m_decoder->Decode(folder / name, image))
            continue;
        if (image.width <= 0 || image.height <= 0 ||
            image.pixels.size() !=
                static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
            continue;
        AddIcon(name.substr(0, name.size() - 4), CutIcon(image));
    }
}

void CIconManager::AddIcon(std::string name, CImage icon)
{
    const int index = Count();
    m_firstByName.emplace(name, index);
    m_names.push_back(std::move(name));
    m_images.push_back(std::move(icon));
}

int CIconManager::IconIndex(std::string_view name) const
{
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos)
        name = name.substr(0, dot);
    const auto it = m_firstByName.find(std::string(name));
    return it == m_firstByName.end() ? 0 : it->second;
}

bool CIconManager::WriteIcons(const fs::path& path) const
{
    CAtomicFile file;
    if (!file.Open(path))
        return false;
    std::string header(CacheMagic);
    PutU32(header, CacheVersion);
    PutU32(header, IconPixels);
    PutU32(header, static_cast<std::uint32_t>(m_images.size()));
    file.Write(header);
    std::string block;
    block.reserve(BytesPerIcon);
    for (const CImage& image : m_images)
    {
        block.clear();
        for (std::size_t i = 0; i < PixelsPerIcon; ++i)
            PutU32(block, i < image.pixels.size() ? image.pixels[i] : 0u);
        file.Write(block);
    }
    return file.Commit();
}

bool CIconManager::ReadIcons(const fs::path& path)
{
    Clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bool ok = false;
    unsigned char header[HeaderBytes];
    struct stat info
    {
    };
    if (::fstat(::fileno(file), &info) == 0 &&
        std::fread(header, 1, HeaderBytes, file) == HeaderBytes &&
        std::memcmp(header, CacheMagic.data(), CacheMagic.size()) == 0)
    {
        const unsigned char* fields = header + CacheMagic.size();
        const std::uint32_t version = GetU32(fields);
        const std::uint32_t edge = GetU32(fields + 4);
        const std::uint32_t count = GetU32(fields + 8);
        // The size is checked against the header before anything is allocated.
        const std::uint64_t expected =
            HeaderBytes + static_cast<std::uint64_t>(count) * BytesPerIcon;
        if (version == CacheVersion && edge == static_cast<std::uint32_t>(IconPixels) &&
            count <= MaxCachedIcons && static_cast<std::uint64_t>(info.st_size) == expected)
        {
            std::vector<unsigned char> block(BytesPerIcon);
            m_images.reserve(count);
            ok = true;
            for (std::uint32_t n = 0; n < count; ++n)
            {
                if (std::fread(block.data(), 1, BytesPerIcon, file) != BytesPerIcon)
                {
                    ok = false;
                    break;
                }
                CImage image;
                image.width = IconPixels;
                image.height = IconPixels;
                image.pixels.resize(PixelsPerIcon);
                for (std::size_t i = 0; i < PixelsPerIcon; ++i)
                    image.pixels[i] = GetU32(block.data() + 4 * i);
                m_images.push_back(std::move(image));
            }
            // Nothing may follow the last icon (the file may have grown while it was read).
            if (ok && std::fgetc(file) != EOF)
                ok = false;
        }
    }
    std::fclose(file);
    if (!ok)
        m_images.clear();
    return ok;
}
