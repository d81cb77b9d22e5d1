#include "app/DataPaths.h"
#include "app/Session.h"
#include "app/SettingsStore.h"
#include "database/Cache.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/TestZip.h"

#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// Everything a load leaves behind that the windows show, as one comparable record.
struct CLoaded
{
    ELoadSource source = ELoadSource::NoSpace;
    std::string cacheText;
    std::map<std::string, std::string> help;
    std::vector<std::string> formulaCategories;
    std::vector<std::string> techniqueCategories;
    std::vector<std::string> profiles;
    std::string currentProfile;
    std::map<std::string, std::string> theme;
    std::string orderFile;
    std::size_t orderItems = 0;
    int refreshes = 0;
    int themeApplications = 0;

    bool operator==(const CLoaded&) const = default;
};

class CachePrefetchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyTree(TestDataPath("loader/basic"), m_dir.Path());
        // The first start rebuilds and writes the cache the others read.
        CSession first(m_dir.Path(), &m_store, &m_prompter);
        ASSERT_EQ(first.Start(), ELoadSource::Xml);
        ASSERT_TRUE(fs::exists(m_dir / "Cache/config.dat"));
    }

    // How the cache is read ahead: not at all, by the session, or begun before the session.
    enum class EAhead
    {
        None,
        Session,
        Early,
    };

    CLoaded StartSession(bool prefetch)
    {
        return StartSession(prefetch ? EAhead::Session : EAhead::None);
    }

    CLoaded StartSession(EAhead ahead, const fs::path& earlyFolder = {})
    {
        std::unique_ptr<CCachePrefetch> early;
        if (ahead == EAhead::Early)
            early =
                std::make_unique<CCachePrefetch>(earlyFolder.empty() ? m_dir.Path() : earlyFolder);
        CSession session(m_dir.Path(), &m_store, &m_prompter, nullptr, std::move(early));
        CLoaded loaded;
        session.SetRefreshBrowsers([&loaded] { ++loaded.refreshes; });
        session.SetApplyThemeColours([&loaded] { ++loaded.themeApplications; });
        session.Order().filePath = "old.xml";
        session.Order().AddItem(std::make_unique<COrderItem>());
        if (ahead == EAhead::Session)
            session.PrefetchCache();
        loaded.source = session.Start();

        CGameDatabase& db = session.Database();
        EXPECT_EQ(db.icons, &session.Icons());
        EXPECT_TRUE(FormatCache(db, loaded.cacheText));
        loaded.help = db.HelpPages;
        loaded.formulaCategories = db.FormulaCategories;
        loaded.techniqueCategories = db.TechniqueCategories;
        for (const auto& profile : session.Profiles().profiles)
            loaded.profiles.push_back(profile->name);
        if (session.Profiles().current)
            loaded.currentProfile = session.Profiles().current->name;
        loaded.theme = session.Theme().Table();
        loaded.orderFile = session.Order().filePath;
        loaded.orderItems = session.Order().items.size();
        return loaded;
    }

    CTempDir m_dir;
    CMemorySettingsStore m_store;
    CScriptedPrompter m_prompter;
};
} // namespace

TEST_F(CachePrefetchTest, APrefetchedStartLoadsWhatAPlainStartLoads)
{
    const CLoaded plain = StartSession(false);
    const CLoaded prefetched = StartSession(true);
    EXPECT_EQ(plain.source, ELoadSource::Cache);
    EXPECT_FALSE(plain.cacheText.empty());
    EXPECT_FALSE(plain.help.empty());
    EXPECT_FALSE(plain.profiles.empty());
    EXPECT_FALSE(plain.theme.empty());
    EXPECT_EQ(plain.orderFile, "Untitled.xml");
    EXPECT_EQ(plain.orderItems, 0u);
    EXPECT_EQ(plain.refreshes, 1);
    EXPECT_EQ(plain.themeApplications, 1);
    EXPECT_TRUE(prefetched == plain);
    EXPECT_TRUE(StartSession(EAhead::Early) == plain);
    EXPECT_TRUE(m_prompter.warnings.empty());
}

TEST_F(CachePrefetchTest, AnEarlyPrefetchOfAnotherFolderIsNotUsed)
{
    const CLoaded reference = StartSession(false);
    // Another data folder whose cache holds fewer sets than this one's.
    CTempDir other;
    CopyTree(m_dir.Path(), other.Path());
    fs::remove(other / "Config/Crafts/bars.xml");
    fs::remove(other / "Cache/config.dat");
    std::string otherText;
    {
        CSession session(other.Path(), &m_store, &m_prompter);
        ASSERT_EQ(session.Start(), ELoadSource::Xml);
        ASSERT_TRUE(FormatCache(session.Database(), otherText));
    }
    ASSERT_NE(otherText, reference.cacheText);
    const CLoaded loaded = StartSession(EAhead::Early, other.Path());
    EXPECT_EQ(loaded.source, ELoadSource::Cache);
    EXPECT_TRUE(loaded == reference);
}

TEST_F(CachePrefetchTest, AnEarlyPrefetchBehavesAsTheSessionsOwn)
{
    // A damaged cache is rebuilt, with the cache off it is not used, an ended session waits.
    const CLoaded reference = StartSession(false);
    fs::resize_file(m_dir / "Cache/config.dat", fs::file_size(m_dir / "Cache/config.dat") / 2);
    CLoaded rebuilt = StartSession(EAhead::Early);
    EXPECT_EQ(rebuilt.source, ELoadSource::Xml);
    rebuilt.source = reference.source;
    EXPECT_TRUE(rebuilt == reference);

    m_store.Write(SettingsKeys::Config, "EnableCache", "N");
    fs::remove(m_dir / "Config/Crafts/bars.xml");
    const CLoaded off = StartSession(EAhead::Early);
    EXPECT_EQ(off.source, ELoadSource::Xml);
    EXPECT_NE(off.cacheText, reference.cacheText);
    m_store.Write(SettingsKeys::Config, "EnableCache", "Y");
    EXPECT_EQ(StartSession(EAhead::Early).cacheText, reference.cacheText);

    for (int i = 0; i < 10; ++i)
    {
        CSession session(m_dir.Path(), &m_store, &m_prompter, nullptr,
                         std::make_unique<CCachePrefetch>(m_dir.Path()));
        // A second read waits for the first one.
        session.PrefetchCache();
    }
    EXPECT_TRUE(m_prompter.warnings.empty());
}

TEST_F(CachePrefetchTest, ADamagedCacheIsRebuiltAsWithoutThePrefetch)
{
    const CLoaded reference = StartSession(false);
    for (const char* how : {"cut", "header"})
    {
        SCOPED_TRACE(how);
        const fs::path config = m_dir / "Cache/config.dat";
        if (std::string(how) == "cut")
            fs::resize_file(config, fs::file_size(config) / 2);
        else
            std::fstream(config, std::ios::in | std::ios::out | std::ios::binary).put('X');
        CLoaded rebuilt = StartSession(true);
        EXPECT_EQ(rebuilt.source, ELoadSource::Xml);
        rebuilt.source = reference.source;
        EXPECT_TRUE(rebuilt == reference);
        // The rebuild wrote a sound cache again.
        EXPECT_EQ(StartSession(true).source, ELoadSource::Cache);
    }
}

TEST_F(CachePrefetchTest, WithTheCacheOffThePrefetchedRecordsAreNotUsed)
{
    const CLoaded reference = StartSession(false);
    m_store.Write(SettingsKeys::Config, "EnableCache", "N");
    // A cache that no longer matches the XML files shows which of the two was read.
    fs::remove(m_dir / "Config/Crafts/bars.xml");
    const CLoaded loaded = StartSession(true);
    EXPECT_EQ(loaded.source, ELoadSource::Xml);
    EXPECT_NE(loaded.cacheText, reference.cacheText);

    m_store.Write(SettingsKeys::Config, "EnableCache", "Y");
    // The cache files were left as they were: read, they still hold the removed file's sets.
    EXPECT_EQ(StartSession(true).cacheText, reference.cacheText);
}

TEST_F(CachePrefetchTest, AWaitingArchiveReplacesWhatThePrefetchRead)
{
    ASSERT_TRUE(WriteGlassArchive(m_dir.Path(), "Moxa_2026-11-30.zip"));

    CSession session(m_dir.Path(), &m_store, &m_prompter);
    session.PrefetchCache();
    EXPECT_EQ(session.Start(), ELoadSource::Cache);
    EXPECT_EQ(session.Settings().DatabaseRevision, "2026-11-30");
    ASSERT_EQ(session.Database().formulaSets.size(), 1u);
    EXPECT_EQ(session.Database().formulaSets[0]->name, "Glass");
    EXPECT_TRUE(m_prompter.warnings.empty());
}

TEST_F(CachePrefetchTest, ASessionEndedBeforeItsStartWaitsForThePrefetch)
{
    for (int i = 0; i < 20; ++i)
    {
        CSession session(m_dir.Path(), &m_store, &m_prompter);
        session.PrefetchCache();
        // Prefetching twice waits for the first read instead of running two at once.
        session.PrefetchCache();
    }
    EXPECT_EQ(StartSession(true).source, ELoadSource::Cache);
}
