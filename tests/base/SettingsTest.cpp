#include "base/IniSettingsStore.h"
#include "base/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace
{
using Pairs = std::vector<std::pair<std::string, std::string>>;

// A memory store that remembers the order of the writes and can refuse to flush.
class CRecordingStore : public CMemorySettingsStore
{
public:
    bool Write(std::string_view key, std::string_view name, std::string_view text) override
    {
        writes.emplace_back(std::string(key) + "|" + std::string(name), std::string(text));
        return CMemorySettingsStore::Write(key, name, text);
    }
    bool Flush() override
    {
        ++flushes;
        return flushOk;
    }
    Pairs writes;
    int flushes = 0;
    bool flushOk = true;
};

Pairs AllSettings(const CSettings& settings)
{
    Pairs out;
    for (const CSettingInfo& info : SettingsTable())
        out.emplace_back(std::string(info.name), SettingText(settings, info.name));
    return out;
}

const Pairs Defaults = {
    {"GameBasePath", "<Please Set Manually>"},
    {"CurrentProfile", ""},
    {"CurrentProfileType", ""},
    {"LastFormulaCategory", ""},
    {"LastTechCategory", ""},
    {"DatabaseRevision", "Initial"},
    {"CurrentTheme", "desktop_native.xml"},
    {"ItemResourceSize", "0"},
    {"ShowResourceMode", "0"},
    {"ShowReportMode", "0"},
    {"ExpandFormulaMode", "1"},
    {"ExpandTechMode", "1"},
    {"IconSize", "16"},
    {"ReportType", "0"},
    {"ShowReportResourceMode", "0"},
    {"ShowReportBonusMode", "0"},
    {"StickyStrength", "16"},
    {"ShowUsableTechs", "Y"},
    {"EnableCache", "Y"},
    {"EnableIcons", "Y"},
    {"DockingMode", "Y"},
    {"GlobalHotkeys", "Y"},
    {"DragWithToolbar", "N"},
    {"VerticalToolbar", "Y"},
    {"AutoShrink", "Y"},
    {"HighPriority", "N"},
};

TEST(Settings, EmptyStoreGivesTheDefaultsInTableOrder)
{
    CMemorySettingsStore store;
    CSettings settings;
    LoadSettings(settings, store, "/data", "");
    EXPECT_EQ(AllSettings(settings), Defaults);
    EXPECT_EQ(settings.OrdersFolder, "/data/Orders");
    EXPECT_EQ(settings.ProfilesFolder, "/data/Profiles");
    EXPECT_EQ(settings.TempFolder, "/data/Temp");
}

TEST(Settings, GameFolder)
{
    struct Case
    {
        const char* gameFolder;
        const char* stored; // nullptr: not stored
        const char* expected;
    };
    const Case cases[] = {
        {"/games/Tellurin", nullptr, "/games/Tellurin"},
        {"/games/Tellurin", "/opt/tellurin", "/opt/tellurin"},
        {"", "/opt/tellurin", "/opt/tellurin"},
        {"/games/Tellurin", "", "<Please Set Manually>"},
        {"", nullptr, "<Please Set Manually>"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.gameFolder) + " / " + (c.stored ? c.stored : "(none)"));
        CMemorySettingsStore store;
        if (c.stored)
            store.Write(SettingsKeys::Config, "GameBasePath", c.stored);
        CSettings settings;
        LoadSettings(settings, store, "/data", c.gameFolder);
        EXPECT_EQ(settings.GameBasePath, c.expected);
    }
}

TEST(Settings, StoredEncodingsAreRead)
{
    struct Case
    {
        const char* name;
        const char* stored;
        const char* read;
    };
    const Case cases[] = {
        {"EnableCache", "Y", "Y"},       {"EnableCache", "y", "Y"},      {"EnableCache", "N", "N"},
        {"EnableCache", "n", "N"},       {"EnableCache", "yes", "N"},    {"EnableCache", "", "N"},
        {"EnableCache", "1", "N"},       {"DragWithToolbar", "y", "Y"},  {"HighPriority", "Yes", "N"},
        {"IconSize", "24", "24"},        {"IconSize", " 32px", "32"},    {"IconSize", "abc", "0"},
        {"IconSize", "", "0"},           {"StickyStrength", "-8", "-8"}, {"StickyStrength", "99999999999", "2147483647"},
        {"CurrentTheme", "dark.xml", "dark.xml"}, {"CurrentTheme", "", ""},
        {"LastFormulaCategory", "Custom", "Custom"},
        {"CurrentProfile", "Ana \xE9l\xE8ve", "Ana \xE9l\xE8ve"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.name) + "=" + c.stored);
        CMemorySettingsStore store;
        store.Write(SettingsKeys::Config, c.name, c.stored);
        CSettings settings;
        LoadSettings(settings, store, "/data", "/game");
        EXPECT_EQ(SettingText(settings, c.name), c.read);
    }
}

TEST(Settings, NamesIgnoreCase)
{
    CSettings settings;
    EXPECT_TRUE(SetSettingText(settings, "iconsize", "24"));
    EXPECT_TRUE(SetSettingText(settings, "ENABLECACHE", "n"));
    EXPECT_TRUE(SetSettingText(settings, "currenttheme", "Dark.xml"));
    EXPECT_EQ(settings.IconSize, 24);
    EXPECT_FALSE(settings.EnableCache);
    EXPECT_EQ(settings.CurrentTheme, "Dark.xml");
    EXPECT_EQ(SettingText(settings, "IconSize"), "24");
    EXPECT_EQ(SettingText(settings, "iCoNsIzE"), "24");
    EXPECT_EQ(CanonicalSettingName("stickystrength"), "StickyStrength");

    EXPECT_FALSE(SetSettingText(settings, "NoSuchSetting", "1"));
    EXPECT_FALSE(SetSettingText(settings, "IconSize2", "1"));
    EXPECT_EQ(SettingText(settings, "NoSuchSetting"), "");
    EXPECT_EQ(CanonicalSettingName("IconSiz"), "");

    // A store written in another case is read all the same.
    CMemorySettingsStore store;
    store.Write(SettingsKeys::Config, "globalhotkeys", "N");
    CSettings loaded;
    LoadSettings(loaded, store, "/data", "/game");
    EXPECT_FALSE(loaded.GlobalHotkeys);
}

TEST(Settings, BrowserCategories)
{
    EXPECT_EQ(FormulaCategoryShown(""), "All");
    EXPECT_EQ(FormulaCategoryShown("Custom"), "All");
    EXPECT_EQ(FormulaCategoryShown("custom"), "custom");
    EXPECT_EQ(FormulaCategoryShown("Smithing"), "Smithing");
    EXPECT_EQ(TechCategoryShown(""), "All");
    EXPECT_EQ(TechCategoryShown("Custom"), "Custom");
    EXPECT_EQ(TechCategoryShown("Speed"), "Speed");
}

TEST(Settings, SaveWritesEveryValueInTableOrderThenFlushes)
{
    CSettings settings;
    settings.GameBasePath = "/games/Tellurin";
    settings.IconSize = 32;
    settings.HighPriority = true;
    settings.DatabaseRevision = "2026-11-30";
    CRecordingStore store;
    EXPECT_TRUE(SaveSettings(settings, store));
    ASSERT_EQ(store.writes.size(), Defaults.size());
    for (std::size_t i = 0; i < Defaults.size(); ++i)
    {
        SCOPED_TRACE(Defaults[i].first);
        EXPECT_EQ(store.writes[i].first, "Software\\Moxa2\\Config|" + Defaults[i].first);
        EXPECT_EQ(store.writes[i].second, SettingText(settings, Defaults[i].first));
    }
    EXPECT_EQ(store.writes[0].second, "/games/Tellurin");
    EXPECT_EQ(store.writes[12].second, "32");
    EXPECT_EQ(store.writes[25].second, "Y");
    EXPECT_EQ(store.flushes, 1);

    CSettings again;
    LoadSettings(again, store, "/data", "");
    EXPECT_EQ(AllSettings(again), AllSettings(settings));

    store.flushOk = false;
    EXPECT_FALSE(SaveSettings(settings, store));
}

// Two programs on one settings file: a save writes only what its program changed, so one
// that changed nothing keeps what the other saved meanwhile.
TEST(Settings, ASaveKeepsWhatAnotherProgramSavedMeanwhile)
{
    CTempDir dir;
    const fs::path file = dir / "Moxa2.ini";
    CIniSettingsStore storeA(file);
    CIniSettingsStore storeB(file);
    CSettings a;
    CSettings b;
    LoadSettings(a, storeA, "/data", "");
    LoadSettings(b, storeB, "/data", "");
    a.DockingMode = false;
    a.GlobalHotkeys = false;
    ASSERT_TRUE(SaveSettings(a, storeA));
    ASSERT_TRUE(SaveSettings(b, storeB));
    b.IconSize = 24;
    ASSERT_TRUE(SaveSettings(b, storeB));
    EXPECT_EQ(ReadFileBytes(file), "[Software]\n"
                                   "Moxa2\\Config\\DockingMode=N\n"
                                   "Moxa2\\Config\\GlobalHotkeys=N\n"
                                   "Moxa2\\Config\\IconSize=24\n");
    CSettings after;
    LoadSettings(after, CIniSettingsStore(file), "/data", "");
    EXPECT_FALSE(after.DockingMode);
    EXPECT_EQ(after.IconSize, 24);
}

TEST(Settings, ReadGameFolder)
{
    CMemorySettingsStore store;
    EXPECT_EQ(ReadGameFolder(store), "");
    store.Write(SettingsKeys::Game, "", "/games/Tellurin");
    EXPECT_EQ(ReadGameFolder(store), "/games/Tellurin");
}

TEST(Settings, RecentOrdersKeepTheNewestEightThatStillExist)
{
    CTempDir dir;
    CSettings settings;
    for (int i = 1; i <= 9; ++i)
        AddRecentOrder(settings, dir.WriteFile("o" + std::to_string(i) + ".xml", "x").string());
    AddRecentOrder(settings, (dir / "o5.xml").string()); // opened again: to the front, once
    std::vector<std::string> names;
    for (const std::string& path : settings.RecentOrders)
        names.push_back(std::filesystem::path(path).filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"o5.xml", "o9.xml", "o8.xml", "o7.xml", "o6.xml", "o4.xml",
                                               "o3.xml", "o2.xml"}));

    CMemorySettingsStore store;
    ASSERT_TRUE(SaveSettings(settings, store));
    EXPECT_EQ(store.Read(SettingsKeys::Config, "RecentOrder1"), (dir / "o5.xml").string());
    std::filesystem::remove(dir / "o9.xml");
    std::filesystem::remove(dir / "o2.xml");
    CSettings loaded;
    LoadSettings(loaded, store, "/data", "/game");
    EXPECT_EQ(loaded.RecentOrders, settings.RecentOrders);
    EXPECT_EQ(DropMissingRecentOrders(loaded),
              (std::vector<std::string>{(dir / "o9.xml").string(), (dir / "o2.xml").string()}));
    EXPECT_EQ(loaded.RecentOrders.size(), 6u);
    // The shorter list empties the entries it no longer fills.
    ASSERT_TRUE(SaveSettings(loaded, store));
    EXPECT_EQ(store.Read(SettingsKeys::Config, "RecentOrder7"), "");
    CSettings again;
    LoadSettings(again, store, "/data", "/game");
    EXPECT_EQ(again.RecentOrders, loaded.RecentOrders);
}
} // namespace
