#include "database/GameDatabase.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
struct CNormaliseCase
{
    const char* key;
    const char* value;
    const char* expectedKey;
    const char* expectedValue;
};

// Every raw key of the vocabulary, in table order, with what it becomes.
const CNormaliseCase Cases[] = {
    {"equipslot", "Head", "equipslot", "Head"},
    {"bulk", "3", "bulk", "3"},
    {"bulkcapacity", "40", "capacity", "40"},
    {"reqclass", "Mage", "reqclass", "Mage"},
    {"reqadvskill", "50 Sword", "reqskill", "50 Sword"},
    {"reqcraftskill", "20 Weaving", "reqskill", "20 Weaving"},
    {"reqanycraftlevel", "5", "reqlevel", "5"},
    {"reqanyschoollevel", "6", "reqlevel", "6"},
    {"reqcurrentadvlevel", "7", "reqlevel", "7"},
    {"reqcurrentcraftlevel", "8", "reqlevel", "8"},
    {"reqcurrentschoollevel", "9", "reqlevel", "9"},
    {"reqrace", "Dwarf", "reqrace", "Dwarf"},
    {"reqanyadvlevelbelow", "10", "req", "10"},
    {"equipstatcap", "Str 50", "req", "Str 50"},
    {"statbonus", "+5 Strength", "bonus", "+5 Strength"},
    {"castdelay", "4.5", "delay", "4"},
    {"delay", "12", "delay", "12"},
    {"delay", "abc", "delay", "0"},
    {"recycle", "90", "recycle", "1:30"},
    {"recycle", "5", "recycle", "0:05"},
    {"recycle", "Repeating", "recycle", "Repeating"},
    {"recycle", "2:00", "recycle", "2:00"},
    {"range", "20", "range", "20"},
    {"area", "5", "area", "5"},
    {"damage", "10-20", "damage", "10-20"},
    {"healamount", "30", "healamount", "30"},
    {"damagetype", "Fire", "type", "Fire"},
    {"skill", "Alchemy", "skill", "Alchemy"},
    {"hoardvalue", "100", "hoardvalue", "100"},
    {"hoardcost", "7", "hoardcost", "7"},
    {"consumes", "Ash", "effect", "Consumes 'Ash'"},
    {"rechargeconsumes", "Salt", "effect", "Consumes 'Salt'"},
    {"maxremovals", "3", "effect", "Max Removals: 3"},
    {"dispellstrength", "4", "effect", "Dispel Strength: 4"},
    {"dispelquality", "5", "effect", "Dispel Quality: 5"},
    {"chance", "v", "effect", "v"},
    {"statmultiplier", "v", "effect", "v"},
    {"statbonusvariable", "v", "effect", "v"},
    {"capacitybonus", "v", "effect", "v"},
    {"shieldon", "v", "effect", "v"},
    {"statcap", "v", "effect", "v"},
    {"preventteleport", "v", "effect", "v"},
    {"preventrecall", "v", "effect", "v"},
    {"rechargereduce", "v", "effect", "v"},
    {"dpreductionreqlvl", "v", "effect", "v"},
    {"description", "v", "effect", "v"},
    {"convertdamage", "v", "effect", "v"},
    {"info", "v", "effect", "v"},
    {"frequency", "v", "effect", "v"},
    {"delaymod", "v", "effect", "v"},
    {"recyclemod", "v", "effect", "v"},
    {"descriptionresurrect", "v", "effect", "v"},
    {"dpreduction", "v", "effect", "v"},
    {"rangemodifier", "+2", "rangemodifier", "+2"},
    {"delaymodifier", "+2", "delaymodifier", "+2"},
    {"recyclemodifier", "+2", "recyclemodifier", "+2"},
    {"attackmodifier", "+2", "attackmodifier", "+2"},
    {"healmodifier", "+2", "healmodifier", "+2"},
    {"usageadjust", "+2", "usageadjust", "+2"},
    {"structurestacks", "+2", "structurestacks", "+2"},
    {"structurebulk", "+2", "structurebulk", "+2"},
    {"structurenpc", "+2", "structurenpc", "+2"},
    {"structuremachine", "+2", "structuremachine", "+2"},
    {"structurebind", "+2", "structurebind", "+2"},
    {"spelldefense", "+2", "spelldefense", "+2"},
    {"meleedefense", "+2", "meleedefense", "+2"},
    {"meleeoffense", "+2", "meleeoffense", "+2"},
    {"lowresist", "+2", "lowresist", "+2"},
    {"highresist", "+2", "highresist", "+2"},
    {"PercentageStatBonus", "10% Strength", "percentagestatbonus", "10% Strength"},
    {"schoolbonus", "+2", "schoolbonus", "+2"},
    {"effectreq", "t", "targeteffect", "t"},
    {"effectstatmultiplier", "t", "targeteffect", "t"},
    {"effectstatbonusvariable", "t", "targeteffect", "t"},
    {"effectstatbonus", "t", "targeteffect", "t"},
    {"effectcapacitybonus", "t", "targeteffect", "t"},
    {"effectshieldon", "t", "targeteffect", "t"},
    {"effectstatcap", "t", "targeteffect", "t"},
    {"effectpreventteleport", "t", "targeteffect", "t"},
    {"effectpreventrecall", "t", "targeteffect", "t"},
    {"effectconsumes", "t", "targeteffect", "t"},
    {"effecthoardcost", "t", "targeteffect", "t"},
    {"effectrange", "t", "targeteffect", "t"},
    {"effectcastdelay", "t", "targeteffect", "t"},
    {"effectdelay", "t", "targeteffect", "t"},
    {"effectrecycle", "t", "targeteffect", "t"},
    {"effecteffect", "t", "targeteffect", "t"},
    {"effectchance", "t", "targeteffect", "t"},
    {"effectinfo", "t", "targeteffect", "t"},
    {"effectarea", "t", "targeteffect", "t"},
    {"effectdamage", "t", "targeteffect", "t"},
    {"effectdamagetype", "t", "targeteffect", "t"},
    {"effectskill", "t", "targeteffect", "t"},
    {"effecthealpercentage", "t", "targeteffect", "t"},
    {"effectmaxremovals", "t", "targeteffect", "t"},
    {"effectdispelquality", "t", "targeteffect", "t"},
    {"effecttakedamage", "t", "targeteffect", "t"},
    {"effectdescriptionresurrect", "t", "targeteffect", "t"},
    {"effectdpreduction", "t", "targeteffect", "t"},
    {"effectdpreductionreqlvl", "t", "targeteffect", "t"},
    {"effectconvertdamage", "t", "targeteffect", "t"},
    {"effectrechargeconsumes", "t", "targeteffect", "t"},
    {"effectrechargereduce", "t", "targeteffect", "t"},
    {"effectdelaymod", "t", "targeteffect", "t"},
    {"effectfrequency", "3", "targetfrequency", "3"},
    {"effect", "Frozen", "targetname", "Effect: Frozen"},
    {"effecthealamount", "25", "targeteffect", "Heals: 25"},
    {"effectdescription", "Slows", "targetdescription", "Slows"},
    {"effectduration", "3725", "targetduration", "1:02:05"},
    {"effectduration", "125", "targetduration", "2:05"},
    {"effectduration", "59", "targetduration", "0:59"},
    {"effectduration", "3600", "targetduration", "1:00:00"},
    {"effectduration", "1:30", "targetduration", "1:30"},
    {"extradamage", "5", "extradamage", "5"},
    {"takedamage", "6", "extradamage", "6"},
    {"techeffect", "Glows", "effect", "Glows"},
    // Keys are compared in lower case; values keep their bytes.
    {"CastDelay", "4.5", "delay", "4"},
    {"StatBonus", "+3 Wisdom", "bonus", "+3 Wisdom"},
    {"foo", "3", "effect", "? foo:3 ?"},
    {"GlowColour", "Amber", "effect", "? glowcolour:Amber ?"},
    {"", "", "effect", "? : ?"},
    {"\xC4rger", "\xE9", "effect", "? \xC4rger:\xE9 ?"},
};

TEST(NormaliseAttribute, EveryRowOfTheVocabulary)
{
    for (const CNormaliseCase& c : Cases)
    {
        const CAttribute a = NormaliseAttribute(c.key, c.value);
        EXPECT_EQ(a.key, c.expectedKey) << c.key << " = " << c.value;
        EXPECT_EQ(a.value, c.expectedValue) << c.key << " = " << c.value;
    }
}

TEST(TierNames, NamesAndNumbersBothWays)
{
    const char* names[] = {"Tier I",  "Tier II",  "Tier III",  "Tier IV", "Tier V",
                           "Tier VI", "Tier VII", "Tier VIII", "Tier IX", "Tier X"};
    for (int n = 1; n <= 10; ++n)
    {
        EXPECT_EQ(TierName(n), names[n - 1]);
        EXPECT_EQ(TierNumber(names[n - 1]), n);
    }
    for (int n : {0, -1, 11, 2147483647})
        EXPECT_EQ(TierName(n), "Default") << n;
    for (const char* text : {"Default", "tier i", "Tier XI", "Tier I ", "", "I"})
        EXPECT_EQ(TierNumber(text), 0) << text;
}

struct CBonusCase
{
    const char* description;
    std::vector<std::string> bonuses;
};

TEST(DeriveBonusValues, EachStepOfTheDescriptionRules)
{
    const CBonusCase cases[] = {
        // Health and Armor wins over everything else.
        {"Gives Health and Armor. This technique gives the user +7 Strength statistic.",
         {"+5 Health", "+5 Armor"}},
        // The three spellings of the "additional" phrase.
        {"This technique gives the user +10 Strength statistic.", {"+10 Strength"}},
        {"Grants an additional +4 to the Sword skill.", {"+4 Sword"}},
        {"Grants an addtional +4 in the Mining trade skill.", {"+4 Mining"}},
        {"Worked to give a +2 Fire defense.", {"+2 Fire"}},
        {"Adds an additional +3 Frost magic skill.", {"+3 Frost"}},
        {"Adds an additional +3 Archery adventure skill.", {"+3 Archery"}},
        {"Adds an additional +1 Stealth skill when it is equipped.", {"+1 Stealth"}},
        // Text after the phrase stays; only the listed phrases go.
        {"an additional +6 Luck statistic. Lasts long.", {"+6 Luck Lasts long."}},
        // The list form: the amount is given to every name.
        {"Improves certain objects with +5 in the Alchemy, Cooking, and Brewing craft skills.",
         {"+5 Alchemy", "+5 Cooking", "+5 Brewing"}},
        {"Improves certain objects with +2 in the Weaving craft skills.", {"+2 Weaving"}},
        {"certain objects with +9", {"+9"}},
        // Nothing to derive.
        {"A plain description.", {}},
        {"", {}},
        {"+5 Strength", {}},
    };
    for (const CBonusCase& c : cases)
        EXPECT_EQ(DeriveBonusValues(c.description), c.bonuses) << c.description;
}
} // namespace
