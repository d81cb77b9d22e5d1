// The cursor: a named element found under its parent, and the values of its children.
#include "xml/XmlDocument.h"

#include "base/NumberText.h"

#include <algorithm>

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
