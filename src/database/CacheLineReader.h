#pragma once

// The line reader of config.dat (the layout is described in Cache.cpp). The whole file is in
// memory; lines and fields are views into it, and every count is checked against the lines
// that are left before anything is allocated for it. Internal to the database library;
// inline, since the record decoders call it for every line.
#include "database/Records.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace CacheLines
{
using Field = std::string_view;


inline bool ParseInt(Field text, int& value)
{
    // Nearly every field is a short decimal, and from_chars' generality showed in the
    // profile of a load. Nine digits cannot overflow; longer ones (leading zeros, out of
    // range) go to it.
    const char* p = text.data();
    const char* end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative;
    if (p != end && end - p <= 9)
    {
        int magnitude = 0;
        for (; p != end; ++p)
        {
            const unsigned digit = static_cast<unsigned>(*p) - '0';
            if (digit > 9)
                return false;
            magnitude = magnitude * 10 + static_cast<int>(digit);
        }
        value = negative ? -magnitude : magnitude;
        return true;
    }
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

inline bool ParseFlag(Field text, bool& value)
{
    if (text == "y" || text == "n")
    {
        value = text == "y";
        return true;
    }
    return false;
}

// Reservations stay modest even for a count that is plausible only by line numbers.
template <typename T> void ReserveBounded(std::vector<T>& list, int count)
{
    list.reserve(static_cast<std::size_t>(std::min(count, 1024)));
}

class CCacheReader
{
public:
    explicit CCacheReader(std::string_view text) : m_text(text)
    {
        // Bytes after the last line break are a cut-off line, not a line.
        m_linesLeft = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    }

    bool Line(Field& line)
    {
        if (m_linesLeft == 0)
            return false;
        const char* start = m_text.data() + m_pos;
        const auto* end = static_cast<const char*>(
            std::memchr(start, '\n', m_text.size() - m_pos)); // there is one: a line is left
        line = Field(start, static_cast<std::size_t>(end - start));
        m_pos += line.size() + 1;
        --m_linesLeft;
        return true;
    }

    // One line of exactly N fields, split in one pass over its bytes.
    template <std::size_t N> bool Fields(std::array<Field, N>& fields)
    {
        if (m_linesLeft == 0)
            return false;
        --m_linesLeft;
        const char* p = m_text.data() + m_pos;
        const char* start = p;
        std::size_t i = 0;
        for (;; ++p)
        {
            const char c = *p;
            if (c == '|')
            {
                if (i + 1 == N)
                    return false;
                fields[i++] = Field(start, static_cast<std::size_t>(p - start));
                start = p + 1;
            }
            else if (c == '\n')
                break;
        }
        return LastField(fields, i, start, p);
    }

    // A count of records that take at least one line each.
    bool Count(Field text, int& count) const
    {
        return ParseInt(text, count) && count >= 0 &&
               static_cast<std::size_t>(count) <= m_linesLeft;
    }

    bool Keywords(std::vector<std::string>& keywords)
    {
        std::array<Field, 1> f;
        int count = 0;
        if (!Fields(f) || !Count(f[0], count))
            return false;
        ReserveBounded(keywords, count);
        for (int i = 0; i < count; ++i)
        {
            Field line;
            if (!Line(line))
                return false;
            keywords.emplace_back(line);
        }
        return true;
    }

    bool KeywordSets(std::vector<CKeywordSet>& sets, int count)
    {
        ReserveBounded(sets, count);
        for (int i = 0; i < count; ++i)
            if (!Keywords(sets.emplace_back()))
                return false;
        return true;
    }

    bool Attributes(std::vector<CAttribute>& attributes, int count)
    {
        ReserveBounded(attributes, count);
        std::array<Field, 2> f;
        for (int i = 0; i < count; ++i)
        {
            if (!Fields(f))
                return false;
            attributes.push_back({std::string(f[0]), std::string(f[1])});
        }
        return true;
    }

    bool Resources(std::vector<CResource>& resources, int count)
    {
        ReserveBounded(resources, count);
        std::array<Field, 7> f;
        for (int i = 0; i < count; ++i)
        {
            if (!Fields(f))
                return false;
            CResource& r = resources.emplace_back();
            r.name = f[0];
            r.skill = f[1];
            if (!ParseInt(f[2], r.minSkill) || !ParseInt(f[3], r.qtyAtMin) ||
                !ParseInt(f[4], r.optSkill) || !ParseInt(f[5], r.qtyAtOpt) ||
                !ParseInt(f[6], r.units))
                return false;
        }
        return true;
    }

    std::size_t LinesLeft() const
    {
        return m_linesLeft;
    }

private:
    // The field that ends at the line break at p.
    template <std::size_t N>
    bool LastField(std::array<Field, N>& fields, std::size_t i, const char* start, const char* p)
    {
        fields[i] = Field(start, static_cast<std::size_t>(p - start));
        m_pos = static_cast<std::size_t>(p + 1 - m_text.data());
        return i + 1 == N;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_linesLeft = 0;
};

inline bool ReadLines(CCacheReader& in, std::vector<std::string>& lines, int count)
{
    ReserveBounded(lines, count);
    for (int i = 0; i < count; ++i)
    {
        Field line;
        if (!in.Line(line))
            return false;
        lines.emplace_back(line);
    }
    return true;
}
} // namespace CacheLines
