#include "session/Session.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/SettingsStore.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/TestZip.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
class SessionTest : public ::testing::Test
{
protected:
    void SetUp() override { CopyTree(TestDataPath("loader/basic"), m_dir.Path()); }

    void WriteArchive(const std::string& name)
    {
        ASSERT_TRUE(WriteGlassArchive(m_dir.Path(), name));
    }

    CTempDir m_dir;
    CMemorySettingsStore m_store;
    CScriptedPrompter m_prompter;
};
} // namespace

TEST_F(SessionTest, StartLoadsSettingsAndTheDatabaseAndResetsTheOrder)
{
    m_store.Write(SettingsKeys::Config, "CurrentTheme", "missing.xml");
    CSession session(m_dir.Path(), &m_store, &m_prompter);
    session.Order().filePath = "old.xml";
    session.Order().modified = true;
    session.Order().AddItem(std::make_unique<COrderItem>());

    EXPECT_EQ(session.Start(), ELoadSource::Xml);
    EXPECT_EQ(session.Settings().CurrentTheme, "missing.xml");
    EXPECT_EQ(session.GameFolder(), PleaseSetManually);
    EXPECT_EQ(session.Database().formulaSets.size(), 3u);
    EXPECT_EQ(session.Database().icons, &session.Icons());
    EXPECT_TRUE(session.Order().items.empty());
    EXPECT_EQ(session.Order().filePath, "Untitled.xml");
    EXPECT_FALSE(session.Order().modified);
    // No profile was named: the first loaded one becomes current.
    ASSERT_NE(session.Profiles().current, nullptr);
    EXPECT_EQ(session.Settings().CurrentProfile, "Template");
    EXPECT_EQ(session.Settings().CurrentProfileType, "Default");
    EXPECT_TRUE(m_prompter.warnings.empty());

    // Shutdown keeps what the load chose.
    EXPECT_TRUE(session.SaveSettings());
    EXPECT_EQ(m_store.Read(SettingsKeys::Config, "CurrentProfile"), "Template");

    CSession again(m_dir.Path(), &m_store, &m_prompter);
    EXPECT_EQ(again.Start(), ELoadSource::Cache);
    EXPECT_EQ(again.Profiles().current->name, "Template");
}

TEST_F(SessionTest, AWaitingArchiveIsInstalledBeforeTheDatabaseLoads)
{
    WriteArchive("Moxa_2026-11-30.zip");
    CSession session(m_dir.Path(), &m_store, &m_prompter);
    // The installation rebuilds and caches the new database; start-up then reads the cache.
    EXPECT_EQ(session.Start(), ELoadSource::Cache);
    EXPECT_EQ(session.Settings().DatabaseRevision, "2026-11-30");
    ASSERT_EQ(session.Database().formulaSets.size(), 1u);
    EXPECT_EQ(session.Database().formulaSets[0]->name, "Glass");
    EXPECT_FALSE(fs::exists(m_dir / "Temp/Moxa_2026-11-30.zip"));
    EXPECT_TRUE(fs::exists(m_dir / "Cache/config.dat"));
    EXPECT_TRUE(m_prompter.warnings.empty());
}

TEST_F(SessionTest, SeveralWaitingArchivesAreLeftAloneWithOneWarning)
{
    WriteArchive("Moxa_2026-11-30.zip");
    WriteArchive("Moxa_2026-12-01.zip");
    CSession session(m_dir.Path(), &m_store, &m_prompter);
    EXPECT_EQ(session.Start(), ELoadSource::Xml);
    ASSERT_EQ(m_prompter.warnings.size(), 1u);
    EXPECT_EQ(m_prompter.warnings[0], std::string(Messages::MoreThanOneArchive1) +
                                          (m_dir / "Temp").string() +
                                          std::string(Messages::MoreThanOneArchive2));
    EXPECT_EQ(session.Settings().DatabaseRevision, "Initial");
    EXPECT_TRUE(fs::exists(m_dir / "Temp/Moxa_2026-11-30.zip"));
    EXPECT_TRUE(fs::exists(m_dir / "Temp/Moxa_2026-12-01.zip"));
    EXPECT_EQ(session.Database().formulaSets.size(), 3u);
}
