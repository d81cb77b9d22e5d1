#pragma once

#include "database/GameDatabase.h"
#include "database/IconManager.h"

#include <filesystem>
#include <memory>
#include <thread>

// A read of a data folder's cache files on a thread of its own, so that whatever comes
// before the records are needed (Qt's start, the windows) runs meanwhile. The program
// starts one before anything else; the session takes it over.
class CCachePrefetch
{
public:
    // Reads into a database and an icon store of its own, handed over by TakeRecords.
    explicit CCachePrefetch(std::filesystem::path dataFolder);
    // Reads into the given records, which must outlive the read.
    CCachePrefetch(std::filesystem::path dataFolder, CGameDatabase& database, CIconManager& icons);
    CCachePrefetch(const CCachePrefetch&) = delete;
    CCachePrefetch& operator=(const CCachePrefetch&) = delete;
    // Waits for the read.
    ~CCachePrefetch();

    const std::filesystem::path& DataFolder() const { return m_dataFolder; }

    // The records of a prefetch that has its own; null with the other constructor or
    // once taken. The read may still be going on: nothing may touch them before Wait.
    struct CRecords
    {
        std::unique_ptr<CGameDatabase> database;
        std::unique_ptr<CIconManager> icons;
    };
    CRecords TakeRecords();

    // Waits for the read: true when the records hold the cache. A read that failed, or
    // that had no thread to run on, leaves them empty.
    bool Wait();

private:
    void Start();

    std::filesystem::path m_dataFolder;
    CRecords m_own;
    CGameDatabase* m_database;
    CIconManager* m_icons;
    // Written by the thread, read after the join.
    bool m_loaded = false;
    std::thread m_thread;
};
