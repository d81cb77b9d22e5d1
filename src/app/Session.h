#pragma once

#include "app/CachePrefetch.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "app/Theme.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"
#include "order/Order.h"
#include "profile/Profile.h"

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
    // A prefetch begun before the session (of the same data folder; any other is waited for
    // and dropped) is taken over as if PrefetchCache had started it, records and all.
    CSession(std::filesystem::path dataFolder, ISettingsStore* store, IPrompter* prompter,
             IImageDecoder* decoder = nullptr, std::unique_ptr<CCachePrefetch> prefetch = nullptr);
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;
    ~CSession();

    // Reads the cache files into the database and the icon store on a thread of their own,
    // so that the windows can be built meanwhile. Whatever needs either waits for it; the
    // first LoadDatabase then keeps what it read, unless the cache is off, an archive was
    // waiting or the read failed (the load then runs as without it).
    void PrefetchCache();

    // Start-up after the windows exist: the game folder and the settings, a waiting update
    // archive, then the database.
    ELoadSource Start();

    // The game folder from the game's key, then every setting.
    void LoadSettings();
    // Installs a waiting "Temp/Moxa_*.zip" (which reloads the database).
    EPendingUpdate InstallPendingUpdate();
    // The whole load sequence: cache or rebuild, order reset, help pages, profiles,
    // category lists, theme.
    ELoadSource LoadDatabase();
    // What an archive installation needs; its reload empties the icon store and loads.
    CInstallContext InstallContext();
    // Shutdown: offers to save changed profiles, then writes the settings.
    bool SaveSettings();

    const std::filesystem::path& DataFolder() const { return m_dataFolder; }
    // The game's installation folder: the "GameBasePath" setting once settings are loaded.
    const std::string& GameFolder() const { return m_settings.GameBasePath; }
    CSettings& Settings() { return m_settings; }
    ISettingsStore* Store() const { return m_store; }
    IPrompter* Prompter() const { return m_prompter; }
    IImageDecoder* Decoder() const { return m_decoder; }
    CGameDatabase& Database()
    {
        WaitForPrefetch();
        return *m_database;
    }
    CIconManager& Icons()
    {
        WaitForPrefetch();
        return *m_icons;
    }
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
    void WaitForPrefetch()
    {
        if (m_prefetch)
            FinishPrefetch();
    }
    void FinishPrefetch();
    // Empties what the prefetch read, as a session that never prefetched would have it.
    void DiscardPrefetch();

    std::filesystem::path m_dataFolder;
    ISettingsStore* m_store;
    IPrompter* m_prompter;
    IImageDecoder* m_decoder;
    CSettings m_settings;
    // Never null; made by the session or taken over from a prefetch begun before it.
    std::unique_ptr<CGameDatabase> m_database;
    std::unique_ptr<CIconManager> m_icons;
    CProfileList m_profiles;
    CTheme m_theme;
    COrder m_order;
    ILoadProgress* m_progress = nullptr;
    std::function<void()> m_refreshBrowsers;
    std::function<void()> m_applyThemeColours;
    std::function<void(const std::string&)> m_installReport;
    ELoadSource m_lastSource = ELoadSource::Cache;
    // After the records: it may still be writing them.
    std::unique_ptr<CCachePrefetch> m_prefetch;
    // Set at the prefetch's end: database and icons hold the cache.
    bool m_prefetched = false;
};
