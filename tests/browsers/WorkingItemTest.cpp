#include "browsers/WorkingItem.h"

#include "BrowserFixture.h"
#include "browsers/TierChecks.h"

#include <gtest/gtest.h>
#include <tuple>

namespace
{
std::vector<std::string> Texts(const CBrowserRows& rows, EBrowserRow kind)
{
    for (const CBrowserRow& row : rows)
        EXPECT_EQ(row.kind, kind) << row.cells.front();
    return CellTexts(rows);
}
} // namespace

TEST(TierChecks, Messages)
{
    CBrowserFixture f;
    const CFormulaTier& iron = *f.sword->tiers[0];
    const CFormulaTier& steel = *f.sword->tiers[1];
    const CFormulaTier& mithril = *f.sword->tiers[2];
    const COrderTechnique keen = CBrowserFixture::Technique("Sharpen", "Tier II");
    const COrderTechnique light = CBrowserFixture::Technique("Temper", "Tier I");
    const struct
    {
        const CFormulaTier* tier;
        std::vector<COrderTechnique> techniques;
        std::string message;
    } cases[] = {
        {&steel, {keen}, ""},
        {&mithril, {keen, light}, ""},
        {&iron, {}, ""},
        {&steel,
         {keen, light},
         "This tier of the Formula 'Steel Sword' can only take 1 techniques.\nPlease remove any "
         "excess techniques and try again"},
        {&iron,
         {keen},
         "This tier of the Formula 'Iron Sword' cannot take 'Sharpen'.\nPlease remove it and try "
         "again"},
        {&mithril,
         {light, CBrowserFixture::Technique("Ghost", "Tier IV")},
         "Error - Cannot find the tier 'Tier IV' for the technique 'Ghost'"},
        {&mithril,
         {CBrowserFixture::Technique("Sharpen", "Tier IX")},
         "Error - Cannot find the tier 'Tier IX' for the technique 'Sharpen'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckTier(f.db, *c.tier, c.techniques), c.message) << c.tier->name;
    EXPECT_EQ(MinimumTier(*f.db.FindTechnique("All", "Sharpen")), 2);
}

TEST(TierChecks, TierGridAndThePreferredTier)
{
    CBrowserFixture f;
    CTierGrid grid = TierGrid(f.sword, "Tier II");
    EXPECT_EQ(Texts(grid.rows, EBrowserRow::TierAvailable),
              (std::vector<std::string>{"Iron Sword", "Steel Sword", "Mithril Sword"}));
    EXPECT_EQ(grid.selected, 1);
    EXPECT_EQ(TierGrid(f.sword, "Mithril Sword").selected, 2);
    EXPECT_EQ(TierGrid(f.sword, "Tier IX").selected, -1);
    grid = TierGrid(f.axe, "");
    EXPECT_EQ(Texts(grid.rows, EBrowserRow::TierNotAvailable),
              (std::vector<std::string>{"None"}));
    EXPECT_EQ(grid.selected, -1);

    // A new item starts at the level chosen last, else at the last tier; before any choice
    // at the first.
    CWorkingItem working;
    for (const auto& [lastLevel, tier, name] :
         {std::tuple{"", "Tier I", "Iron Sword"}, std::tuple{"Tier III", "Tier III", "Mithril Sword"},
          std::tuple{"Tier IX", "Tier III", "Mithril Sword"}})
    {
        working.lastLevel = lastLevel;
        StartWorkingItem(working, *f.sword);
        EXPECT_EQ(working.item.tierName, tier) << lastLevel;
        EXPECT_EQ(working.item.itemName, name) << lastLevel;
        const CTierGrid shown = TierGrid(f.sword, working.item.tierName);
        ASSERT_GE(shown.selected, 0);
        EXPECT_EQ(shown.rows[static_cast<std::size_t>(shown.selected)].cells.front(), name);
    }
}

TEST(WorkingItem, AddThenIncreaseTwiceGivesThree)
{
    CBrowserFixture f;
    COrder order;
    order.AddItem(CBrowserFixture::Helm());
    CWorkingItem working;
    StartWorkingItem(working, *f.sword);
    EXPECT_EQ(working.item.tierName, "Tier I");
    EXPECT_EQ(working.item.itemName, "Iron Sword");
    EXPECT_EQ(AddButtonCaption(working), "Add Item");
    order.modified = false;

    const int id = AddOrIncrease(working, order);
    ASSERT_EQ(order.ItemCount(), 2);
    EXPECT_NE(id, order.items[0]->id);
    EXPECT_EQ(order.items[1]->id, id);
    EXPECT_TRUE(order.modified);
    EXPECT_EQ(AddButtonCaption(working), "Increase Qty");

    EXPECT_EQ(AddOrIncrease(working, order), id);
    EXPECT_EQ(AddOrIncrease(working, order), id);
    EXPECT_EQ(order.ItemCount(), 2);
    EXPECT_EQ(order.items[1]->batches, 3);
    EXPECT_EQ(working.item.batches, 3);

    // The quick item list names every order item; picking one edits it.
    EXPECT_EQ(QuickItemEntries(f.db, order),
              (std::vector<std::string>{"None", "1 x Iron Helm", "3 x Iron Sword"}));
    ASSERT_TRUE(PickQuickItem(working, order, 1));
    EXPECT_EQ(working.item.formula, "Helm");
    EXPECT_TRUE(working.inOrder);
    EXPECT_FALSE(PickQuickItem(working, order, 3));
    ASSERT_TRUE(PickQuickItem(working, order, 0));
    EXPECT_FALSE(working.inOrder);
    EXPECT_EQ(LoadedItemCategory("Weapons", "Armour", true), "Armour");
    EXPECT_EQ(LoadedItemCategory("Custom", "Armour", true), "Custom");
    EXPECT_EQ(LoadedItemCategory("Custom", "Armour", false), "Armour");
    // A new copy goes in under a new id.
    AddOrIncrease(working, order);
    EXPECT_EQ(order.ItemCount(), 3);
    EXPECT_NE(order.items[2]->id, order.items[0]->id);
}

TEST(WorkingItem, AttachingChoosingAndRemovingTechniques)
{
    CBrowserFixture f;
    COrder order;
    CWorkingItem working;
    StartWorkingItem(working, *f.sword);
    const COrderTechnique keen = CBrowserFixture::Technique("Sharpen", "Tier II");
    const COrderTechnique razor = CBrowserFixture::Technique("Sharpen", "Tier III");
    const COrderTechnique light = CBrowserFixture::Technique("Temper", "Tier I");

    EXPECT_EQ(AttachTechnique(f.db, working, order, keen),
              "This tier of the Formula 'Iron Sword' cannot take 'Sharpen'.\nPlease remove it and "
              "try again");
    EXPECT_EQ(Texts(TechniqueRows(f.db, working), EBrowserRow::Technique),
              (std::vector<std::string>{"None"}));
    EXPECT_EQ(AttachTechnique(f.db, working, order, light), "");
    EXPECT_EQ(AttachTechnique(f.db, working, order, light),
              "This tier of the Formula 'Iron Sword' has no room for 'Temper': it can only take 1 "
              "techniques.");

    // Tier III takes two slots: the razor edge alone fills them.
    EXPECT_EQ(ChooseTier(f.db, working, order, "Mithril Sword"), "");
    EXPECT_EQ(working.item.tierName, "Tier III");
    EXPECT_EQ(working.lastLevel, "Tier III");
    EXPECT_EQ(AttachTechnique(f.db, working, order, razor),
              "This tier of the Formula 'Mithril Sword' has no room for 'Sharpen': it can only "
              "take 2 techniques.");
    EXPECT_EQ(AttachTechnique(f.db, working, order, keen), "");
    EXPECT_EQ(UsedTechniqueSlots(f.db, working), 2);
    EXPECT_EQ(Texts(TechniqueRows(f.db, working), EBrowserRow::Technique),
              (std::vector<std::string>{"Temper", "Sharpen"}));

    // Refused tiers leave the item as it was.
    EXPECT_EQ(ChooseTier(f.db, working, order, "Steel Sword"),
              "This tier of the Formula 'Steel Sword' can only take 1 techniques.\nPlease remove "
              "any excess techniques and try again");
    EXPECT_EQ(working.item.tierName, "Tier III");

    AddOrIncrease(working, order);
    order.modified = false;
    EXPECT_FALSE(RemoveTechnique(f.db, working, order, 2));
    ASSERT_TRUE(RemoveTechnique(f.db, working, order, 0));
    EXPECT_TRUE(order.modified);
    ASSERT_EQ(order.items[0]->techniques.size(), 1u);
    EXPECT_EQ(order.items[0]->techniques[0].name, "Sharpen");
    EXPECT_EQ(ChooseTier(f.db, working, order, "Steel Sword"), "");
    EXPECT_EQ(order.items[0]->tierName, "Tier II");
    EXPECT_EQ(order.items[0]->itemName, "Steel Sword");
}

TEST(WorkingItem, ProfilesAndCurrentSkill)
{
    CProfileList list;
    for (const auto& [name, server, type] :
         {std::tuple{"Template", "Default", "Default"}, std::tuple{"Aldo", "Ember", "Local"},
          std::tuple{"Bea", "Frost", "Local"}})
    {
        auto profile = std::make_unique<CProfile>(CBrowserFixture::Profile(10, 0, type));
        profile->name = name;
        profile->server = server;
        list.profiles.push_back(std::move(profile));
    }
    list.templateProfile = list.profiles[0].get();
    list.current = list.profiles[2].get();
    const CProfileEntries entries = ProfileEntries(list);
    EXPECT_EQ(entries.entries, (std::vector<std::string>{"Ember:Aldo", "Frost:Bea"}));
    EXPECT_EQ(entries.current, 1);
    EXPECT_EQ(entries.profiles[1], list.current);

    EXPECT_FALSE(CanEditCurrentSkill(nullptr));
    EXPECT_FALSE(CanEditCurrentSkill(list.templateProfile));
    EXPECT_FALSE(SetCurrentSkill(list.templateProfile, "Smithing", "40"));
    EXPECT_FALSE(list.templateProfile->changed);

    CProfile& bea = *list.current;
    const struct
    {
        const char* skill;
        const char* text;
        bool accepted;
        int smithing;
    } cases[] = {
        {"Smithing", "40", true, 40},  {"Smithing", " 55 ", true, 55},
        {"Smithing", "-5", false, 55}, {"Smithing", "abc", false, 55},
        {"Smithing", "", false, 55},   {"Smithing", "12x", false, 55},
        {"", "3", false, 55},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(SetCurrentSkill(&bea, c.skill, c.text), c.accepted) << c.text;
        EXPECT_EQ(bea.craftSkills[0].value, c.smithing) << c.text;
    }
    EXPECT_TRUE(bea.changed);
    ASSERT_TRUE(SetCurrentSkill(&bea, "Tailoring", "7"));
    EXPECT_EQ(bea.craftSkills.back(), (CProfileValue{"Tailoring", 7}));
}
