#pragma once

#include <cstdint>
#include <filesystem>

enum class EUnpackResult
{
    Done,
    Refused, // unreadable, unsafe, over a bound, or no database file in it
    DiskFull // the archive is good but its files did not fit
};

// A kept XML file may hold at most this many lines per byte of it, plus a few: the reader
// keeps a record per line, so an archive of empty lines would cost many times its size
// (about 25 bytes per line) in memory at the reload. Real database files average over
// 25 bytes a line.
inline constexpr std::uint64_t MinBytesPerXmlLine = 16;
inline constexpr std::uint64_t FreeXmlLines = 4096;
// Likewise for blanks: at least one byte in this many must be something else, plus a few,
// so that what a rebuild holds stays a fixed multiple of the bytes that make elements.
inline constexpr std::uint64_t MaxXmlBytesPerSolidByte = 8;
inline constexpr std::uint64_t FreeXmlBlanks = 65536;

// Walks every entry of the archive, checking each before anything of it is written. With an
// empty target only checks (reading the data too, since the sizes in the headers may lie);
// otherwise writes plain files and folders below the target and syncs them once at the end.
// Refused for anything unsafe or unreadable, more than `limit` bytes unpacked, an XML file of
// too many lines or blanks, or an archive without a single file whose name holds ".xml".
//
// Entry names are bytes: the same archive gives the same names whatever the process locale.
EUnpackResult UnpackZip(const std::filesystem::path& archive, const std::filesystem::path& target,
                        std::uint64_t limit);
