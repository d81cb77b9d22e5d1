#include "browsers/DetailRows.h"

#include "BrowserFixture.h"

#include <gtest/gtest.h>

namespace
{
using enum EBrowserRow;
} // namespace

TEST(Modifiers, Recycle)
{
    const struct
    {
        const char* cell;
        const char* modifier;
        const char* result;
    } cases[] = {
        {"0:50", "0:15", "1:05"},
        {"1:10", "-0:20", "0:50"},
        {"Repeating", "0:15", "Repeating"},
        {"Repeating", "-1:00", "Repeating"},
        {"2:00", "1:30", "3:30"},
        {"0:59", "0:01", "1:00"},
        {"2:05", "-1:10", "0:55"},
        {"0:10", "-0:20", "0:00"},
        {"30", "0:15", "30"},
        {"1:00", "fast", "1:00"},
        {"1:02:05", "0:15", "1:02:05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ApplyRecycleModifier(c.cell, c.modifier), c.result)
            << c.cell << " " << c.modifier;
}

TEST(Modifiers, RangeDamageHeals)
{
    EXPECT_EQ(ApplyRangeModifier("30", "5 range"), "35");
    EXPECT_EQ(ApplyRangeModifier("30", "-10 range"), "20");
    EXPECT_EQ(ApplyRangeModifier("30", "range"), "30");
    // Low + (9M/2)/2, high + 9M/2, each division truncated.
    EXPECT_EQ(ApplyDamageModifier("10-20", "4 maximum damage"), "19-38");
    EXPECT_EQ(ApplyDamageModifier("10-20", "3 maximum damage"), "16-33");
    EXPECT_EQ(ApplyDamageModifier("10-20", "-4 maximum damage"), "1-2");
    EXPECT_EQ(ApplyDamageModifier("heavy", "4 maximum damage"), "heavy");
    EXPECT_EQ(ApplyHealModifier("5-10", "1-2 points"), "6-12");
    EXPECT_EQ(ApplyHealModifier("5-10", "some points"), "5-10");
    EXPECT_EQ(ApplyHealModifier("5-10 per tick", "1-2 points"), "5-10 per tick");
    EXPECT_EQ(RaiseParenthesisedNumbers("Fletching (40), Carving (5)", 10),
              "Fletching (50), Carving (15)");
    EXPECT_EQ(RaiseParenthesisedNumbers("- Any (x) (3", 10), "- Any (x) (3");
}

TEST(DetailRows, EveryStepWithATechnique)
{
    CBrowserFixture f;
    CFormulaSet& set = f.AddSet("Bows", "Weapons");
    CFormula& bow = f.AddFormula(set, "Bow", 2);
    bow.attributes = {
        {"equipslot", "Ranged"}, {"damage", "10-20"},       {"recycle", "0:50"},
        {"range", "30"},         {"reqclass", "RNGR"},      {"bonus", "5 Dexterity"},
        {"targetname", "Stun"},  {"targeteffect", "Stuns"}, {"reqskill", "Fletching (40)"}};
    CFormulaTier& yew = f.AddTier(bow, "Yew Bow", 2, 1);
    yew.description = "A bow of yew.";
    yew.attributes = {{"healamount", "5-10"},      {"reqlevel", "Level (12)"},
                      {"reqskill", "Carving (5)"}, {"bulk", "3"},
                      {"structurebind", "Binds"},  {"delay", "2.5"},
                      {"structurenpc", "Guard"},   {"targetdescription", "Cannot move"}};
    CTechnique& tension = f.AddTechnique("Tension");
    CTechniqueTier& taut = f.AddTechniqueTier(tension, "Taut", 1, 10, 1);
    taut.attributes = {{"bonus", "2 Dexterity"},       {"rangemodifier", "5 range"},
                       {"recyclemodifier", "0:15"},    {"attackmodifier", "4 maximum damage"},
                       {"healmodifier", "1-2 points"}, {"extradamage", "3 Fire"},
                       {"targeteffect", "Slows"}};

    const CBrowserRows rows =
        DetailRows(f.db, bow, yew, {CBrowserFixture::Technique("Tension", "Tier I")});
    const CJoinedRows expected = {
        {"|Yew Bow", Title},
        {"|A bow of yew.", Description},
        {"|", Plain},
        {"Qty Produced|2", Plain},
        {"Equip Slot|Ranged", Plain},
        {"Heals|6-12", Plain},
        {"Damage|19-38", Plain},
        {"Delay|2.5", Plain},
        {"Recycle|1:05", Plain},
        {"Range|35", Plain},
        {"|5 Dexterity", Plain},
        {"|2 Dexterity", Plain},
        {"Extra Damage|3 Fire", Plain},
        {"|", Plain},
        {"Technique(s)|Tension", Plain},
        {"Spawns|Guard", Requirement},
        {"|Binds", Bonus},
        {"|", Plain},
        {"Usable By|- RNGR", Requirement},
        {"Requirements|- Fletching (50)", Requirement},
        {"|- Carving (15)", Requirement},
        {"|- Level (12)", Requirement},
        {"Bulk|- 3", Requirement},
        {"|", Plain},
        {"Effect|Stun", EffectTitle},
        {"Description|Cannot move", EffectDescription},
        {"|", Plain},
        {"|Stuns", Plain},
        {"|Slows", Plain},
        {"|", Plain},
    };
    EXPECT_EQ(Joined(rows), expected);
}

TEST(DetailRows, EquipSlotDecidesTheDelayLabel)
{
    const struct
    {
        std::vector<CAttribute> formula;
        std::vector<CAttribute> tier;
        std::vector<std::string> rows;
    } cases[] = {
        {{{"equipslot", "Spellbook"}, {"delay", "3"}}, {}, {"|Helm", "|", "Casting Delay|3"}},
        {{{"delay", "3"}}, {{"equipslot", "Head"}}, {"|Helm", "|", "Equip Slot|Head", "Delay|3"}},
        {{{"equipslot", "All"}, {"delay", "3"}},
         {{"equipslot", "Head"}},
         {"|Helm", "|", "Delay|3"}},
        {{{"delay", "3"}, {"delay", "4"}}, {{"delay", "5"}}, {"|Helm", "|", "Delay|3", "|4", "|5"}},
    };
    for (const auto& c : cases)
    {
        CBrowserFixture f;
        f.helm->attributes = c.formula;
        f.helm->tiers[0]->name = "Helm";
        f.helm->tiers[0]->attributes = c.tier;
        std::vector<std::string> texts = CellTexts(DetailRows(f.db, *f.helm, *f.helm->tiers[0], {}));
        // Past the item's own values only the empty rows of the later groups follow.
        texts.resize(c.rows.size());
        EXPECT_EQ(texts, c.rows);
    }
}

TEST(DetailRows, PlainItemWithoutTechniques)
{
    CBrowserFixture f;
    f.helm->tiers[0]->attributes = {
        {"structurestacks", "4"}, {"hoardvalue", "12"}, {"reqskill", "Smithing (10)"}};
    const CBrowserRows rows = DetailRows(f.db, *f.helm, *f.helm->tiers[0],
                                         {CBrowserFixture::Technique("Ghost", "Tier I")});
    const std::vector<std::string> expected = {"|Iron Helm",
                                               "|",
                                               "|",
                                               "Technique(s)|Ghost",
                                               "Max Stacks|4",
                                               "|",
                                               "Requirements|- Smithing (10)",
                                               "Hoard Value|- 12",
                                               "|",
                                               "|"};
    EXPECT_EQ(CellTexts(rows), expected);
}
