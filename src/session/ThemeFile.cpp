#include "session/ThemeFile.h"

#include "base/Theme.h"
#include "xml/XmlDocument.h"

#include <string>
#include <utility>
#include <vector>

bool LoadTheme(CTheme& theme, const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement scheme("scheme");
    CXmlElement colours("colours");
    if (!scheme.FindNext(doc, root) || !colours.FindNext(doc, scheme))
        return false;
    std::vector<std::pair<std::string, std::string>> read;
    std::string value;
    std::string key;
    while (colours.NextTextAndAttribute(doc, "colour", value, key, true))
        read.emplace_back(key, value);
    theme.SetColours(read);
    return true;
}
