#include "base/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CTextFileResult ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& text,
                             std::size_t spare)
{
    text.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT ? ETextFile::Missing : ETextFile::Unreadable, errno};
    CTextFileResult result;
    struct stat info{};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode))
        result.status = ETextFile::Folder;
    else
    {
        // A regular file's size is known; devices and pipes say 0 and are read in blocks.
        const std::size_t expected = S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
        if (expected > maxBytes)
            result.status = ETextFile::TooLarge;
        else
        {
            text.reserve(expected + spare + 1);
            char block[65536];
            for (;;)
            {
                const ssize_t got = ::read(fd, block, sizeof block);
                if (got < 0 && errno == EINTR)
                    continue;
                if (got < 0)
                {
                    result = {errno == EISDIR ? ETextFile::Folder : ETextFile::Unreadable, errno};
                    break;
                }
                if (got == 0)
                    break;
                const std::size_t size = text.size() + static_cast<std::size_t>(got);
                if (size > maxBytes)
                {
                    result.status = ETextFile::TooLarge;
                    break;
                }
                // Grown by doubling, but never past what the limit allows.
                if (size + spare > text.capacity())
                    text.reserve(std::min(std::max(size, 2 * text.capacity()), maxBytes) + spare);
                text.append(block, static_cast<std::size_t>(got));
            }
        }
    }
    ::close(fd);
    if (result.status != ETextFile::Read)
        std::string().swap(text);
    return result;
}

std::string TextFileProblem(const CTextFileResult& result, std::size_t maxBytes)
{
    switch (result.status)
    {
    case ETextFile::Read: return {};
    case ETextFile::Missing: return "does not exist";
    case ETextFile::Folder: return "is a folder, not a file";
    case ETextFile::TooLarge: return "is too large (more than " + std::to_string(maxBytes >> 20) + " MB)";
    case ETextFile::Unreadable: break;
    }
    return std::string("cannot be read: ") + std::strerror(result.error);
}
