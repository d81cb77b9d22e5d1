#include "session/LoadDatabase.h"

#include "base/AtomicFile.h"
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "base/Theme.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "profile/Profile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace fs = std::filesystem;

namespace
{
class CRecordingProgress : public ILoadProgress
{
public:
    void Begin(int files) override { calls.push_back("begin " + std::to_string(files)); }
    void Step() override { calls.push_back("step"); }
    void End() override { calls.push_back("end"); }
    std::vector<std::string> calls;
};

// One program's worth of state over a copy of a test data folder.
struct CLoadFixture
{
    explicit CLoadFixture(const fs::path& dataFolder)
    {
        context.dataFolder = dataFolder;
        context.settings = &settings;
        context.database = &db;
        context.icons = &icons;
        context.profiles = &profiles;
        context.theme = &theme;
        context.prompter = &prompter;
        context.progress = &progress;
        context.resetOrder = [this] { events.push_back("reset order"); };
        context.refreshBrowsers = [this] { events.push_back("refresh browsers"); };
        context.applyThemeColours = [this] { events.push_back("apply colours"); };
    }

    ELoadSource Load() { return LoadDatabase(context); }
    std::string CacheText() const
    {
        std::string text;
        EXPECT_TRUE(FormatCache(db, text));
        return text;
    }
    std::vector<std::string> ResourceSetNames() const
    {
        std::vector<std::string> names;
        for (const CFormulaSet* set : db.ResourceFormulaSets())
            names.push_back(set->name);
        return names;
    }

    CSettings settings;
    CGameDatabase db;
    CIconManager icons;
    CProfileList profiles;
    CTheme theme;
    CScriptedPrompter prompter;
    CRecordingProgress progress;
    std::vector<std::string> events;
    CLoadContext context;
};

class LoaderTest : public ::testing::Test
{
protected:
    void SetUp() override { CopyTree(TestDataPath("loader/basic"), m_dir.Path()); }
    const fs::path& Data() const { return m_dir.Path(); }
    fs::path CacheFile() const { return DataPaths::Join(Data(), "Cache/config.dat"); }

    CTempDir m_dir;
};

struct CCounts
{
    std::size_t sets, formulae, tiers, resources, techniqueSets, techniques, techniqueTiers,
        components, wizards, profiles, helpPages;
    bool operator==(const CCounts&) const = default;
};

CCounts Counts(const CLoadFixture& f)
{
    return {f.db.FormulaSets().size(),  f.db.FormulaCount(),         f.db.FormulaTierCount(),
            f.db.ResourceCount(),       f.db.TechniqueSets().size(), f.db.TechniqueCount(),
            f.db.TechniqueTierCount(),  f.db.Components().size(),    f.db.wizards.size(),
            f.profiles.profiles.size(), f.db.HelpPages.size()};
}
} // namespace

TEST_F(LoaderTest, RebuildsFromXmlThenLoadsTheSameDatabaseFromTheCache)
{
    CLoadFixture first(Data());
    ASSERT_EQ(first.Load(), ELoadSource::Xml);
    EXPECT_EQ(Counts(first), (CCounts{3, 4, 4, 5, 2, 2, 2, 3, 1, 2, 2}));
    ASSERT_TRUE(fs::exists(CacheFile()));
    EXPECT_TRUE(fs::exists(DataPaths::Join(Data(), "Cache/formicons.dat")));
    EXPECT_EQ(ReadFileBytes(CacheFile()), first.CacheText());

    CLoadFixture second(Data());
    ASSERT_EQ(second.Load(), ELoadSource::Cache);
    EXPECT_EQ(Counts(second), Counts(first));
    EXPECT_EQ(second.CacheText(), first.CacheText());
    EXPECT_TRUE(second.progress.calls.empty());
    // Categories are not cached: their file is read again, their icons found by name.
    const auto categories = [](const CLoadFixture& f)
    {
        std::vector<std::pair<std::string, int>> list;
        for (const CCategory& category : f.db.categories)
            list.emplace_back(category.name, category.iconIndex);
        return list;
    };
    EXPECT_FALSE(first.db.categories.empty());
    EXPECT_EQ(categories(second), categories(first));
}

TEST_F(LoaderTest, SetsOfTheSameNameAndCategoryAreMergedInLoadOrder)
{
    CLoadFixture f(Data());
    f.Load();
    ASSERT_EQ(f.db.FormulaSets().size(), 3u);
    const CFormulaSet& smithing = *f.db.FormulaSets()[0];
    EXPECT_EQ(smithing.name, "Smithing");
    ASSERT_EQ(smithing.formulae.size(), 2u);
    EXPECT_EQ(smithing.formulae[0]->name, "Iron Helm");
    EXPECT_EQ(smithing.formulae[1]->name, "Steel Helm");
    EXPECT_EQ(f.db.FormulaSets()[1]->name, "Bars");
    // Technique sets are never merged, even with equal names.
    ASSERT_EQ(f.db.TechniqueSets().size(), 2u);
    EXPECT_EQ(f.db.TechniqueSets()[0]->techniques[0]->name, "Flame Edge");
    EXPECT_EQ(f.db.TechniqueSets()[1]->techniques[0]->name, "Flame Ward");
    // The technique overlay was applied.
    EXPECT_EQ(f.db.TechniqueSets()[0]->techniques[0]->suffix, "of Flame");
}

TEST_F(LoaderTest, AnOverlayMadeResourcesSetProducesAfterRebuildAndAfterCacheLoad)
{
    CLoadFixture rebuilt(Data());
    ASSERT_EQ(rebuilt.Load(), ELoadSource::Xml);
    const std::vector<std::string> expected = {"Bars", "Alloys"};
    EXPECT_EQ(rebuilt.ResourceSetNames(), expected);
    EXPECT_TRUE(rebuilt.db.FindProducingTier("Steel Bar"));

    CLoadFixture cached(Data());
    ASSERT_EQ(cached.Load(), ELoadSource::Cache);
    EXPECT_EQ(cached.ResourceSetNames(), expected);
    EXPECT_TRUE(cached.db.FindProducingTier("Steel Bar"));
}

TEST_F(LoaderTest, ReportsOneStepPerFileAfterAFirstCall)
{
    CLoadFixture f(Data());
    f.Load();
    const std::vector<std::string> expected = {"begin 6", "step", "step", "step",
                                               "step",    "step", "step", "end"};
    EXPECT_EQ(f.progress.calls, expected);
}

TEST_F(LoaderTest, ReadsFilesOnSeveralThreadsExactlyAsOnOne)
{
    CLoadFixture one(Data());
    one.settings.EnableCache = false;
    one.context.threads = 1;
    ASSERT_EQ(one.Load(), ELoadSource::Xml);
    for (unsigned threads : {2u, 3u, 16u})
    {
        CLoadFixture f(Data());
        f.settings.EnableCache = false;
        f.context.threads = threads;
        // The progress window is the caller's: every step comes on its thread.
        const std::thread::id caller = std::this_thread::get_id();
        int foreignSteps = 0;
        struct CThreadProgress : CRecordingProgress
        {
            std::thread::id caller;
            int* foreign = nullptr;
            void Step() override
            {
                CRecordingProgress::Step();
                *foreign += std::this_thread::get_id() != caller;
            }
        } progress;
        progress.caller = caller;
        progress.foreign = &foreignSteps;
        f.context.progress = &progress;
        ASSERT_EQ(f.Load(), ELoadSource::Xml) << threads;
        EXPECT_EQ(f.CacheText(), one.CacheText()) << threads;
        EXPECT_EQ(f.ResourceSetNames(), one.ResourceSetNames()) << threads;
        EXPECT_EQ(Counts(f), Counts(one)) << threads;
        EXPECT_EQ(progress.calls, one.progress.calls) << threads;
        EXPECT_EQ(foreignSteps, 0) << threads;
        EXPECT_EQ(f.db.FormulaSets()[0]->formulae[1]->name, "Steel Helm") << threads;
    }
}

TEST_F(LoaderTest, WithCachingOffNothingIsCachedAndEveryLoadRebuilds)
{
    for (int run = 0; run < 2; ++run)
    {
        CLoadFixture f(Data());
        f.settings.EnableCache = false;
        EXPECT_EQ(f.Load(), ELoadSource::Xml);
        EXPECT_EQ(f.db.FormulaSets().size(), 3u);
    }
    EXPECT_FALSE(fs::exists(CacheFile()));
    EXPECT_FALSE(fs::exists(DataPaths::Join(Data(), "Cache/formicons.dat")));
}

TEST_F(LoaderTest, DamagedCachesAreRebuilt)
{
    CLoadFixture good(Data());
    good.Load();
    const std::string goodCache = ReadFileBytes(CacheFile());
    const std::string goodIcons = ReadFileBytes(DataPaths::Join(Data(), "Cache/formicons.dat"));
    ASSERT_FALSE(goodCache.empty());

    const std::vector<std::pair<const char*, std::function<void()>>> spoilers = {
        {"truncated",
         [&] { WriteFileAtomically(CacheFile(), goodCache.substr(0, goodCache.size() / 2)); }},
        {"last line cut",
         [&] { WriteFileAtomically(CacheFile(), goodCache.substr(0, goodCache.size() - 1)); }},
        {"old header",
         [&] { WriteFileAtomically(CacheFile(), "Moxa2 V1.20" + goodCache.substr(11)); }},
        {"huge counts",
         [&] {
             WriteFileAtomically(CacheFile(),
                                 "Moxa2 V1.21 - Do not edit!\n2000000000|2000000000|0|0\n");
         }},
        {"empty", [&] { WriteFileAtomically(CacheFile(), ""); }},
        {"no icon cache", [&] { fs::remove(DataPaths::Join(Data(), "Cache/formicons.dat")); }},
        {"garbage icon cache",
         [&] { WriteFileAtomically(DataPaths::Join(Data(), "Cache/formicons.dat"), "junk"); }},
    };
    for (const auto& [name, spoil] : spoilers)
    {
        SCOPED_TRACE(name);
        spoil();
        CLoadFixture f(Data());
        EXPECT_EQ(f.Load(), ELoadSource::Xml);
        EXPECT_EQ(f.db.FormulaSets().size(), 3u) << "nothing of the damaged cache may stay";
        EXPECT_EQ(ReadFileBytes(CacheFile()), goodCache);
        EXPECT_EQ(ReadFileBytes(DataPaths::Join(Data(), "Cache/formicons.dat")), goodIcons);
    }
}

TEST_F(LoaderTest, TooLittleFreeSpaceRefusesTheRebuildWithItsMessage)
{
    for (const std::uintmax_t free : {RebuildFreeSpace - 1, RebuildFreeSpace})
    {
        SCOPED_TRACE(free);
        CLoadFixture f(Data());
        f.context.freeSpace = [free](const fs::path&) { return free; };
        const ELoadSource source = f.Load();
        if (free < RebuildFreeSpace)
        {
            EXPECT_EQ(source, ELoadSource::NoSpace);
            EXPECT_EQ(f.prompter.warnings,
                      std::vector<std::string>{std::string(Messages::NoSpaceForRecache)});
            EXPECT_TRUE(f.progress.calls.empty());
            EXPECT_TRUE(f.db.FormulaSets().empty());
            EXPECT_FALSE(fs::exists(CacheFile()));
            // The rest of the load still runs.
            EXPECT_EQ(f.db.HelpPages.size(), 2u);
        }
        else
        {
            EXPECT_EQ(source, ELoadSource::Xml);
            EXPECT_TRUE(f.prompter.warnings.empty());
        }
    }
    EXPECT_EQ(Messages::NoSpaceForRecache,
              "There is not enough space on the partition (where Moxa is installed) to recache the "
              "database.\nPlease free up some space (at least 12Mb) and retry");
}

TEST_F(LoaderTest, TheLoadEndsWithOrderProfilesHelpCategoriesAndTheme)
{
    CLoadFixture f(Data());
    f.settings.CurrentProfile = "Alice";
    f.settings.CurrentProfileType = "Local";
    f.settings.CurrentTheme = "missing.xml";
    f.profiles.profiles.push_back(std::make_unique<CProfile>());
    f.db.HelpPages["stale"] = "x";
    f.Load();

    const std::vector<std::string> events = {"reset order", "refresh browsers", "apply colours"};
    EXPECT_EQ(f.events, events);
    ASSERT_EQ(f.profiles.profiles.size(), 2u);
    ASSERT_NE(f.profiles.current, nullptr);
    EXPECT_EQ(f.profiles.current->name, "Alice");
    EXPECT_EQ(f.db.HelpPages.count("stale"), 0u);
    EXPECT_EQ(f.db.HelpPages.at("orderwindow"), "help/orders.html");
    EXPECT_EQ(f.db.FormulaCategories, (std::vector<std::string>{"Armorer", "Resources"}));
    EXPECT_EQ(f.db.TechniqueCategories, std::vector<std::string>{"Spell"});
    // The theme named by the settings is missing: the default theme stands in.
    EXPECT_EQ(f.theme.ThemeColour("DIALOGCOLOUR_BG"), 0x000080FFu);

    // A second load from the cache rebuilds the category lists from the cached sets.
    CLoadFixture again(Data());
    again.Load();
    EXPECT_EQ(again.db.FormulaCategories, f.db.FormulaCategories);
}

TEST_F(LoaderTest, LeftoversOfInterruptedSavesAreRemoved)
{
    const std::string leftover = std::string(CAtomicFile::TempPrefix) + "12345";
    for (const char* folder : {"Cache", "Profiles", "Config/Profiles"})
        m_dir.WriteFile(std::string(folder) + "/" + leftover, "half");
    CLoadFixture f(Data());
    f.Load();
    for (const char* folder : {"Cache", "Profiles", "Config/Profiles"})
        EXPECT_FALSE(fs::exists(Data() / folder / leftover)) << folder;
}

TEST(DatabaseFiles, WalksInByteOrderEnteringFoldersWhereTheySort)
{
    CTempDir dir;
    for (const char* name : {"b.xml", "A.xml", "a/c.xml", "a/B.xml", "Z/z.xml", "notes.txt",
                             "x.xml.bak", "data.XML", "a.xml", "a/deeper/d.xml"})
        dir.WriteFile(name, "<x/>\n");
    fs::create_directory_symlink(dir.Path(), dir / "loop");
    std::vector<std::string> names;
    for (const fs::path& file : DatabaseFiles(dir.Path()))
        names.push_back(fs::relative(file, dir.Path()).string());
    const std::vector<std::string> expected = {"A.xml",          "Z/z.xml", "a/B.xml", "a/c.xml",
                                               "a/deeper/d.xml", "a.xml",   "b.xml",   "x.xml.bak"};
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(DatabaseFiles(dir / "missing").empty());
}

TEST(SampleData, LoadsTheSameFromXmlAndFromTheCache)
{
    if (!fs::exists(SampleDataPath("Config")))
        GTEST_SKIP() << "no sample data folder";
    CTempDir dir;
    CopyTree(SampleDataPath(), dir.Path());
    RemoveCacheFiles(dir / "Cache");
    CLoadFixture rebuilt(dir.Path());
    ASSERT_EQ(rebuilt.Load(), ELoadSource::Xml);
    EXPECT_GT(rebuilt.db.FormulaCount(), 0u);
    CLoadFixture cached(dir.Path());
    ASSERT_EQ(cached.Load(), ELoadSource::Cache);
    EXPECT_EQ(cached.CacheText(), rebuilt.CacheText());
    EXPECT_EQ(cached.ResourceSetNames(), rebuilt.ResourceSetNames());
    EXPECT_EQ(Counts(cached), Counts(rebuilt));
}
