#include "database/Cache.h"
#include "database/CacheDigest.h"

#include "base/DataPaths.h"
#include "base/Settings.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "support/TempDir.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// A tiny database touching every record and every list of the cache.
void FillTinyDatabase(CGameDatabase& db)
{
    auto smithing = std::make_unique<CFormulaSet>();
    smithing->name = "Smithing";
    smithing->category = "Armorer";
    smithing->iconIndex = 2;
    auto helm = std::make_unique<CFormula>();
    helm->name = "Iron Helm";
    helm->iconIndex = 3;
    helm->category = "Armorer";
    helm->hasTierKeywords = true;
    helm->keywords = {"helm", "metal"};
    helm->attributes = {{"bulk", "4"}};
    auto tier1 = std::make_unique<CFormulaTier>();
    tier1->name = "Iron Helm";
    tier1->level = 1;
    tier1->levelName = "Tier I";
    tier1->description = "A plain helm";
    tier1->allowedTechniques = 1;
    tier1->keywords = {"helm"};
    tier1->attributes = {{"bonus", "+2 Armor"}};
    CResource bar;
    bar.name = "Iron Bar";
    bar.skill = "Smelting";
    bar.units = 2;
    bar.minSkill = 10;
    bar.qtyAtMin = 6;
    bar.optSkill = 40;
    bar.qtyAtOpt = 3;
    tier1->resources = {bar};
    auto tier2 = std::make_unique<CFormulaTier>();
    tier2->name = "Fine Helm";
    tier2->levelName = "Default";
    tier2->batchQty = 2;
    helm->tiers.push_back(std::move(tier1));
    helm->tiers.push_back(std::move(tier2));
    smithing->formulae.push_back(std::move(helm));

    auto bars = std::make_unique<CFormulaSet>();
    bars->name = "Bars";
    bars->category = "Resources";
    auto ironBar = std::make_unique<CFormula>();
    ironBar->name = "Iron Bar";
    ironBar->batchQty = 2;
    ironBar->category = "Resources";
    auto barTier = std::make_unique<CFormulaTier>();
    barTier->name = "Iron Bar";
    barTier->level = 1;
    barTier->levelName = "Tier I";
    barTier->allowedTechniques = 1;
    barTier->batchQty = 2;
    CResource ore;
    ore.name = "Iron Ore";
    ore.skill = "Mining";
    ore.units = 1;
    ore.qtyAtMin = 10;
    ore.qtyAtOpt = 5;
    barTier->resources = {ore};
    ironBar->tiers.push_back(std::move(barTier));
    bars->formulae.push_back(std::move(ironBar));
    db.ResourceFormulaSets.push_back(bars.get());
    db.formulaSets.push_back(std::move(smithing));
    db.formulaSets.push_back(std::move(bars));

    auto fire = std::make_unique<CTechniqueSet>();
    fire->name = "Fire Craft";
    fire->category = "Spell";
    auto edge = std::make_unique<CTechnique>();
    edge->name = "Flame Edge";
    edge->iconIndex = 1;
    edge->prefix = "Burning";
    edge->suffix = "of Flame";
    edge->description = "Adds fire";
    edge->attributes = {{"type", "Fire"}};
    edge->keywordSets = {{"weapon", "blade"}};
    edge->effectKeywordSets = {{}};
    auto techTier = std::make_unique<CTechniqueTier>();
    techTier->name = "Tier I";
    techTier->origin = "Academy";
    techTier->level = 1;
    techTier->levelName = "Tier I";
    techTier->description = "an additional +5 Fire";
    techTier->skillAdjust = 10;
    techTier->usageAdjust = 10;
    techTier->keywordSets = {{"blade"}};
    techTier->attributes = {{"bonus", "+5 Fire"}};
    CResource dust;
    dust.name = "Ember Dust";
    dust.qtyAtMin = 2;
    dust.qtyAtOpt = 2;
    techTier->components = {dust};
    edge->tiers.push_back(std::move(techTier));
    fire->techniques.push_back(std::move(edge));
    db.techniqueSets.push_back(std::move(fire));

    auto ironOre = std::make_unique<CComponent>();
    ironOre->name = "Iron Ore";
    ironOre->description = "Grey rock";
    ironOre->type = "Ore";
    ironOre->tier = 1;
    ironOre->bulk = 2;
    ironOre->buyValue = "10";
    ironOre->sellValue = "4";
    ironOre->gatherMethods = {{"Pick", "Mining", "1.5", "0", "50", {{"Gem", "1", "rare"}}}};
    ironOre->locations = {"12,34", "Deep Mine"};
    db.components.push_back(std::move(ironOre));
    auto emberDust = std::make_unique<CComponent>();
    emberDust->name = "Ember Dust";
    emberDust->type = "Dust";
    emberDust->bulk = 1;
    db.components.push_back(std::move(emberDust));

    auto wizard = std::make_unique<CWizardTemplate>();
    wizard->school = "Pyromancy";
    wizard->type = "Spell";
    wizard->version = 2;
    wizard->races = {"Human", "Elf"};
    wizard->slots = {"Head"};
    wizard->formulaSets = {{"Smithing", "Basic gear", "helm", 1, 0}};
    wizard->techs = {"Flame Edge"};
    db.wizards.push_back(std::move(wizard));
}

const std::string TinyCache = "Moxa2 V1.21 - Do not edit!\n"
                              "2|1|2|1\n"
                              "Smithing|Armorer||2|1\n"
                              "Iron Helm|1|3||Armorer|y|1|2\n"
                              "2\n"
                              "helm\n"
                              "metal\n"
                              "bulk|4\n"
                              "Iron Helm|1|Tier I|A plain helm|1|1|1|1\n"
                              "1\n"
                              "helm\n"
                              "bonus|+2 Armor\n"
                              "Iron Bar|Smelting|10|6|40|3|2\n"
                              "Fine Helm|-1|Default||0|2|0|0\n"
                              "0\n"
                              "Bars|Resources||0|1\n"
                              "Iron Bar|2|0||Resources|n|0|1\n"
                              "0\n"
                              "Iron Bar|1|Tier I||1|2|0|1\n"
                              "0\n"
                              "Iron Ore|Mining|0|10|0|5|1\n"
                              "Fire Craft||Spell|0|1\n"
                              "Flame Edge|1|Burning|of Flame|Adds fire||n|1|1|1|1\n"
                              "type|Fire\n"
                              "2\n"
                              "weapon\n"
                              "blade\n"
                              "0\n"
                              "Tier I|Academy|1|Tier I|an additional +5 Fire|10|10|||1|1|0|1|1\n"
                              "1\n"
                              "blade\n"
                              "bonus|+5 Fire\n"
                              "Ember Dust||0|2|0|2|0\n"
                              "Iron Ore|Grey rock|Ore|1|2|10|4||1|2\n"
                              "Pick|Mining|1.5|0|50|1\n"
                              "Gem|1|rare\n"
                              "12,34\n"
                              "Deep Mine\n"
                              "Ember Dust||Dust|0|1||||0|0\n"
                              "Pyromancy|Spell|2|2|1|1|1\n"
                              "Human\n"
                              "Elf\n"
                              "Head\n"
                              "Smithing|Basic gear|helm|1|0\n"
                              "Flame Edge\n";

std::string Formatted(const CGameDatabase& db)
{
    std::string text;
    EXPECT_TRUE(FormatCache(db, text));
    return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

CImage Icon(std::uint32_t colour)
{
    CImage image;
    image.width = image.height = CIconManager::IconPixels;
    image.pixels.assign(CIconManager::IconPixels * CIconManager::IconPixels, colour);
    return image;
}
} // namespace

TEST(Cache, WritesTheExactLineLayout)
{
    CGameDatabase db;
    FillTinyDatabase(db);
    EXPECT_EQ(Formatted(db), TinyCache);
}

TEST(Cache, ReadsBackTheSameRecords)
{
    CGameDatabase db;
    ASSERT_TRUE(ParseCache(db, TinyCache));
    EXPECT_EQ(Formatted(db), TinyCache);
    ASSERT_EQ(db.formulaSets.size(), 2u);
    ASSERT_EQ(db.ResourceFormulaSets.size(), 1u);
    EXPECT_EQ(db.ResourceFormulaSets[0], db.formulaSets[1].get());
    const CResource& r = db.formulaSets[0]->formulae[0]->tiers[0]->resources[0];
    EXPECT_EQ(r.name, "Iron Bar");
    EXPECT_EQ(r.units, 2);
    EXPECT_EQ(r.qtyAtMin, 6);
    EXPECT_EQ(r.optSkill, 40);
    EXPECT_EQ(db.formulaSets[0]->formulae[0]->tiers[1]->level, -1);
    EXPECT_EQ(db.techniqueSets[0]->techniques[0]->effectKeywordSets, std::vector<CKeywordSet>{{}});
    EXPECT_EQ(db.components[0]->gatherMethods[0].bonuses[0].qualifier, "rare");
    EXPECT_EQ(db.wizards[0]->formulaSets[0].filter, "helm");
}

TEST(Cache, AwkwardButStorableTextsRoundTrip)
{
    CGameDatabase db;
    FillTinyDatabase(db);
    CFormula& helm = *db.formulaSets[0]->formulae[0];
    helm.name = "Ep\xE9"
                "e \x01 tab\there ";
    helm.note = std::string("nul\0inside", 10);
    helm.keywords = {"a|b", "", " spaced "};
    helm.tiers[0]->description = "carriage\r";
    helm.tiers[0]->resources[0].minSkill = INT_MIN;
    helm.tiers[0]->resources[0].qtyAtOpt = INT_MAX;
    db.components[0]->locations = {"x|y", "Mine\r"};
    db.wizards[0]->races = {"r|s"};
    db.wizards[0]->techs = {""};
    db.techniqueSets[0]->techniques[0]->tiers[0]->skillAdjust = -30;

    const std::string text = Formatted(db);
    CGameDatabase back;
    ASSERT_TRUE(ParseCache(back, text));
    EXPECT_EQ(Formatted(back), text);
    const CFormula& read = *back.formulaSets[0]->formulae[0];
    EXPECT_EQ(read.name, helm.name);
    EXPECT_EQ(read.note, helm.note);
    EXPECT_EQ(read.keywords, helm.keywords);
    EXPECT_EQ(read.tiers[0]->resources[0].minSkill, INT_MIN);
    EXPECT_EQ(back.components[0]->locations, db.components[0]->locations);
    EXPECT_EQ(back.techniqueSets[0]->techniques[0]->tiers[0]->skillAdjust, -30);
}

TEST(Cache, RefusesTextsTheLayoutCannotHold)
{
    const std::vector<std::pair<const char*, std::function<void(CGameDatabase&)>>> cases = {
        {"set name with a bar", [](CGameDatabase& db) { db.formulaSets[0]->name = "Smi|thing"; }},
        {"formula note with a line break",
         [](CGameDatabase& db) { db.formulaSets[0]->formulae[0]->note = "a\nb"; }},
        {"keyword with a line break",
         [](CGameDatabase& db) { db.formulaSets[0]->formulae[0]->keywords[0] = "a\n"; }},
        {"attribute value with a bar",
         [](CGameDatabase& db) { db.formulaSets[0]->formulae[0]->attributes[0].value = "1|2"; }},
        {"resource skill with a bar", [](CGameDatabase& db)
         { db.formulaSets[0]->formulae[0]->tiers[0]->resources[0].skill = "|"; }},
        {"technique tier prefix with a bar",
         [](CGameDatabase& db) { db.techniqueSets[0]->techniques[0]->tiers[0]->prefix = "a|"; }},
        {"bonus qualifier with a bar",
         [](CGameDatabase& db) { db.components[0]->gatherMethods[0].bonuses[0].qualifier = "|x"; }},
        {"location with a line break",
         [](CGameDatabase& db) { db.components[0]->locations[1] = "\n"; }},
        {"wizard race with a line break",
         [](CGameDatabase& db) { db.wizards[0]->races[0] = "Hu\nman"; }},
        {"wizard filter with a bar",
         [](CGameDatabase& db) { db.wizards[0]->formulaSets[0].filter = "a|b"; }},
    };
    for (const auto& [name, spoil] : cases)
    {
        SCOPED_TRACE(name);
        CGameDatabase db;
        FillTinyDatabase(db);
        spoil(db);
        std::string text;
        EXPECT_FALSE(FormatCache(db, text));

        // Stale cache files would be loaded next time: they go too.
        CTempDir dir;
        dir.WriteFile("config.dat", TinyCache);
        dir.WriteFile("formicons.dat", "old");
        EXPECT_FALSE(WriteCache(db, CIconManager(), dir.Path()));
        EXPECT_FALSE(fs::exists(dir / "config.dat"));
        EXPECT_FALSE(fs::exists(dir / "formicons.dat"));
    }
}

TEST(Cache, EveryTruncationIsRejected)
{
    for (std::size_t length = 0; length < TinyCache.size(); ++length)
    {
        CGameDatabase db;
        EXPECT_FALSE(ParseCache(db, std::string_view(TinyCache).substr(0, length))) << length;
    }
}

TEST(Cache, DamagedLinesAreRejected)
{
    const std::vector<std::pair<std::string, std::string>> damage = {
        {"Moxa2 V1.21 - Do not edit!\n", "Moxa2 V1.20 - Do not edit!\n"},
        {"Moxa2 V1.21 - Do not edit!\n", "Moxa2 V1.21 - Do not edit!\r\n"},
        {"2|1|2|1\n", "2|1|2\n"},
        {"2|1|2|1\n", "2|1|2|1|0\n"},
        {"2|1|2|1\n", "-1|1|2|1\n"},
        {"2|1|2|1\n", "2|1|2|x\n"},
        {"2|1|2|1\n", "2|1|2|1 \n"},
        {"2|1|2|1\n", "+2|1|2|1\n"},
        {"2|1|2|1\n", "2|1|2|2\n"},
        {"2|1|2|1\n", "3|1|2|1\n"},
        {"2|1|2|1\n", "99999999999|1|2|1\n"},
        {"2|1|2|1\n", "2000000000|0|0|0\n"},
        {"2|1|2|1\n", "0|0|0|2147483647\n"},
        {"Smithing|Armorer||2|1\n", "Smithing|Armorer||2|1000000\n"},
        {"Iron Helm|1|3||Armorer|y|1|2\n", "Iron Helm|1|3||Armorer|Y|1|2\n"},
        {"Iron Helm|1|3||Armorer|y|1|2\n", "Iron Helm|1|3||Armorer|y|1|2000000000\n"},
        {"Iron Helm|1|3||Armorer|y|1|2\n", "Iron Helm|1|3||Armorer|y|-1|2\n"},
        {"2\nhelm\nmetal\n", "1500000000\nhelm\nmetal\n"},
        {"Iron Bar|Smelting|10|6|40|3|2\n", "Iron Bar|Smelting|10|6|40|3\n"},
        {"Iron Bar|Smelting|10|6|40|3|2\n", "Iron Bar|Smelting|10|6|4x0|3|2\n"},
        {"Iron Bar|Smelting|10|6|40|3|2\n", "Iron Bar|Smelting|10|6||3|2\n"},
        {"Tier I|Academy|1|Tier I|an additional +5 Fire|10|10|||1|1|0|1|1\n",
         "Tier I|Academy|1|Tier I|an additional +5 Fire|10|10|||1|1|0|1|9\n"},
        {"Iron Ore|Grey rock|Ore|1|2|10|4||1|2\n", "Iron Ore|Grey rock|Ore|1|2|10|4||1|2|\n"},
        {"Pick|Mining|1.5|0|50|1\n", "Pick|Mining|1.5|0|50|1e3\n"},
        {"Pyromancy|Spell|2|2|1|1|1\n", "Pyromancy|Spell|two|2|1|1|1\n"},
        {"Smithing|Basic gear|helm|1|0\n", "Smithing|Basic gear|helm|1\n"},
    };
    for (const auto& [from, to] : damage)
    {
        SCOPED_TRACE(to);
        CGameDatabase db;
        EXPECT_FALSE(ParseCache(db, Replaced(TinyCache, from, to)));
    }
}

TEST(Cache, NumbersReadAtTheEdgesOfTheirRange)
{
    const std::string line = "Iron Bar|Smelting|10|6|40|3|2\n";
    const auto resource = [&](const std::string& numbers) -> std::optional<CResource>
    {
        CGameDatabase db;
        if (!ParseCache(db, Replaced(TinyCache, line, "Iron Bar|Smelting|" + numbers + "\n")))
            return std::nullopt;
        return db.formulaSets[0]->formulae[0]->tiers[0]->resources[0];
    };
    // minSkill, qtyAtMin, optSkill, qtyAtOpt, units
    const std::optional<CResource> r =
        resource("-2147483648|2147483647|0000000000012|-0|999999999");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->minSkill, INT_MIN);
    EXPECT_EQ(r->qtyAtMin, INT_MAX);
    EXPECT_EQ(r->optSkill, 12);
    EXPECT_EQ(r->qtyAtOpt, 0);
    EXPECT_EQ(r->units, 999999999);
    const std::optional<CResource> nine = resource("-999999999|123456789|0|1|-5");
    ASSERT_TRUE(nine);
    EXPECT_EQ(nine->minSkill, -999999999);
    EXPECT_EQ(nine->qtyAtMin, 123456789);
    EXPECT_EQ(nine->units, -5);
    for (const char* bad : {"-", "--1", "1-", "2147483648", "-2147483649", "12345678901", " 1",
                            "1 ", "0x1", "+1", "1.0", "\xd9\xa1"})
    {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(resource(std::string("10|6|40|3|") + bad));
    }
}

TEST(Cache, AnEmptyDatabaseIsAValidCache)
{
    CGameDatabase db;
    EXPECT_EQ(Formatted(db), "Moxa2 V1.21 - Do not edit!\n0|0|0|0\n");
    EXPECT_TRUE(ParseCache(db, "Moxa2 V1.21 - Do not edit!\n0|0|0|0\n"));
    EXPECT_TRUE(db.formulaSets.empty());
}

TEST(Cache, FilesRoundTripWithTheIcons)
{
    CTempDir dir;
    const fs::path folder = dir / "Cache";
    CGameDatabase db;
    FillTinyDatabase(db);
    CIconManager icons;
    icons.AddIcon("a", Icon(0xFF112233u));
    icons.AddIcon("b", Icon(0xFF445566u));
    ASSERT_TRUE(WriteCache(db, icons, folder));
    EXPECT_EQ(ReadFileBytes(folder / "config.dat"), TinyCache);

    CSettings settings;
    CGameDatabase back;
    CIconManager backIcons;
    backIcons.AddIcon("stale", Icon(0));
    ASSERT_TRUE(LoadCache(back, backIcons, folder, settings));
    EXPECT_EQ(Formatted(back), TinyCache);
    ASSERT_EQ(backIcons.Count(), 2);
    EXPECT_EQ(backIcons.Images()[1].pixels, icons.Images()[1].pixels);

    // A second load replaces the records instead of adding to them.
    ASSERT_TRUE(LoadCache(back, backIcons, folder, settings));
    EXPECT_EQ(back.formulaSets.size(), 2u);
    EXPECT_EQ(back.ResourceFormulaSets.size(), 1u);
}

// The record beside "config.dat" catches what the layout cannot: any flipped byte (a digit
// changed into another still parses), appended or missing bytes, or no record at all.
TEST(Cache, DamagedBytesAreNeverLoaded)
{
    CTempDir dir;
    CGameDatabase db;
    FillTinyDatabase(db);
    ASSERT_TRUE(WriteCache(db, CIconManager(), dir.Path()));
    ASSERT_EQ(ReadFileBytes(dir / "config.dat"), TinyCache);
    EXPECT_EQ(ReadFileBytes(dir / "config.sum").rfind("Moxa cache digest 1\nsize=" + std::to_string(TinyCache.size()) + "\nsum=", 0), 0u);
    auto loads = [&](const std::string& text)
    {
        std::ofstream(dir / "config.dat", std::ios::binary | std::ios::trunc) << text;
        CGameDatabase back;
        CIconManager icons;
        return LoadCache(back, icons, dir.Path(), CSettings());
    };
    int accepted = 0;
    for (std::size_t at = 0; at < TinyCache.size(); ++at)
        for (const char to : {'9', '|', 'x', '\n'})
        {
            std::string flipped = TinyCache;
            if (flipped[at] == to)
                continue;
            flipped[at] = to;
            accepted += CacheDigest::Matches(dir.Path(), flipped) ? 1 : 0;
        }
    EXPECT_EQ(accepted, 0);
    // A number changed into another that parses: a resource's units from 2 to 9.
    std::string units = TinyCache;
    const std::size_t resource = units.find("Iron Bar|Smelting|10|6|40|3|2\n");
    ASSERT_NE(resource, std::string::npos);
    units[units.find('\n', resource) - 1] = '9';
    EXPECT_FALSE(loads(units));
    EXPECT_FALSE(loads(TinyCache + "garbage\n"));
    EXPECT_FALSE(loads(TinyCache.substr(0, TinyCache.size() - 1)));
    EXPECT_TRUE(loads(TinyCache));
    fs::remove(dir / "config.sum");
    EXPECT_FALSE(loads(TinyCache));
}

TEST(Cache, LoadFailsWithoutEitherFileOrWhenCachingIsOff)
{
    CTempDir dir;
    CGameDatabase db;
    FillTinyDatabase(db);
    ASSERT_TRUE(WriteCache(db, CIconManager(), dir.Path()));
    CSettings settings;

    settings.EnableCache = false;
    CGameDatabase kept;
    FillTinyDatabase(kept);
    CIconManager icons;
    EXPECT_FALSE(LoadCache(kept, icons, dir.Path(), settings));
    EXPECT_EQ(kept.formulaSets.size(), 2u) << "caching off must not touch the database";

    settings.EnableCache = true;
    for (const char* missing : {"formicons.dat", "config.dat"})
    {
        CTempDir copy;
        CopyTree(dir.Path(), copy.Path());
        fs::remove(copy / missing);
        CGameDatabase back;
        EXPECT_FALSE(LoadCache(back, icons, copy.Path(), settings)) << missing;
    }
}

TEST(Cache, RemoveCacheFilesDeletesBoth)
{
    CTempDir dir;
    dir.WriteFile("config.dat", "x");
    dir.WriteFile("formicons.dat", "y");
    dir.WriteFile("other.dat", "z");
    RemoveCacheFiles(dir.Path());
    EXPECT_FALSE(fs::exists(dir / "config.dat"));
    EXPECT_FALSE(fs::exists(dir / "formicons.dat"));
    EXPECT_TRUE(fs::exists(dir / "other.dat"));
}
