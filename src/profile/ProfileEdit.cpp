#include "profile/ProfileEdit.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Settings.h"
#include "profile/ProfileFile.h"

#include <algorithm>
#include <optional>

namespace fs = std::filesystem;

namespace
{
constexpr int LowestWorkTier = 1;
constexpr int HighestWorkTier = 10;

std::string ServerAndName(const CProfile& profile)
{
    return profile.server + ":" + profile.name;
}

// A whole number, spaces around it allowed; none for anything else.
std::optional<int> ParseNumber(const std::string& text, bool allowNegative)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return std::nullopt;
    const std::size_t end = text.find_last_not_of(' ');
    std::string_view digits(text.data() + begin, end - begin + 1);
    const bool negative = allowNegative && digits.size() > 1 && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = Atoi(std::string(digits));
    return negative ? -value : value;
}

bool NameTaken(const CProfileList& list, const std::string& name, const CProfile* except,
               const fs::path& dataFolder)
{
    for (const auto& profile : list.profiles)
        if (profile.get() != except && profile->type == ProfileTypes::Local && profile->name == name)
            return true;
    std::error_code ec;
    const fs::path file = DataPaths::Join(dataFolder, DataPaths::Profiles) / (name + ".xml");
    if (except && except->file == file)
        return false;
    return fs::exists(file, ec);
}

bool IsTemplate(const CProfileList& list, const CProfile* profile)
{
    return profile == list.templateProfile;
}

template <typename T> bool Assign(CProfile& profile, T& field, T value)
{
    if (field == value)
        return false;
    field = std::move(value);
    profile.changed = true;
    return true;
}

CProfile& Append(CProfileList& list, std::unique_ptr<CProfile> profile)
{
    profile->type = ProfileTypes::Local;
    profile->changed = true;
    profile->file.clear();
    profile->damaged = false;
    profile->readProblem.clear();
    list.profiles.push_back(std::move(profile));
    return *list.profiles.back();
}
} // namespace

std::vector<CProfileTreeType> ProfileTree(const CProfileList& list)
{
    std::vector<CProfileTreeType> tree;
    for (const char* type : {ProfileTypes::Local, ProfileTypes::Remote, ProfileTypes::Default})
    {
        CProfileTreeType node{type, {}};
        for (const auto& profile : list.profiles)
        {
            if (profile->type != type)
                continue;
            auto server = std::find_if(node.servers.begin(), node.servers.end(),
                                       [&](const CProfileTreeServer& s) { return s.server == profile->server; });
            if (server == node.servers.end())
                server = node.servers.insert(node.servers.end(), {profile->server, {}});
            server->profiles.push_back(profile.get());
        }
        if (node.servers.empty())
            continue;
        std::stable_sort(node.servers.begin(), node.servers.end(),
                         [](const CProfileTreeServer& a, const CProfileTreeServer& b) { return a.server < b.server; });
        for (CProfileTreeServer& server : node.servers)
            std::stable_sort(server.profiles.begin(), server.profiles.end(),
                             [](const CProfile* a, const CProfile* b) { return a->name < b->name; });
        tree.push_back(std::move(node));
    }
    return tree;
}

std::string ProfileTreeLabel(const CProfile& profile)
{
    return profile.changed ? profile.name + std::string(Messages::ProfileChangedMark) : profile.name;
}

bool CanEditProfile(const CProfile* profile)
{
    return profile && profile->type != ProfileTypes::Default;
}

std::string UniqueProfileName(const CProfileList& list, std::string_view base, const fs::path& dataFolder)
{
    std::string name(base);
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || c == '\0'; }, '_');
    if (name.empty() || name == "." || name == "..")
        name = std::string(Messages::ProfileNewName);
    if (!NameTaken(list, name, nullptr, dataFolder))
        return name;
    for (int n = 2;; ++n)
    {
        std::string numbered = name + " " + std::to_string(n);
        if (!NameTaken(list, numbered, nullptr, dataFolder))
            return numbered;
    }
}

CProfile& NewProfile(CProfileList& list, const fs::path& dataFolder, const std::string& server)
{
    auto profile = list.templateProfile ? std::make_unique<CProfile>(*list.templateProfile)
                                        : std::make_unique<CProfile>();
    profile->name = UniqueProfileName(list, Messages::ProfileNewName, dataFolder);
    profile->server = server;
    profile->email.clear();
    return Append(list, std::move(profile));
}

CProfile& CopyProfile(CProfileList& list, const CProfile& source, const fs::path& dataFolder)
{
    auto profile = std::make_unique<CProfile>(source);
    profile->name = UniqueProfileName(list, std::string(Messages::ProfileCopyPrefix) + source.name, dataFolder);
    return Append(list, std::move(profile));
}

void MakeCurrent(CProfileList& list, CProfile* profile, CSettings& settings)
{
    if (IsTemplate(list, profile))
        return;
    list.current = profile;
    settings.CurrentProfile = profile ? profile->name : std::string();
    settings.CurrentProfileType = profile ? profile->type : std::string();
}

std::string DeleteProfileQuestion(const CProfile& profile)
{
    return std::string(Messages::ProfileDeleteQuestion1) + ServerAndName(profile) +
           std::string(Messages::ProfileDeleteQuestion2);
}

std::string DeleteProfile(CProfileList& list, CProfile& profile, CSettings& settings)
{
    if (!CanEditProfile(&profile))
        return Format(Messages::ProfileReadOnly, ServerAndName(profile).c_str());
    if (!profile.file.empty())
    {
        std::error_code ec;
        fs::remove(profile.file, ec);
        if (ec && ec != std::errc::no_such_file_or_directory)
            return Format(Messages::ProfileDeleteFailed, profile.file.c_str());
    }
    const bool wasCurrent = list.current == &profile;
    if (wasCurrent)
        list.current = nullptr;
    std::erase_if(list.profiles, [&](const std::unique_ptr<CProfile>& p) { return p.get() == &profile; });
    if (wasCurrent)
    {
        CProfile* next = nullptr;
        for (const auto& p : list.profiles)
            if (p.get() != list.templateProfile)
            {
                next = p.get();
                break;
            }
        MakeCurrent(list, next, settings);
    }
    return {};
}

std::string RenameProfile(CProfileList& list, CProfile& profile, const std::string& name,
                          const fs::path& dataFolder, CSettings& settings)
{
    if (!CanEditProfile(&profile))
        return Format(Messages::ProfileReadOnly, ServerAndName(profile).c_str());
    if (name == profile.name)
        return {};
    if (name.empty())
        return std::string(Messages::ProfileNameEmpty);
    CProfile candidate;
    candidate.name = name;
    candidate.type = profile.type;
    if (ProfileFileName(candidate, dataFolder).empty())
        return std::string(Messages::ProfileNameUnsafe);
    if (NameTaken(list, name, &profile, dataFolder))
        return Format(Messages::ProfileNameTaken, name.c_str());
    Assign(profile, profile.name, name);
    if (list.current == &profile)
        settings.CurrentProfile = name;
    return {};
}

std::string SetProfileServer(CProfile& profile, const std::string& server)
{
    if (!CanEditProfile(&profile))
        return Format(Messages::ProfileReadOnly, ServerAndName(profile).c_str());
    if (server.empty())
        return std::string(Messages::ProfileServerEmpty);
    Assign(profile, profile.server, server);
    return {};
}

std::string SetProfileEmail(CProfile& profile, const std::string& email)
{
    if (!CanEditProfile(&profile))
        return Format(Messages::ProfileReadOnly, ServerAndName(profile).c_str());
    Assign(profile, profile.email, email);
    return {};
}

std::string SetProfileValue(CProfile& profile, EProfileList list, std::size_t index, const std::string& text,
                            ECraftField field)
{
    if (!CanEditProfile(&profile))
        return Format(Messages::ProfileReadOnly, ServerAndName(profile).c_str());
    const bool statistic = list == EProfileList::Statistics;
    const std::optional<int> value = ParseNumber(text, statistic);
    if (!value)
        return std::string(statistic ? Messages::ProfileStatisticInvalid : Messages::ProfileLevelInvalid);

    if (list == EProfileList::CraftLevels)
    {
        if (index >= profile.craftLevels.size())
            return {};
        CCraftLevel& level = profile.craftLevels[index];
        if (field == ECraftField::Level)
        {
            Assign(profile, level.level, *value);
            return {};
        }
        const int low = field == ECraftField::WorkTierMin ? *value : level.workTierMin;
        const int high = field == ECraftField::WorkTierMax ? *value : level.workTierMax;
        if (*value < LowestWorkTier || *value > HighestWorkTier || low > high)
            return std::string(Messages::ProfileWorkTierInvalid);
        Assign(profile, field == ECraftField::WorkTierMin ? level.workTierMin : level.workTierMax, *value);
        return {};
    }

    std::vector<CProfileValue>* values = nullptr;
    switch (list)
    {
    case EProfileList::Statistics: values = &profile.statistics; break;
    case EProfileList::CraftSkills: values = &profile.craftSkills; break;
    case EProfileList::AdventureLevels: values = &profile.adventureLevels; break;
    case EProfileList::AdventureSkills: values = &profile.adventureSkills; break;
    case EProfileList::CraftLevels: break;
    }
    if (values && index < values->size())
        Assign(profile, (*values)[index].value, *value);
    return {};
}
