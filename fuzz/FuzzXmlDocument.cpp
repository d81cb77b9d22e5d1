// The XML document and every cursor operation, driven by the input: the first bytes are a
// script of operations, the rest is the document.
#include "FuzzSupport.h"
#include "xml/XmlDocument.h"

#include <array>
#include <set>
#include <vector>

namespace
{
std::vector<std::string> NamePool(const CXmlDocument& doc)
{
    std::set<std::string> seen;
    std::vector<std::string> names;
    for (int i = 0; i < doc.LineCount() && names.size() < 12; ++i)
    {
        std::string tag(doc.TagName(i));
        if (!tag.empty() && tag[0] == '/')
            tag.erase(0, 1);
        if (!tag.empty() && seen.insert(tag).second)
            names.push_back(tag);
    }
    for (const std::string_view fixed : {std::string_view("item"), std::string_view("item-name"),
                                         std::string_view("tier"), std::string_view(), CXmlElement::RootName})
        names.emplace_back(fixed);
    return names;
}

void CheckFound(const CXmlDocument& doc, const CXmlElement& cursor)
{
    Fuzz::Check(cursor.Position() >= 0 && cursor.Position() < doc.LineCount(), "position inside the document");
    Fuzz::Check(doc.TagName(cursor.Position()) == cursor.Name(), "found line carries the cursor's name");
}

// What the writer writes, the reader reads back.
void RoundTrip(std::string_view name, std::string_view value)
{
    if (name.empty() || name.find_first_of("<> \"/\n\r\t\v\f") != std::string_view::npos ||
        value.find_first_of("<>\n\r\"") != std::string_view::npos)
        return;
    const std::filesystem::path path = Fuzz::ScratchFolder() / "roundtrip.xml";
    CXmlDocument out;
    Fuzz::Check(out.OpenForWrite(path), "open for write");
    out.BeginElement("root");
    out.WriteElement(name, value);
    out.WriteElementWithAttributes(name, "level=\"" + std::string(value) + "\"", value);
    out.EndElement("root");
    Fuzz::Check(out.Close(), "close");
    CXmlDocument in;
    Fuzz::Check(in.Load(path), "load back");
    Fuzz::Check(in.LineCount() == 5, "line count");
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement outer("root");
    Fuzz::Check(outer.FindNext(in, root), "outer element");
    std::string text;
    std::string attribute;
    Fuzz::Check(outer.GetText(in, name, text, true) && text == value, "element text");
    Fuzz::Check(outer.NextTextAndAttribute(in, name, attribute, text, true), "first child");
    Fuzz::Check(outer.NextTextAndAttribute(in, name, attribute, text, true) && text == value &&
                    attribute == value,
                "attribute and text");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::size_t scriptSize = size > 0 ? std::min<std::size_t>(data[0], size - 1) : 0;
    const std::string_view script = Fuzz::Bytes(data + (size > 0 ? 1 : 0), scriptSize);
    const std::string_view text = Fuzz::Bytes(data, size).substr(size > 0 ? 1 + scriptSize : 0);

    CXmlDocument doc;
    doc.LoadFromText(std::string(text));
    for (int i = 0; i < doc.LineCount(); ++i)
    {
        const std::string_view line = doc.RawLine(i);
        Fuzz::Check(line.find('\n') == std::string_view::npos, "one line each");
        const std::string_view tag = doc.TagName(i);
        const std::string_view value = doc.ElementText(i);
        const std::string_view attribute = doc.AttributeValue(i);
        Fuzz::Check(tag.size() <= line.size() && value.size() <= line.size() && attribute.size() <= line.size(),
                    "views inside their line");
    }
    Fuzz::Check(doc.RawLine(-1).empty() && doc.RawLine(doc.LineCount()).empty(), "outside lines are empty");

    const std::vector<std::string> names = NamePool(doc);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    std::array<CXmlElement, 3> cursors{CXmlElement(names[0]), CXmlElement(names[1 % names.size()]),
                                       CXmlElement(names[2 % names.size()])};
    std::string textOut;
    std::string attributeOut;
    int number = 0;
    int attributeNumber = 0;
    for (std::size_t at = 0; at + 1 < script.size(); at += 2)
    {
        const unsigned op = static_cast<unsigned char>(script[at]);
        const unsigned arg = static_cast<unsigned char>(script[at + 1]);
        CXmlElement& cursor = cursors[(op >> 4) % cursors.size()];
        const CXmlElement& parent = (&cursor == &cursors[0]) ? root : cursors[((op >> 4) % cursors.size()) - 1];
        const std::string& child = names[arg % names.size()];
        const bool clear = (arg & 0x80) != 0;
        switch (op % 10)
        {
        case 0:
            if (cursor.FindNext(doc, parent))
                CheckFound(doc, cursor);
            break;
        case 1:
            cursor.GetText(doc, child, textOut, clear);
            break;
        case 2:
            cursor.GetInt(doc, child, number, clear);
            break;
        case 3:
            cursor.GetTextAndAttribute(doc, child, attributeOut, textOut, clear);
            break;
        case 4:
            cursor.GetIntAndAttributeInt(doc, child, attributeNumber, number, clear);
            break;
        case 5:
            cursor.NextText(doc, child, textOut, clear);
            break;
        case 6:
            cursor.NextTextAndAttribute(doc, child, attributeOut, textOut, clear);
            break;
        case 7:
            cursor.SetPosition(static_cast<int>(arg) - 2);
            break;
        case 8:
            cursor = CXmlElement(child);
            break;
        default:
            // Walk every element of that name under the parent: must end.
            for (int guard = 0; cursor.FindNext(doc, parent); ++guard)
            {
                CheckFound(doc, cursor);
                Fuzz::Check(guard <= doc.LineCount(), "iteration ends");
            }
            break;
        }
    }
    if (!names.empty())
        RoundTrip(names[0], textOut);
    return 0;
}
