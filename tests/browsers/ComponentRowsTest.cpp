#include "browsers/ComponentRows.h"

#include "BrowserFixture.h"
#include "browsers/EfficiencyGuide.h"

#include <gtest/gtest.h>

namespace
{
using enum EBrowserRow;

CComponent& AddComponent(CGameDatabase& db, const std::string& name, const std::string& type)
{
    auto component = std::make_unique<CComponent>();
    component->name = name;
    component->type = type;
    CComponent& added = *component;
    db.AddComponent(std::move(component));
    return added;
}

// The browser fixture with components, and a tier outside "Resources" that shares the
// name of a producing tier: it is not the producer, so it leads nowhere.
struct CComponentFixture : CBrowserFixture
{
    CComponentFixture()
    {
        AddComponent(db, "Iron Ore", "Ore");
        AddComponent(db, "Leather", "Hide");
        AddComponent(db, "Loose Stone", "");
        AddComponent(db, "Coal", "Ore");
        AddComponent(db, "Gold", "Ore");
        CFormula& odd = AddFormula(AddSet("Curios", "Trinkets"), "Odd", 1);
        AddTier(odd, "Iron Bar", 1, 1).resources = {Resource("Gold", "Smithing", 1, 0, 1, 0, 1)};
        CFormula& ring = AddFormula(AddSet("Rings", "Trinkets"), "Ring", 1);
        AddTier(ring, "Gilt Ring", 1, 1).resources = {
            Resource("Iron Bar", "Smithing", 1, 0, 1, 0, 1)};
    }
};

std::vector<std::string> UseTexts(const CComponentUses& uses, const std::string& name)
{
    return CellTexts(UseRows(uses.UsesOf(name)), '\t');
}
} // namespace

TEST(ComponentTree, TypesAscendingWithUntypedLast)
{
    CComponentFixture f;
    const CComponentTree tree = BuildComponentTree(f.db);
    ASSERT_EQ(tree.types.size(), 3u);
    EXPECT_EQ(tree.types[0].label, "Hide (1)");
    EXPECT_EQ(tree.types[0].components, (std::vector<std::size_t>{1}));
    EXPECT_EQ(tree.types[1].label, "Ore (3)");
    EXPECT_EQ(tree.types[1].components, (std::vector<std::size_t>{0, 3, 4}));
    EXPECT_EQ(tree.types[2].type, "");
    EXPECT_EQ(tree.types[2].label, "Unknown (1)");
    EXPECT_EQ(tree.foundText, "5 Components");

    CGameDatabase empty;
    EXPECT_TRUE(BuildComponentTree(empty).types.empty());
    EXPECT_EQ(BuildComponentTree(empty).foundText, "0 Components");
}

TEST(ComponentDetails, ValuesGatherMethodsAndBonuses)
{
    CComponent ore;
    ore.name = "Ruddite Ore";
    ore.description = "Raw ore.";
    ore.type = "Ore";
    ore.tier = 2;
    ore.bulk = 1;
    ore.buyValue = "16";
    ore.vendorValue = "5"; // no sell value: no row
    CGatherMethod mining{"Pickaxe", "Mining", "1-3 per strike", "10", "50", {}};
    mining.bonuses = {{"Second Find", "+1", "Rare"}, {"Lucky", "", ""}, {"", "+2", "Night"}};
    ore.gatherMethods = {mining, {"", "Salvaging", "", "", "", {}}};
    const CJoinedRows expected = {{"|Ruddite Ore", Title},
                                   {"|Raw ore.", Description},
                                   {"|", Plain},
                                   {"Type|Ore", Plain},
                                   {"Tier|2", Plain},
                                   {"Bulk|1", Plain},
                                   {"Buy Value|16", Plain},
                                   {"Vendor Value|5", Plain},
                                   {"|", Plain},
                                   {"Gathered By|Mining", EffectTitle},
                                   {"Tool|Pickaxe", Plain},
                                   {"Rate|1-3 per strike", Plain},
                                   {"Skill Range|10 - 50", Requirement},
                                   {"Bonus|+1 Second Find (Rare)", Bonus},
                                   {"|Lucky", Bonus},
                                   {"|+2 (Night)", Bonus},
                                   {"|", Plain},
                                   {"Gathered By|Salvaging", EffectTitle},
                                   {"|", Plain}};
    EXPECT_EQ(Joined(ComponentDetailRows(ore)), expected);

    // Nothing but a name: no description row, an untyped tier 0, not gathered.
    CComponent bare;
    bare.name = "Shard";
    const CJoinedRows bareRows = {{"|Shard", Title},
                                   {"|", Plain},
                                   {"Type|Unknown", Plain},
                                   {"Tier|0", Plain},
                                   {"Bulk|0", Plain},
                                   {"|", Plain},
                                   {"Gathered By|Not gathered", Requirement}};
    EXPECT_EQ(Joined(ComponentDetailRows(bare)), bareRows);
}

TEST(ComponentDetails, LocationsInFileOrderOrNone)
{
    CComponent ore;
    ore.locations = {"\xC5rindal Fens (-121, -331)", "Cinderpeak (-57, -297)"};
    EXPECT_EQ(Joined(LocationRows(ore)), (CJoinedRows{{"\xC5rindal Fens (-121, -331)", Plain},
                                               {"Cinderpeak (-57, -297)", Plain}}));
    EXPECT_EQ(Joined(LocationRows(CComponent{})), (CJoinedRows{{"None", Plain}}));
}

TEST(ComponentUses, DirectAndThroughSubFormulaeInDatabaseOrder)
{
    CComponentFixture f;
    const CComponentUses uses(f.db);
    EXPECT_EQ(UseTexts(uses, "Iron Ore"),
              (std::vector<std::string>{"Iron Sword\tWeapons\tTier I\tIron Bar",
                                        "Steel Sword\tWeapons\tTier II\tSteel Bar",
                                        "Iron Bar\tResources\tTier I\t",
                                        "Steel Bar\tResources\tTier II\tIron Bar",
                                        "Gilt Ring\tTrinkets\tTier I\tIron Bar"}));
    // A direct use wins over a sub-formula listed before it.
    EXPECT_EQ(UseTexts(uses, "Coal"),
              (std::vector<std::string>{
                  "Iron Sword\tWeapons\tTier I\tIron Bar", "Steel Sword\tWeapons\tTier II\t",
                  "Iron Bar\tResources\tTier I\t", "Steel Bar\tResources\tTier II\t",
                  "Gilt Ring\tTrinkets\tTier I\tIron Bar"}));
    // The trinket tier named "Iron Bar" is not what makes iron bars.
    EXPECT_EQ(UseTexts(uses, "Gold"), (std::vector<std::string>{"Iron Bar\tTrinkets\tTier I\t"}));
    // A cycle of sub-formulae ends.
    EXPECT_EQ(
        UseTexts(uses, "Alpha"),
        (std::vector<std::string>{"Mithril Sword\tWeapons\tTier III\t",
                                  "Alpha\tResources\tTier I\tBeta", "Beta\tResources\tTier I\t"}));
    EXPECT_EQ(UseTexts(uses, "Nothing"), (std::vector<std::string>{"None"}));
    EXPECT_EQ(UseRows({}).front().kind, Resource);
}

TEST(ComponentUses, AgreesWithUsesResourceForEveryName)
{
    CComponentFixture f;
    const CComponentUses uses(f.db);
    for (const std::string name : {"Iron Ore", "Coal", "Leather", "Gold", "Iron Bar", "Steel Bar",
                                   "Alpha", "Beta", "Whetstone", "Mithril Sword"})
    {
        std::vector<const CFormulaTier*> expected;
        for (const auto& set : f.db.FormulaSets())
            for (const auto& formula : set->formulae)
                for (const auto& tier : formula->tiers)
                    for (const CResource& resource : tier->resources)
                        if (f.db.UsesResource(resource.name, name))
                        {
                            expected.push_back(tier.get());
                            break;
                        }
        std::vector<const CFormulaTier*> found;
        for (const CComponentUse& use : uses.UsesOf(name))
            found.push_back(use.tier);
        EXPECT_EQ(found, expected) << name;
    }
}

TEST(EfficiencyGuideResource, OwnResourcesTakeTheAdjustmentSubFormulaeDoNot)
{
    CComponentFixture f;
    const CFormulaTier& steel = *f.sword->tiers[1];
    const std::vector<COrderTechnique> keen = {CBrowserFixture::Technique("Sharpen", "Keen Edge")};
    const CGuideResource own = FindGuideResource(f.db, steel, keen, "Steel Bar");
    ASSERT_NE(own.resource, nullptr);
    EXPECT_EQ(own.resource, &steel.resources[0]);
    EXPECT_EQ(own.adjust, 10);
    // Steel Bar -> Iron Bar, then Iron Bar -> Iron Ore.
    const CGuideResource bar = FindGuideResource(f.db, steel, keen, "Iron Bar");
    ASSERT_NE(bar.resource, nullptr);
    EXPECT_EQ(bar.resource->skill, "Smelting");
    EXPECT_EQ(bar.adjust, 0);
    const CGuideResource ore = FindGuideResource(f.db, steel, keen, "Iron Ore");
    ASSERT_NE(ore.resource, nullptr);
    EXPECT_EQ(ore.resource->qtyAtMin, 2);
    EXPECT_EQ(FindGuideResource(f.db, steel, keen, "Whetstone").resource, nullptr);
    EXPECT_EQ(FindGuideResource(f.db, *f.sword->tiers[2], {}, "Zeta").resource, nullptr);
}

TEST(EfficiencyGuideView, RowsCaptionAndTheProfilesMark)
{
    const CResource bar = CBrowserFixture::Resource("Steel Bar", "Smithing", 0, 20, 6, 24, 2);
    const CProfile mid = CBrowserFixture::Profile(32);
    const CEfficiencyGuideView view = EfficiencyGuideView({&bar, 10}, &mid);
    EXPECT_EQ(view.caption, "Efficiency Levels - Steel Bar");
    EXPECT_EQ(view.info, "Smithing: minimum 30, optimum 34 (techniques +10)\nCurrent skill: 32");
    const CJoinedRows expected = {{"29\t6\tToo Low", Resource}, {"30\t6\t0%", Resource},
                                   {"31\t5\t25%", Resource},     {"32\t4\t50%", Title},
                                   {"33\t3\t75%", Resource},     {"34\t2\t100%", Resource}};
    EXPECT_EQ(Joined(view.rows, '\t'), expected);
    EXPECT_EQ(view.currentRow, 3);

    // Outside the range the mark goes to the row that stands for the skill.
    const CProfile low = CBrowserFixture::Profile(3);
    const CEfficiencyGuideView below = EfficiencyGuideView({&bar, 0}, &low);
    EXPECT_EQ(below.info, "Smithing: minimum 20, optimum 24\nCurrent skill: 3");
    EXPECT_EQ(below.currentRow, 0);
    EXPECT_EQ(Joined(below.rows, '\t')[0], (CJoinedRow{"19\t6\tToo Low", Title}));
    const CProfile high = CBrowserFixture::Profile(200);
    const CEfficiencyGuideView above = EfficiencyGuideView({&bar, 0}, &high);
    EXPECT_EQ(above.currentRow, 5);
    EXPECT_EQ(Joined(above.rows, '\t')[5], (CJoinedRow{"24\t2\t100%", Title}));

    const CEfficiencyGuideView none = EfficiencyGuideView({&bar, 0}, nullptr);
    EXPECT_EQ(none.info, "Smithing: minimum 20, optimum 24\nNo profile selected");
    EXPECT_EQ(none.currentRow, -1);
    EXPECT_EQ(none.rows.size(), 6u);

    const CEfficiencyGuideView missing = EfficiencyGuideView({}, &mid);
    EXPECT_EQ(missing.caption, "Efficiency Levels");
    EXPECT_EQ(missing.info, "No resource selected");
    EXPECT_TRUE(missing.rows.empty());
}
