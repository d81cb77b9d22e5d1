#include "base/NumberText.h"
#include "database/DatabaseIndexes.h"
#include "database/GameDatabase.h"

#include <array>
#include <initializer_list>

namespace
{
enum class EValue
{
    Unchanged,
    Integer,        // "%d"
    Recycle,        // seconds as m:ss unless "Repeating" or already holding ':'
    Duration,       // seconds as m:ss or h:mm:ss unless already holding ':'
    Consumes,       // "Consumes '" + value + "'"
    MaxRemovals,    // "Max Removals: " + value
    DispelStrength, // "Dispel Strength: " + value
    DispelQuality,  // "Dispel Quality: " + value
    EffectName,     // "Effect: " + value
    Heals,          // "Heals: " + value
};

struct CRule
{
    std::string_view key; // empty: the key stays as it is
    EValue value;
};

struct CRow
{
    std::initializer_list<std::string_view> rawKeys;
    CRule rule;
};

// Raw keys (lower case) and what they become. Keys are unique across rows, so the first
// matching row is the only one.
const CNameMap<CRule>& Rules()
{
    static const CNameMap<CRule> rules = []
    {
        const std::initializer_list<CRow> rows = {
            {{"equipslot"}, {"equipslot", EValue::Unchanged}},
            {{"bulk"}, {"bulk", EValue::Unchanged}},
            {{"bulkcapacity"}, {"capacity", EValue::Unchanged}},
            {{"reqclass"}, {"reqclass", EValue::Unchanged}},
            {{"reqadvskill", "reqcraftskill"}, {"reqskill", EValue::Unchanged}},
            {{"reqanycraftlevel", "reqanyschoollevel", "reqcurrentadvlevel", "reqcurrentcraftlevel",
              "reqcurrentschoollevel"},
             {"reqlevel", EValue::Unchanged}},
            {{"reqrace"}, {"reqrace", EValue::Unchanged}},
            {{"reqanyadvlevelbelow", "equipstatcap"}, {"req", EValue::Unchanged}},
            {{"statbonus"}, {"bonus", EValue::Unchanged}},
            {{"castdelay", "delay"}, {"delay", EValue::Integer}},
            {{"recycle"}, {"recycle", EValue::Recycle}},
            {{"range"}, {"range", EValue::Unchanged}},
            {{"area"}, {"area", EValue::Unchanged}},
            {{"damage"}, {"damage", EValue::Unchanged}},
            {{"healamount"}, {"healamount", EValue::Unchanged}},
            {{"damagetype"}, {"type", EValue::Unchanged}},
            {{"skill"}, {"skill", EValue::Unchanged}},
            {{"hoardvalue"}, {"hoardvalue", EValue::Unchanged}},
            {{"hoardcost"}, {"hoardcost", EValue::Unchanged}},
            {{"consumes", "rechargeconsumes"}, {"effect", EValue::Consumes}},
            {{"maxremovals"}, {"effect", EValue::MaxRemovals}},
            {{"dispellstrength"}, {"effect", EValue::DispelStrength}},
            {{"dispelquality"}, {"effect", EValue::DispelQuality}},
            {{"chance", "statmultiplier", "statbonusvariable", "capacitybonus", "shieldon",
              "statcap", "preventteleport", "preventrecall", "rechargereduce", "dpreductionreqlvl",
              "description", "convertdamage", "info", "frequency", "delaymod", "recyclemod",
              "descriptionresurrect", "dpreduction"},
             {"effect", EValue::Unchanged}},
            {{"rangemodifier", "delaymodifier", "recyclemodifier", "attackmodifier", "healmodifier",
              "usageadjust", "structurestacks", "structurebulk", "structurenpc", "structuremachine",
              "structurebind", "spelldefense", "meleedefense", "meleeoffense", "lowresist",
              "highresist", "percentagestatbonus", "schoolbonus"},
             {{}, EValue::Unchanged}},
            {{"effectreq",
              "effectstatmultiplier",
              "effectstatbonusvariable",
              "effectstatbonus",
              "effectcapacitybonus",
              "effectshieldon",
              "effectstatcap",
              "effectpreventteleport",
              "effectpreventrecall",
              "effectconsumes",
              "effecthoardcost",
              "effectrange",
              "effectcastdelay",
              "effectdelay",
              "effectrecycle",
              "effecteffect",
              "effectchance",
              "effectinfo",
              "effectarea",
              "effectdamage",
              "effectdamagetype",
              "effectskill",
              "effecthealpercentage",
              "effectmaxremovals",
              "effectdispelquality",
              "effecttakedamage",
              "effectdescriptionresurrect",
              "effectdpreduction",
              "effectdpreductionreqlvl",
              "effectconvertdamage",
              "effectrechargeconsumes",
              "effectrechargereduce",
              "effectdelaymod"},
             {"targeteffect", EValue::Unchanged}},
            {{"effectfrequency"}, {"targetfrequency", EValue::Unchanged}},
            {{"effect"}, {"targetname", EValue::EffectName}},
            {{"effecthealamount"}, {"targeteffect", EValue::Heals}},
            {{"effectdescription"}, {"targetdescription", EValue::Unchanged}},
            {{"effectduration"}, {"targetduration", EValue::Duration}},
            {{"extradamage", "takedamage"}, {"extradamage", EValue::Unchanged}},
            {{"techeffect"}, {"effect", EValue::Unchanged}},
        };
        CNameMap<CRule> map;
        for (const CRow& row : rows)
            for (std::string_view raw : row.rawKeys)
                map.try_emplace(std::string(raw), row.rule);
        return map;
    }();
    return rules;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string Concat(std::string_view a, std::string_view b, std::string_view c = {})
{
    std::string text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

bool HasColon(std::string_view value)
{
    return value.find(':') != std::string_view::npos;
}

std::string NewValue(EValue kind, std::string_view value)
{
    switch (kind)
    {
    case EValue::Unchanged:
        break;
    case EValue::Integer:
        return Format("%d", Atoi(value));
    case EValue::Recycle:
    {
        if (value == "Repeating" || HasColon(value))
            break;
        const int n = Atoi(value);
        return Format("%d:%02d", n / 60, n % 60);
    }
    case EValue::Duration:
    {
        if (HasColon(value))
            break;
        const int n = Atoi(value);
        if (n / 3600 == 0)
            return Format("%d:%02d", n / 60 % 60, n % 60);
        return Format("%d:%02d:%02d", n / 3600, n / 60 % 60, n % 60);
    }
    case EValue::Consumes:
        return Concat("Consumes '", value, "'");
    case EValue::MaxRemovals:
        return Concat("Max Removals: ", value);
    case EValue::DispelStrength:
        return Concat("Dispel Strength: ", value);
    case EValue::DispelQuality:
        return Concat("Dispel Quality: ", value);
    case EValue::EffectName:
        return Concat("Effect: ", value);
    case EValue::Heals:
        return Concat("Heals: ", value);
    }
    return std::string(value);
}
} // namespace

CAttribute NormaliseAttribute(std::string_view key, std::string_view value)
{
    std::string lower = Lower(key);
    const auto it = Rules().find(lower);
    if (it == Rules().end())
    {
        std::string text;
        text.reserve(lower.size() + value.size() + 5);
        text.append("? ").append(lower).append(":").append(value).append(" ?");
        return {"effect", std::move(text)};
    }
    const CRule& rule = it->second;
    std::string newKey = rule.key.empty() ? std::move(lower) : std::string(rule.key);
    return {std::move(newKey), NewValue(rule.value, value)};
}

namespace
{
constexpr std::array<std::string_view, 10> TierNames = {
    "Tier I",  "Tier II",  "Tier III",  "Tier IV", "Tier V",
    "Tier VI", "Tier VII", "Tier VIII", "Tier IX", "Tier X",
};
} // namespace

std::string TierName(int number)
{
    if (number >= 1 && number <= static_cast<int>(TierNames.size()))
        return std::string(TierNames[static_cast<std::size_t>(number - 1)]);
    return "Default";
}

int TierNumber(std::string_view text)
{
    for (std::size_t i = 0; i < TierNames.size(); ++i)
        if (TierNames[i] == text)
            return static_cast<int>(i) + 1;
    return 0;
}
