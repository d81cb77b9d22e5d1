#include "app/CachePrefetch.h"

#include "app/DataPaths.h"
#include "app/Settings.h"
#include "database/Cache.h"

#include <exception>
#include <system_error>
#include <utility>

CCachePrefetch::CCachePrefetch(std::filesystem::path dataFolder)
    : m_dataFolder(std::move(dataFolder)), m_own{std::make_unique<CGameDatabase>(),
                                                 std::make_unique<CIconManager>()},
      m_database(m_own.database.get()), m_icons(m_own.icons.get())
{
    m_database->icons = m_icons;
    Start();
}

CCachePrefetch::CCachePrefetch(std::filesystem::path dataFolder, CGameDatabase& database,
                               CIconManager& icons)
    : m_dataFolder(std::move(dataFolder)), m_database(&database), m_icons(&icons)
{
    Start();
}

CCachePrefetch::~CCachePrefetch()
{
    Wait();
}

void CCachePrefetch::Start()
{
    try
    {
        m_thread = std::thread(
            [this, folder = DataPaths::Join(m_dataFolder, DataPaths::Cache)]
            {
                // The settings are not loaded yet; whether the cache is on is decided at the load.
                CSettings cacheOn;
                cacheOn.EnableCache = true;
                bool loaded = false;
                try
                {
                    loaded = LoadCache(*m_database, *m_icons, folder, cacheOn);
                }
                catch (const std::exception&)
                {
                    loaded = false;
                }
                // A failed read leaves part of the records; the load starts from nothing.
                if (!loaded)
                {
                    m_database->ClearDatabase();
                    m_icons->Clear();
                }
                m_loaded = loaded;
            });
    }
    catch (const std::system_error&)
    {
        // No thread to be had: the load reads the cache itself.
    }
}

CCachePrefetch::CRecords CCachePrefetch::TakeRecords()
{
    return std::exchange(m_own, CRecords{});
}

bool CCachePrefetch::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_loaded;
}
