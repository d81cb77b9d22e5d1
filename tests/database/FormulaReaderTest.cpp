#include "database/GameDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> TierNames(const CFormula& formula)
{
    std::vector<std::string> names;
    for (const auto& tier : formula.tiers)
        names.push_back(tier->name);
    return names;
}

const char* const CraftFile = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<formulaset>
	<formulaset-name>Tailoring</formulaset-name>
	<formulaset-categories>
		<formulaset-category>Weaver</formulaset-category>
	</formulaset-categories>
	<item>
		<item-name>Cloak</item-name>
		<item-batchqty>0</item-batchqty>
		<item-attributes>
			<item-attribute key="CastDelay">4.5</item-attribute>
			<item-attribute key="Recycle">90</item-attribute>
		</item-attributes>
		<item-keywords>
			<item-keyword>cloth</item-keyword>
			<item-keyword>techclass_armor</item-keyword>
			<item-keyword>tier_3</item-keyword>
			<item-keyword>wearable</item-keyword>
		</item-keywords>
		<tier>
			<tier-name>Fine Cloak</tier-name>
			<tier-lvl>3</tier-lvl>
			<tier-desc>A fine cloak</tier-desc>
			<resources>
				<resource>
					<resource-name>Wool</resource-name>
					<resource-skill>Weaving</resource-skill>
					<resource-units>0</resource-units>
					<resource-min>10</resource-min>
					<resource-opt qty="3">40</resource-opt>
				</resource>
				<resource>
					<resource-name>Dye</resource-name>
					<resource-skill>Dyeing</resource-skill>
					<resource-units>2</resource-units>
					<resource-min qty="5">20</resource-min>
					<resource-opt qty="1">60</resource-opt>
				</resource>
			</resources>
		</tier>
		<tier>
			<tier-name>Plain Cloak</tier-name>
			<tier-lvl name="Simple">1</tier-lvl>
			<tier-batchqty>0</tier-batchqty>
			<tier-allowedtechniques>4</tier-allowedtechniques>
			<tier-keywords>
				<tier-keyword>tier_1</tier-keyword>
			</tier-keywords>
		</tier>
		<tier>
			<tier-name>Odd Cloak</tier-name>
			<tier-batchqty>6</tier-batchqty>
		</tier>
		<tier>
			<tier-name>Good Cloak</tier-name>
			<tier-lvl>2</tier-lvl>
			<tier-keywords>
				<tier-keyword>hooded</tier-keyword>
				<tier-keyword>techclass_x</tier-keyword>
			</tier-keywords>
		</tier>
		<tier>
			<tier-name>Fine Cloak</tier-name>
			<tier-lvl>5</tier-lvl>
			<tier-desc>Finer</tier-desc>
		</tier>
	</item>
	<item>
		<item-name>Scarf</item-name>
		<item-batchqty>4</item-batchqty>
		<tier>
			<tier-name>Scarf</tier-name>
			<tier-lvl>1</tier-lvl>
		</tier>
	</item>
</formulaset>
)";

TEST(FormulaReader, ReadsASetWithItsTiersInLevelOrder)
{
    CTempDir dir;
    CGameDatabase db;
    const auto set = db.ReadFormulaSetFile(dir.WriteFile("Crafts/Tailoring.xml", CraftFile));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->name, "Tailoring");
    EXPECT_EQ(set->category, "Weaver");
    EXPECT_EQ(set->iconIndex, 0);
    ASSERT_EQ(set->formulae.size(), 2u);

    const CFormula& cloak = *set->formulae[0];
    EXPECT_EQ(cloak.name, "Cloak");
    EXPECT_EQ(cloak.category, "Weaver");
    EXPECT_EQ(cloak.batchQty, 1); // 0 becomes 1
    ASSERT_EQ(cloak.attributes.size(), 2u);
    EXPECT_EQ(cloak.attributes[0].key, "delay");
    EXPECT_EQ(cloak.attributes[0].value, "4");
    EXPECT_EQ(cloak.attributes[1].key, "recycle");
    EXPECT_EQ(cloak.attributes[1].value, "1:30");
    EXPECT_EQ(cloak.keywords, (std::vector<std::string>{"cloth", "wearable"}));
    EXPECT_TRUE(cloak.hasTierKeywords);

    // Read as 3, 1, -1, 2, then 3 again under its name (now level 5): the repeated name
    // updates the first tier where it stands, taking the new level.
    EXPECT_EQ(TierNames(cloak),
              (std::vector<std::string>{"Plain Cloak", "Good Cloak", "Fine Cloak", "Odd Cloak"}));

    const CFormulaTier& plain = *cloak.tiers[0];
    EXPECT_EQ(plain.level, 1);
    EXPECT_EQ(plain.levelName, "Simple");
    EXPECT_EQ(plain.batchQty, 1);
    EXPECT_EQ(plain.allowedTechniques, 4);
    // Its own keyword was filtered; the item's keywords are added since some tier has one.
    EXPECT_EQ(plain.keywords, (std::vector<std::string>{"cloth", "wearable"}));

    const CFormulaTier& good = *cloak.tiers[1];
    EXPECT_EQ(good.levelName, "Tier II");
    EXPECT_EQ(good.allowedTechniques, 1); // (2 + 1) / 2
    EXPECT_EQ(good.keywords, (std::vector<std::string>{"hooded", "cloth", "wearable"}));

    const CFormulaTier& fine = *cloak.tiers[2];
    EXPECT_EQ(fine.level, 5);
    EXPECT_EQ(fine.levelName, "Tier V");
    EXPECT_EQ(fine.description, "Finer");
    EXPECT_EQ(fine.batchQty, 1);          // the formula's
    EXPECT_EQ(fine.allowedTechniques, 3); // (5 + 1) / 2
    ASSERT_EQ(fine.resources.size(), 2u);
    const CResource& wool = fine.resources[0];
    EXPECT_EQ(wool.name, "Wool");
    EXPECT_EQ(wool.skill, "Weaving");
    EXPECT_EQ(wool.units, 0);
    EXPECT_EQ(wool.minSkill, 10);
    EXPECT_EQ(wool.qtyAtMin, 6); // twice the quantity at optimal skill
    EXPECT_EQ(wool.optSkill, 40);
    EXPECT_EQ(wool.qtyAtOpt, 3);
    const CResource& dye = fine.resources[1];
    EXPECT_EQ(dye.units, 2);
    EXPECT_EQ(dye.minSkill, 20);
    EXPECT_EQ(dye.qtyAtMin, 5);
    EXPECT_EQ(dye.optSkill, 60);
    EXPECT_EQ(dye.qtyAtOpt, 1);

    const CFormulaTier& odd = *cloak.tiers[3];
    EXPECT_EQ(odd.level, -1);
    EXPECT_EQ(odd.levelName, "Default");
    EXPECT_EQ(odd.allowedTechniques, 0);
    EXPECT_EQ(odd.batchQty, 6);

    const CFormula& scarf = *set->formulae[1];
    EXPECT_EQ(scarf.batchQty, 4);
    EXPECT_FALSE(scarf.hasTierKeywords);
    ASSERT_EQ(scarf.tiers.size(), 1u);
    EXPECT_EQ(scarf.tiers[0]->batchQty, 4); // absent: the formula's
    EXPECT_TRUE(scarf.tiers[0]->keywords.empty());
}

TEST(FormulaReader, TierPlacementOrders)
{
    struct CCase
    {
        std::vector<std::pair<const char*, int>> tiers; // name, level (-1: no tier-lvl)
        std::vector<std::string> expected;
    };
    const CCase cases[] = {
        {{{"c", 3}, {"a", 1}, {"b", 2}}, {"a", "b", "c"}},
        {{{"a", 1}, {"b", 2}, {"c", 3}}, {"a", "b", "c"}},
        // A tier without a level is never passed, so one read first stays first.
        {{{"x", -1}, {"a", 1}, {"b", 2}}, {"x", "a", "b"}},
        {{{"a", 1}, {"b", 2}, {"x", -1}}, {"a", "b", "x"}},
        {{{"a", 2}, {"x", -1}, {"b", 2}}, {"a", "x", "b"}},
        {{{"b", 2}, {"a", 2}}, {"b", "a"}},
        // A same name behind a greater level is not reached: a new tier goes in front.
        {{{"c", 5}, {"a", 3}, {"a", 4}}, {"a", "c"}},
        {{{"c", 5}, {"a", 6}, {"a", 4}}, {"a", "c", "a"}},
    };
    for (const CCase& c : cases)
    {
        std::string xml = "<formulaset>\n<formulaset-name>S</"
                          "formulaset-name>\n<item>\n<item-name>F</item-name>\n";
        for (const auto& [name, level] : c.tiers)
        {
            xml += "<tier>\n<tier-name>" + std::string(name) + "</tier-name>\n";
            if (level != -1)
                xml += "<tier-lvl>" + std::to_string(level) + "</tier-lvl>\n";
            xml += "</tier>\n";
        }
        xml += "</item>\n</formulaset>\n";
        CTempDir dir;
        CGameDatabase db;
        const auto set = db.ReadFormulaSetFile(dir.WriteFile("f.xml", xml));
        ASSERT_TRUE(set);
        ASSERT_EQ(set->formulae.size(), 1u);
        EXPECT_EQ(TierNames(*set->formulae[0]), c.expected) << xml;
    }
}

TEST(FormulaReader, FilesWithoutASetGiveNothing)
{
    CTempDir dir;
    CGameDatabase db;
    EXPECT_FALSE(db.ReadFormulaSetFile(dir / "missing.xml"));
    EXPECT_FALSE(
        db.ReadFormulaSetFile(dir.WriteFile("other.xml", "<techniqueset>\n</techniqueset>\n")));
    const auto empty =
        db.ReadFormulaSetFile(dir.WriteFile("empty.xml", "<formulaset>\n</formulaset>\n"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, "");
    EXPECT_TRUE(empty->formulae.empty());
}

const char* const BaseSet = R"(<formulaset>
<formulaset-name>Smithing</formulaset-name>
<formulaset-category>Armorer</formulaset-category>
<item>
<item-name>Helm</item-name>
<item-batchqty>2</item-batchqty>
<item-attributes>
<item-attribute key="bulk">3</item-attribute>
</item-attributes>
<tier>
<tier-name>Iron Helm</tier-name>
<tier-lvl>2</tier-lvl>
<tier-desc>Iron</tier-desc>
<tier-batchqty>3</tier-batchqty>
<tier-allowedtechniques>5</tier-allowedtechniques>
</tier>
</item>
</formulaset>
)";

const char* const Overlay = R"(<formulas>
<item>
<item-name>Helm</item-name>
<item-category>Elsewhere</item-category>
<item-formulaset>Smithing</item-formulaset>
<item-attributes>
<item-attribute key="reqrace">Dwarf</item-attribute>
</item-attributes>
<tier>
<tier-name>Iron Helm</tier-name>
<tier-attributes>
<tier-attribute key="statbonus">+1 Armor</tier-attribute>
</tier-attributes>
</tier>
<tier>
<tier-name>Bronze Helm</tier-name>
<tier-lvl>1</tier-lvl>
</tier>
</item>
<item>
<item-name>Gorget</item-name>
<item-category>Armorer</item-category>
<item-formulaset>Smithing</item-formulaset>
<tier>
<tier-name>Gorget</tier-name>
</tier>
</item>
<item>
<item-name>Ingot</item-name>
<item-category>Resources</item-category>
<item-formulaset>Smelting</item-formulaset>
<tier>
<tier-name>Iron Ingot</tier-name>
<tier-lvl>1</tier-lvl>
</tier>
</item>
<item>
<item-name>Lost</item-name>
<item-category>Armorer</item-category>
</item>
<item>
<item-name>Stray</item-name>
<item-formulaset>Smithing</item-formulaset>
</item>
</formulas>
)";

TEST(FormulaOverlay, AmendsFormulaeAndAddsNewOnes)
{
    CTempDir dir;
    CGameDatabase db;
    db.AddFormulaSet(db.ReadFormulaSetFile(dir.WriteFile("Crafts/Smithing.xml", BaseSet)));
    ASSERT_EQ(db.FormulaSets().size(), 1u);
    ASSERT_TRUE(db.FindFormula("Armorer", "Helm"));

    EXPECT_TRUE(db.ReadFormulaOverlay(dir.WriteFile("formulae.xml", Overlay)));

    // The existing formula: absent values stay, lists grow, its category and set stay.
    const CFormula* helm = db.FindFormula("Armorer", "Helm");
    ASSERT_TRUE(helm);
    EXPECT_EQ(helm->category, "Armorer");
    EXPECT_EQ(helm->batchQty, 2);
    ASSERT_EQ(helm->attributes.size(), 2u);
    EXPECT_EQ(helm->attributes[1].key, "reqrace");
    EXPECT_EQ(TierNames(*helm), (std::vector<std::string>{"Bronze Helm", "Iron Helm"}));
    const CFormulaTier* iron = CGameDatabase::FindFormulaTier(*helm, "Iron Helm");
    ASSERT_TRUE(iron);
    EXPECT_EQ(iron->level, 2);
    EXPECT_EQ(iron->levelName, "Tier II");
    EXPECT_EQ(iron->description, "Iron");
    EXPECT_EQ(iron->batchQty, 3);
    EXPECT_EQ(iron->allowedTechniques, 5);
    ASSERT_EQ(iron->attributes.size(), 1u);
    EXPECT_EQ(iron->attributes[0].key, "bonus");
    const CFormulaTier* bronze = CGameDatabase::FindFormulaTier(*helm, "Bronze Helm");
    ASSERT_TRUE(bronze);
    EXPECT_EQ(bronze->batchQty, 2); // a new tier takes the formula's

    // A new formula joins the existing set of that name and category.
    ASSERT_EQ(db.FormulaSets().size(), 2u);
    ASSERT_EQ(db.FormulaSets()[0]->formulae.size(), 2u);
    EXPECT_EQ(db.FormulaSets()[0]->formulae[1]->name, "Gorget");
    EXPECT_EQ(db.FindFormula("Armorer", "Gorget"), db.FormulaSets()[0]->formulae[1].get());

    // A new "Resources" set is created and produces.
    const CFormulaSet& smelting = *db.FormulaSets()[1];
    EXPECT_EQ(smelting.name, "Smelting");
    EXPECT_EQ(smelting.category, "Resources");
    ASSERT_EQ(db.ResourceFormulaSets().size(), 1u);
    EXPECT_EQ(db.ResourceFormulaSets()[0], &smelting);
    const auto producer = db.FindProducingTier("Iron Ingot");
    ASSERT_TRUE(producer);
    EXPECT_EQ(producer.formula->name, "Ingot");
    EXPECT_EQ(producer.formula->category, "Resources");

    // Items that match nothing and lack a category or a set are ignored.
    EXPECT_FALSE(db.FindFormula("All", "Lost"));
    EXPECT_FALSE(db.FindFormula("All", "Stray"));
    EXPECT_EQ(db.FormulaCount(), 3u);
}

TEST(FormulaOverlay, NeedsItsRootElement)
{
    CTempDir dir;
    CGameDatabase db;
    EXPECT_FALSE(db.ReadFormulaOverlay(dir / "missing.xml"));
    EXPECT_FALSE(db.ReadFormulaOverlay(dir.WriteFile("wrong.xml", "<formulae>\n</formulae>\n")));
    EXPECT_TRUE(db.ReadFormulaOverlay(dir.WriteFile("empty.xml", "<formulas>\n</formulas>\n")));
    EXPECT_TRUE(db.FormulaSets().empty());
}

TEST(FormulaOverlay, ManyNewFormulaeKeepLookupsRight)
{
    // The overlay looks every item up; each new formula must be found by the next items.
    std::string xml = "<formulas>\n";
    for (int i = 0; i < 2000; ++i)
    {
        const std::string name = "F" + std::to_string(i % 1000);
        xml += "<item>\n<item-name>" + name + "</item-name>\n<item-category>C" +
               std::to_string(i % 7) +
               "</item-category>\n<item-formulaset>S</"
               "item-formulaset>\n<item-keywords>\n<item-keyword>k" +
               std::to_string(i) + "</item-keyword>\n</item-keywords>\n</item>\n";
    }
    xml += "</formulas>\n";
    CTempDir dir;
    CGameDatabase db;
    EXPECT_TRUE(db.ReadFormulaOverlay(dir.WriteFile("formulae.xml", xml)));
    EXPECT_EQ(db.FormulaSets().size(), 7u);
    EXPECT_EQ(db.FormulaCount(), 1000u);
    const CFormula* f = db.FindFormula("All", "F5");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->category, "C5");
    EXPECT_EQ(f->keywords, (std::vector<std::string>{"k5", "k1005"}));
    EXPECT_EQ(db.FindFormula("C5", "F5"), f);
    EXPECT_FALSE(db.FindFormula("C6", "F5"));
}
} // namespace

namespace
{
TEST(FormulaReader, BrokenFilesReadWhatTheyHoldWithoutOverflow)
{
    CTempDir dir;
    CGameDatabase db;

    // Cut off in the middle of a tier: what was there is read.
    auto set = db.ReadFormulaSetFile(
        dir.WriteFile("cut.xml", "<formulaset>\n<item>\n<item-name>A</"
                                 "item-name>\n<tier>\n<tier-name>T</tier-name>\n<resources>\n"
                                 "<resource>\n<resource-name>Wo"));
    ASSERT_TRUE(set);
    ASSERT_EQ(set->formulae.size(), 1u);
    ASSERT_EQ(set->formulae[0]->tiers.size(), 1u);
    ASSERT_EQ(set->formulae[0]->tiers[0]->resources.size(), 1u);
    EXPECT_EQ(set->formulae[0]->tiers[0]->resources[0].name, "");

    // Numbers beyond the int range saturate, and what is derived from them stays in range.
    set = db.ReadFormulaSetFile(dir.WriteFile(
        "huge.xml",
        "<formulaset>\n<item>\n<item-batchqty>99999999999</item-batchqty>\n<tier>\n"
        "<tier-lvl>99999999999</tier-lvl>\n<resources>\n<resource>\n"
        "<resource-opt qty=\"2000000000\">-99999999999</resource-opt>\n</resource>\n</resources>\n"
        "</tier>\n</item>\n</formulaset>\n"));
    ASSERT_TRUE(set);
    const CFormula& f = *set->formulae[0];
    EXPECT_EQ(f.batchQty, 2147483647);
    EXPECT_EQ(f.tiers[0]->level, 2147483647);
    EXPECT_EQ(f.tiers[0]->levelName, "Default");
    EXPECT_EQ(f.tiers[0]->batchQty, 2147483647);
    EXPECT_EQ(f.tiers[0]->allowedTechniques, 1073741824);
    EXPECT_EQ(f.tiers[0]->resources[0].optSkill, -2147483647 - 1);
    EXPECT_EQ(f.tiers[0]->resources[0].qtyAtMin, 2147483647);

    // Not a formula file at all.
    EXPECT_FALSE(
        db.ReadFormulaSetFile(dir.WriteFile("junk.xml", std::string("\0\xff<<>>\n</>\n", 10))));
}
} // namespace
