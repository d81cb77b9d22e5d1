#include "base/Placement.h"
#include "base/Settings.h"
#include "platform/QtSettingsStore.h"
#include "support/TempDir.h"

#include <QSettings>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
// A store on a settings file of the test's own.
std::unique_ptr<ISettingsStore> StoreAt(const std::filesystem::path& file)
{
    ::setenv("MOXA_SETTINGS", file.c_str(), 1);
    return CreateUserSettingsStore();
}

TEST(QtSettingsStore, ValuesSurviveTheFile)
{
    CTempDir dir;
    const auto file = dir / "moxa.ini";
    CPlacement toolbar;
    toolbar.x = 10;
    toolbar.y = -20;
    toolbar.visible = true;
    {
        auto store = StoreAt(file);
        EXPECT_TRUE(store->Write(SettingsKeys::Config, "IconSize", "24"));
        EXPECT_TRUE(store->Write(SettingsKeys::Config, "CurrentProfile", "Ana \xE9l\xE8ve"));
        EXPECT_TRUE(store->Write(SettingsKeys::Config, "LastTechCategory", ""));
        EXPECT_TRUE(store->Write(SettingsKeys::Windows, "ToolbarWnd", FormatPlacement(toolbar)));
        EXPECT_TRUE(store->Write(SettingsKeys::Game, "", "/games/Tellurin"));
        EXPECT_TRUE(store->Flush());
    }
    auto store = StoreAt(file);
    EXPECT_EQ(store->Read(SettingsKeys::Config, "IconSize"), "24");
    EXPECT_EQ(store->Read(SettingsKeys::Config, "iconsize"), "24");
    EXPECT_EQ(store->Read(SettingsKeys::Config, "CurrentProfile"), "Ana \xE9l\xE8ve");
    EXPECT_EQ(store->Read(SettingsKeys::Config, "LastTechCategory"), "");
    EXPECT_FALSE(store->Read(SettingsKeys::Config, "ReportType").has_value());
    // The window records are a key of their own, not values of the settings key.
    EXPECT_FALSE(store->Read(SettingsKeys::Config, "ToolbarWnd").has_value());
    EXPECT_EQ(ParsePlacement(store->Read(SettingsKeys::Windows, "ToolbarWnd").value_or("")), toolbar);
    EXPECT_EQ(ReadGameFolder(*store), "/games/Tellurin");

    // Writing a name in another case keeps one value.
    EXPECT_TRUE(store->Write(SettingsKeys::Config, "ICONSIZE", "32"));
    EXPECT_TRUE(store->Flush());
    EXPECT_EQ(StoreAt(file)->Read(SettingsKeys::Config, "IconSize"), "32");
}

TEST(QtSettingsStore, SettingsRoundTrip)
{
    CTempDir dir;
    CSettings settings;
    settings.EnableCache = false;
    settings.StickyStrength = -3;
    settings.DatabaseRevision = "2026-11-30";
    settings.GameBasePath = "/games/Tellurin";
    EXPECT_TRUE(SaveSettings(settings, *StoreAt(dir / "moxa.ini")));
    CSettings loaded;
    LoadSettings(loaded, *StoreAt(dir / "moxa.ini"), "/data", "");
    for (const CSettingInfo& info : SettingsTable())
        EXPECT_EQ(SettingText(loaded, info.name), SettingText(settings, info.name)) << info.name;
}

TEST(QtSettingsStore, HandWrittenValuesWithCommas)
{
    CTempDir dir;
    const auto file = dir.WriteFile("moxa.ini", "[Software]\n"
                                                "Moxa2\\Config\\CurrentProfile=Ana, the Smith\n"
                                                "Moxa2\\Config\\Windows\\OrderWnd=X:1, Y:2, W:3, H:4, V:Y T:N\n");
    auto store = StoreAt(file);
    EXPECT_EQ(store->Read(SettingsKeys::Config, "CurrentProfile"), "Ana, the Smith");
    EXPECT_EQ(store->Read(SettingsKeys::Windows, "OrderWnd"), "X:1, Y:2, W:3, H:4, V:Y T:N");
}

// Files written by QSettings read the same, and QSettings reads ours.
TEST(QtSettingsStore, SharesItsFileWithQSettings)
{
    CTempDir dir;
    const auto file = dir / "moxa.ini";
    const QString path = QString::fromStdString(file.string());
    const QString awkward = QString::fromLatin1("@x;y=z\"q\\ \t\x01\x7f" "1, \xE9 ");
    {
        QSettings qt(path, QSettings::IniFormat);
        qt.setValue(QStringLiteral("Software/Moxa2/Config/CurrentProfile"), awkward);
        qt.setValue(QStringLiteral("SOFTWARE/Quillwerk/Tellurin/(Default)"), QStringLiteral("/games/Tellurin"));
        qt.setValue(QStringLiteral("Software/Moxa2/Config/Windows/Order Wnd"), QStringLiteral("X:1, Y:2"));
        qt.sync();
    }
    auto store = StoreAt(file);
    EXPECT_EQ(store->Read(SettingsKeys::Config, "CurrentProfile"), awkward.toLatin1().toStdString());
    EXPECT_EQ(ReadGameFolder(*store), "/games/Tellurin");
    EXPECT_EQ(store->Read(SettingsKeys::Windows, "Order Wnd"), "X:1, Y:2");

    EXPECT_TRUE(store->Write(SettingsKeys::Config, "Theme", "\xC9t\xE9, \"dark\"\n"));
    EXPECT_TRUE(store->Write(SettingsKeys::Config, "CurrentProfile", "@Bob"));
    EXPECT_TRUE(store->Flush());
    QSettings qt(path, QSettings::IniFormat);
    EXPECT_EQ(qt.value(QStringLiteral("Software/Moxa2/Config/Theme")).toString(),
              QString::fromLatin1("\xC9t\xE9, \"dark\"\n"));
    EXPECT_EQ(qt.value(QStringLiteral("Software/Moxa2/Config/CurrentProfile")).toString(), QStringLiteral("@Bob"));
    EXPECT_EQ(qt.value(QStringLiteral("Software/Moxa2/Config/Windows/Order Wnd")).toString(),
              QStringLiteral("X:1, Y:2"));
    EXPECT_EQ(qt.value(QStringLiteral("SOFTWARE/Quillwerk/Tellurin/(Default)")).toString(),
              QStringLiteral("/games/Tellurin"));
}
} // namespace
