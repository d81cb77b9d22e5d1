#include "browsers/ComponentRows.h"

#include "base/Messages.h"
#include "base/NumberText.h"
#include "database/GameDatabase.h"

#include <algorithm>
#include <map>
#include <unordered_set>

namespace
{
void Add(CBrowserRows& rows, std::string_view label, std::string_view value, EBrowserRow kind)
{
    rows.push_back({kind, {std::string(label), std::string(value)}});
}

// "+1 Steady Hands (Night only)": the amount leads, as in the formulae's bonus values.
std::string BonusText(const CGatherBonus& bonus)
{
    std::string text = bonus.amount;
    if (!bonus.name.empty())
    {
        if (!text.empty())
            text += ' ';
        text += bonus.name;
    }
    if (!bonus.qualifier.empty())
        text += " (" + bonus.qualifier + ")";
    return text;
}
} // namespace

CComponentTree BuildComponentTree(const CGameDatabase& db)
{
    std::map<std::string, std::vector<std::size_t>> byType;
    for (std::size_t i = 0; i < db.Components().size(); ++i)
        byType[db.Components()[i]->type].push_back(i);
    CComponentTree tree;
    auto add =
        [&](const std::string& type, std::string_view shown, std::vector<std::size_t>& components)
    {
        tree.types.push_back({type,
                              Format(Messages::ComponentTypeLabel, std::string(shown).c_str(),
                                     static_cast<int>(components.size())),
                              std::move(components)});
    };
    for (auto& [type, components] : byType)
        if (!type.empty())
            add(type, type, components);
    // Components without a type come last rather than ahead of every named type.
    if (const auto untyped = byType.find(std::string()); untyped != byType.end())
        add(untyped->first, Messages::ComponentNoType, untyped->second);
    tree.foundText = Format(Messages::ComponentsFound, static_cast<int>(db.Components().size()));
    return tree;
}

CBrowserRows ComponentDetailRows(const CComponent& component)
{
    using enum EBrowserRow;
    CBrowserRows rows;
    Add(rows, "", component.name, Title);
    if (!component.description.empty())
        Add(rows, "", component.description, Description);
    Add(rows, "", "", Plain);
    Add(rows, Messages::ComponentType,
        component.type.empty() ? Messages::ComponentNoType : std::string_view(component.type),
        Plain);
    Add(rows, Messages::ComponentTier, Format("%d", component.tier), Plain);
    Add(rows, Messages::ComponentBulk, Format("%d", component.bulk), Plain);
    // Values the file leaves out are not worth a row.
    const std::pair<std::string_view, const std::string*> values[] = {
        {Messages::ComponentBuyValue, &component.buyValue},
        {Messages::ComponentSellValue, &component.sellValue},
        {Messages::ComponentVendorValue, &component.vendorValue}};
    for (const auto& [label, value] : values)
        if (!value->empty())
            Add(rows, label, *value, Plain);

    Add(rows, "", "", Plain);
    if (component.gatherMethods.empty())
        Add(rows, Messages::GatherSkill, Messages::ComponentNotGathered, Requirement);
    for (const CGatherMethod& method : component.gatherMethods)
    {
        Add(rows, Messages::GatherSkill, method.skill, EffectTitle);
        if (!method.tool.empty())
            Add(rows, Messages::GatherTool, method.tool, Plain);
        if (!method.rate.empty())
            Add(rows, Messages::GatherRate, method.rate, Plain);
        if (!method.minSkill.empty() || !method.maxSkill.empty())
            Add(rows, Messages::GatherSkillRange,
                Format(Messages::GatherSkillRangeFormat, method.minSkill.c_str(),
                       method.maxSkill.c_str()),
                Requirement);
        // The first bonus carries the label, the others line up under it.
        for (std::size_t i = 0; i < method.bonuses.size(); ++i)
            Add(rows, i == 0 ? Messages::GatherBonus : "", BonusText(method.bonuses[i]), Bonus);
        Add(rows, "", "", Plain);
    }
    return rows;
}

CBrowserRows LocationRows(const CComponent& component)
{
    CBrowserRows rows;
    for (const std::string& location : component.locations)
        rows.push_back({EBrowserRow::Plain, {location}});
    return rows.empty() ? NoneRow(EBrowserRow::Plain) : rows;
}

CComponentUses::CComponentUses(const CGameDatabase& db)
{
    for (const auto& set : db.FormulaSets())
        for (const auto& formula : set->formulae)
            for (const auto& tier : formula->tiers)
            {
                const std::size_t pos = m_tiers.size();
                m_tiers.push_back({formula.get(), tier.get(),
                                   db.FindProducingTier(tier->name).tier == tier.get()});
                for (const CResource& resource : tier->resources)
                {
                    std::vector<std::size_t>& users = m_users[resource.name];
                    // A tier that lists a resource twice is one user.
                    if (users.empty() || users.back() != pos)
                        users.push_back(pos);
                }
            }
}

std::vector<CComponentUse> CComponentUses::UsesOf(std::string_view resource) const
{
    // The names whose products need the resource: the resource itself, then every product
    // whose producing tier lists one of them. Each name is expanded once, so a cycle of
    // sub-formulae ends the walk.
    std::unordered_set<std::string_view> leading{resource};
    std::vector<std::string_view> pending{resource};
    std::vector<std::size_t> found;
    std::vector<bool> taken(m_tiers.size(), false);
    while (!pending.empty())
    {
        const std::string_view name = pending.back();
        pending.pop_back();
        const auto users = m_users.find(name);
        if (users == m_users.end())
            continue;
        for (const std::size_t pos : users->second)
        {
            if (!taken[pos])
            {
                taken[pos] = true;
                found.push_back(pos);
            }
            const CTierEntry& entry = m_tiers[pos];
            if (entry.producer && leading.insert(entry.tier->name).second)
                pending.push_back(entry.tier->name);
        }
    }
    std::sort(found.begin(), found.end());

    std::vector<CComponentUse> uses;
    uses.reserve(found.size());
    for (const std::size_t pos : found)
    {
        const CTierEntry& entry = m_tiers[pos];
        CComponentUse use{entry.formula, entry.tier, {}};
        for (const CResource& input : entry.tier->resources)
        {
            if (input.name == resource)
            {
                use.through.clear();
                break;
            }
            if (use.through.empty() && leading.contains(input.name))
                use.through = input.name;
        }
        uses.push_back(std::move(use));
    }
    return uses;
}

CBrowserRows UseRows(const std::vector<CComponentUse>& uses)
{
    CBrowserRows rows;
    for (const CComponentUse& use : uses)
        rows.push_back({EBrowserRow::Resource,
                        {use.tier->name, use.formula->category, use.tier->levelName, use.through}});
    return rows.empty() ? NoneRow(EBrowserRow::Resource) : rows;
}
