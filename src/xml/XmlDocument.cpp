#include "xml/XmlDocument.h"

#include "xml/NumberText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace
{
bool IsLeadingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
} // namespace

bool CXmlDocument::Load(const std::filesystem::path& path)
{
    m_text.clear();
    m_lines.clear();
    m_tagNames.clear();
    m_tagTable.clear();
    m_linesByTag.clear();
    m_tagStart.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    // Read straight into one buffer of the file's size; a file that grows meanwhile is
    // still read to its end.
    std::string text;
    struct stat info{};
    if (fstat(fileno(file), &info) == 0 && info.st_size > 0)
        text.resize(static_cast<std::size_t>(info.st_size));
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
    text.resize(filled);
    std::fclose(file);
    if (!ok)
        return false;
    m_text = std::move(text);
    SplitLines();
    return true;
}

void CXmlDocument::LoadFromText(std::string text)
{
    m_text = std::move(text);
    SplitLines();
}

namespace
{
std::uint64_t Load64(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Tag names are short; the first and last eight bytes and the length tell them apart.
std::uint64_t TagHash(std::string_view tag)
{
    const std::size_t n = tag.size();
    std::uint64_t h = n * 0x9E3779B97F4A7C15ull;
    if (n >= 8)
        h ^= Load64(tag.data()) ^ (Load64(tag.data() + n - 8) * 0xC2B2AE3D27D4EB4Full);
    else
        for (std::size_t i = 0; i < n; ++i)
            h ^= static_cast<std::uint64_t>(static_cast<unsigned char>(tag[i])) << (8 * i);
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return h;
}
} // namespace

int CXmlDocument::TagId(std::string_view tag) const
{
    if (m_tagTable.empty())
        return -1;
    const std::size_t mask = m_tagTable.size() - 1;
    for (std::size_t slot = TagHash(tag) & mask;; slot = (slot + 1) & mask)
    {
        const std::uint32_t entry = m_tagTable[slot];
        if (entry == 0)
            return -1;
        if (m_tagNames[entry - 1] == tag)
            return static_cast<int>(entry - 1);
    }
}

void CXmlDocument::GrowTagTable()
{
    std::vector<std::uint32_t> table(m_tagTable.empty() ? 64 : m_tagTable.size() * 2, 0);
    const std::size_t mask = table.size() - 1;
    for (std::size_t id = 0; id < m_tagNames.size(); ++id)
    {
        std::size_t slot = TagHash(m_tagNames[id]) & mask;
        while (table[slot] != 0)
            slot = (slot + 1) & mask;
        table[slot] = static_cast<std::uint32_t>(id + 1);
    }
    m_tagTable = std::move(table);
}

int CXmlDocument::InternTag(std::string_view tag)
{
    // Kept at most half full, so that a probe always ends at a free slot.
    if ((m_tagNames.size() + 1) * 2 > m_tagTable.size())
        GrowTagTable();
    const std::size_t mask = m_tagTable.size() - 1;
    std::size_t slot = TagHash(tag) & mask;
    for (;; slot = (slot + 1) & mask)
    {
        const std::uint32_t entry = m_tagTable[slot];
        if (entry == 0)
            break;
        if (m_tagNames[entry - 1] == tag)
            return static_cast<int>(entry - 1);
    }
    m_tagNames.push_back(tag);
    m_tagTable[slot] = static_cast<std::uint32_t>(m_tagNames.size());
    return static_cast<int>(m_tagNames.size() - 1);
}

int CXmlDocument::FirstLineWithTag(std::string_view tag, int from) const
{
    const int id = TagId(tag);
    if (id < 0)
        return -1;
    const auto first = m_linesByTag.begin() + m_tagStart[static_cast<std::size_t>(id)];
    const auto last = m_linesByTag.begin() + m_tagStart[static_cast<std::size_t>(id) + 1];
    const auto hit = std::lower_bound(first, last, from);
    return hit == last ? -1 : *hit;
}

void CXmlDocument::SplitLines()
{
    m_lines.clear();
    m_tagNames.clear();
    m_tagTable.clear();
    m_linesByTag.clear();
    m_tagStart.clear();
    const char* base = m_text.data();
    const std::size_t size = m_text.size();
    // Lines of these files run to some thirty bytes; one reservation covers most files.
    m_lines.reserve(size / 32 + 1);
    std::vector<std::uint32_t> counts;
    std::size_t tagged = 0;
    std::size_t start = 0;
    while (start < size)
    {
        const void* hit = std::memchr(base + start, '\n', size - start);
        std::size_t end = hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base) : size;
        std::size_t next = hit ? end + 1 : size;
        // Text mode: a line break written as CR LF is one line break.
        if (hit && end > start && base[end - 1] == '\r')
            --end;
        std::size_t first = start;
        while (first < end && IsLeadingSpace(base[first]))
            ++first;
        const std::string_view tag =
            LineTagName(std::string_view(base + first, end - first));
        int id = -1;
        if (!tag.empty())
        {
            id = InternTag(tag);
            if (static_cast<std::size_t>(id) == counts.size())
                counts.push_back(0);
            ++counts[static_cast<std::size_t>(id)];
            ++tagged;
        }
        m_lines.push_back({first, end - first,
                           static_cast<std::uint32_t>(tag.empty() ? 0 : tag.data() - (base + first)),
                           static_cast<std::uint32_t>(tag.size()), id});
        start = next;
    }
    // One flat array for all the groups instead of a list per tag.
    m_tagStart.resize(counts.size() + 1);
    std::uint32_t sum = 0;
    for (std::size_t id = 0; id < counts.size(); ++id)
    {
        m_tagStart[id] = sum;
        sum += counts[id];
    }
    m_tagStart[counts.size()] = sum;
    m_linesByTag.resize(tagged);
    std::vector<std::uint32_t> fill(m_tagStart.begin(), m_tagStart.end() - 1);
    const int count = LineCount();
    for (int i = 0; i < count; ++i)
        if (const int id = m_lines[static_cast<std::size_t>(i)].tag; id >= 0)
            m_linesByTag[fill[static_cast<std::size_t>(id)]++] = i;
}

int CXmlDocument::FirstLineWithTagBefore(std::string_view tag, std::string_view stop, int from) const
{
    constexpr int Window = 12;
    const int count = LineCount();
    // A cursor moved before the first line searches from the first line.
    from = std::max(from, 0);
    if (from >= count)
        return -1;
    // A tag no line has is found nowhere; a stop tag no line has never stops the search.
    const int tagId = TagId(tag);
    if (tagId < 0)
        return -1;
    const int found = TagId(stop);
    const int stopId = found < 0 ? -2 : found;
    const int end = std::min(count, from + Window);
    for (int i = from; i < end; ++i)
    {
        const int id = m_lines[static_cast<std::size_t>(i)].tag;
        if (id == tagId)
            return i;
        if (id == stopId)
            return -1;
    }
    if (end >= count)
        return -1;
    const int match = FirstLineWithTag(tag, end);
    if (match < 0)
        return -1;
    const int closing = stopId < 0 ? -1 : FirstLineWithTag(stop, end);
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
    const std::size_t a = line.find('<');
    if (a == std::string_view::npos)
        return {};
    // The name ends at the first '>' or ' ' after '<'; either way the line needs a '>'.
    const char* p = line.data() + a + 1;
    const char* const end = line.data() + line.size();
    while (p < end && *p != '>' && *p != ' ')
        ++p;
    if (p == end)
        return {};
    if (*p == ' ' && !std::memchr(p + 1, '>', static_cast<std::size_t>(end - p - 1)))
        return {};
    const std::size_t length = static_cast<std::size_t>(p - (line.data() + a + 1));
    if (length == 0)
        return {};
    return line.substr(a + 1, length);
}

std::string_view CXmlDocument::LineElementText(std::string_view line)
{
    const std::size_t b = line.find('>');
    if (b == std::string_view::npos)
        return {};
    const std::size_t c = line.find("</", b + 1);
    if (c == std::string_view::npos || c <= b + 1)
        return {};
    return line.substr(b + 1, c - b - 1);
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

bool CXmlElement::FindNext(const CXmlDocument& doc, const CXmlElement& parent)
{
    const int start = std::max(m_position, parent.m_position) + 1;
    const int match = doc.FirstLineWithTagBefore(m_name, parent.m_closingTag, start);
    if (match < 0)
        return false;
    m_position = match;
    return true;
}

int CXmlElement::FindChild(const CXmlDocument& doc, std::string_view child, int from) const
{
    return doc.FirstLineWithTagBefore(child, m_closingTag, std::max(from, 0));
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
