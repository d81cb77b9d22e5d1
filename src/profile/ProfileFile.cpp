#include "profile/ProfileFile.h"

#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "base/TextFile.h"
#include "xml/XmlDocument.h"
#include "xml/XmlText.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace
{
// The repeated "<name value="N">text</name>" lines of one list element.
void ReadValueList(const CXmlDocument& doc, const CXmlElement& parent, const char* listName,
                   const char* itemName, std::vector<CProfileValue>& values)
{
    CXmlElement list(listName);
    if (!list.FindNext(doc, parent))
        return;
    std::string attribute;
    std::string text;
    while (list.NextTextAndAttribute(doc, itemName, attribute, text, true))
        values.push_back({XmlTextIn(text), Atoi(attribute)});
}

void WriteValueList(CXmlDocument& doc, const char* listName, const char* itemName,
                    const char* attributeFormat, const std::vector<CProfileValue>& values)
{
    doc.BeginElement(listName);
    for (const CProfileValue& value : values)
        doc.WriteElementWithAttributes(itemName, Format(attributeFormat, value.value), XmlTextOut(value.name));
    doc.EndElement(listName);
}

bool IsSafeFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

std::string ServerAndName(const CProfile& profile)
{
    return profile.server + ":" + profile.name;
}
} // namespace

bool ReadProfile(CProfile& profile, const fs::path& path)
{
    profile.name.clear();
    profile.server.clear();
    profile.email.clear();
    profile.changed = false;
    profile.statistics.clear();
    profile.adventureLevels.clear();
    profile.adventureSkills.clear();
    profile.craftLevels.clear();
    profile.craftSkills.clear();
    profile.readProblem.clear();
    profile.damaged = false;

    std::string text;
    const CTextFileResult file = ReadTextFile(path, MaxDocumentBytes, text, CXmlDocument::TextPadding);
    if (file.status != ETextFile::Read)
    {
        profile.readProblem = TextFileProblem(file, MaxDocumentBytes);
        return true;
    }
    CXmlDocument doc;
    doc.LoadFromText(std::move(text));
    CXmlElement root{std::string(CXmlElement::RootName)};
    CXmlElement element("profile");
    if (!element.FindNext(doc, root))
    {
        profile.readProblem = "holds no profile";
        return true;
    }
    const auto readText = [&](std::string_view child, std::string& field)
    {
        element.GetText(doc, child, text, true);
        field = XmlTextIn(text);
    };
    readText("profile-name", profile.name);
    readText("profile-server", profile.server);
    readText("profile-email", profile.email);

    ReadValueList(doc, element, "statistics", "statistic", profile.statistics);

    CXmlElement adventureLevels("adventurelevels");
    if (adventureLevels.FindNext(doc, element))
    {
        CXmlElement adventure("adventure");
        while (adventure.FindNext(doc, adventureLevels))
        {
            CProfileValue level;
            adventure.GetText(doc, "adventure-name", text, true);
            level.name = XmlTextIn(text);
            adventure.GetInt(doc, "adventure-level", level.value, true);
            profile.adventureLevels.push_back(std::move(level));
        }
    }

    ReadValueList(doc, element, "adventureskills", "adventureskill", profile.adventureSkills);

    CXmlElement craftLevels("craftlevels");
    if (craftLevels.FindNext(doc, element))
    {
        CXmlElement craft("craft");
        while (craft.FindNext(doc, craftLevels))
        {
            CCraftLevel level;
            craft.GetText(doc, "craft-name", text, true);
            level.name = XmlTextIn(text);
            craft.GetInt(doc, "craft-level", level.level, true);
            craft.GetInt(doc, "craft-worktiermin", level.workTierMin, true);
            craft.GetInt(doc, "craft-worktiermax", level.workTierMax, true);
            profile.craftLevels.push_back(std::move(level));
        }
    }

    ReadValueList(doc, element, "craftskills", "craftskill", profile.craftSkills);
    // A file cut short reads as far as it goes; what is missing must not be saved back.
    profile.damaged = doc.FirstLineWithTag("/profile", element.Position() + 1) < 0;
    return true;
}

bool WriteProfile(CProfile& profile, const fs::path& path, std::string* error)
{
    CXmlDocument doc;
    const auto failed = [&]
    {
        if (error)
            *error = doc.SaveError();
        return false;
    };
    if (!doc.OpenForWrite(path))
        return failed();
    doc.BeginElement("profile");
    doc.WriteElement("profile-format", "1.0");
    doc.WriteElement("profile-name", XmlTextOut(profile.name));
    doc.WriteElement("profile-server", XmlTextOut(profile.server));
    doc.WriteElement("profile-email", XmlTextOut(profile.email));
    WriteValueList(doc, "statistics", "statistic", "value=\"%d\"", profile.statistics);
    doc.BeginElement("adventurelevels");
    for (const CProfileValue& level : profile.adventureLevels)
    {
        doc.BeginElement("adventure");
        doc.WriteElement("adventure-name", XmlTextOut(level.name));
        doc.WriteElement("adventure-level", level.value);
        doc.EndElement("adventure");
    }
    doc.EndElement("adventurelevels");
    WriteValueList(doc, "adventureskills", "adventureskill", "level=\"%d\"",
                   profile.adventureSkills);
    doc.BeginElement("craftlevels");
    for (const CCraftLevel& level : profile.craftLevels)
    {
        doc.BeginElement("craft");
        doc.WriteElement("craft-name", XmlTextOut(level.name));
        doc.WriteElement("craft-level", level.level);
        doc.WriteElement("craft-worktiermin", level.workTierMin);
        doc.WriteElement("craft-worktiermax", level.workTierMax);
        doc.EndElement("craft");
    }
    doc.EndElement("craftlevels");
    WriteValueList(doc, "craftskills", "craftskill", "level=\"%d\"", profile.craftSkills);
    doc.EndElement("profile");
    if (!doc.Close())
        return failed();
    profile.changed = false;
    profile.file = path;
    profile.damaged = false;
    profile.readProblem.clear();
    return true;
}

void LoadProfiles(CProfileList& list, const fs::path& folder, const std::string& type,
                  const std::string& currentName, const std::string& currentType)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return;
    for (; it != fs::directory_iterator(); it.increment(ec))
    {
        if (ec)
            break;
        std::error_code typeError;
        const std::string name = it->path().filename().native();
        if (name.find(".xml") != std::string::npos && it->is_regular_file(typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());

    for (const std::string& name : names)
    {
        auto profile = std::make_unique<CProfile>();
        profile->type = type;
        ReadProfile(*profile, folder / name);
        profile->file = folder / name;
        // A second file of the same name and type does not take the place of the first.
        if (profile->name == currentName && profile->type == currentType &&
            !(list.current && list.current->name == currentName &&
              list.current->type == currentType))
            list.current = profile.get();
        if (!list.templateProfile && profile->name == "Template" &&
            profile->type == ProfileTypes::Default)
            list.templateProfile = profile.get();
        list.profiles.push_back(std::move(profile));
    }
}

void LoadAllProfiles(CProfileList& list, const fs::path& dataFolder, CSettings& settings)
{
    list.Clear();
    LoadProfiles(list, DataPaths::Join(dataFolder, DataPaths::DefaultProfiles),
                 ProfileTypes::Default, settings.CurrentProfile, settings.CurrentProfileType);
    LoadProfiles(list, DataPaths::Join(dataFolder, DataPaths::Profiles), ProfileTypes::Local,
                 settings.CurrentProfile, settings.CurrentProfileType);
    if (!list.current && !list.profiles.empty())
    {
        list.current = list.profiles.front().get();
        settings.CurrentProfile = list.current->name;
        settings.CurrentProfileType = list.current->type;
    }
}

int SkillLevel(const CProfile& profile, std::string_view skillName)
{
    for (const CProfileValue& skill : profile.craftSkills)
        if (skill.name == skillName)
            return skill.value;
    return 0;
}

fs::path ProfileFileName(const CProfile& profile, const fs::path& dataFolder)
{
    if (!IsSafeFileName(profile.name))
        return {};
    std::string_view folder;
    if (profile.type == ProfileTypes::Default)
        folder = DataPaths::DefaultProfiles;
    else if (profile.type == ProfileTypes::Local)
        folder = DataPaths::Profiles;
    else if (profile.type == ProfileTypes::Remote)
        folder = DataPaths::RemoteProfiles;
    else
        return {};
    return DataPaths::Join(dataFolder, folder) / (profile.name + ".xml");
}

std::string ChangedProfilesQuestion(const CProfileList& list)
{
    std::string text;
    for (const auto& profile : list.profiles)
    {
        if (!profile->changed)
            continue;
        text += text.empty() ? Messages::ProfilesChanged1 : Messages::ProfilesChangedMore;
        text += ServerAndName(*profile);
        text += "'";
    }
    if (!text.empty())
        text += Messages::ProfilesChanged2;
    return text;
}

bool SaveChangedProfiles(CProfileList& list, const fs::path& dataFolder, IPrompter* prompter)
{
    bool allWritten = true;
    for (const auto& profile : list.profiles)
    {
        if (!profile->changed)
            continue;
        const fs::path path = ProfileFileName(*profile, dataFolder);
        std::string warning;
        if (path.empty())
        {
            warning = std::string(Messages::ProfileNotSaved1) + ServerAndName(*profile) +
                      std::string(Messages::ProfileNameUnusable);
        }
        else
        {
            std::error_code ec;
            fs::create_directories(path.parent_path(), ec);
            const fs::path previous = profile->file;
            if (profile->damaged && fs::equivalent(path, previous, ec) &&
                !(prompter && prompter->AskYesNo(Format(Messages::ProfileDamagedSaveQuestion, previous.c_str(),
                                                        ServerAndName(*profile).c_str()))))
            {
                // The player keeps the damaged file; the edit stays unsaved.
                allWritten = false;
                continue;
            }
            std::string reason;
            if (!WriteProfile(*profile, path, &reason))
                warning = std::string(Messages::ProfileNotSaved1) + ServerAndName(*profile) +
                          std::string(Messages::ProfileWriteFailed1) + path.native() +
                          std::string(Messages::ProfileWriteFailed2) + (reason.empty() ? "" : "\n\n" + reason);
            else if (!previous.empty() && previous != path)
                fs::remove(previous, ec); // renamed: the new file is complete, the old one goes

        }
        if (!warning.empty())
        {
            allWritten = false;
            if (prompter)
                prompter->Warn(warning);
        }
    }
    return allWritten;
}

bool OfferToSaveChangedProfiles(CProfileList& list, const fs::path& dataFolder, IPrompter& prompter,
                                bool cancellable)
{
    const std::string question = ChangedProfilesQuestion(list);
    if (question.empty())
        return true;
    if (!cancellable)
        return !prompter.AskYesNo(question) || SaveChangedProfiles(list, dataFolder, &prompter);
    switch (prompter.AskSaveDiscardCancel(question))
    {
    case IPrompter::ESaveChoice::Save: return SaveChangedProfiles(list, dataFolder, &prompter);
    case IPrompter::ESaveChoice::Discard: return true;
    case IPrompter::ESaveChoice::Cancel: break;
    }
    return false;
}

std::vector<std::string> DamagedProfileWarnings(const CProfileList& list)
{
    std::vector<std::string> warnings;
    for (const auto& profile : list.profiles)
        if (profile->damaged)
            warnings.push_back(Format(Messages::ProfileFileDamaged, profile->file.c_str()));
    return warnings;
}
