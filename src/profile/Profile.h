#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// One of the player's characters: statistics, school levels and skills.
struct CProfileValue
{
    std::string name;
    int value = 0;
    bool operator==(const CProfileValue&) const = default;
};

struct CCraftLevel
{
    std::string name;
    int level = 0;
    int workTierMin = 0;
    int workTierMax = 0;
    bool operator==(const CCraftLevel&) const = default;
};

struct CProfile
{
    std::string name;
    std::string server;
    std::string email;
    std::string type; // "Default", "Local" or "Remote"
    bool changed = false;
    // The file it was read from or last written to; empty while it has none. A renamed
    // profile's old file goes only once the new one is written.
    std::filesystem::path file;
    // Why the file gave no profile ("cannot be read: ...", "holds no profile"); empty when
    // it did.
    std::string readProblem;
    // The file ended before its closing line: the profile holds what came before, and
    // saving over the file asks first.
    bool damaged = false;
    std::vector<CProfileValue> statistics;
    std::vector<CProfileValue> adventureLevels;
    std::vector<CProfileValue> adventureSkills;
    std::vector<CCraftLevel> craftLevels;
    std::vector<CProfileValue> craftSkills;
};

// The loaded profiles, the current one and the template ("Template" of type "Default").
class CProfileList
{
public:
    std::vector<std::unique_ptr<CProfile>> profiles;
    CProfile* current = nullptr;
    CProfile* templateProfile = nullptr;

    void Clear()
    {
        current = nullptr;
        templateProfile = nullptr;
        profiles.clear();
    }
    bool AnyChanged() const;
    CProfile* Find(const std::string& name, const std::string& type) const;
};

namespace ProfileTypes
{
inline constexpr const char* Default = "Default";
inline constexpr const char* Local = "Local";
inline constexpr const char* Remote = "Remote";
} // namespace ProfileTypes
