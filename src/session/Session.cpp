#include "session/Session.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/Prompter.h"
#include "base/SettingsStore.h"
#include "profile/ProfileFile.h"
#include "session/LoadDatabase.h"

#include <utility>

CSession::CSession(std::filesystem::path dataFolder, ISettingsStore* store, IPrompter* prompter,
                   IImageDecoder* decoder)
    : m_dataFolder(std::move(dataFolder)), m_store(store), m_prompter(prompter), m_decoder(decoder),
      m_icons(decoder)
{
    m_database.icons = &m_icons;
}

ELoadSource CSession::Start()
{
    LoadSettings();
    InstallPendingUpdate();
    return LoadDatabase();
}

void CSession::LoadSettings()
{
    const std::string gameFolder = m_store ? ReadGameFolder(*m_store) : std::string();
    if (m_store)
        ::LoadSettings(m_settings, *m_store, m_dataFolder.string(), gameFolder);
    else
    {
        // No store: the defaults, with the folders a store would have given.
        CMemorySettingsStore empty;
        ::LoadSettings(m_settings, empty, m_dataFolder.string(), gameFolder);
    }
    m_icons.SetIconSize(m_settings.IconSize);
}

EPendingUpdate CSession::InstallPendingUpdate()
{
    CInstallContext context = InstallContext();
    return FindPendingUpdate(context);
}

CInstallContext CSession::InstallContext()
{
    CInstallContext context;
    context.dataFolder = m_dataFolder;
    context.settings = &m_settings;
    context.prompter = m_prompter;
    context.reloadDatabase = [this]
    {
        m_icons.Clear();
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

ELoadSource CSession::LoadDatabase(bool rebuild)
{
    CLoadContext context;
    context.rebuild = rebuild;
    context.dataFolder = m_dataFolder;
    context.settings = &m_settings;
    context.database = &m_database;
    context.icons = &m_icons;
    context.profiles = &m_profiles;
    context.theme = &m_theme;
    context.prompter = m_prompter;
    context.progress = m_progress;
    context.resetOrder = [this] { ResetOrder(); };
    context.refreshBrowsers = m_refreshBrowsers;
    context.applyThemeColours = m_applyThemeColours;
    m_lastSource = ::LoadDatabase(context);
    return m_lastSource;
}

bool CSession::SaveSettings()
{
    if (!m_store)
        return false;
    if (m_prompter)
        OfferToSaveChangedProfiles(m_profiles, m_dataFolder, *m_prompter);
    return ::SaveSettings(m_settings, *m_store);
}

bool CSession::SaveForExit()
{
    if (m_prompter && !OfferToSaveChangedProfiles(m_profiles, m_dataFolder, *m_prompter, true))
        return false;
    if (!m_store || ::SaveSettings(m_settings, *m_store))
        return true;
    const std::string reason = m_store->Error();
    return !m_prompter || m_prompter->AskYesNo(std::string(Messages::SettingsNotSaved) +
                                              (reason.empty() ? "" : "\n\n" + reason) + "\n\n" +
                                              std::string(Messages::SettingsExitAnyway));
}
