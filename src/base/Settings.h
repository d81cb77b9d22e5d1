#pragma once

#include "base/SettingsStore.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Every setting of the program with its default, held in memory while it runs and kept in
// the settings store under SettingsKeys::Config.
struct CSettings
{
    std::string GameBasePath;
    std::string CurrentProfile;
    std::string CurrentProfileType;
    std::string LastFormulaCategory;
    std::string LastTechCategory;
    std::string DatabaseRevision = "Initial";
    std::string CurrentTheme = "desktop_native.xml";
    int ItemResourceSize = 0;
    int ShowResourceMode = 0;
    int ShowReportMode = 0;
    int ExpandFormulaMode = 1;
    int ExpandTechMode = 1;
    int IconSize = 16;
    int ReportType = 0;
    int ShowReportResourceMode = 0;
    int ShowReportBonusMode = 0;
    int StickyStrength = 16;
    bool ShowUsableTechs = true;
    bool EnableCache = true;
    bool EnableIcons = true;
    bool DockingMode = true;
    bool GlobalHotkeys = true;
    bool DragWithToolbar = false;
    bool VerticalToolbar = true;
    bool AutoShrink = true;
    bool HighPriority = false;

    // The order files last opened or saved, newest first; kept as "RecentOrder1" to
    // "RecentOrder8" beside the settings above, not in their table.
    std::vector<std::string> RecentOrders;

    // Derived folders, set by LoadSettings from the data folder.
    std::string OrdersFolder;
    std::string ProfilesFolder;
    std::string TempFolder;

    // Each stored value (by name) as this program last loaded or saved it. A save writes
    // only what differs, so that what another program saved meanwhile stays.
    std::map<std::string, std::string, std::less<>> StoredTexts;
};

enum class ESettingType
{
    Text,
    Integer,
    Boolean
};

// One row of the settings table, in the order in which settings are saved.
struct CSettingInfo
{
    std::string_view name;
    ESettingType type;
};

// The table of settings, in save order.
const std::vector<CSettingInfo>& SettingsTable();

// A setting's value in its stored encoding ("Y"/"N", "%d", text); empty when unknown.
std::string SettingText(const CSettings& settings, std::string_view name);
// Sets a setting from its stored encoding; false when the name is not a setting.
// Names are compared without regard to case.
bool SetSettingText(CSettings& settings, std::string_view name, std::string_view text);

// The game's installation folder from the game's key in the settings store (its unnamed
// value); empty when not stored.
std::string ReadGameFolder(const ISettingsStore& store);

// Reads every setting from the store; missing values keep their defaults. The game folder
// is the default of "GameBasePath"; "<Please Set Manually>" when that is empty too.
void LoadSettings(CSettings& settings, const ISettingsStore& store, const std::string& dataFolder,
                  const std::string& gameFolder);
// Writes, in table order, every setting that differs from what was loaded or last saved
// (every setting when none were loaded). False when the store could not keep them.
bool SaveSettings(CSettings& settings, ISettingsStore& store);

// Recent orders: a path goes to the front (once); the list keeps the newest eight.
inline constexpr std::size_t MaxRecentOrders = 8;
inline constexpr std::string_view RecentOrderName = "RecentOrder";
void AddRecentOrder(CSettings& settings, const std::string& path);
// Takes the files that no longer exist off the list; returns them.
std::vector<std::string> DropMissingRecentOrders(CSettings& settings);

// The stored encodings.
inline std::string BoolText(bool value) { return value ? "Y" : "N"; }
inline bool TextBool(std::string_view text) { return text == "Y" || text == "y"; }

inline constexpr std::string_view PleaseSetManually = "<Please Set Manually>";

// The table's spelling of a setting name given in any case; empty when it is no setting.
std::string_view CanonicalSettingName(std::string_view name);

// The category a browser opens on. The settings keep the stored text as it is (so it is
// saved back unchanged); an empty formula category or "Custom" opens on "All", and so does
// an empty technique category.
std::string FormulaCategoryShown(std::string_view stored);
std::string TechCategoryShown(std::string_view stored);
