#include "DatabaseGenerator.h"
#include "PeerLoader.h"

#include "base/Settings.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace fs = std::filesystem;

// The peer must read exactly what our loader reads, or its timings compare nothing:
// both databases must give the same cache file, byte for byte.
TEST(PeerLoader, SameCacheAsOurLoaderOnGeneratedDatabases)
{
    const struct
    {
        std::uint64_t bytes;
        std::uint64_t seed;
    } cases[] = {{512 << 10, 1}, {2 << 20, 2}, {3 << 20, 99}};
    for (const auto& c : cases)
    {
        const fs::path dir = fs::temp_directory_path() /
                             ("moxa-peer-" + std::to_string(getpid()) + "-" + std::to_string(c.seed));
        fs::remove_all(dir);
        CGeneratorResult result;
        std::string error;
        ASSERT_TRUE(GenerateDatabase(dir, {c.bytes, c.seed}, result, error)) << error;

        CSettings settings;
        settings.EnableCache = false;
        settings.EnableIcons = false;
        CGameDatabase ours;
        CIconManager icons;
        CDatabaseLoadContext context;
        context.dataFolder = dir;
        context.settings = &settings;
        context.database = &ours;
        context.icons = &icons;
        context.freeSpace = [](const fs::path&) { return UINTMAX_MAX; };
        // Several threads even on a one-core machine: the peer reads one file after the other.
        context.threads = 4;
        ASSERT_TRUE(RebuildDatabase(context));

        CGameDatabase peer;
        CIconManager peerIcons;
        PeerRebuild(peer, &peerIcons, dir);

        ASSERT_TRUE(WriteCache(ours, icons, dir / "ours"));
        ASSERT_TRUE(WriteCache(peer, peerIcons, dir / "peer"));
        std::string a, b;
        ASSERT_TRUE(FormatCache(ours, a));
        ASSERT_TRUE(FormatCache(peer, b));
        EXPECT_GT(a.size(), c.bytes / 8);
        EXPECT_TRUE(a == b) << "seed " << c.seed;
        EXPECT_EQ(ours.categories.size(), peer.categories.size());
        EXPECT_EQ(ours.subcategories.size(), peer.subcategories.size());
        EXPECT_EQ(ours.ResourceFormulaSets.size(), peer.ResourceFormulaSets.size());
        fs::remove_all(dir);
    }
}
