#include "app/Session.h"

#include "app/DataPaths.h"
#include "app/SettingsStore.h"
#include "database/Cache.h"

#include <system_error>
#include <utility>

CSession::CSession(std::filesystem::path dataFolder, ISettingsStore* store, IPrompter* prompter,
                   IImageDecoder* decoder, std::unique_ptr<CCachePrefetch> prefetch)
    : m_dataFolder(std::move(dataFolder)), m_store(store), m_prompter(prompter), m_decoder(decoder)
{
    // A read of another folder's cache is of no use; it ends with the constructor.
    if (prefetch && prefetch->DataFolder() == m_dataFolder)
    {
        CCachePrefetch::CRecords records = prefetch->TakeRecords();
        if (records.database)
        {
            m_database = std::move(records.database);
            m_icons = std::move(records.icons);
            m_prefetch = std::move(prefetch);
        }
    }
    if (!m_prefetch)
    {
        m_database = std::make_unique<CGameDatabase>();
        m_icons = std::make_unique<CIconManager>(decoder);
        m_database->icons = m_icons.get();
    }
}

CSession::~CSession()
{
    WaitForPrefetch();
}

void CSession::PrefetchCache()
{
    WaitForPrefetch();
    DiscardPrefetch();
    m_prefetch = std::make_unique<CCachePrefetch>(m_dataFolder, *m_database, *m_icons);
}

void CSession::FinishPrefetch()
{
    m_prefetched = m_prefetch->Wait();
    m_prefetch.reset();
    // A prefetch that brought its own records made its icon store without the decoder.
    m_icons->SetDecoder(m_decoder);
}

void CSession::DiscardPrefetch()
{
    WaitForPrefetch();
    if (std::exchange(m_prefetched, false))
    {
        m_database->ClearDatabase();
        m_icons->Clear();
    }
}

ELoadSource CSession::Start()
{
    LoadSettings();
    InstallPendingUpdate();
    return LoadDatabase();
}

void CSession::LoadSettings()
{
    WaitForPrefetch();
    const std::string gameFolder = m_store ? ReadGameFolder(*m_store) : std::string();
    if (m_store)
        ::LoadSettings(m_settings, *m_store, m_dataFolder.string(), gameFolder);
    else
    {
        // No store: the defaults, with the folders a store would have given.
        CMemorySettingsStore empty;
        ::LoadSettings(m_settings, empty, m_dataFolder.string(), gameFolder);
    }
    m_icons->SetIconSize(m_settings.IconSize);
}

EPendingUpdate CSession::InstallPendingUpdate()
{
    WaitForPrefetch();
    CInstallContext context = InstallContext();
    const EPendingUpdate found = FindPendingUpdate(context);
    // A waiting archive may have changed the data folder since the cache was read.
    if (found != EPendingUpdate::None)
        DiscardPrefetch();
    return found;
}

CInstallContext CSession::InstallContext()
{
    CInstallContext context;
    context.dataFolder = m_dataFolder;
    context.settings = &m_settings;
    context.prompter = m_prompter;
    context.reloadDatabase = [this]
    {
        DiscardPrefetch();
        m_icons->Clear();
        LoadDatabase();
    };
    context.report = m_installReport;
    context.saveRevision = [this](const std::string& revision)
    {
        if (m_store && m_store->Write(SettingsKeys::Config, "DatabaseRevision", revision))
            m_store->Flush();
    };
    return context;
}

void CSession::ResetOrder()
{
    m_order.Clear();
    m_order.filePath = std::string(DataPaths::UntitledOrder);
    m_order.modified = false;
}

ELoadSource CSession::LoadDatabase()
{
    // What the prefetch read counts only while the cache is on.
    if (!m_settings.EnableCache)
        DiscardPrefetch();
    WaitForPrefetch();
    const bool prefetched = std::exchange(m_prefetched, false);
    CLoadContext context;
    context.dataFolder = m_dataFolder;
    context.settings = &m_settings;
    context.database = m_database.get();
    context.icons = m_icons.get();
    context.profiles = &m_profiles;
    context.theme = &m_theme;
    context.prompter = m_prompter;
    context.progress = m_progress;
    context.resetOrder = [this] { ResetOrder(); };
    context.refreshBrowsers = m_refreshBrowsers;
    context.applyThemeColours = m_applyThemeColours;
    context.cacheAlreadyLoaded = prefetched;
    m_lastSource = ::LoadDatabase(context);
    return m_lastSource;
}

bool CSession::SaveSettings()
{
    if (!m_store)
        return false;
    return ::SaveSettings(m_settings, *m_store, &m_profiles, m_prompter, m_dataFolder.string());
}
