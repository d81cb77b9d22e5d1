#include "xml/XmlDocument.h"

#include "base/NumberText.h"

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

// The buffer of a document has this many readable bytes after its text, so that the line
// splitter can read whole blocks near the end.
constexpr std::size_t Padding = 16;

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

bool CXmlDocument::OpenForWrite(const std::filesystem::path& path)
{
    m_depth = 0;
    auto out = std::make_unique<CAtomicFile>();
    if (!out->Open(path))
    {
        m_out.reset();
        return false;
    }
    m_out = std::move(out);
    m_out->Write(Header);
    return true;
}

void CXmlDocument::WriteIndent()
{
    if (m_depth > 0)
        m_out->Write(std::string(static_cast<std::size_t>(m_depth), '\t'));
}

void CXmlDocument::BeginElement(std::string_view name)
{
    if (!m_out)
        return;
    WriteIndent();
    m_out->Write("<");
    m_out->Write(name);
    m_out->Write(">\n");
    ++m_depth;
}

void CXmlDocument::EndElement(std::string_view name)
{
    if (!m_out)
        return;
    --m_depth;
    WriteIndent();
    m_out->Write("</");
    m_out->Write(name);
    m_out->Write(">\n");
}

void CXmlDocument::WriteElement(std::string_view name, std::string_view value)
{
    if (!m_out)
        return;
    WriteIndent();
    std::string line;
    line.reserve(name.size() * 2 + value.size() + 6);
    line.append("<").append(name).append(">").append(value).append("</").append(name).append(">\n");
    m_out->Write(line);
}

void CXmlDocument::WriteElement(std::string_view name, int value)
{
    WriteElement(name, Format("%d", value));
}

void CXmlDocument::WriteElementWithAttributes(std::string_view name, std::string_view attributes,
                                              std::string_view value)
{
    if (!m_out)
        return;
    WriteIndent();
    std::string line;
    line.append("<").append(name).append(" ").append(attributes).append(">").append(value);
    line.append("</").append(name).append(">\n");
    m_out->Write(line);
}

bool CXmlDocument::Close()
{
    if (!m_out)
        return false;
    const bool ok = m_out->Commit();
    m_out.reset();
    return ok;
}

// ---------------------------------------------------------------------------------------

CXmlElement::CXmlElement(std::string_view name)
{
    m_closingTag.reserve(name.size() + 1);
    m_closingTag.push_back('/');
    m_closingTag.append(name);
}

void CXmlElement::Resolve(const CXmlDocument& doc) const
{
    if (m_resolvedFor == &doc && m_resolvedGeneration == doc.Generation())
        return;
    m_resolvedFor = &doc;
    m_resolvedGeneration = doc.Generation();
    m_tag = doc.TagNumber(Name());
    m_closing = doc.TagNumber(m_closingTag);
}

bool CXmlElement::FindNext(const CXmlDocument& doc, const CXmlElement& parent)
{
    Resolve(doc);
    parent.Resolve(doc);
    const int start = std::max(m_position, parent.m_position) + 1;
    const int match = doc.FirstLineWithTagNumberBefore(m_tag, parent.m_closing, start);
    if (match < 0)
        return false;
    m_position = match;
    return true;
}

int CXmlElement::FindChild(const CXmlDocument& doc, std::string_view child, int from) const
{
    Resolve(doc);
    return doc.FirstLineWithTagBeforeNumber(child, m_closing, std::max(from, 0));
}

bool CXmlElement::GetText(const CXmlDocument& doc, std::string_view child, std::string& text,
                          bool clear)
{
    if (clear)
        text.clear();
    const int i = FindChild(doc, child, m_position + 1);
    if (i < 0)
        return false;
    text = doc.ElementText(i);
    return true;
}

bool CXmlElement::GetInt(const CXmlDocument& doc, std::string_view child, int& value, bool clear)
{
    if (clear)
        value = 0;
    const int i = FindChild(doc, child, m_position + 1);
    if (i < 0)
        return false;
    value = Atoi(doc.ElementText(i));
    return true;
}

bool CXmlElement::GetTextAndAttribute(const CXmlDocument& doc, std::string_view child,
                                      std::string& attribute, std::string& text, bool clear)
{
    if (clear)
    {
        attribute.clear();
        text.clear();
    }
    const int i = FindChild(doc, child, m_position + 1);
    if (i < 0)
        return false;
    text = doc.ElementText(i);
    attribute = doc.AttributeValue(i);
    return true;
}

bool CXmlElement::GetIntAndAttributeInt(const CXmlDocument& doc, std::string_view child,
                                        int& attribute, int& value, bool clear)
{
    if (clear)
    {
        attribute = 0;
        value = 0;
    }
    const int i = FindChild(doc, child, m_position + 1);
    if (i < 0)
        return false;
    value = Atoi(doc.ElementText(i));
    attribute = Atoi(doc.AttributeValue(i));
    return true;
}

bool CXmlElement::NextText(const CXmlDocument& doc, std::string_view child, std::string& text,
                           bool clear)
{
    std::string attribute;
    if (clear)
        text.clear();
    return NextTextAndAttribute(doc, child, attribute, text, false);
}

bool CXmlElement::NextTextAndAttribute(const CXmlDocument& doc, std::string_view child,
                                       std::string& attribute, std::string& text, bool clear)
{
    if (clear)
    {
        attribute.clear();
        text.clear();
    }
    // The iteration continues after the previous match; a cursor that has moved on to a
    // later element starts again at its first child.
    const int from = m_counter > m_position ? m_counter : m_position + 1;
    const int i = FindChild(doc, child, from);
    if (i < 0)
    {
        m_counter = 0;
        return false;
    }
    m_counter = i + 1;
    text = doc.ElementText(i);
    attribute = doc.AttributeValue(i);
    return true;
}
