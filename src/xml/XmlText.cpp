#include "xml/XmlText.h"

#include <string>

namespace
{
// The length of the reference "&#N;" at text[at] and the byte it stands for; 0 when there
// is none.
std::size_t ReferenceAt(std::string_view text, std::size_t at, char& byte)
{
    if (text.substr(at, 2) != "&#")
        return 0;
    unsigned value = 0;
    std::size_t i = at + 2;
    while (i < text.size() && i < at + 6 && text[i] >= '0' && text[i] <= '9')
        value = value * 10 + static_cast<unsigned>(text[i++] - '0');
    if (i == at + 2 || i >= text.size() || text[i] != ';' || value > 255)
        return 0;
    byte = static_cast<char>(value);
    return i + 1 - at;
}

std::string Reference(char c)
{
    return "&#" + std::to_string(static_cast<unsigned char>(c)) + ";";
}

std::string Escape(std::string_view text, bool attribute)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i];
        char ignored = 0;
        if ((c == '&' && ReferenceAt(text, i, ignored)) || c == '\n' || c == '\r' ||
            (c == '<' && i + 1 < text.size() && text[i + 1] == '/') || (attribute && (c == '"' || c == '>')))
            out += Reference(c);
        else
            out += c;
    }
    return out;
}
} // namespace

std::string XmlTextOut(std::string_view text)
{
    return Escape(text, false);
}

std::string XmlAttributeOut(std::string_view text)
{
    return Escape(text, true);
}

std::string XmlTextIn(std::string_view text)
{
    if (text.find("&#") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        char byte = 0;
        if (const std::size_t length = ReferenceAt(text, i, byte))
        {
            out += byte;
            i += length - 1;
        }
        else
            out += text[i];
    }
    return out;
}
