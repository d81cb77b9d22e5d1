#include "base/ZipNames.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <limits>
#include <string>

namespace
{
constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr std::uint32_t CentralSignature = 0x02014b50;
constexpr std::uint32_t LocalSignature = 0x04034b50;
constexpr std::uint32_t Zip64EndSignature = 0x06064b50;
constexpr std::uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr std::size_t Zip64EndSize = 56;
constexpr std::size_t Zip64LocatorSize = 20;
constexpr std::uint16_t Zip64ExtraId = 0x0001;
constexpr std::size_t EndSize = 22;
constexpr std::size_t CentralSize = 46;
constexpr std::size_t LocalSize = 30;
constexpr std::size_t MaxComment = 0xFFFF;
// Far more than the directory of any database archive; keeps a hostile one from costing memory.
constexpr std::uint32_t MaxDirectorySize = 16u << 20;

std::uint64_t Le(const std::string& bytes, std::size_t at, int width)
{
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

bool ReadAt(std::ifstream& in, std::uint64_t offset, std::size_t size, std::string& out)
{
    if (offset > std::uint64_t(std::numeric_limits<std::streamoff>::max()))
        return false;
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
    std::uint64_t endOffset = size - tailSize + end;
    std::uint64_t count = Le(tail, end + 10, 2);
    std::uint64_t directorySize = Le(tail, end + 12, 4);
    std::uint64_t directoryOffset = Le(tail, end + 16, 4);
    // A saturated field: the real values are in the ZIP64 end record, which a locator
    // just before this record points to (some tools write one for small archives too).
    if (count == 0xFFFF || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF)
    {
        std::string locator, record;
        if (endOffset < Zip64LocatorSize || !ReadAt(in, endOffset - Zip64LocatorSize, Zip64LocatorSize, locator) ||
            Le(locator, 0, 4) != Zip64LocatorSignature)
            return false;
        const std::uint64_t recordOffset = Le(locator, 8, 8);
        if (recordOffset > endOffset - Zip64LocatorSize ||
            !ReadAt(in, recordOffset, Zip64EndSize, record) || Le(record, 0, 4) != Zip64EndSignature)
            return false;
        count = Le(record, 32, 8);
        directorySize = Le(record, 40, 8);
        directoryOffset = Le(record, 48, 8);
        endOffset = recordOffset;
    }
    if (directorySize > MaxDirectorySize || directoryOffset > endOffset || directorySize > endOffset - directoryOffset)
        return false;

    std::string directory;
    if (!ReadAt(in, directoryOffset, directorySize, directory))
        return false;
    std::size_t at = 0;
    std::string local;
    for (std::uint64_t i = 0; i < count; ++i)
    {
        if (at + CentralSize > directory.size() || Le(directory, at, 4) != CentralSignature)
            return false;
        const std::size_t nameLength = Le(directory, at + 28, 2);
        const std::size_t extraLength = Le(directory, at + 30, 2);
        const std::size_t commentLength = Le(directory, at + 32, 2);
        std::uint64_t localOffset = Le(directory, at + 42, 4);
        if (at + CentralSize + nameLength + extraLength > directory.size())
            return false;
        if (localOffset == 0xFFFFFFFF)
        {
            // In the entry's ZIP64 extra field, after the sizes that are saturated too.
            std::size_t skip = (Le(directory, at + 24, 4) == 0xFFFFFFFF ? 8 : 0) +
                               (Le(directory, at + 20, 4) == 0xFFFFFFFF ? 8 : 0);
            bool found = false;
            for (std::size_t x = at + CentralSize + nameLength; x + 4 <= at + CentralSize + nameLength + extraLength;)
            {
                const std::size_t length = Le(directory, x + 2, 2);
                if (Le(directory, x, 2) == Zip64ExtraId && skip + 8 <= length &&
                    x + 4 + length <= at + CentralSize + nameLength + extraLength)
                {
                    localOffset = Le(directory, x + 4 + skip, 8);
                    found = true;
                    break;
                }
                x += 4 + length;
            }
            if (!found)
                return false;
        }
        const std::string_view name(directory.data() + at + CentralSize, nameLength);
        if (!IsSafeEntryPath(name))
            return false;

        if (localOffset >= directoryOffset || !ReadAt(in, localOffset, LocalSize, local) ||
            Le(local, 0, 4) != LocalSignature)
            return false;
        const std::size_t localNameLength = Le(local, 26, 2);
        std::string localName;
        if (!ReadAt(in, localOffset + LocalSize, localNameLength, localName) ||
            !IsSafeEntryPath(localName))
            return false;

        at += CentralSize + nameLength + extraLength + commentLength;
    }
    return true;
}
