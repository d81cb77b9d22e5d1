// Reading a document: the file into one buffer, split into lines, each line's tag numbered
// (XmlTagIndex.cpp); and the reading of a single line.
#include "xml/XmlDocument.h"

#include <algorithm>
#include <array>
#include <bit>
#include <atomic>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
// The buffer of a document has this many readable bytes after its text, so that the line
// splitter can read whole blocks near the end.
constexpr std::size_t Padding = CXmlDocument::TextPadding;

#if defined(__SSE2__)
// The flags of the bytes among the sixteen at p that equal c; reads up to Padding past end.
unsigned BlockEqual(const char* p, __m128i c)
{
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), c)));
}
#endif

// The first '>', space or line break at or after p, or end; reads up to Padding bytes past end.
const char* FindNameEnd(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i gt = _mm_set1_epi8('>'), space = _mm_set1_epi8(' '), nl = _mm_set1_epi8('\n');
    for (; p < end; p += 16)
        if (const unsigned hits = BlockEqual(p, gt) | BlockEqual(p, space) | BlockEqual(p, nl))
            return std::min(end, p + std::countr_zero(hits));
    return end;
#else
    while (p < end && *p != '>' && *p != ' ' && *p != '\n')
        ++p;
    return p;
#endif
}

// The first line break at or after p, or nullptr; a line's rest is usually short.
const char* FindNewline(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i nl = _mm_set1_epi8('\n');
    for (int blocks = 0; blocks < 4 && p < end; ++blocks, p += 16)
        if (const unsigned hits = BlockEqual(p, nl))
        {
            const char* hit = p + std::countr_zero(hits);
            return hit < end ? hit : nullptr;
        }
#endif
    if (p >= end)
        return nullptr;
    return static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
}

bool IsIndent(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// A spare buffer per thread: consecutive loads reuse the memory instead of asking the system
// for fresh pages every time.
thread_local std::string t_spareText;
thread_local std::vector<std::int32_t> t_spareIndex;
thread_local std::vector<CXmlDocument::Line> t_spareLines;

// Lines are numbered in an int; no database file comes near this.
constexpr std::size_t MaxDocumentSize = INT32_MAX;

// Leaves in `keep` the larger of the two buffers, emptied, and nothing in `other`.
template <typename T>
void KeepLarger(std::vector<T>& keep, std::vector<T>& other)
{
    if (other.capacity() > keep.capacity())
        keep = std::move(other);
    keep.clear();
    other = std::vector<T>();
}
} // namespace

CXmlDocument::~CXmlDocument()
{
    Clear();
}

void CXmlDocument::ReleaseSpareBuffers()
{
    std::string().swap(t_spareText);
    std::vector<std::int32_t>().swap(t_spareIndex);
    std::vector<Line>().swap(t_spareLines);
}

void CXmlDocument::Clear()
{
    if (m_text.capacity() > t_spareText.capacity())
    {
        // Keep the size as it is: a later resize then writes nothing over the reused part.
        m_text.resize(m_text.capacity());
        t_spareText = std::move(m_text);
    }
    m_text = std::string();
    m_size = 0;
    KeepLarger(t_spareLines, m_lines);
    KeepLarger(t_spareIndex, m_linesByTag);
    m_tags.clear();
    m_tagSlots.clear();
    static std::atomic<std::uint64_t> loads{0};
    m_generation = ++loads;
}

bool CXmlDocument::Load(const std::filesystem::path& path)
{
    Clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    // Read straight into one buffer of the file's size; a file that grows meanwhile is
    // still read to its end.
    std::string text = std::move(t_spareText);
    t_spareText = std::string();
    struct stat info{};
    std::size_t expected = 0;
    if (fstat(fileno(file), &info) == 0 && info.st_size > 0)
        expected = static_cast<std::size_t>(info.st_size);
    if (text.size() < expected + Padding)
        text.resize(expected + Padding);
    std::setvbuf(file, nullptr, _IONBF, 0);
    std::size_t filled = 0;
    bool ok = true;
    for (;;)
    {
        if (filled == text.size())
            text.resize(text.size() + (1 << 16));
        const std::size_t want = text.size() - filled;
        const std::size_t n = std::fread(text.data() + filled, 1, want, file);
        filled += n;
        if (n < want)
        {
            ok = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    if (text.size() < filled + Padding)
        text.resize(filled + Padding);
    if (filled > MaxDocumentSize)
        ok = false;
    m_text = std::move(text);
    if (!ok)
    {
        Clear();
        return false;
    }
    m_size = filled;
    SplitLines();
    return true;
}

void CXmlDocument::LoadFromText(std::string text)
{
    Clear();
    if (text.size() > MaxDocumentSize)
        return;
    m_size = text.size();
    m_text = std::move(text);
    m_text.append(Padding, '\0');
    SplitLines();
}

void CXmlDocument::SplitLines()
{
    const char* base = m_text.data();
    const std::size_t size = m_size;
    m_tagSlots.assign(128, -1);
    KeepLarger(m_lines, t_spareLines);
    m_lines.reserve(size / 24 + 16);
    const char* const end = base + size;
    const char* p = base;
    int previous = NoTag;
    while (p < end)
    {
        const char* first = p;
        while (first < end && IsIndent(*first))
            ++first;
        const char* newline = nullptr;
        std::string_view tag;
        const bool tagFirst = first < end && *first == '<';
        if (tagFirst)
        {
            // The usual line: the tag right after the indentation. One pass reads its name and
            // the search for the line's end starts after it.
            const char* n = FindNameEnd(first + 1, end);
            if (n < end && *n == '>')
            {
                newline = FindNewline(n, end);
                tag = std::string_view(first + 1, static_cast<std::size_t>(n - first - 1));
            }
            else
            {
                newline = FindNewline(n, end);
                const char* lineEnd = newline ? newline : end;
                // A name ended by a space counts only when a '>' follows on the line.
                if (n < lineEnd && *n == ' ' &&
                    std::memchr(n + 1, '>', static_cast<std::size_t>(lineEnd - n - 1)))
                    tag = std::string_view(first + 1, static_cast<std::size_t>(n - first - 1));
            }
        }
        else
            newline = FindNewline(first, end);
        const char* lineEnd = newline ? newline : end;
        // Text mode: a line break written as CR LF is one line break.
        if (newline && lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        first = std::min(first, lineEnd);
        const std::string_view line(first, static_cast<std::size_t>(lineEnd - first));
        if (!tagFirst)
            tag = LineTagName(line);
        int number = NoTag;
        if (!tag.empty())
        {
            number = InternTag(tag, previous);
            if (previous >= 0)
                m_tags[static_cast<std::size_t>(previous)].next = number;
            previous = number;
        }
        m_lines.push_back({static_cast<std::size_t>(first - base), static_cast<std::uint32_t>(line.size()), number});
        p = newline ? newline + 1 : end;
    }

    // The lines of each tag, in order: a counting sort by tag number.
    for (const Line& line : m_lines)
        if (line.tag >= 0)
            ++m_tags[static_cast<std::size_t>(line.tag)].count;
    std::uint32_t total = 0;
    for (Tag& t : m_tags)
    {
        t.first = total;
        total += t.count;
        t.count = 0;
    }
    KeepLarger(m_linesByTag, t_spareIndex);
    m_linesByTag.resize(total);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (const int tag = m_lines[i].tag; tag >= 0)
        {
            Tag& t = m_tags[static_cast<std::size_t>(tag)];
            m_linesByTag[t.first + t.count++] = static_cast<std::int32_t>(i);
        }
}

std::string_view CXmlDocument::RawLine(int index) const
{
    if (index < 0 || index >= LineCount())
        return {};
    const Line& line = m_lines[static_cast<std::size_t>(index)];
    return std::string_view(m_text.data() + line.offset, line.length);
}

std::string_view CXmlDocument::TagName(int index) const
{
    return LineTagName(RawLine(index));
}

std::string_view CXmlDocument::ElementText(int index) const
{
    return LineElementText(RawLine(index));
}

std::string_view CXmlDocument::AttributeValue(int index) const
{
    return LineAttributeValue(RawLine(index));
}

std::string_view CXmlDocument::LineTagName(std::string_view line)
{
    // The name runs from the first '<' to the first '>' or space after it; a line with no
    // '>' after its '<' has none.
    const char* p = line.data();
    const std::size_t n = line.size();
    // An empty view may have no data at all, which memchr must not be given.
    if (n == 0)
        return {};
    const void* open = std::memchr(p, '<', n);
    if (!open)
        return {};
    const std::size_t a = static_cast<std::size_t>(static_cast<const char*>(open) - p);
    std::size_t b = a + 1;
    while (b < n && p[b] != '>' && p[b] != ' ')
        ++b;
    if (b >= n)
        return {};
    if (p[b] == ' ' && !std::memchr(p + b + 1, '>', n - b - 1))
        return {};
    if (b == a + 1)
        return {};
    return line.substr(a + 1, b - a - 1);
}

std::string_view CXmlDocument::LineElementText(std::string_view line)
{
    const char* p = line.data();
    const std::size_t n = line.size();
    if (n == 0)
        return {};
    const void* close = std::memchr(p, '>', n);
    if (!close)
        return {};
    const std::size_t b = static_cast<std::size_t>(static_cast<const char*>(close) - p);
    // The text runs to the first "</" after the '>'.
    for (std::size_t c = b + 1; c + 1 < n;)
    {
        const void* lt = std::memchr(p + c, '<', n - c - 1);
        if (!lt)
            break;
        c = static_cast<std::size_t>(static_cast<const char*>(lt) - p);
        if (p[c + 1] == '/')
            return c <= b + 1 ? std::string_view() : line.substr(b + 1, c - b - 1);
        ++c;
    }
    return {};
}

std::string_view CXmlDocument::LineAttributeValue(std::string_view line)
{
    const std::size_t a = line.find('<');
    if (a == std::string_view::npos || line.find('>', a + 1) == std::string_view::npos)
        return {};
    const std::size_t q1 = line.find('"', a + 1);
    if (q1 == std::string_view::npos)
        return {};
    const std::size_t q2 = line.find('"', q1 + 1);
    if (q2 == std::string_view::npos)
        return {};
    return line.substr(q1 + 1, q2 - q1 - 1);
}
