// Writing a document: one line per call, saved atomically on Close() or kept in memory.
#include "xml/XmlDocument.h"

#include "base/NumberText.h"

bool CXmlDocument::OpenForWrite(const std::filesystem::path& path)
{
    m_depth = 0;
    m_toText = false;
    m_saveError.clear();
    auto out = std::make_unique<CAtomicFile>();
    if (!out->Open(path))
    {
        m_saveError = out->Error();
        m_out.reset();
        return false;
    }
    m_out = std::move(out);
    m_out->Write(Header);
    return true;
}

void CXmlDocument::OpenForText()
{
    m_depth = 0;
    m_out.reset();
    m_toText = true;
    m_written.assign(Header);
}

std::string CXmlDocument::TakeText()
{
    m_toText = false;
    return std::move(m_written);
}

void CXmlDocument::Put(std::string_view bytes)
{
    if (m_toText)
        m_written.append(bytes);
    else
        m_out->Write(bytes);
}

void CXmlDocument::WriteIndent()
{
    if (m_depth > 0)
        Put(std::string(static_cast<std::size_t>(m_depth), '\t'));
}

void CXmlDocument::BeginElement(std::string_view name)
{
    if (!IsOpenForWrite())
        return;
    WriteIndent();
    Put("<");
    Put(name);
    Put(">\n");
    ++m_depth;
}

void CXmlDocument::EndElement(std::string_view name)
{
    if (!IsOpenForWrite())
        return;
    --m_depth;
    WriteIndent();
    Put("</");
    Put(name);
    Put(">\n");
}

void CXmlDocument::WriteElement(std::string_view name, std::string_view value)
{
    if (!IsOpenForWrite())
        return;
    WriteIndent();
    std::string line;
    line.reserve(name.size() * 2 + value.size() + 6);
    line.append("<").append(name).append(">").append(value).append("</").append(name).append(">\n");
    Put(line);
}

void CXmlDocument::WriteElement(std::string_view name, int value)
{
    WriteElement(name, Format("%d", value));
}

void CXmlDocument::WriteElementWithAttributes(std::string_view name, std::string_view attributes,
                                              std::string_view value)
{
    if (!IsOpenForWrite())
        return;
    WriteIndent();
    std::string line;
    line.append("<").append(name).append(" ").append(attributes).append(">").append(value);
    line.append("</").append(name).append(">\n");
    Put(line);
}

bool CXmlDocument::Close()
{
    if (!m_out)
        return false;
    const bool ok = m_out->Commit();
    m_saveError = m_out->Error();
    m_out.reset();
    return ok;
}
