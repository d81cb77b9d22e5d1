#include "base/Messages.h"
#include "base/NumberText.h"
#include "base/Settings.h"
#include "profile/ProfileFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
CProfile SampleProfile()
{
    CProfile p;
    p.name = "Ilsa";
    p.server = "Brightwater";
    p.email = "ilsa@example.org";
    p.type = ProfileTypes::Local;
    p.changed = true;
    p.statistics = {{"Strength", 42}, {"Focus & Will", -3}};
    p.adventureLevels = {{"Warden", 17}};
    p.adventureSkills = {{"Archery", 250}, {"Tracking", 0}};
    p.craftLevels = {{"Smith", 30, 2, 5}, {"Tailor", 4, 1, 1}};
    p.craftSkills = {{"Forging", 310}, {"Weaving", 12}, {"Forging", 999}};
    return p;
}

const char* const SampleText = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                               "<profile>\n"
                               "\t<profile-format>1.0</profile-format>\n"
                               "\t<profile-name>Ilsa</profile-name>\n"
                               "\t<profile-server>Brightwater</profile-server>\n"
                               "\t<profile-email>ilsa@example.org</profile-email>\n"
                               "\t<statistics>\n"
                               "\t\t<statistic value=\"42\">Strength</statistic>\n"
                               "\t\t<statistic value=\"-3\">Focus & Will</statistic>\n"
                               "\t</statistics>\n"
                               "\t<adventurelevels>\n"
                               "\t\t<adventure>\n"
                               "\t\t\t<adventure-name>Warden</adventure-name>\n"
                               "\t\t\t<adventure-level>17</adventure-level>\n"
                               "\t\t</adventure>\n"
                               "\t</adventurelevels>\n"
                               "\t<adventureskills>\n"
                               "\t\t<adventureskill level=\"250\">Archery</adventureskill>\n"
                               "\t\t<adventureskill level=\"0\">Tracking</adventureskill>\n"
                               "\t</adventureskills>\n"
                               "\t<craftlevels>\n"
                               "\t\t<craft>\n"
                               "\t\t\t<craft-name>Smith</craft-name>\n"
                               "\t\t\t<craft-level>30</craft-level>\n"
                               "\t\t\t<craft-worktiermin>2</craft-worktiermin>\n"
                               "\t\t\t<craft-worktiermax>5</craft-worktiermax>\n"
                               "\t\t</craft>\n"
                               "\t\t<craft>\n"
                               "\t\t\t<craft-name>Tailor</craft-name>\n"
                               "\t\t\t<craft-level>4</craft-level>\n"
                               "\t\t\t<craft-worktiermin>1</craft-worktiermin>\n"
                               "\t\t\t<craft-worktiermax>1</craft-worktiermax>\n"
                               "\t\t</craft>\n"
                               "\t</craftlevels>\n"
                               "\t<craftskills>\n"
                               "\t\t<craftskill level=\"310\">Forging</craftskill>\n"
                               "\t\t<craftskill level=\"12\">Weaving</craftskill>\n"
                               "\t\t<craftskill level=\"999\">Forging</craftskill>\n"
                               "\t</craftskills>\n"
                               "</profile>\n";

void ExpectSameContent(const CProfile& a, const CProfile& b)
{
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.server, b.server);
    EXPECT_EQ(a.email, b.email);
    EXPECT_TRUE(a.statistics == b.statistics);
    EXPECT_TRUE(a.adventureLevels == b.adventureLevels);
    EXPECT_TRUE(a.adventureSkills == b.adventureSkills);
    EXPECT_TRUE(a.craftLevels == b.craftLevels);
    EXPECT_TRUE(a.craftSkills == b.craftSkills);
}

std::string ProfileText(const std::string& name)
{
    return "<profile>\n<profile-name>" + name + "</profile-name>\n</profile>\n";
}
} // namespace

TEST(ProfileFile, WritesExactBytesAndReadsBackInOrder)
{
    CTempDir dir;
    CProfile profile = SampleProfile();
    const fs::path path = dir / "Ilsa.xml";
    ASSERT_TRUE(WriteProfile(profile, path));
    EXPECT_FALSE(profile.changed);
    EXPECT_EQ(ReadFileBytes(path), SampleText);

    CProfile read;
    read.type = ProfileTypes::Local;
    read.craftSkills = {{"left over", 1}};
    EXPECT_TRUE(ReadProfile(read, path));
    ExpectSameContent(read, SampleProfile());
    EXPECT_EQ(read.type, ProfileTypes::Local);
    EXPECT_FALSE(read.changed);
}

TEST(ProfileFile, EmptyProfileLayout)
{
    CTempDir dir;
    CProfile profile;
    ASSERT_TRUE(WriteProfile(profile, dir / "empty.xml"));
    EXPECT_EQ(ReadFileBytes(dir / "empty.xml"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                                                "<profile>\n"
                                                "\t<profile-format>1.0</profile-format>\n"
                                                "\t<profile-name></profile-name>\n"
                                                "\t<profile-server></profile-server>\n"
                                                "\t<profile-email></profile-email>\n"
                                                "\t<statistics>\n"
                                                "\t</statistics>\n"
                                                "\t<adventurelevels>\n"
                                                "\t</adventurelevels>\n"
                                                "\t<adventureskills>\n"
                                                "\t</adventureskills>\n"
                                                "\t<craftlevels>\n"
                                                "\t</craftlevels>\n"
                                                "\t<craftskills>\n"
                                                "\t</craftskills>\n"
                                                "</profile>\n");
}

TEST(ProfileFile, ReaderTakesFirstQuotedValueAndAtoi)
{
    CTempDir dir;
    const fs::path path =
        dir.WriteFile("odd.xml", "<!-- hand made -->\n"
                                 "<profile>\n"
                                 "<profile-format>9.9</profile-format>\n"
                                 "<profile-name>Odd</profile-name>\n"
                                 "<craftskills>\n"
                                 "<craftskill note=\"12abc\" level=\"5\">A</craftskill>\n"
                                 "\n"
                                 "<craftskill level=\"99999999999\">B</craftskill>\n"
                                 "<craftskill>C</craftskill>\n"
                                 "</craftskills>\n"
                                 "<statistics>\n"
                                 "<statistic value=\" -7\">S</statistic>\n"
                                 "</statistics>\n"
                                 "<craftlevels>\n"
                                 "<craft>\n"
                                 "<craft-name>X</craft-name>\n"
                                 "<craft-level>x</craft-level>\n"
                                 "</craft>\n"
                                 "</craftlevels>\n"
                                 "</profile>\n");
    CProfile p;
    ReadProfile(p, path);
    EXPECT_EQ(p.name, "Odd");
    EXPECT_TRUE(p.craftSkills ==
                (std::vector<CProfileValue>{{"A", 12}, {"B", 2147483647}, {"C", 0}}));
    EXPECT_TRUE(p.statistics == (std::vector<CProfileValue>{{"S", -7}}));
    EXPECT_TRUE(p.craftLevels == (std::vector<CCraftLevel>{{"X", 0, 0, 0}}));
    EXPECT_TRUE(p.adventureLevels.empty());

    // No "profile" element, or no file at all: an empty profile, still a success.
    for (const fs::path& empty :
         {dir.WriteFile("none.xml", "<other>\n</other>\n"), dir / "missing.xml"})
    {
        CProfile q = SampleProfile();
        EXPECT_TRUE(ReadProfile(q, empty));
        EXPECT_EQ(q.name, "");
        EXPECT_TRUE(q.statistics.empty());
        EXPECT_TRUE(q.craftSkills.empty());
    }
}

TEST(ProfileFile, FailedWriteKeepsChangedFlagAndOldFile)
{
    CTempDir dir;
    CProfile profile = SampleProfile();
    EXPECT_FALSE(WriteProfile(profile, dir / "no/folder/Ilsa.xml"));
    EXPECT_TRUE(profile.changed);
    EXPECT_FALSE(fs::exists(dir / "no"));
}

TEST(ProfileFile, SkillLevelIsFirstExactMatch)
{
    const CProfile p = SampleProfile();
    const std::pair<const char*, int> cases[] = {
        {"Forging", 310}, {"Weaving", 12}, {"forging", 0}, {"Forging ", 0}, {"", 0}, {"Archery", 0},
    };
    for (const auto& [skill, level] : cases)
        EXPECT_EQ(SkillLevel(p, skill), level) << skill;
}

TEST(ProfileFile, FileNameByTypeAndUnsafeNames)
{
    const fs::path data = "/data";
    const struct
    {
        std::string type;
        std::string name;
        std::string path;
    } cases[] = {
        {"Default", "Template", "/data/Config/Profiles/Template.xml"},
        {"Local", "Ilsa", "/data/Profiles/Ilsa.xml"},
        {"Remote", "Ilsa", "/data/Profiles/Server/Ilsa.xml"},
        {"Local", "a.b", "/data/Profiles/a.b.xml"},
        {"Local", "..x", "/data/Profiles/..x.xml"},
        {"Other", "Ilsa", ""},
        {"", "Ilsa", ""},
        {"Local", "", ""},
        {"Local", ".", ""},
        {"Local", "..", ""},
        {"Local", "../../etc/passwd", ""},
        {"Local", "a/b", ""},
        {"Local", "/abs", ""},
        {"Remote", "a\\b", ""},
        {"Local", std::string("a\0b", 3), ""},
    };
    for (const auto& c : cases)
    {
        CProfile p;
        p.type = c.type;
        p.name = c.name;
        EXPECT_EQ(ProfileFileName(p, data), fs::path(c.path)) << c.type << " " << c.name;
    }
}

TEST(ProfileFile, LoadProfilesSortedCurrentAndTemplate)
{
    CTempDir dir;
    const fs::path data = dir.Path();
    dir.WriteFile("Config/Profiles/b.xml", ProfileText("Bert"));
    dir.WriteFile("Config/Profiles/Template.xml", ProfileText("Template"));
    dir.WriteFile("Config/Profiles/readme.txt", ProfileText("NotAProfile"));
    dir.WriteFile("Profiles/z.xml", ProfileText("Template"));
    dir.WriteFile("Profiles/a.xml.old", ProfileText("Old"));
    dir.WriteFile("Profiles/Bert.xml", ProfileText("Bert"));
    dir.WriteFile("Profiles/Server/r.xml", ProfileText("Remote one"));
    dir.WriteFile("Profiles/sub/s.xml", ProfileText("Nested"));

    CProfileList list;
    LoadProfiles(list, data / "Config/Profiles", ProfileTypes::Default, "Bert", "Local");
    LoadProfiles(list, data / "Profiles", ProfileTypes::Local, "Bert", "Local");
    std::vector<std::string> loaded;
    for (const auto& p : list.profiles)
        loaded.push_back(p->type + ":" + p->name);
    EXPECT_EQ(loaded, (std::vector<std::string>{"Default:Template", "Default:Bert", "Local:Bert",
                                                "Local:Old", "Local:Template"}));
    ASSERT_NE(list.current, nullptr);
    EXPECT_EQ(list.current, list.profiles[2].get());
    EXPECT_EQ(list.templateProfile, list.profiles[0].get());
}

TEST(ProfileFile, LoadAllProfilesFallsBackToFirstLoaded)
{
    CTempDir dir;
    dir.WriteFile("Config/Profiles/Template.xml", ProfileText("Template"));
    dir.WriteFile("Profiles/Ilsa.xml", ProfileText("Ilsa"));
    dir.WriteFile("Profiles/Server/Gone.xml", ProfileText("Gone"));

    const struct
    {
        const char* name;
        const char* type;
        const char* currentName;
        const char* currentType;
    } cases[] = {
        {"Ilsa", "Local", "Ilsa", "Local"},
        {"Gone", "Remote", "Template", "Default"},  // remote profiles are not loaded
        {"Ilsa", "Default", "Template", "Default"}, // right name, wrong type
        {"", "", "Template", "Default"},
    };
    for (const auto& c : cases)
    {
        CSettings settings;
        settings.CurrentProfile = c.name;
        settings.CurrentProfileType = c.type;
        CProfileList list;
        list.profiles.push_back(std::make_unique<CProfile>());
        list.current = list.profiles.back().get();
        LoadAllProfiles(list, dir.Path(), settings);
        ASSERT_EQ(list.profiles.size(), 2u);
        ASSERT_NE(list.current, nullptr);
        EXPECT_EQ(list.current->name, c.currentName) << c.name;
        EXPECT_EQ(list.current->type, c.currentType) << c.name;
        EXPECT_EQ(settings.CurrentProfile, c.currentName);
        EXPECT_EQ(settings.CurrentProfileType, c.currentType);
    }

    CTempDir empty;
    CSettings settings;
    settings.CurrentProfile = "Ilsa";
    CProfileList list;
    LoadAllProfiles(list, empty.Path(), settings);
    EXPECT_EQ(list.current, nullptr);
    EXPECT_EQ(settings.CurrentProfile, "Ilsa");
}

TEST(ProfileFile, ChangedProfilesQuestionText)
{
    CProfileList list;
    for (const char* name : {"Ilsa", "Bert", "Cora"})
    {
        list.profiles.push_back(std::make_unique<CProfile>());
        list.profiles.back()->name = name;
        list.profiles.back()->server = "Brightwater";
    }
    EXPECT_EQ(ChangedProfilesQuestion(list), "");
    list.profiles[1]->changed = true;
    EXPECT_EQ(
        ChangedProfilesQuestion(list),
        "Profile(s) 'Brightwater:Bert' have been changed, do you want to save these changes?");
    list.profiles[0]->changed = true;
    list.profiles[2]->changed = true;
    list.profiles[2]->server = "";
    EXPECT_EQ(ChangedProfilesQuestion(list),
              "Profile(s) 'Brightwater:Ilsa', 'Brightwater:Bert', ':Cora' have been "
              "changed, do you want to save these changes?");
}

TEST(ProfileFile, OfferToSaveChangedProfilesAsksOnceAndSavesOnYes)
{
    const auto make = [](const char* name, const char* server, const char* type, bool changed)
    {
        auto profile = std::make_unique<CProfile>();
        profile->name = name;
        profile->server = server;
        profile->type = type;
        profile->changed = changed;
        return profile;
    };
    for (const bool answer : {true, false})
    {
        SCOPED_TRACE(answer);
        CTempDir data;
        fs::create_directories(data / "Profiles" / "Server");
        CProfileList profiles;
        profiles.profiles.push_back(make("Ana", "Sol", ProfileTypes::Local, true));
        profiles.profiles.push_back(make("Bo", "Sol", ProfileTypes::Local, false));
        profiles.profiles.push_back(make("Cy", "Luna", ProfileTypes::Remote, true));
        CScriptedPrompter prompter;
        prompter.QueueAnswer(answer);
        OfferToSaveChangedProfiles(profiles, data.Path(), prompter);
        EXPECT_EQ(prompter.questions,
                  std::vector<std::string>{
                      "Profile(s) 'Sol:Ana', 'Luna:Cy' have been changed, do you want to save these changes?"});
        EXPECT_EQ(fs::exists(data / "Profiles" / "Ana.xml"), answer);
        EXPECT_EQ(fs::exists(data / "Profiles" / "Server" / "Cy.xml"), answer);
        EXPECT_FALSE(fs::exists(data / "Profiles" / "Bo.xml"));
    }

    // Nothing changed: nothing is asked.
    CProfileList unchanged;
    unchanged.profiles.push_back(make("Bo", "Sol", ProfileTypes::Local, false));
    CScriptedPrompter prompter;
    OfferToSaveChangedProfiles(unchanged, "/nowhere", prompter);
    EXPECT_TRUE(prompter.questions.empty());
}

TEST(ProfileFile, SaveChangedProfilesRefusesUnsafeNames)
{
    CTempDir dir;
    const fs::path data = dir / "data";
    CProfileList list;
    auto add = [&](const char* name, const char* type, bool changed)
    {
        list.profiles.push_back(std::make_unique<CProfile>());
        CProfile& p = *list.profiles.back();
        p.name = name;
        p.server = "Brightwater";
        p.type = type;
        p.changed = changed;
        return &p;
    };
    CProfile* remote = add("Ilsa", "Remote", true);
    CProfile* evil = add("../evil", "Local", true);
    CProfile* unchanged = add("Bert", "Local", false);
    CProfile* local = add("Cora", "Local", true);

    CScriptedPrompter prompter;
    EXPECT_FALSE(SaveChangedProfiles(list, data, &prompter));
    EXPECT_FALSE(remote->changed);
    EXPECT_FALSE(local->changed);
    EXPECT_TRUE(evil->changed);
    EXPECT_FALSE(unchanged->changed);
    EXPECT_TRUE(fs::exists(data / "Profiles/Server/Ilsa.xml"));
    EXPECT_TRUE(fs::exists(data / "Profiles/Cora.xml"));
    EXPECT_FALSE(fs::exists(data / "Profiles/Bert.xml"));
    EXPECT_FALSE(fs::exists(dir / "evil.xml"));
    EXPECT_FALSE(fs::exists(data / "evil.xml"));
    EXPECT_EQ(prompter.warnings,
              (std::vector<std::string>{
                  "Profile 'Brightwater:../evil' was not saved: its name cannot be used as a "
                  "file name (it is empty, \".\", \"..\" or holds \"/\" or \"\\\")."}));
    EXPECT_TRUE(prompter.questions.empty());

    // Nothing changed any more but the refused one; a second save only warns again.
    prompter.warnings.clear();
    evil->name = "evil";
    EXPECT_TRUE(SaveChangedProfiles(list, data, &prompter));
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_TRUE(fs::exists(data / "Profiles/evil.xml"));
}

TEST(ProfileFile, SaveChangedProfilesReportsFailedWrites)
{
    CTempDir dir;
    const fs::path data = dir / "data";
    dir.WriteFile("data/Profiles", "a file where the folder should be");
    CProfileList list;
    list.profiles.push_back(std::make_unique<CProfile>(SampleProfile()));
    CScriptedPrompter prompter;
    EXPECT_FALSE(SaveChangedProfiles(list, data, &prompter));
    EXPECT_TRUE(list.profiles[0]->changed);
    EXPECT_EQ(prompter.warnings,
              (std::vector<std::string>{"Profile 'Brightwater:Ilsa' could not be saved to '" +
                                        (data / "Profiles/Ilsa.xml").string() + "'.\n\nNot a directory"}));
    // Without a prompter the result still tells.
    EXPECT_FALSE(SaveChangedProfiles(list, data, nullptr));
}

// Names are the player's: whatever they hold reads back byte for byte.
TEST(ProfileFile, EveryTextReadsBackByteForByte)
{
    CTempDir dir;
    for (const std::string text : {"Tools </b> & more", "two\nlines\r", "quote \" and > here", "&#10; typed", ""})
    {
        SCOPED_TRACE(text);
        CProfile p;
        p.name = p.server = p.email = text;
        p.statistics = {{text, 1}};
        p.adventureLevels = {{text, 2}};
        p.adventureSkills = {{text, 3}};
        p.craftLevels = {{text, 4, 1, 2}};
        p.craftSkills = {{text, 5}};
        ASSERT_TRUE(WriteProfile(p, dir / "p.xml"));
        CProfile back;
        ReadProfile(back, dir / "p.xml");
        ExpectSameContent(back, p);
        EXPECT_FALSE(back.damaged);
        EXPECT_EQ(back.readProblem, "");
    }
}

// A profile file cut short loads as far as it goes, is said to be damaged when loaded, and
// is written over only when the player agrees.
TEST(ProfileFile, AFileCutShortIsDamagedAndKeptUnlessThePlayerAgrees)
{
    CTempDir dir;
    const std::string cut = std::string(SampleText).substr(0, std::string(SampleText).find("\t<craftlevels>"));
    const fs::path path = dir.WriteFile("data/Profiles/Ilsa.xml", cut);
    CProfileList list;
    LoadProfiles(list, path.parent_path(), ProfileTypes::Local, "", "");
    ASSERT_EQ(list.profiles.size(), 1u);
    CProfile& profile = *list.profiles[0];
    EXPECT_TRUE(profile.damaged);
    EXPECT_EQ(profile.adventureSkills.size(), 2u);
    EXPECT_TRUE(profile.craftLevels.empty());
    EXPECT_EQ(DamagedProfileWarnings(list),
              (std::vector<std::string>{Format(Messages::ProfileFileDamaged, path.c_str())}));

    profile.changed = true;
    CScriptedPrompter prompter;
    prompter.QueueAnswer(false);
    EXPECT_FALSE(SaveChangedProfiles(list, dir / "data", &prompter));
    EXPECT_EQ(prompter.questions, (std::vector<std::string>{Format(Messages::ProfileDamagedSaveQuestion, path.c_str(),
                                                                   "Brightwater:Ilsa")}));
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(ReadFileBytes(path), cut);
    EXPECT_TRUE(profile.changed);
    prompter.QueueAnswer(true);
    EXPECT_TRUE(SaveChangedProfiles(list, dir / "data", &prompter));
    EXPECT_FALSE(profile.damaged);
    EXPECT_NE(ReadFileBytes(path).find("</profile>\n"), std::string::npos);

    // A file that gives no profile says why.
    for (const auto& [file, problem] :
         {std::pair<fs::path, std::string>{dir.WriteFile("x.xml", "<settings>\n</settings>\n"), "holds no profile"},
          {dir / "none.xml", "does not exist"},
          {dir.Path(), "is a folder, not a file"}})
    {
        CProfile other;
        ReadProfile(other, file);
        EXPECT_EQ(other.readProblem, problem);
    }
}
