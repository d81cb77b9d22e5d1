#include "app/ZipNames.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <string>

namespace
{
constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint32_t CentralSignature = 0x02014b50;
constexpr std::uint32_t LocalSignature = 0x04034b50;
constexpr std::size_t EndSize = 22;
constexpr std::size_t CentralSize = 46;
constexpr std::size_t LocalSize = 30;
constexpr std::size_t MaxComment = 0xFFFF;
// Far more than the directory of any database archive; keeps a hostile one from costing memory.
constexpr std::uint32_t MaxDirectorySize = 16u << 20;

std::uint32_t Le(const std::string& bytes, std::size_t at, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

bool ReadAt(std::ifstream& in, std::uint64_t offset, std::size_t size, std::string& out)
{
    out.assign(size, '\0');
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(out.data(), static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(in.gcount()) == size;
}
} // namespace

bool IsSafeEntryPath(std::string_view path)
{
    if (path.empty() || path.front() == '/')
        return false;
    if (path.find("..") != std::string_view::npos || path.find('\\') != std::string_view::npos)
        return false;
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
        return false;
    return true;
}

bool StoredZipNamesAreSafe(const std::filesystem::path& archive)
{
    std::ifstream in(archive, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::uint64_t size = static_cast<std::uint64_t>(in.tellg());
    if (size < EndSize)
        return false;

    // The end record sits in the last bytes, before a comment of at most 64 KiB.
    const std::uint64_t tailSize = std::min<std::uint64_t>(size, EndSize + MaxComment);
    std::string tail;
    if (!ReadAt(in, size - tailSize, static_cast<std::size_t>(tailSize), tail))
        return false;
    std::size_t end = std::string::npos;
    for (std::size_t at = tail.size() - EndSize + 1; at-- > 0;)
        if (Le(tail, at, 4) == EndSignature)
        {
            end = at;
            break;
        }
    if (end == std::string::npos)
        return false;
    const std::uint64_t endOffset = size - tailSize + end;
    const std::uint32_t count = Le(tail, end + 10, 2);
    const std::uint32_t directorySize = Le(tail, end + 12, 4);
    const std::uint32_t directoryOffset = Le(tail, end + 16, 4);
    // Saturated fields mean a ZIP64 archive: far beyond any database archive.
    if (count == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF)
        return false;
    if (directorySize > MaxDirectorySize)
        return false;
    if (std::uint64_t(directoryOffset) + directorySize > endOffset)
        return false;

    std::string directory;
    if (!ReadAt(in, directoryOffset, directorySize, directory))
        return false;
    std::size_t at = 0;
    std::string local;
    for (std::uint32_t i = 0; i < count; ++i)
    {
        if (at + CentralSize > directory.size() || Le(directory, at, 4) != CentralSignature)
            return false;
        const std::size_t nameLength = Le(directory, at + 28, 2);
        const std::size_t extraLength = Le(directory, at + 30, 2);
        const std::size_t commentLength = Le(directory, at + 32, 2);
        const std::uint32_t localOffset = Le(directory, at + 42, 4);
        if (at + CentralSize + nameLength > directory.size())
            return false;
        const std::string_view name(directory.data() + at + CentralSize, nameLength);
        if (!IsSafeEntryPath(name))
            return false;

        if (localOffset >= directoryOffset || !ReadAt(in, localOffset, LocalSize, local) ||
            Le(local, 0, 4) != LocalSignature)
            return false;
        const std::size_t localNameLength = Le(local, 26, 2);
        std::string localName;
        if (!ReadAt(in, std::uint64_t(localOffset) + LocalSize, localNameLength, localName) ||
            !IsSafeEntryPath(localName))
            return false;

        at += CentralSize + nameLength + extraLength + commentLength;
    }
    return true;
}
