#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Every file decodes as a blank 24 x 24 image.
class CBlankDecoder : public IImageDecoder
{
public:
    bool Decode(const std::filesystem::path&, CImage& image) override
    {
        image.width = image.height = CIconManager::IconPixels;
        image.pixels.assign(static_cast<std::size_t>(image.width * image.height), 0);
        return true;
    }
};

const char* const CategoriesFile = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<!-- categories of the crafts -->
<categories>
	<category>
		<category-name>Weaver</category-name>
		<category-desc>Cloth and thread</category-desc>
		<category-icon>loom.png</category-icon>
		<subcategories>
			<subcategory>
				<subcategory-name>Tailoring</subcategory-name>
				<subcategory-desc>Clothes</subcategory-desc>
				<subcategory-icon>needle</subcategory-icon>
			</subcategory>
			<subcategory>
				<subcategory-name>Knitting</subcategory-name>
			</subcategory>
		</subcategories>
	</category>
	<category>
		<category-name>Armorer</category-name>
		<category-icon>unknown</category-icon>
	</category>
	<category>
		<category-name>Enchanter</category-name>
		<subcategories>
			<subcategory>
				<subcategory-name>Tailoring</subcategory-name>
				<subcategory-icon>loom</subcategory-icon>
			</subcategory>
		</subcategories>
	</category>
</categories>
)";

TEST(CategoryReader, CategoriesWithTheirSubcategoriesAndIcons)
{
    CTempDir dir;
    dir.WriteFile("icons/blank.png", "x");
    dir.WriteFile("icons/loom.png", "x");
    dir.WriteFile("icons/needle.png", "x");
    CBlankDecoder decoder;
    CIconManager icons(&decoder);
    icons.AddFolder(dir / "icons");
    ASSERT_EQ(icons.Count(), 3);

    CGameDatabase db;
    db.icons = &icons;
    EXPECT_TRUE(db.ReadCategories(dir.WriteFile("Config/Categories.xml", CategoriesFile)));
    ASSERT_EQ(db.categories.size(), 3u);
    EXPECT_EQ(db.categories[0].name, "Weaver");
    EXPECT_EQ(db.categories[0].description, "Cloth and thread");
    EXPECT_EQ(db.categories[0].iconIndex, 1);
    EXPECT_EQ(db.categories[1].name, "Armorer");
    EXPECT_EQ(db.categories[1].description, "");
    EXPECT_EQ(db.categories[1].iconIndex, 0);
    EXPECT_EQ(db.categories[2].iconIndex, 0);

    ASSERT_EQ(db.Subcategories().size(), 3u);
    EXPECT_EQ(db.Subcategories()[0].category, "Weaver");
    EXPECT_EQ(db.Subcategories()[0].name, "Tailoring");
    EXPECT_EQ(db.Subcategories()[0].description, "Clothes");
    EXPECT_EQ(db.Subcategories()[0].iconIndex, 2);
    EXPECT_EQ(db.Subcategories()[1].category, "Weaver");
    EXPECT_EQ(db.Subcategories()[1].name, "Knitting");
    EXPECT_EQ(db.Subcategories()[1].iconIndex, 0);
    EXPECT_EQ(db.Subcategories()[2].category, "Enchanter");
    EXPECT_EQ(db.Subcategories()[2].iconIndex, 1);

    // The first subcategory of a name gives a formula set its icon; a technique set takes
    // the one named like its category.
    EXPECT_EQ(db.FindSubcategory("Tailoring"), &db.Subcategories()[0]);
    EXPECT_FALSE(db.FindSubcategory("tailoring"));
    const auto set = db.ReadFormulaSetFile(dir.WriteFile(
        "Crafts/t.xml",
        "<formulaset>\n<formulaset-name>Tailoring</formulaset-name>\n<item>\n"
        "<item-name>Hat</item-name>\n<item-icon>needle.tif</item-icon>\n</item>\n</formulaset>\n"));
    ASSERT_TRUE(set);
    EXPECT_EQ(set->iconIndex, 2);
    EXPECT_EQ(set->formulae[0]->iconIndex, 2);
    const auto techniques = db.ReadTechniqueSetFile(dir.WriteFile(
        "Techs/t.xml",
        "<techniqueset>\n<techniqueset-category>Knitting</techniqueset-category>\n<tech>\n"
        "<tech-icon>loom</tech-icon>\n</tech>\n</techniqueset>\n"));
    ASSERT_TRUE(techniques);
    EXPECT_EQ(techniques->iconIndex, 0);
    EXPECT_EQ(techniques->techniques[0]->iconIndex, 1);

    // A second file appends; a missing one changes nothing.
    EXPECT_TRUE(db.ReadCategories(
        dir.WriteFile("more.xml", "<categories>\n<category>\n<category-name>Cook</"
                                  "category-name>\n</category>\n</categories>\n")));
    EXPECT_EQ(db.categories.size(), 4u);
    EXPECT_FALSE(db.ReadCategories(dir / "missing.xml"));
    EXPECT_EQ(db.categories.size(), 4u);
    EXPECT_EQ(db.Subcategories().size(), 3u);
}

const char* const ComponentsFile = R"(<?xml version="1.0" encoding="ISO-8859-1"?>
<components>
	<comp>
		<comp-name>Wool</comp-name>
		<comp-tier>2</comp-tier>
		<comp-desc>Soft fibre</comp-desc>
		<comp-type>Fibre</comp-type>
		<comp-bulk>1</comp-bulk>
		<comp-pawnbuy>10</comp-pawnbuy>
		<comp-pawnsell>5</comp-pawnsell>
		<comp-vielosell>7</comp-vielosell>
		<gather-methods>
			<gather>
				<gather-skill>Shearing</gather-skill>
				<gather-tool>Shears</gather-tool>
				<gather-rate>Fast</gather-rate>
				<min-skill>0</min-skill>
				<max-skill>50</max-skill>
				<bonuses>
					<bonus>
						<bonus-name>Fleece</bonus-name>
						<bonus-amount type="chance">2</bonus-amount>
					</bonus>
					<bonus>
						<bonus-name>Lanolin</bonus-name>
						<bonus-amount>1</bonus-amount>
					</bonus>
				</bonuses>
			</gather>
			<gather>
				<gather-skill>Scavenging</gather-skill>
			</gather>
		</gather-methods>
		<locs>
			<loc-coord>10,20</loc-coord>
			<loc-coord>Hill &amp; Dale</loc-coord>
		</locs>
	</comp>
	<comp>
		<comp-name>Iron Ore</comp-name>
	</comp>
</components>
)";

TEST(ComponentReader, ComponentsWithGatherMethodsAndLocations)
{
    CTempDir dir;
    const auto path = dir.WriteFile("Config/Components/Components.xml", ComponentsFile);
    CGameDatabase db;
    EXPECT_TRUE(db.ReadComponents(path));
    EXPECT_TRUE(db.ReadComponents(path)); // read twice: one copy
    ASSERT_EQ(db.Components().size(), 2u);

    const CComponent& wool = *db.Components()[0];
    EXPECT_EQ(wool.name, "Wool");
    EXPECT_EQ(wool.tier, 2);
    EXPECT_EQ(wool.description, "Soft fibre");
    EXPECT_EQ(wool.type, "Fibre");
    EXPECT_EQ(wool.bulk, 1);
    EXPECT_EQ(wool.buyValue, "10");
    EXPECT_EQ(wool.sellValue, "5");
    EXPECT_EQ(wool.vendorValue, "7");
    ASSERT_EQ(wool.gatherMethods.size(), 2u);
    const CGatherMethod& shear = wool.gatherMethods[0];
    EXPECT_EQ(shear.skill, "Shearing");
    EXPECT_EQ(shear.tool, "Shears");
    EXPECT_EQ(shear.rate, "Fast");
    EXPECT_EQ(shear.minSkill, "0");
    EXPECT_EQ(shear.maxSkill, "50");
    ASSERT_EQ(shear.bonuses.size(), 2u);
    EXPECT_EQ(shear.bonuses[0].name, "Fleece");
    EXPECT_EQ(shear.bonuses[0].amount, "2");
    EXPECT_EQ(shear.bonuses[0].qualifier, "chance");
    EXPECT_EQ(shear.bonuses[1].qualifier, "");
    EXPECT_EQ(wool.gatherMethods[1].skill, "Scavenging");
    EXPECT_TRUE(wool.gatherMethods[1].bonuses.empty());
    EXPECT_EQ(wool.locations, (std::vector<std::string>{"10,20", "Hill &amp; Dale"}));

    const CComponent& ore = *db.Components()[1];
    EXPECT_EQ(ore.tier, 0);
    EXPECT_TRUE(ore.gatherMethods.empty());
    EXPECT_TRUE(ore.locations.empty());

    EXPECT_EQ(db.FindComponent("Iron Ore"), &ore);
    EXPECT_FALSE(db.FindComponent("iron ore"));

    // A missing file empties the list.
    EXPECT_FALSE(db.ReadComponents(dir / "missing.xml"));
    EXPECT_TRUE(db.Components().empty());
    EXPECT_FALSE(db.FindComponent("Wool"));
}

TEST(HelpPages, LaterPagesReplaceEarlierOnes)
{
    CTempDir dir;
    CGameDatabase db;
    db.ReadHelpPages(dir.WriteFile("Config/help.xml", R"(<help>
	<pages>
		<page key="orderwindow">Help/orders.htm</page>
		<page key="officialsite">http://tellurin.example/</page>
		<page key="orderwindow">Help/orders2.htm</page>
	</pages>
</help>
)"));
    EXPECT_EQ(db.HelpPages,
              (std::map<std::string, std::string>{{"officialsite", "http://tellurin.example/"},
                                                  {"orderwindow", "Help/orders2.htm"}}));
    db.ReadHelpPages(dir / "missing.xml");
    EXPECT_EQ(db.HelpPages.size(), 2u);
}
} // namespace
