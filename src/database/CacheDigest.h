#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// "config.dat" has a fixed layout that other tools read, so what guards it lives beside it:
// "Cache/config.sum" holds its byte size and a checksum, written after it and checked
// before it is read. A flipped byte, a cut or appended bytes, or a missing record make the
// load fail, and the database is rebuilt from XML as for any damaged cache.
namespace CacheDigest
{
inline constexpr std::string_view FileName = "config.sum"; // inside Cache

// A 64-bit checksum in which each 8-byte word passes through steps that are one-to-one in
// the running value, so a change confined to one word of a text of the same length (any
// single flipped byte) always changes the result.
std::uint64_t Checksum(std::string_view bytes);

// The record's text for a cache text.
std::string Format(std::string_view cache);

// Writes folder/config.sum for the cache text (atomically); false when that failed.
bool Write(const std::filesystem::path& folder, std::string_view cache);

// True when folder/config.sum exists and describes exactly this cache text.
bool Matches(const std::filesystem::path& folder, std::string_view cache);
} // namespace CacheDigest
