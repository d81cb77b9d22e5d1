#pragma once

#include "base/Settings.h"
#include "base/Theme.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"
#include "order/Order.h"
#include "profile/Profile.h"
#include "update/ArchiveInstall.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class IPrompter;
class ISettingsStore;

// The state the program shares for a whole run: settings, database, icons, profiles,
// theme and the one order, with the start-up and shutdown steps both the desktop program
// and moxa-cli go through. Store, prompter and decoder belong to the caller.
class CSession
{
public:
    CSession(std::filesystem::path dataFolder, ISettingsStore* store, IPrompter* prompter,
             IImageDecoder* decoder = nullptr);
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;

    // Start-up after the windows exist: the game folder and the settings, a waiting update
    // archive, then the database.
    ELoadSource Start();

    // The game folder from the game's key, then every setting.
    void LoadSettings();
    // Installs a waiting "Temp/Moxa_*.zip" (which reloads the database).
    EPendingUpdate InstallPendingUpdate();
    // The whole load sequence: cache or rebuild, order reset, help pages, profiles,
    // category lists, theme. With rebuild the XML is read even when the cache is valid.
    ELoadSource LoadDatabase(bool rebuild = false);
    // What an archive installation needs; its reload empties the icon store and loads.
    CInstallContext InstallContext();
    // Offers to save changed profiles, then writes the settings.
    bool SaveSettings();
    // The same at exit: false when the exit must stop (the profiles' question cancelled, a
    // profile not saved, or the settings not saved and the player not willing to lose them).
    bool SaveForExit();

    const std::filesystem::path& DataFolder() const { return m_dataFolder; }
    // The game's installation folder: the "GameBasePath" setting once settings are loaded.
    const std::string& GameFolder() const { return m_settings.GameBasePath; }
    CSettings& Settings() { return m_settings; }
    ISettingsStore* Store() const { return m_store; }
    IPrompter* Prompter() const { return m_prompter; }
    IImageDecoder* Decoder() const { return m_decoder; }
    CGameDatabase& Database() { return m_database; }
    CIconManager& Icons() { return m_icons; }
    CProfileList& Profiles() { return m_profiles; }
    CTheme& Theme() { return m_theme; }
    COrder& Order() { return m_order; }
    ELoadSource LastLoadSource() const { return m_lastSource; }

    // Hooks of the windows; any may stay empty.
    void SetProgress(ILoadProgress* progress) { m_progress = progress; }
    void SetRefreshBrowsers(std::function<void()> refresh)
    {
        m_refreshBrowsers = std::move(refresh);
    }
    void SetApplyThemeColours(std::function<void()> apply)
    {
        m_applyThemeColours = std::move(apply);
    }
    // Each step of an archive installation as it runs.
    void SetInstallReport(std::function<void(const std::string&)> report)
    {
        m_installReport = std::move(report);
    }
    void SetSystemColours(const ISystemColours* colours) { m_theme.SetSystemColours(colours); }

private:
    void ResetOrder();

    std::filesystem::path m_dataFolder;
    ISettingsStore* m_store;
    IPrompter* m_prompter;
    IImageDecoder* m_decoder;
    CSettings m_settings;
    CGameDatabase m_database;
    CIconManager m_icons;
    CProfileList m_profiles;
    CTheme m_theme;
    COrder m_order;
    ILoadProgress* m_progress = nullptr;
    std::function<void()> m_refreshBrowsers;
    std::function<void()> m_applyThemeColours;
    std::function<void(const std::string&)> m_installReport;
    ELoadSource m_lastSource = ELoadSource::Cache;
};
