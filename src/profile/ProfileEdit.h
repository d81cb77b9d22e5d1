#pragma once

#include "profile/Profile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct CSettings;

// What the profile manager does to the profile list. Every edit that changes something sets
// the profile's changed flag; the profiles that come with the database ("Default") are never
// edited or deleted, only copied.

// The tree: types (the player's own first), their servers, their profiles; servers and
// profiles in byte order of their names.
struct CProfileTreeServer
{
    std::string server;
    std::vector<CProfile*> profiles;
};
struct CProfileTreeType
{
    std::string type;
    std::vector<CProfileTreeServer> servers;
};
std::vector<CProfileTreeType> ProfileTree(const CProfileList& list);
// A profile's entry in the tree: its name, with " *" while it has unsaved changes.
std::string ProfileTreeLabel(const CProfile& profile);

bool CanEditProfile(const CProfile* profile);

// A name of type "Local" that no loaded profile and no file of the profiles folder has:
// the base itself, else the base followed by " 2", " 3", ... Bytes that cannot be in a
// file name become "_".
std::string UniqueProfileName(const CProfileList& list, std::string_view base,
                              const std::filesystem::path& dataFolder);

// A new "Local" profile with the template's statistics, levels and skills (empty lists
// without a template) and the given server; appended to the list, marked changed.
CProfile& NewProfile(CProfileList& list, const std::filesystem::path& dataFolder,
                     const std::string& server);
// A "Local" copy of any profile named "Copy of " + its name; appended, marked changed.
CProfile& CopyProfile(CProfileList& list, const CProfile& source,
                      const std::filesystem::path& dataFolder);

// Makes a profile current and names it in the settings; the template is never current.
void MakeCurrent(CProfileList& list, CProfile* profile, CSettings& settings);

// The question asked before deleting.
std::string DeleteProfileQuestion(const CProfile& profile);
// Removes a profile with its file; a current profile hands over to the first remaining one
// that is not the template. Empty on success, else the message (the profile stays).
std::string DeleteProfile(CProfileList& list, CProfile& profile, CSettings& settings);

// The Player page. Empty on success, else the message; a refused edit changes nothing.
// The file keeps its old name until the profile is saved.
std::string RenameProfile(CProfileList& list, CProfile& profile, const std::string& name,
                          const std::filesystem::path& dataFolder, CSettings& settings);
std::string SetProfileServer(CProfile& profile, const std::string& server);
std::string SetProfileEmail(CProfile& profile, const std::string& email);

// The lists of the three pages, and the craft levels' columns.
enum class EProfileList
{
    Statistics,
    CraftLevels,
    CraftSkills,
    AdventureLevels,
    AdventureSkills
};
enum class ECraftField
{
    Level,
    WorkTierMin,
    WorkTierMax
};
// Sets the value of entry `index` of a list from the text typed (for craft levels, the
// field). Levels and skills are whole numbers from 0 up, statistics may be negative, work
// tiers go from 1 to 10 with the lowest not above the highest.
std::string SetProfileValue(CProfile& profile, EProfileList list, std::size_t index,
                            const std::string& text, ECraftField field = ECraftField::Level);
