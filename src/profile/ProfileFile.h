#pragma once

#include "profile/Profile.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class IPrompter;
struct CSettings;

// Reads a profile file into a profile (always succeeds: a file without a "profile"
// element gives an empty profile, with its readProblem set; one that ends before its
// closing line is marked damaged).
bool ReadProfile(CProfile& profile, const std::filesystem::path& path);
// Writes a profile file atomically and clears the changed flag; false (flag kept) when the
// file could not be written, with the system's reason in `error` when given.
bool WriteProfile(CProfile& profile, const std::filesystem::path& path, std::string* error = nullptr);

// Appends every profile file (name containing ".xml") of one folder, sub-folders not
// entered, as profiles of the given type; the one named by currentName/currentType becomes
// current, "Template" of type "Default" the template.
void LoadProfiles(CProfileList& list, const std::filesystem::path& folder, const std::string& type,
                  const std::string& currentName, const std::string& currentType);

// The profile step of every database load: empties the list, loads "Config/Profiles" as
// "Default" and "Profiles" as "Local" (never "Profiles/Server"); when the settings name no
// loaded profile, the first one loaded becomes current and the settings take its name and type.
void LoadAllProfiles(CProfileList& list, const std::filesystem::path& dataFolder,
                     CSettings& settings);

// The level of the first craft skill of that name; 0 when there is none.
int SkillLevel(const CProfile& profile, std::string_view skillName);

// Where a profile lives below the data folder, by its type. Empty when the name cannot be
// a file name there (it is empty, holds "/", "\" or a NUL byte, or is "." or ".."),
// so nothing is written outside; empty too for an unknown type.
std::filesystem::path ProfileFileName(const CProfile& profile,
                                      const std::filesystem::path& dataFolder);

// The question asked before saving changed profiles ("Profile(s) 'server:name', ... have
// been changed, ..."); empty when no profile has changed.
std::string ChangedProfilesQuestion(const CProfileList& list);
// Writes every changed profile to its own file; warns through the prompter about any that
// could not be written (they stay marked as changed). A profile read from a damaged file is
// written over it only when the prompter's question is answered yes. True when all were
// written.
bool SaveChangedProfiles(CProfileList& list, const std::filesystem::path& dataFolder,
                         IPrompter* prompter);
// Asks the question above when a profile has changed and saves them all on yes. With
// `cancellable` (at exit) it offers Save, Discard and Cancel. False on Cancel or when a
// profile could not be saved: an exit then stops.
bool OfferToSaveChangedProfiles(CProfileList& list, const std::filesystem::path& dataFolder,
                                IPrompter& prompter, bool cancellable = false);

// The warnings of a load: one per profile whose file is damaged.
std::vector<std::string> DamagedProfileWarnings(const CProfileList& list);
