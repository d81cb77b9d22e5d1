#include "session/LoadDatabase.h"

#include "base/AtomicFile.h"
#include "base/DataPaths.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "base/Theme.h"
#include "database/GameDatabase.h"
#include "profile/ProfileFile.h"
#include "session/ThemeFile.h"
#include "xml/XmlDocument.h"

#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace
{
void RemoveSaveLeftovers(const fs::path& dataFolder)
{
    for (std::string_view folder : {DataPaths::Cache, DataPaths::Temp})
        CAtomicFile::RemoveLeftovers(DataPaths::Join(dataFolder, folder));
    for (std::string_view folder :
         {DataPaths::DefaultProfiles, DataPaths::Profiles, DataPaths::RemoteProfiles, DataPaths::Themes, DataPaths::Orders})
        CAtomicFile::RemoveLeftovers(DataPaths::Join(dataFolder, folder), CAtomicFile::EFolder::Players);
}

void LoadThemeWithFallback(CTheme& theme, const fs::path& dataFolder, const std::string& name)
{
    const fs::path themes = DataPaths::Join(dataFolder, DataPaths::Themes);
    theme.Clear();
    if (!name.empty() && LoadTheme(theme, themes / name))
        return;
    theme.Clear();
    LoadTheme(theme, themes / std::string(DataPaths::DefaultTheme));
}
} // namespace

ELoadSource LoadDatabase(CLoadContext& c)
{
    CGameDatabase& db = *c.database;
    CSettings& settings = *c.settings;
    RemoveSaveLeftovers(c.dataFolder);

    CDatabaseLoadContext reading = c;
    if (c.profiles)
        reading.databaseCleared = [&c]
        {
            c.profiles->Clear();
            if (c.databaseCleared)
                c.databaseCleared();
        };
    const ELoadSource source = LoadOrRebuildDatabase(reading);

    if (c.resetOrder)
        c.resetOrder();
    if (c.profiles)
        c.profiles->Clear();
    db.HelpPages.clear();

    db.ReadHelpPages(DataPaths::Join(c.dataFolder, DataPaths::Help));
    if (c.profiles)
    {
        LoadAllProfiles(*c.profiles, c.dataFolder, settings);
        if (c.prompter)
            for (const std::string& warning : DamagedProfileWarnings(*c.profiles))
                c.prompter->Warn(warning);
    }
    db.BuildCategoryLists();
    CXmlDocument::ReleaseSpareBuffers();
    if (c.theme)
        LoadThemeWithFallback(*c.theme, c.dataFolder, settings.CurrentTheme);
    if (c.refreshBrowsers)
        c.refreshBrowsers();
    if (c.applyThemeColours)
        c.applyThemeColours();
    return source;
}
