#include "database/GameDatabase.h"
#include "xml/XmlDocument.h"

namespace
{
// The leaf texts of one list element ("races" with its "race" lines, say).
void ReadTextList(const CXmlDocument& doc, CXmlElement& parent, const char* listName,
                  const char* itemName, std::vector<std::string>& out)
{
    CXmlElement list(listName);
    if (!list.FindNext(doc, parent))
        return;
    std::string text;
    while (list.NextText(doc, itemName, text, true))
        out.push_back(text);
}
} // namespace

std::unique_ptr<CWizardTemplate> CGameDatabase::ReadWizardFile(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement wizard("wizard");
    if (!wizard.FindNext(doc, root))
        return nullptr;

    auto result = std::make_unique<CWizardTemplate>();
    wizard.GetText(doc, "wizard-school", result->school, true);
    wizard.GetText(doc, "wizard-type", result->type, true);
    wizard.GetInt(doc, "wizard-version", result->version, true);
    ReadTextList(doc, wizard, "races", "race", result->races);
    ReadTextList(doc, wizard, "slots", "slot", result->slots);

    CXmlElement sets("formulasets");
    CXmlElement set("formulaset");
    if (sets.FindNext(doc, wizard))
        while (set.FindNext(doc, sets))
        {
            CWizardFormulaSet s;
            set.GetText(doc, "formulaset-name", s.name, true);
            set.GetText(doc, "formulaset-desc", s.description, true);
            set.GetText(doc, "formulaset-filter", s.filter, true);
            set.GetInt(doc, "formulaset-priority", s.priority, true);
            set.GetInt(doc, "formulaset-optional", s.optional, true);
            result->formulaSets.push_back(std::move(s));
        }

    ReadTextList(doc, wizard, "techs", "tech", result->techs);
    return result;
}
