#pragma once

#include "base/AtomicFile.h"
#include "base/TextFile.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CGameDatabase;
class IPrompter;

// What reading an order file gave.
enum class EOrderRead
{
    Read,
    Missing,
    Folder,
    Unreadable,
    TooLarge,
    Unsupported, // no order element, or a format other than "1.0"
    Damaged,     // ends before its closing </order> line: the order holds what came before
};
struct COrderRead
{
    EOrderRead status = EOrderRead::Read;
    CTextFileResult file; // why the file could not be read
    // The order holds the file's items (all of them, or those before the damage).
    bool HasItems() const { return status == EOrderRead::Read || status == EOrderRead::Damaged; }
};

struct COrderTechnique
{
    std::string category = "All";
    std::string name;
    std::string tierName;
};

struct COrderItem
{
    std::string itemName;
    std::string group;
    std::string formula;
    std::string category = "All";
    std::string tierName;
    int batches = 1;
    int id = 0;
    std::vector<COrderTechnique> techniques;
};

// How a save of the order ended.
enum class EOrderSave
{
    Saved,
    // Another program changed the file since this order read or saved it; nothing written.
    ChangedOnDisk,
    Failed
};

// The one order of the program: items in insertion order, groups, and what is already
// acquired. The acquired map iterates in byte-wise name order, which is also the order
// the file lists it in.
class COrder
{
public:
    static constexpr const char* UntitledPath = "Untitled.xml";
    static constexpr int MinBatches = 1;
    static constexpr int MaxBatches = 100000;

    std::vector<std::unique_ptr<COrderItem>> items;
    std::vector<std::string> groups;
    std::map<std::string, std::string> acquired;
    std::string filePath = UntitledPath;
    bool modified = false;
    // The file this order was read from when it was damaged: saving over it asks first.
    std::filesystem::path damagedFile;

    int ItemCount() const { return static_cast<int>(items.size()); }

    // Adds a group unless it is already there.
    void AddGroup(const std::string& name);
    bool HasGroup(const std::string& name) const;

    // Hands out the next id; the counter only ever grows while the program runs.
    int NextItemId() { return m_nextId++; }
    // Appends an item with a fresh id and returns it.
    COrderItem& AddItem(std::unique_ptr<COrderItem> item);
    COrderItem* FindItem(int id) const;
    bool RemoveItem(int id);

    // "New Order": an empty order is just cleared; otherwise the user is asked first.
    // Returns true when the order was reset (the windows then refresh).
    bool NewOrder(IPrompter& prompter);
    // Clears items, groups and the acquired map; path and flags untouched.
    void Clear();

    // Drops acquired entries that are "0" or that no item needs any more.
    void PruneAcquired(const CGameDatabase& db);

    // The order file. Write prunes first; a failed write changes nothing. A failed read
    // leaves the order empty with its path unchanged; Read is true when the order holds the
    // file's items (a damaged file's included).
    bool Write(const std::filesystem::path& path, const CGameDatabase& db)
    {
        return Save(path, db) == EOrderSave::Saved;
    }
    bool Read(const std::filesystem::path& path, const CGameDatabase& db);
    COrderRead ReadFile(const std::filesystem::path& path, const CGameDatabase& db);
    // Write with the outcome: saving over the file this order was read from or last saved
    // to is refused (ChangedOnDisk) when another program has changed that file since, unless
    // `overwriteChanges`; the caller then overwrites, reloads or saves elsewhere.
    EOrderSave Save(const std::filesystem::path& path, const CGameDatabase& db, bool overwriteChanges = false);
    // Why the last save failed, in the system's words ("No space left on device").
    const std::string& SaveFailure() const { return m_saveFailure; }
    // The bytes Write saves, for standard output.
    std::string FileText(const CGameDatabase& db) const;

private:
    std::map<std::string, std::string> PrunedAcquired(const CGameDatabase& db) const;
    std::string Text(const std::map<std::string, std::string>& keptAcquired) const;

    int m_nextId = 0;
    // The file last read or saved, as it was then.
    std::filesystem::path m_diskFile;
    std::optional<CFileStamp> m_diskStamp;
    std::string m_saveFailure;
};

// The acquired quantity of a component (0 when absent).
long long AcquiredCount(const COrder& order, const std::string& component);

// What to tell the player about a read: empty for Read; "Sorry, Moxa doesn't support this
// version of the order file" for Unsupported; the file's problem otherwise.
std::string OrderReadMessage(const COrderRead& read, const std::filesystem::path& path);
// Reads an order file and warns about whatever went wrong; true when the order holds the
// file's items.
bool OpenOrder(COrder& order, const std::filesystem::path& path, const CGameDatabase& db, IPrompter& prompter);
// False when path is the damaged file the order was read from and the player does not want
// it replaced.
bool MaySaveOrderOver(const COrder& order, const std::filesystem::path& path, IPrompter& prompter);
