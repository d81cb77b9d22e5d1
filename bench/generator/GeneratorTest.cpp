#include "DatabaseGenerator.h"

#include "base/DataPaths.h"
#include "base/Settings.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{
fs::path Scratch(const std::string& name)
{
    const fs::path dir = fs::temp_directory_path() / ("moxa-gen-" + std::to_string(getpid())) / name;
    fs::remove_all(dir);
    return dir;
}

std::map<std::string, std::string> ReadTree(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
        {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            files[fs::relative(entry.path(), root).string()] = text.str();
        }
    return files;
}

CGeneratorResult Generate(const fs::path& dir, std::uint64_t bytes, std::uint64_t seed)
{
    CGeneratorResult result;
    std::string error;
    EXPECT_TRUE(GenerateDatabase(dir, {bytes, seed}, result, error)) << error;
    return result;
}

void Rebuild(CGameDatabase& db, CIconManager& icons, const fs::path& data)
{
    CSettings settings;
    settings.EnableCache = false;
    settings.EnableIcons = false;
    CDatabaseLoadContext c;
    c.dataFolder = data;
    c.settings = &settings;
    c.database = &db;
    c.icons = &icons;
    c.freeSpace = [](const fs::path&) { return UINTMAX_MAX; };
    ASSERT_TRUE(RebuildDatabase(c));
}

// The depth of a product's "Resources" chain: 1 for a tier made from components only.
int ChainDepth(const CGameDatabase& db, const std::string& name)
{
    const CGameDatabase::CProducer producer = db.FindProducingTier(name);
    if (!producer)
        return 0;
    int deepest = 0;
    for (const CResource& r : producer.tier->resources)
        deepest = std::max(deepest, ChainDepth(db, r.name));
    return deepest + 1;
}
} // namespace

TEST(DatabaseGenerator, SameSeedSameBytesOtherSeedOtherBytes)
{
    const fs::path a = Scratch("a"), b = Scratch("b"), c = Scratch("c");
    Generate(a, 300 << 10, 7);
    Generate(b, 300 << 10, 7);
    Generate(c, 300 << 10, 8);
    const auto treeA = ReadTree(a);
    EXPECT_EQ(treeA, ReadTree(b));
    EXPECT_NE(treeA, ReadTree(c));
    EXPECT_EQ(1u, treeA.count("Config/Components/Components.xml"));
    EXPECT_EQ(1u, treeA.count("Config/formulae.xml"));
    EXPECT_EQ(1u, treeA.count("Config/techniques.xml"));
    EXPECT_EQ(1u, treeA.count("Config/Profiles/Generated.xml"));
    EXPECT_EQ(1u, treeA.count("Themes/desktop_native.xml"));
}

TEST(DatabaseGenerator, SizeFollowsTheRequest)
{
    for (std::uint64_t megabytes : {1u, 4u})
    {
        const fs::path dir = Scratch("size" + std::to_string(megabytes));
        const CGeneratorResult result = Generate(dir, megabytes << 20, 1);
        const double ratio = static_cast<double>(result.xmlBytes) / static_cast<double>(megabytes << 20);
        EXPECT_GT(ratio, 0.9) << megabytes;
        EXPECT_LT(ratio, 1.1) << megabytes;
        std::uint64_t onDisk = 0;
        for (const auto& [name, text] : ReadTree(dir / "Config"))
            if (name != "help.xml" && !name.starts_with("Profiles"))
                onDisk += text.size();
        EXPECT_EQ(result.xmlBytes, onDisk);
    }
}

// One element per line: at most an opening and its closing tag, nothing after it.
TEST(DatabaseGenerator, EveryLineHoldsOneElement)
{
    const fs::path dir = Scratch("lines");
    Generate(dir, 256 << 10, 3);
    for (const auto& [name, text] : ReadTree(dir))
    {
        std::istringstream in(text);
        std::string line;
        int number = 0;
        while (std::getline(in, line))
        {
            ++number;
            const std::size_t first = line.find('<');
            ASSERT_NE(std::string::npos, first) << name << ":" << number;
            const std::size_t second = line.find('<', first + 1);
            if (second != std::string::npos)
            {
                EXPECT_EQ('/', line[second + 1]) << name << ":" << number;
                EXPECT_EQ(std::string::npos, line.find('<', second + 1)) << name << ":" << number;
                EXPECT_EQ('>', line.back()) << name << ":" << number;
            }
            EXPECT_EQ(std::string::npos, line.find('|')) << name << ":" << number;
        }
    }
}

TEST(DatabaseGenerator, LoadsAsACompleteDatabase)
{
    const fs::path dir = Scratch("load");
    const CGeneratorResult result = Generate(dir, 1 << 20, 5);
    CGameDatabase db;
    CIconManager icons;
    Rebuild(db, icons, dir);

    EXPECT_EQ(static_cast<std::size_t>(result.components), db.components.size());
    EXPECT_EQ(static_cast<std::size_t>(result.techniques), db.TechniqueCount());
    EXPECT_FALSE(db.ResourceFormulaSets.empty());
    EXPECT_FALSE(db.wizards.empty());
    EXPECT_FALSE(db.categories.empty());

    int deepest = 0;
    std::size_t resources = 0;
    for (const auto& set : db.formulaSets)
        for (const auto& f : set->formulae)
            for (const auto& t : f->tiers)
                for (const CResource& r : t->resources)
                {
                    ++resources;
                    EXPECT_TRUE(db.FindComponent(r.name) || db.FindProducingTier(r.name)) << r.name;
                    deepest = std::max(deepest, ChainDepth(db, r.name));
                }
    EXPECT_GT(resources, 1000u);
    EXPECT_GE(deepest, 4);

    bool gathered = false;
    for (const auto& c : db.components)
        gathered = gathered || !c->gatherMethods.empty();
    EXPECT_TRUE(gathered);
    for (const auto& set : db.techniqueSets)
        for (const auto& t : set->techniques)
            for (const auto& tier : t->tiers)
                for (const CResource& c : tier->components)
                    EXPECT_TRUE(db.FindComponent(c.name) || db.FindProducingTier(c.name)) << c.name;

    // The formula overlay amended some formulae and added new ones.
    std::size_t amended = 0;
    for (const auto& set : db.formulaSets)
        for (const auto& f : set->formulae)
            for (const CAttribute& a : f->attributes)
                amended += a.value == "? glowcolour:Amber ?";
    EXPECT_GT(amended, 0u);
    EXPECT_NE(nullptr, db.FindFormula("Resources", db.formulaSets.back()->formulae.back()->name));

    // The whole database survives its cache.
    std::string written;
    ASSERT_TRUE(FormatCache(db, written));
    ASSERT_TRUE(WriteCache(db, icons, dir / "Cache"));
    CGameDatabase cached;
    CIconManager cachedIcons;
    ASSERT_TRUE(LoadCache(cached, cachedIcons, dir / "Cache", CSettings{}));
    std::string reread;
    ASSERT_TRUE(FormatCache(cached, reread));
    EXPECT_EQ(written, reread);
}
