// Writing a document: one line per call, saved atomically on Close().
#include "xml/XmlDocument.h"

#include "base/NumberText.h"

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
