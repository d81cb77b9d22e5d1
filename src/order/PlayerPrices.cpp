#include "order/PlayerPrices.h"

#include "base/DataPaths.h"
#include "order/Plan.h"
#include "profile/Profile.h"

#include <algorithm>

std::filesystem::path PlayerPriceListPath(const std::filesystem::path& dataFolder)
{
    return DataPaths::Join(dataFolder, DataPaths::Prices);
}

bool ReadPriceListFile(const std::filesystem::path& path, const std::string& shown,
                       CPriceList& list, std::vector<std::string>& warnings, std::string& error)
{
    std::vector<CPriceWarning> skipped;
    if (!ReadPriceList(path, list, skipped, error))
        return false;
    for (const CPriceWarning& warning : skipped)
        warnings.push_back(shown + ":" + std::to_string(warning.line) + ": " + warning.text);
    return true;
}

const CProfile* FindProfileLabel(const CProfileList& profiles, std::string_view label)
{
    const std::size_t colon = label.find(':');
    const std::string_view server =
        colon == std::string_view::npos ? std::string_view() : label.substr(0, colon);
    const std::string_view name = colon == std::string_view::npos ? label : label.substr(colon + 1);
    for (const auto& profile : profiles.profiles)
        if (profile->name == name && profile->server == server)
            return profile.get();
    return nullptr;
}

bool CharactersOf(const CProfileList& profiles, std::string_view list,
                  std::vector<const CProfile*>& characters, std::string& unknown)
{
    characters.clear();
    if (list == "all")
    {
        characters = ComparedProfiles(profiles);
        if (characters.empty())
            characters.push_back(nullptr);
        return true;
    }
    for (std::size_t start = 0; start <= list.size();)
    {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view label = list.substr(start, comma - start);
        const CProfile* profile = FindProfileLabel(profiles, label);
        if (!profile)
        {
            unknown = std::string(label);
            return false;
        }
        characters.push_back(profile);
        start = comma + 1;
    }
    return true;
}

bool CPlayerPrices::Load(const std::filesystem::path& dataFolder,
                         std::vector<std::string>& warnings, std::string& error)
{
    m_path = PlayerPriceListPath(dataFolder);
    m_list = CPriceList();
    m_inEffect = m_unreadable = false;
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec))
        return true;
    if (!ReadPriceListFile(m_path, m_path.string(), m_list, warnings, error))
    {
        m_unreadable = true;
        return false;
    }
    m_inEffect = true;
    return true;
}

bool CPlayerPrices::Save()
{
    // An edited list counts even when it cannot be kept.
    m_inEffect = true;
    return !m_unreadable && !m_path.empty() && SavePriceList(m_list, m_path);
}

bool CPlayerPrices::Import(const CPriceList& other)
{
    for (const auto& [name, price] : other.prices)
        m_list.prices[name] = price;
    return Save();
}
