#include "database/CacheDigest.h"

#include "base/AtomicFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace
{
constexpr std::uint64_t Multiplier = 0xFF51AFD7ED558CCDull; // odd: multiplying is one-to-one
constexpr std::string_view Heading = "Moxa cache digest 1\n";

std::uint64_t Step(std::uint64_t state, std::uint64_t word)
{
    state = (state ^ word) * Multiplier;
    return (state << 29) | (state >> 35);
}

std::uint64_t Word(const char* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}
} // namespace

std::uint64_t CacheDigest::Checksum(std::string_view bytes)
{
    // Four independent lanes over 32-byte blocks keep the multiplier busy; each lane is a
    // chain of one-to-one steps, and so is their combination.
    std::uint64_t lanes[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                              0x27D4EB2F165667C5ull};
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 32; p += 32, left -= 32)
        for (int i = 0; i < 4; ++i)
            lanes[i] = Step(lanes[i], Word(p + 8 * i));
    for (int i = 0; left >= 8; p += 8, left -= 8, ++i)
        lanes[i] = Step(lanes[i], Word(p));
    char tail[8] = {};
    std::memcpy(tail, p, left);
    std::uint64_t result = Step(bytes.size(), Word(tail));
    for (const std::uint64_t lane : lanes)
        result = Step(result, lane);
    return result;
}

std::string CacheDigest::Format(std::string_view cache)
{
    char text[96];
    std::snprintf(text, sizeof text, "size=%zu\nsum=%016" PRIx64 "\n", cache.size(), Checksum(cache));
    return std::string(Heading) + text;
}

bool CacheDigest::Write(const fs::path& folder, std::string_view cache)
{
    return WriteFileAtomically(folder / FileName, Format(cache));
}

bool CacheDigest::Matches(const fs::path& folder, std::string_view cache)
{
    std::ifstream in(folder / FileName, std::ios::binary);
    if (!in)
        return false;
    const std::string stored{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return stored == Format(cache);
}
