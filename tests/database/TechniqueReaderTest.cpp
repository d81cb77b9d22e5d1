#include "database/GameDatabase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
using CSets = std::vector<CKeywordSet>;

std::string TechniqueFile(const std::string& category)
{
    return R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<techniqueset>
	<techniqueset-name>Enchantments</techniqueset-name>
	<techniqueset-categories>
		<techniqueset-category>)" +
           category + R"(</techniqueset-category>
	</techniqueset-categories>
	<tech>
		<tech-name>Glow</tech-name>
		<tech-desc>Makes it glow</tech-desc>
		<tech-subdesc>Softly</tech-subdesc>
		<tech-prefix>Glowing</tech-prefix>
		<tech-suffix>of Light</tech-suffix>
		<tech-keywords>
			<tech-keywordset>
				<tech-keyword>techclass_magic</tech-keyword>
			</tech-keywordset>
			<tech-keywordset>
				<tech-keyword>weapon</tech-keyword>
				<tech-keyword>tier_2</tech-keyword>
				<tech-keyword>armor</tech-keyword>
			</tech-keywordset>
		</tech-keywords>
		<tech-effectkeywords>
			<tech-effectkeywordset>
			</tech-effectkeywordset>
			<tech-effectkeywordset>
				<tech-effectkeyword>techclass_light</tech-effectkeyword>
			</tech-effectkeywordset>
		</tech-effectkeywords>
		<tech-attributes>
			<tech-attribute key="Range">20</tech-attribute>
		</tech-attributes>
		<tier>
			<tier-name>Bright Glow</tier-name>
			<tier-lvl>3</tier-lvl>
			<tier-origin>Elves</tier-origin>
			<tier-desc>This technique gives the user +10 Strength statistic.</tier-desc>
			<tier-prefix>Bright</tier-prefix>
			<tier-keywords>
				<tier-keywordset>
					<tier-keyword>shiny</tier-keyword>
				</tier-keywordset>
			</tier-keywords>
			<components>
				<component qty="2">Moonstone</component>
				<component qty="x">Dust</component>
			</components>
		</tier>
		<tier>
			<tier-name>Faint Glow</tier-name>
			<tier-lvl>1</tier-lvl>
			<tier-desc>Gives Health and Armor</tier-desc>
			<tier-skilladjust>0</tier-skilladjust>
			<tier-usageadjust>7</tier-usageadjust>
			<tier-techsize>2</tier-techsize>
			<tier-effectkeywords>
				<tier-effectkeywordset>
				</tier-effectkeywordset>
			</tier-effectkeywords>
		</tier>
		<tier>
			<tier-name>Odd Glow</tier-name>
			<tier-desc>an additional +3 Luck statistic.</tier-desc>
			<tier-attributes>
				<tier-attribute key="StatBonus">+1 Charm</tier-attribute>
			</tier-attributes>
		</tier>
	</tech>
	<tech>
		<tech-name>Hum</tech-name>
	</tech>
</techniqueset>
)";
}

TEST(TechniqueReader, ReadsASet)
{
    CTempDir dir;
    CGameDatabase db;
    const auto set =
        db.ReadTechniqueSetFile(dir.WriteFile("Techs/e.xml", TechniqueFile("Enchanter")));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->name, "Enchantments");
    EXPECT_EQ(set->category, "Enchanter");
    ASSERT_EQ(set->techniques.size(), 2u);

    const CTechnique& glow = *set->techniques[0];
    EXPECT_EQ(glow.name, "Glow");
    EXPECT_EQ(glow.description, "Makes it glow");
    EXPECT_EQ(glow.subdescription, "Softly");
    EXPECT_EQ(glow.prefix, "Glowing");
    EXPECT_EQ(glow.suffix, "of Light");
    // A set left empty by the filter is dropped; effect sets are kept as read.
    EXPECT_EQ(glow.keywordSets, (CSets{{"weapon", "armor"}}));
    EXPECT_EQ(glow.effectKeywordSets, (CSets{{}, {"techclass_light"}}));
    ASSERT_EQ(glow.attributes.size(), 1u);
    EXPECT_EQ(glow.attributes[0].key, "range");
    EXPECT_TRUE(glow.hasTierKeywords);

    ASSERT_EQ(glow.tiers.size(), 3u);
    const CTechniqueTier& faint = *glow.tiers[0];
    const CTechniqueTier& bright = *glow.tiers[1];
    const CTechniqueTier& odd = *glow.tiers[2];
    EXPECT_EQ(faint.name, "Faint Glow");
    EXPECT_EQ(bright.name, "Bright Glow");
    EXPECT_EQ(odd.name, "Odd Glow");

    EXPECT_EQ(bright.level, 3);
    EXPECT_EQ(bright.levelName, "Tier III");
    EXPECT_EQ(bright.origin, "Elves");
    EXPECT_EQ(bright.skillAdjust, 30); // absent: level x 10
    EXPECT_EQ(bright.usageAdjust, 0);  // not a "Spell" technique
    EXPECT_EQ(bright.techSize, 1);
    EXPECT_EQ(bright.prefix, "Bright");
    EXPECT_EQ(bright.suffix, "");
    // The technique's keyword sets join every tier once some tier has a keyword.
    EXPECT_EQ(bright.keywordSets, (CSets{{"shiny"}, {"weapon", "armor"}}));
    ASSERT_EQ(bright.attributes.size(), 1u);
    EXPECT_EQ(bright.attributes[0].key, "bonus");
    EXPECT_EQ(bright.attributes[0].value, "+10 Strength");
    ASSERT_EQ(bright.components.size(), 2u);
    EXPECT_EQ(bright.components[0].name, "Moonstone");
    EXPECT_EQ(bright.components[0].qtyAtMin, 2);
    EXPECT_EQ(bright.components[0].qtyAtOpt, 2);
    EXPECT_EQ(bright.components[1].name, "Dust");
    EXPECT_EQ(bright.components[1].qtyAtOpt, 0);

    EXPECT_EQ(faint.skillAdjust, 0); // present and 0: kept
    EXPECT_EQ(faint.usageAdjust, 7);
    EXPECT_EQ(faint.techSize, 2);
    EXPECT_EQ(faint.keywordSets, (CSets{{"weapon", "armor"}}));
    EXPECT_EQ(faint.effectKeywordSets, (CSets{{}}));
    ASSERT_EQ(faint.attributes.size(), 2u);
    EXPECT_EQ(faint.attributes[0].value, "+5 Health");
    EXPECT_EQ(faint.attributes[1].value, "+5 Armor");

    EXPECT_EQ(odd.level, -1);
    EXPECT_EQ(odd.levelName, "Default");
    EXPECT_EQ(odd.skillAdjust, -10);
    // A bonus given in the file stops the derivation.
    ASSERT_EQ(odd.attributes.size(), 1u);
    EXPECT_EQ(odd.attributes[0].value, "+1 Charm");

    const CTechnique& hum = *set->techniques[1];
    EXPECT_FALSE(hum.hasTierKeywords);
    EXPECT_TRUE(hum.tiers.empty());
}

TEST(TechniqueReader, SpellTiersTakeTheirSkillAdjustmentAsUsage)
{
    CTempDir dir;
    CGameDatabase db;
    const auto set = db.ReadTechniqueSetFile(dir.WriteFile("s.xml", TechniqueFile("Spell")));
    ASSERT_TRUE(set);
    const CTechnique& glow = *set->techniques[0];
    EXPECT_EQ(glow.tiers[1]->usageAdjust, 30); // absent: the skill adjustment
    EXPECT_EQ(glow.tiers[0]->usageAdjust, 7);  // given
    EXPECT_EQ(glow.tiers[2]->usageAdjust, -10);

    EXPECT_FALSE(db.ReadTechniqueSetFile(dir / "missing.xml"));

    // A level far out of range gives a saturated adjustment, not an overflow.
    const auto huge = db.ReadTechniqueSetFile(dir.WriteFile(
        "huge.xml",
        "<techniqueset>\n<techniqueset-category>Spell</techniqueset-category>\n<tech>\n<tier>\n"
        "<tier-lvl>-99999999999</tier-lvl>\n</tier>\n</tech>\n</techniqueset>\n"));
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->techniques[0]->tiers[0]->skillAdjust, -2147483647 - 1);
    EXPECT_EQ(huge->techniques[0]->tiers[0]->usageAdjust, -2147483647 - 1);
}

TEST(TechniqueOverlay, AmendsKnownTechniquesOnly)
{
    CTempDir dir;
    CGameDatabase db;
    db.AddTechniqueSet(db.ReadTechniqueSetFile(dir.WriteFile("e.xml", TechniqueFile("Enchanter"))));
    const char* overlay = R"(<techniques>
<tech>
<tech-name>Hum</tech-name>
<tech-category>Spell</tech-category>
<tech-suffix>of Song</tech-suffix>
<tier>
<tier-name>Low Hum</tier-name>
<tier-lvl>2</tier-lvl>
</tier>
</tech>
<tech>
<tech-name>Glow</tech-name>
<tech-category>Enchanter</tech-category>
<tier>
<tier-name>Bright Glow</tier-name>
<tier-suffix>of Dawn</tier-suffix>
</tier>
</tech>
<tech>
<tech-name>Unknown</tech-name>
<tech-category>Spell</tech-category>
</tech>
</techniques>
)";
    EXPECT_TRUE(db.ReadTechniqueOverlay(dir.WriteFile("techniques.xml", overlay)));
    EXPECT_EQ(db.TechniqueCount(), 2u);
    EXPECT_FALSE(db.FindTechnique("All", "Unknown"));

    const CTechnique* hum = db.FindTechnique("Enchanter", "Hum");
    ASSERT_TRUE(hum);
    EXPECT_EQ(hum->suffix, "of Song");
    ASSERT_EQ(hum->tiers.size(), 1u);
    // Read with the overlay's category: a "Spell" tier takes its usage adjustment.
    EXPECT_EQ(hum->tiers[0]->skillAdjust, 20);
    EXPECT_EQ(hum->tiers[0]->usageAdjust, 20);

    const CTechnique* glow = db.FindTechnique("Custom", "Glow");
    ASSERT_TRUE(glow);
    EXPECT_EQ(glow->description, "Makes it glow");
    const CTechniqueTier* bright = CGameDatabase::FindTechniqueTier(*glow, "Bright Glow");
    ASSERT_TRUE(bright);
    EXPECT_EQ(bright->level, 3);
    EXPECT_EQ(bright->suffix, "of Dawn");
    EXPECT_EQ(bright->prefix, "Bright");
    EXPECT_EQ(bright->skillAdjust, 30);
    EXPECT_EQ(bright->attributes.size(), 1u); // the derived bonus is not derived twice
    EXPECT_EQ(bright->components.size(), 2u);

    EXPECT_FALSE(db.ReadTechniqueOverlay(dir / "none.xml"));
}

TEST(WizardReader, ReadsATemplate)
{
    CTempDir dir;
    CGameDatabase db;
    const char* xml = R"(<wizard>
	<wizard-school>Fire</wizard-school>
	<wizard-type>Mage</wizard-type>
	<wizard-version>3</wizard-version>
	<races>
		<race>Elf</race>
		<race>Human</race>
	</races>
	<slots>
		<slot>Head</slot>
	</slots>
	<formulasets>
		<formulaset>
			<formulaset-name>Robes</formulaset-name>
			<formulaset-desc>Robes to wear</formulaset-desc>
			<formulaset-filter>robe</formulaset-filter>
			<formulaset-priority>2</formulaset-priority>
			<formulaset-optional>1</formulaset-optional>
		</formulaset>
		<formulaset>
			<formulaset-name>Staves</formulaset-name>
		</formulaset>
	</formulasets>
	<techs>
		<tech>Glow</tech>
		<tech>Hum</tech>
	</techs>
</wizard>
)";
    const auto wizard = db.ReadWizardFile(dir.WriteFile("Wizards/fire.xml", xml));
    ASSERT_TRUE(wizard);
    EXPECT_EQ(wizard->school, "Fire");
    EXPECT_EQ(wizard->type, "Mage");
    EXPECT_EQ(wizard->version, 3);
    EXPECT_EQ(wizard->races, (std::vector<std::string>{"Elf", "Human"}));
    EXPECT_EQ(wizard->slots, (std::vector<std::string>{"Head"}));
    ASSERT_EQ(wizard->formulaSets.size(), 2u);
    EXPECT_EQ(wizard->formulaSets[0].name, "Robes");
    EXPECT_EQ(wizard->formulaSets[0].description, "Robes to wear");
    EXPECT_EQ(wizard->formulaSets[0].filter, "robe");
    EXPECT_EQ(wizard->formulaSets[0].priority, 2);
    EXPECT_EQ(wizard->formulaSets[0].optional, 1);
    EXPECT_EQ(wizard->formulaSets[1].name, "Staves");
    EXPECT_EQ(wizard->formulaSets[1].description, "");
    EXPECT_EQ(wizard->formulaSets[1].priority, 0);
    EXPECT_EQ(wizard->techs, (std::vector<std::string>{"Glow", "Hum"}));

    EXPECT_FALSE(db.ReadWizardFile(dir / "missing.xml"));
}
} // namespace
