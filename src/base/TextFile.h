#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// Reading a whole file that a player names (an order, a profile, a list), stopping at a size
// limit while reading: a device or a pipe that never ends must not fill the memory.
enum class ETextFile
{
    Read,
    Missing,
    Folder,
    Unreadable, // the system's reason is in the result's error
    TooLarge,
};

struct CTextFileResult
{
    ETextFile status = ETextFile::Read;
    int error = 0; // errno for Unreadable
};

// Orders and profiles; a million-item order is about 100 MB.
inline constexpr std::size_t MaxDocumentBytes = std::size_t{256} << 20;
// Pasted or listed items, one a line.
inline constexpr std::size_t MaxListBytes = std::size_t{16} << 20;

// Reads the file ("/dev/stdin" for standard input) into text, at most maxBytes; the text is
// given `spare` bytes of capacity beyond its end so a reader that pads it need not copy it.
CTextFileResult ReadTextFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& text,
                             std::size_t spare = 0);

// "is a folder", "is too large (more than 256 MB)", "cannot be read: Permission denied", "does
// not exist"; empty for Read.
std::string TextFileProblem(const CTextFileResult& result, std::size_t maxBytes);
