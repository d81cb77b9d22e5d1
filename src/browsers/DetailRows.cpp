#include "browsers/DetailRows.h"

#include "base/NumberText.h"
#include "database/GameDatabase.h"
#include "order/Order.h"
#include "order/Requirements.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace
{
using CAttributes = std::vector<CAttribute>;
using CLists = std::vector<const CAttributes*>;

// Reads an integer as scanf's "%d" would at pos: white space, a sign, digits.
std::optional<std::int64_t> ScanInt(std::string_view text, std::size_t& pos)
{
    std::size_t i = pos;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return std::nullopt;
    pos = i;
    return Atoi(text.substr(start, i - start));
}

// "%d<separator>%d"; with whole, nothing but blanks may follow (a shown value such as
// "1:02:05" is not a pair and must not be cut short).
bool ScanPair(std::string_view text, char separator, std::int64_t& a, std::int64_t& b,
              bool whole = false)
{
    std::size_t pos = 0;
    const auto first = ScanInt(text, pos);
    if (!first || pos >= text.size() || text[pos] != separator)
        return false;
    ++pos;
    const auto second = ScanInt(text, pos);
    if (!second)
        return false;
    if (whole && text.find_first_not_of(' ', pos) != std::string_view::npos)
        return false;
    a = *first;
    b = *second;
    return true;
}

int Clamp(std::int64_t value)
{
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

class CDetailBuilder
{
public:
    CBrowserRows rows;

    void Add(std::string_view label, std::string_view value, EBrowserRow kind)
    {
        rows.push_back({kind, {std::string(label), std::string(value)}});
    }
    void Empty() { Add("", "", EBrowserRow::Plain); }

    // Every attribute named key in the lists, the label on the first row only.
    int List(std::string_view label, const CLists& lists, const std::vector<std::string>& keys,
             EBrowserRow kind, std::string_view prefix = "")
    {
        int count = 0;
        for (const std::string& key : keys)
            for (const CAttributes* list : lists)
                for (const CAttribute& attribute : *list)
                    if (attribute.key == key)
                        Add(count++ == 0 ? label : "", std::string(prefix) + attribute.value, kind);
        return count;
    }
    int List(std::string_view label, const CLists& lists, const std::string& key, EBrowserRow kind,
             std::string_view prefix = "")
    {
        return List(label, lists, std::vector<std::string>{key}, kind, prefix);
    }

    // The value cell of the first row with that label, or null.
    std::string* FindValue(std::string_view label)
    {
        for (CBrowserRow& row : rows)
            if (row.cells[0] == label)
                return &row.cells[1];
        return nullptr;
    }

    void Modify(std::string_view label, std::string_view modifier,
                std::string (*apply)(std::string_view, std::string_view))
    {
        if (std::string* value = FindValue(label))
            *value = apply(*value, modifier);
    }
};

std::string FirstValue(const CLists& lists, std::string_view key)
{
    for (const CAttributes* list : lists)
        for (const CAttribute& attribute : *list)
            if (attribute.key == key)
                return attribute.value;
    return {};
}

struct CAttached
{
    const COrderTechnique* order = nullptr;
    const CTechnique* technique = nullptr;
    const CTechniqueTier* tier = nullptr;
};
} // namespace

std::string ApplyRangeModifier(std::string_view cell, std::string_view modifier)
{
    std::size_t pos = 0;
    const auto amount = ScanInt(modifier, pos);
    if (!amount)
        return std::string(cell);
    return Format("%d", Clamp(std::int64_t{Atoi(cell)} + *amount));
}

std::string ApplyRecycleModifier(std::string_view cell, std::string_view modifier)
{
    std::int64_t minutes = 0, seconds = 0, modMinutes = 0, modSeconds = 0;
    if (cell == "Repeating" || !ScanPair(cell, ':', minutes, seconds, true) ||
        !ScanPair(modifier, ':', modMinutes, modSeconds))
        return std::string(cell);
    const bool subtract = !modifier.empty() && modifier.front() == '-';
    const std::int64_t change = (modMinutes < 0 ? -modMinutes : modMinutes) * 60 + modSeconds;
    std::int64_t total = minutes * 60 + seconds + (subtract ? -change : change);
    // A recycle time cannot fall below nothing.
    if (total < 0)
        total = 0;
    return Format("%d:%02d", Clamp(total / 60), static_cast<int>(total % 60));
}

std::string ApplyDamageModifier(std::string_view cell, std::string_view modifier)
{
    std::size_t pos = 0;
    const auto maximum = ScanInt(modifier, pos);
    std::int64_t low = 0, high = 0;
    if (!maximum || !ScanPair(cell, '-', low, high, true))
        return std::string(cell);
    const std::int64_t raise = 9 * *maximum / 2;
    return Format("%d-%d", Clamp(low + raise / 2), Clamp(high + raise));
}

std::string ApplyHealModifier(std::string_view cell, std::string_view modifier)
{
    std::int64_t a = 0, b = 0, low = 0, high = 0;
    if (!ScanPair(modifier, '-', a, b) || !ScanPair(cell, '-', low, high, true))
        return std::string(cell);
    return Format("%d-%d", Clamp(low + a), Clamp(high + b));
}

std::string RaiseParenthesisedNumbers(std::string_view text, int increase)
{
    std::string result;
    std::size_t i = 0;
    while (i < text.size())
    {
        if (text[i] == '(')
        {
            std::size_t pos = i + 1;
            const auto number = ScanInt(text, pos);
            if (number && pos < text.size() && text[pos] == ')')
            {
                result += Format("(%d)", Clamp(*number + increase));
                i = pos + 1;
                continue;
            }
        }
        result += text[i++];
    }
    return result;
}

CBrowserRows DetailRows(const CGameDatabase& db, const CFormula& formula, const CFormulaTier& tier,
                        const std::vector<COrderTechnique>& techniques)
{
    using enum EBrowserRow;
    const CLists F{&formula.attributes};
    const CLists T{&tier.attributes};
    const CLists FT{&formula.attributes, &tier.attributes};
    std::vector<CAttached> attached;
    for (const COrderTechnique& technique : techniques)
    {
        const CTechnique* found = db.FindTechnique(technique.category, technique.name);
        const CTechniqueTier* techTier =
            found ? ItemTechniqueTier(*found, technique.tierName) : nullptr;
        if (techTier)
            attached.push_back({&technique, found, techTier});
    }

    CDetailBuilder b;
    // 1-3: title, description, batch size.
    b.Add("", tier.name, Title);
    if (!tier.description.empty())
        b.Add("", tier.description, Description);
    b.Empty();
    if (formula.batchQty > 1)
        b.Add("Qty Produced", Format("%d", formula.batchQty), Plain);

    // 4: the equip slot decides the delay label.
    std::string slot = FirstValue(F, "equipslot");
    if (slot.empty())
        slot = FirstValue(T, "equipslot");
    if (slot.empty())
        slot = "Unknown";
    std::string delayLabel = "Delay";
    if (slot == "Spellbook")
        delayLabel = "Casting Delay";
    else if (slot != "Unknown" && slot != "All")
        b.Add("Equip Slot", slot, Plain);

    // 5-6: the item's own values.
    const std::vector<std::pair<std::string, std::string>> plain = {
        {"Heals", "healamount"},  {"Damage", "damage"},       {"Attack Type", "type"},
        {delayLabel, "delay"},    {"Recycle", "recycle"},     {"Range", "range"},
        {"Skill", "skill"},       {"Area", "area"},           {"Extra Damage", "extradamage"},
        {"Duration", "duration"}, {"Frequency", "frequency"}, {"Hoard Cost", "hoardcost"},
        {"Capacity", "capacity"}};
    for (const auto& [label, key] : plain)
        b.List(label, FT, key, Plain);
    b.List("", FT, "bonus", Plain);
    b.List("", FT, "effect", Plain);

    // 7: what the techniques add, then their modifiers on the values shown.
    for (const CAttached& a : attached)
    {
        const CLists lists{&a.technique->attributes, &a.tier->attributes};
        b.List("", lists, "bonus", Plain);
        b.List("Extra Damage", lists, "extradamage", Plain);
        b.List("", lists, "effect", Plain);
        for (const CAttributes* list : lists)
            for (const CAttribute& attribute : *list)
            {
                if (attribute.key == "rangemodifier")
                    b.Modify("Range", attribute.value, ApplyRangeModifier);
                else if (attribute.key == "recyclemodifier")
                    b.Modify("Recycle", attribute.value, ApplyRecycleModifier);
                else if (attribute.key == "attackmodifier")
                    b.Modify("Damage", attribute.value, ApplyDamageModifier);
                else if (attribute.key == "healmodifier")
                    b.Modify("Heals", attribute.value, ApplyHealModifier);
            }
    }
    if (!techniques.empty())
    {
        b.Empty();
        for (std::size_t i = 0; i < techniques.size(); ++i)
            b.Add(i == 0 ? "Technique(s)" : "", techniques[i].name, Plain);
    }

    // 8: structures.
    b.List("Max Stacks", T, "structurestacks", Plain);
    b.List("Max Bulk", T, "structurebulk", Plain);
    b.List("Spawns", T, "structurenpc", Requirement);
    b.List("Machines", T, "structuremachine", Requirement);
    b.List("", T, "structurebind", Bonus);
    b.Empty();

    // 9: requirements.
    b.List("Usable By", F, "reqclass", Requirement, "- ");
    b.List("Requirements", FT, {"reqskill", "reqlevel", "reqrace", "req"}, Requirement, "- ");
    b.List("Bulk", FT, "bulk", Requirement, "- ");
    b.List("Hoard Value", FT, "hoardvalue", Requirement, "- ");
    b.Empty();

    // 10-11: the effect on the target.
    b.List("Effect", FT, "targetname", EffectTitle);
    b.List("Description", FT, "targetdescription", EffectDescription);
    b.Empty();
    b.List("Duration", FT, "targetduration", Plain);
    b.List("Frequency", FT, "targetfrequency", Plain);
    int effects = b.List("", FT, "targeteffect", Plain);
    for (const CAttached& a : attached)
        effects += b.List("", CLists{&a.technique->attributes, &a.tier->attributes}, "targeteffect",
                          Plain);

    // 12: techniques raise the skills the requirements name.
    std::size_t first = b.rows.size();
    for (std::size_t i = 0; i < b.rows.size(); ++i)
        if (b.rows[i].cells[0] == "Requirements")
        {
            first = i;
            break;
        }
    for (const CAttached& a : attached)
    {
        if (a.tier->skillAdjust <= 0)
            continue;
        for (std::size_t i = first; i < b.rows.size(); ++i)
        {
            std::string& value = b.rows[i].cells[1];
            if (value.empty() || value.front() != '-' || value.find("Level") != std::string::npos)
                continue;
            value = RaiseParenthesisedNumbers(value, a.tier->skillAdjust);
        }
    }
    if (effects > 0)
        b.Empty();
    return b.rows;
}
