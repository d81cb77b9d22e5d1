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
    m_linesByTag.clear();
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
    m_lines.clear();
    SplitLines();
}

int CXmlDocument::FirstLineWithTag(std::string_view tag, int from) const
{
    const auto it = m_linesByTag.find(tag);
    if (it == m_linesByTag.end())
        return -1;
    const std::vector<int>& lines = it->second;
    const auto hit = std::lower_bound(lines.begin(), lines.end(), from);
    return hit == lines.end() ? -1 : *hit;
}

void CXmlDocument::SplitLines()
{
    m_linesByTag.clear();
    const char* base = m_text.data();
    const std::size_t size = m_text.size();
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
        if (!tag.empty())
            m_linesByTag[tag].push_back(static_cast<int>(m_lines.size()));
        m_lines.push_back({first, end - first,
                           static_cast<std::uint32_t>(tag.empty() ? 0 : tag.data() - (base + first)),
                           static_cast<std::uint32_t>(tag.size())});
        start = next;
    }
}

int CXmlDocument::FirstLineWithTagBefore(std::string_view tag, std::string_view stop, int from) const
{
    constexpr int Window = 12;
    const int count = LineCount();
    // A cursor moved before the first line searches from the first line.
    from = std::max(from, 0);
    if (from >= count)
        return -1;
    const int end = std::min(count, from + Window);
    for (int i = from; i < end; ++i)
    {
        const Line& line = m_lines[static_cast<std::size_t>(i)];
        const std::string_view name(m_text.data() + line.offset + line.tagOffset, line.tagLength);
        if (name.empty())
            continue;
        if (name == tag)
            return i;
        if (name == stop)
            return -1;
    }
    if (end >= count)
        return -1;
    const int match = FirstLineWithTag(tag, end);
    if (match < 0)
        return -1;
    const int closing = FirstLineWithTag(stop, end);
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
    std::size_t b = line.find('>', a + 1);
    if (b == std::string_view::npos)
        return {};
    const std::size_t space = line.find(' ', a + 1);
    if (space != std::string_view::npos && space < b)
        b = space;
    if (b == a + 1)
        return {};
    return line.substr(a + 1, b - a - 1);
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
