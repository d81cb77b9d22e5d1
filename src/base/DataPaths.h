#pragma once

#include <filesystem>
#include <string_view>

// The fixed relative names below the data folder, as path segments joined with '/'.
// File names keep their spelling and case.
namespace DataPaths
{
inline constexpr std::string_view Config = "Config";
inline constexpr std::string_view Categories = "Config/Categories.xml";
inline constexpr std::string_view Help = "Config/help.xml";
inline constexpr std::string_view FormulaOverlay = "Config/formulae.xml";
inline constexpr std::string_view TechniqueOverlay = "Config/techniques.xml";
inline constexpr std::string_view Components = "Config/Components/Components.xml";
inline constexpr std::string_view Crafts = "Config/Crafts";
inline constexpr std::string_view Techs = "Config/Techs";
inline constexpr std::string_view Wizards = "Config/Wizards";
inline constexpr std::string_view DefaultProfiles = "Config/Profiles";
inline constexpr std::string_view GeneralIcons = "Config/icons/general";
inline constexpr std::string_view Cache = "Cache";
inline constexpr std::string_view CacheFile = "config.dat";     // inside Cache
inline constexpr std::string_view IconCacheFile = "formicons.dat"; // inside Cache
inline constexpr std::string_view Profiles = "Profiles";
inline constexpr std::string_view RemoteProfiles = "Profiles/Server";
inline constexpr std::string_view Orders = "Orders";
// The player's price list.
inline constexpr std::string_view Prices = "Prices.csv";
inline constexpr std::string_view Themes = "Themes";
inline constexpr std::string_view Temp = "Temp";
inline constexpr std::string_view TempArchive = "Temp/Archive";
// The old database while an update archive is being installed, and a new one being copied
// in when the scratch folder sits on another file system.
inline constexpr std::string_view ConfigPrevious = "Config.previous";
inline constexpr std::string_view ConfigIncoming = "Config.incoming";
inline constexpr std::string_view HtmlExport = "Temp/order.htm";
inline constexpr std::string_view ServersList = "Config.xml";
inline constexpr std::string_view ServersBackup = "Config.bak";
inline constexpr std::string_view Release = "Release.xml";
inline constexpr std::string_view ReleaseBackup = "Release.bak";
inline constexpr std::string_view TempServersList = "Temp/Config.xml";
inline constexpr std::string_view TempRelease = "Temp/Release.xml";

// Below the game folder: the game's own icons.
inline constexpr std::string_view GameFormulaIcons = "Resources/interface/icons/formulas";
inline constexpr std::string_view GameTechniqueIcons = "Resources/interface/icons/techniques";

inline constexpr std::string_view DefaultTheme = "desktop_native.xml";
inline constexpr std::string_view UntitledOrder = "Untitled.xml";

inline std::filesystem::path Join(const std::filesystem::path& root, std::string_view relative)
{
    return root / std::filesystem::path(relative);
}
} // namespace DataPaths

// The program's own version and the name of an update archive.
inline constexpr std::string_view MoxaVersion = "2.27";
// What moxa --version, moxa-cli --version and the toolbar's version frame say.
inline constexpr std::string_view MoxaVersionText = "Moxa v2.27";
static_assert(MoxaVersionText.ends_with(MoxaVersion));
inline constexpr std::string_view ArchivePrefix = "Moxa_";
inline constexpr std::string_view ArchiveSuffix = ".zip";
