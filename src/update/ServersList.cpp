#include "update/ServersList.h"

#include "xml/XmlDocument.h"

#include <algorithm>

namespace fs = std::filesystem;

bool CServersList::IsServersListName(std::string_view name)
{
    return name.size() >= 10 && name.substr(0, 6) == "Config" &&
           name.substr(name.size() - 4) == ".xml";
}

int CServersList::Refresh(const fs::path& dataFolder)
{
    m_addresses.clear();
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec))
    {
        const std::string name = it->path().filename().string();
        std::error_code fileError;
        if (IsServersListName(name) && it->is_regular_file(fileError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    int read = 0;
    for (const std::string& name : names)
        if (ReadFile(dataFolder / name))
            ++read;
    return read;
}

bool CServersList::ReadFile(const fs::path& path)
{
    CXmlDocument doc;
    if (!doc.Load(path))
        return false;
    return Read(doc);
}

bool CServersList::Read(const CXmlDocument& doc)
{
    CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement config("config");
    CXmlElement servers("servers");
    if (!config.FindNext(doc, root) || !servers.FindNext(doc, config))
        return false;
    bool any = false;
    std::string name;
    std::string address;
    while (servers.NextTextAndAttribute(doc, "server", name, address, true))
    {
        // A nameless entry could never be chosen in the list.
        if (name.empty())
            continue;
        m_addresses.insert_or_assign(name, address);
        any = true;
    }
    return any;
}

const std::string* CServersList::FindAddress(std::string_view name) const
{
    const auto it = m_addresses.find(name);
    return it == m_addresses.end() ? nullptr : &it->second;
}

std::vector<std::string> CServersList::Names() const
{
    std::vector<std::string> names;
    names.reserve(m_addresses.size());
    for (const auto& entry : m_addresses)
        names.push_back(entry.first);
    return names;
}
