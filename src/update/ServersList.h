#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class CXmlDocument;

// The update servers: server name -> base address, read from the servers lists
// ("Config*.xml") in the data folder itself.
class CServersList
{
public:
    // Empties the map and reads every matching file, in byte-wise name order; a later file
    // replaces the address of a name read earlier. Returns the number of files read.
    int Refresh(const std::filesystem::path& dataFolder);

    // Adds the servers of one file; false when it cannot be read or names no server.
    bool ReadFile(const std::filesystem::path& path);
    // The same for a document already in memory.
    bool Read(const CXmlDocument& doc);

    // The base address of a server; null when the name is unknown.
    const std::string* FindAddress(std::string_view name) const;

    // Server names in the order the combo box lists them.
    std::vector<std::string> Names() const;
    bool Empty() const { return m_addresses.empty(); }
    void Clear() { m_addresses.clear(); }

    // Whether a file name is one of the servers lists ("Config" ... ".xml").
    static bool IsServersListName(std::string_view name);

private:
    std::map<std::string, std::string, std::less<>> m_addresses;
};
