#include "database/GameDatabase.h"
#include "xml/XmlDocument.h"

namespace
{
CGatherMethod ReadGatherMethod(const CXmlDocument& doc, CXmlElement& gather)
{
    CGatherMethod method;
    gather.GetText(doc, "gather-skill", method.skill, true);
    gather.GetText(doc, "gather-tool", method.tool, true);
    gather.GetText(doc, "gather-rate", method.rate, true);
    gather.GetText(doc, "min-skill", method.minSkill, true);
    gather.GetText(doc, "max-skill", method.maxSkill, true);

    CXmlElement bonuses("bonuses");
    CXmlElement bonus("bonus");
    if (bonuses.FindNext(doc, gather))
        while (bonus.FindNext(doc, bonuses))
        {
            CGatherBonus b;
            bonus.GetText(doc, "bonus-name", b.name, true);
            bonus.GetTextAndAttribute(doc, "bonus-amount", b.qualifier, b.amount, true);
            method.bonuses.push_back(std::move(b));
        }
    return method;
}
} // namespace

bool CGameDatabase::ReadCategories(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement categoriesElement("categories");
    if (!categoriesElement.FindNext(doc, root))
        return false;

    CXmlElement category("category");
    CXmlElement subcategoriesElement("subcategories");
    CXmlElement subcategory("subcategory");
    std::string icon;
    while (category.FindNext(doc, categoriesElement))
    {
        CCategory c;
        category.GetText(doc, "category-name", c.name, true);
        category.GetText(doc, "category-desc", c.description, true);
        category.GetText(doc, "category-icon", icon, true);
        c.iconIndex = IconIndex(icon);

        if (subcategoriesElement.FindNext(doc, category))
            while (subcategory.FindNext(doc, subcategoriesElement))
            {
                CSubcategory s;
                s.category = c.name;
                subcategory.GetText(doc, "subcategory-name", s.name, true);
                subcategory.GetText(doc, "subcategory-desc", s.description, true);
                subcategory.GetText(doc, "subcategory-icon", icon, true);
                s.iconIndex = IconIndex(icon);
                m_subcategories.push_back(std::move(s));
            }
        categories.push_back(std::move(c));
    }
    return true;
}

bool CGameDatabase::ReadComponents(const std::filesystem::path& path)
{
    m_components.clear();
    InvalidateIndexes();
    return ReadComponentFile(path, m_components);
}

bool CGameDatabase::ReadComponentFile(const std::filesystem::path& path,
                                      std::vector<COwned<CComponent>>& components)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement componentsElement("components");
    if (!componentsElement.FindNext(doc, root))
        return false;

    CXmlElement comp("comp");
    CXmlElement gatherMethods("gather-methods");
    CXmlElement gather("gather");
    CXmlElement locs("locs");
    std::string location;
    while (comp.FindNext(doc, componentsElement))
    {
        auto c = std::make_unique<CComponent>();
        // The values come before the nested lists: a value search runs through them.
        comp.GetText(doc, "comp-name", c->name, true);
        comp.GetInt(doc, "comp-tier", c->tier, true);
        comp.GetText(doc, "comp-desc", c->description, true);
        comp.GetText(doc, "comp-type", c->type, true);
        comp.GetInt(doc, "comp-bulk", c->bulk, true);
        comp.GetText(doc, "comp-pawnbuy", c->buyValue, true);
        comp.GetText(doc, "comp-pawnsell", c->sellValue, true);
        comp.GetText(doc, "comp-vielosell", c->vendorValue, true);

        if (gatherMethods.FindNext(doc, comp))
            while (gather.FindNext(doc, gatherMethods))
                c->gatherMethods.push_back(ReadGatherMethod(doc, gather));

        if (locs.FindNext(doc, comp))
            while (locs.NextText(doc, "loc-coord", location, true))
                c->locations.push_back(location);

        components.push_back(std::move(c));
    }
    return true;
}

void CGameDatabase::ReadHelpPages(const std::filesystem::path& path)
{
    CXmlDocument doc;
    doc.Load(path);
    const CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement help("help");
    CXmlElement pages("pages");
    if (!help.FindNext(doc, root) || !pages.FindNext(doc, help))
        return;
    std::string key;
    std::string address;
    // A later page replaces an earlier one with the same key.
    while (pages.NextTextAndAttribute(doc, "page", key, address, true))
        HelpPages[key] = address;
}
