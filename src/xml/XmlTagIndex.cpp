// The tag numbers of a document: a hash table from tag name to number, and per number the
// lines that carry it, so that a search for an element costs a hash and a binary search.
#include "xml/XmlDocument.h"

#include <algorithm>
#include <cstring>

namespace
{
// A tag name's bytes in two words: all of them for names of up to 16 bytes (with the length),
// the first and last eight of longer ones. Reads nothing outside the name.
void TagWords(std::string_view name, std::uint64_t& a, std::uint64_t& b)
{
    const char* p = name.data();
    const std::size_t n = name.size();
    a = 0;
    b = 0;
    if (n >= 8)
    {
        std::memcpy(&a, p, 8);
        std::memcpy(&b, p + n - 8, 8);
    }
    else if (n >= 4)
    {
        std::uint32_t lo = 0;
        std::uint32_t hi = 0;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + n - 4, 4);
        a = lo | (static_cast<std::uint64_t>(hi) << 32);
    }
    else if (n > 0)
        a = static_cast<unsigned char>(p[0]) | (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n / 2])) << 8) |
            (static_cast<std::uint64_t>(static_cast<unsigned char>(p[n - 1])) << 16);
}

std::size_t HashTag(std::uint64_t a, std::uint64_t b, std::size_t n)
{
    // A 64 by 64 bit product folded: every bit of both words reaches the low bits.
    const unsigned __int128 m = static_cast<unsigned __int128>(a ^ 0x9E3779B97F4A7C15ull ^ n) *
                                (b ^ 0xC2B2AE3D27D4EB4Full);
    return static_cast<std::size_t>(static_cast<std::uint64_t>(m) ^ static_cast<std::uint64_t>(m >> 64));
}
} // namespace

int CXmlDocument::FindTag(std::string_view name, std::uint64_t a, std::uint64_t b,
                          std::size_t& slot) const
{
    const std::size_t mask = m_tagSlots.size() - 1;
    for (slot = HashTag(a, b, name.size()) & mask;; slot = (slot + 1) & mask)
    {
        const std::int32_t index = m_tagSlots[slot];
        if (index < 0)
            return Absent;
        if (m_tags[static_cast<std::size_t>(index)].Is(name, a, b))
            return index;
    }
}

int CXmlDocument::InternTag(std::string_view name, int previous)
{
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    TagWords(name, a, b);
    // The files repeat the same sequences of tags: the tag that followed the previous line's
    // tag last time is nearly always the one.
    if (previous >= 0)
        if (const int hint = m_tags[static_cast<std::size_t>(previous)].next;
            hint >= 0 && m_tags[static_cast<std::size_t>(hint)].Is(name, a, b))
            return hint;
    std::size_t slot = 0;
    if (const int found = FindTag(name, a, b, slot); found >= 0)
        return found;
    const int index = static_cast<int>(m_tags.size());
    m_tags.push_back({a, b, name, 0, 0, -1});
    m_tagSlots[slot] = index;
    // Keep the table at most a quarter full: probes are then nearly always one.
    if (m_tags.size() * 4 > m_tagSlots.size())
    {
        m_tagSlots.assign(m_tagSlots.size() * 2, -1);
        const std::size_t mask = m_tagSlots.size() - 1;
        for (std::size_t i = 0; i < m_tags.size(); ++i)
        {
            const Tag& t = m_tags[i];
            std::size_t s = HashTag(t.a, t.b, t.name.size()) & mask;
            while (m_tagSlots[s] >= 0)
                s = (s + 1) & mask;
            m_tagSlots[s] = static_cast<std::int32_t>(i);
        }
    }
    return index;
}

int CXmlDocument::TagNumber(std::string_view tag) const
{
    if (m_tagSlots.empty() || tag.empty())
        return Absent;
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    TagWords(tag, a, b);
    std::size_t slot = 0;
    return FindTag(tag, a, b, slot);
}

int CXmlDocument::FirstLineWithTag(std::string_view tag, int from) const
{
    return FirstLineWithTagNumber(TagNumber(tag), std::max(from, 0));
}

int CXmlDocument::FirstLineWithTagNumber(int tag, int from) const
{
    if (tag < 0)
        return -1;
    const Tag& t = m_tags[static_cast<std::size_t>(tag)];
    const auto begin = m_linesByTag.begin() + t.first;
    const auto end = begin + t.count;
    const auto hit = std::lower_bound(begin, end, from);
    return hit == end ? -1 : *hit;
}

int CXmlDocument::FirstLineWithTagBefore(std::string_view tag, std::string_view stop, int from) const
{
    return FirstLineWithTagNumberBefore(TagNumber(tag), TagNumber(stop), from);
}

int CXmlDocument::FirstLineWithTagBeforeNumber(std::string_view tag, int stop, int from) const
{
    constexpr int Window = 12;
    if (tag.empty())
        return -1;
    const int count = LineCount();
    from = std::max(from, 0);
    if (from >= count)
        return -1;
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    TagWords(tag, a, b);
    const int end = std::min(count, from + Window);
    for (int i = from; i < end; ++i)
    {
        const int name = m_lines[static_cast<std::size_t>(i)].tag;
        if (name == NoTag)
            continue;
        if (m_tags[static_cast<std::size_t>(name)].Is(tag, a, b))
            return i;
        if (name == stop)
            return -1;
    }
    if (end >= count)
        return -1;
    std::size_t slot = 0;
    const int number = FindTag(tag, a, b, slot);
    const int match = FirstLineWithTagNumber(number, end);
    if (match < 0)
        return -1;
    const int closing = FirstLineWithTagNumber(stop, end);
    if (closing >= 0 && closing < match)
        return -1;
    return match;
}

int CXmlDocument::FirstLineWithTagNumberBefore(int tag, int stop, int from) const
{
    constexpr int Window = 12;
    // A name no line has is never found.
    if (tag < 0)
        return -1;
    const int count = LineCount();
    // A cursor moved before the first line searches from the first line.
    from = std::max(from, 0);
    if (from >= count)
        return -1;
    const int end = std::min(count, from + Window);
    for (int i = from; i < end; ++i)
    {
        const int name = m_lines[static_cast<std::size_t>(i)].tag;
        if (name == tag)
            return i;
        if (name == stop)
            return -1;
    }
    if (end >= count)
        return -1;
    const int match = FirstLineWithTagNumber(tag, end);
    if (match < 0)
        return -1;
    const int closing = FirstLineWithTagNumber(stop, end);
    if (closing >= 0 && closing < match)
        return -1;
    return match;
}
