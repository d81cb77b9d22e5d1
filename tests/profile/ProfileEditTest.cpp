#include "base/Settings.h"
#include "profile/ProfileEdit.h"
#include "profile/ProfileFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
CProfile& Add(CProfileList& list, std::string name, std::string server, std::string type)
{
    auto profile = std::make_unique<CProfile>();
    profile->name = std::move(name);
    profile->server = std::move(server);
    profile->type = std::move(type);
    list.profiles.push_back(std::move(profile));
    return *list.profiles.back();
}

// A template with one of each list, a local profile with a file, and a default one.
struct CEditFixture : ::testing::Test
{
    CEditFixture()
    {
        CProfile& tmpl = Add(list, "Template", "Default", ProfileTypes::Default);
        tmpl.statistics = {{"Strength", 10}};
        tmpl.craftLevels = {{"Bladesmith", 1, 1, 1}};
        tmpl.craftSkills = {{"Smithing", 0}};
        tmpl.adventureLevels = {{"Warden", 1}};
        tmpl.adventureSkills = {{"Archery", 0}};
        tmpl.file = folder / "Config/Profiles/Template.xml";
        list.templateProfile = &tmpl;
        Add(list, "Journeyman", "Default", ProfileTypes::Default);
        CProfile& ysolde = Add(list, "Ysolde", "Amberlight", ProfileTypes::Local);
        ysolde.craftSkills = {{"Smithing", 40}, {"Tanning", 12}};
        ysolde.file = folder.WriteFile("Profiles/Ysolde.xml", "old");
        list.current = &ysolde;
        settings.CurrentProfile = "Ysolde";
        settings.CurrentProfileType = ProfileTypes::Local;
    }
    CProfile& Ysolde() { return *list.profiles[2]; }

    CTempDir folder;
    CProfileList list;
    CSettings settings;
};
} // namespace

TEST_F(CEditFixture, TreeGroupsByTypeThenServerInNameOrder)
{
    Add(list, "Brann", "Thornfell", ProfileTypes::Local);
    Add(list, "Aldo", "Amberlight", ProfileTypes::Local).changed = true;
    Add(list, "Far", "Amberlight", ProfileTypes::Remote);

    const std::vector<CProfileTreeType> tree = ProfileTree(list);
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[0].type, "Local");
    ASSERT_EQ(tree[0].servers.size(), 2u);
    EXPECT_EQ(tree[0].servers[0].server, "Amberlight");
    ASSERT_EQ(tree[0].servers[0].profiles.size(), 2u);
    EXPECT_EQ(tree[0].servers[0].profiles[0]->name, "Aldo");
    EXPECT_EQ(tree[0].servers[0].profiles[1]->name, "Ysolde");
    EXPECT_EQ(tree[0].servers[1].server, "Thornfell");
    EXPECT_EQ(tree[1].type, "Remote");
    EXPECT_EQ(tree[2].type, "Default");
    ASSERT_EQ(tree[2].servers.size(), 1u);
    EXPECT_EQ(tree[2].servers[0].profiles[0]->name, "Journeyman");
    EXPECT_EQ(tree[2].servers[0].profiles[1]->name, "Template");

    EXPECT_EQ(ProfileTreeLabel(*tree[0].servers[0].profiles[0]), "Aldo *");
    EXPECT_EQ(ProfileTreeLabel(Ysolde()), "Ysolde");
    EXPECT_TRUE(ProfileTree(CProfileList()).empty());
}

TEST_F(CEditFixture, NewProfilesTakeTheTemplateAndAFreeName)
{
    // A file of that name counts as taken even when no profile was loaded from it.
    folder.WriteFile("Profiles/New Profile 2.xml", "x");
    CProfile& first = NewProfile(list, folder.Path(), "Amberlight");
    CProfile& second = NewProfile(list, folder.Path(), "Amberlight");
    EXPECT_EQ(first.name, "New Profile");
    EXPECT_EQ(second.name, "New Profile 3");
    EXPECT_EQ(first.type, "Local");
    EXPECT_EQ(first.server, "Amberlight");
    EXPECT_TRUE(first.changed);
    EXPECT_TRUE(first.file.empty());
    EXPECT_TRUE(first.craftLevels == list.templateProfile->craftLevels);
    EXPECT_TRUE(first.statistics == list.templateProfile->statistics);
    EXPECT_TRUE(first.adventureSkills == list.templateProfile->adventureSkills);
    EXPECT_EQ(list.profiles.size(), 5u);

    CProfileList bare;
    CProfile& empty = NewProfile(bare, folder.Path(), "Thornfell");
    EXPECT_EQ(empty.name, "New Profile");
    EXPECT_TRUE(empty.craftSkills.empty());
}

TEST_F(CEditFixture, CopiesAreLocalAndNamedSafely)
{
    CProfile& copy = CopyProfile(list, *list.profiles[1], folder.Path());
    EXPECT_EQ(copy.name, "Copy of Journeyman");
    EXPECT_EQ(copy.type, "Local");
    EXPECT_EQ(copy.server, "Default");
    EXPECT_TRUE(copy.changed);
    EXPECT_EQ(CopyProfile(list, *list.profiles[1], folder.Path()).name, "Copy of Journeyman 2");

    CProfile& copied = CopyProfile(list, Ysolde(), folder.Path());
    EXPECT_TRUE(copied.craftSkills == Ysolde().craftSkills);
    EXPECT_TRUE(copied.file.empty()); // saving the copy never writes over the original

    // A loaded name that cannot be a file name gives a copy that can be saved.
    CProfile& odd = Add(list, "a/b\\c", "S", ProfileTypes::Local);
    EXPECT_EQ(CopyProfile(list, odd, folder.Path()).name, "Copy of a_b_c");
    EXPECT_EQ(UniqueProfileName(list, "..", folder.Path()), "New Profile");
}

TEST_F(CEditFixture, RenameRules)
{
    CProfile& ysolde = Ysolde();
    Add(list, "Brann", "Thornfell", ProfileTypes::Local);
    folder.WriteFile("Profiles/Stray.xml", "x");
    const struct
    {
        std::string name;
        std::string message;
    } refused[] = {
        {"", "Please enter a name for the profile."},
        {"a/b", "A profile name cannot contain '/' or '\\', nor be '.' or '..'."},
        {"a\\b", "A profile name cannot contain '/' or '\\', nor be '.' or '..'."},
        {"..", "A profile name cannot contain '/' or '\\', nor be '.' or '..'."},
        {"Brann", "There is already a profile named 'Brann'."},
        {"Stray", "There is already a profile named 'Stray'."},
    };
    for (const auto& r : refused)
    {
        EXPECT_EQ(RenameProfile(list, ysolde, r.name, folder.Path(), settings), r.message) << r.name;
        EXPECT_EQ(ysolde.name, "Ysolde");
        EXPECT_FALSE(ysolde.changed);
    }
    // The same name again changes nothing; a default profile's name shares nothing.
    EXPECT_EQ(RenameProfile(list, ysolde, "Ysolde", folder.Path(), settings), "");
    EXPECT_FALSE(ysolde.changed);
    EXPECT_EQ(RenameProfile(list, ysolde, "Journeyman", folder.Path(), settings), "");
    EXPECT_TRUE(ysolde.changed);
    EXPECT_EQ(settings.CurrentProfile, "Journeyman");
    // Back to its own file's name is allowed.
    EXPECT_EQ(RenameProfile(list, ysolde, "Ysolde", folder.Path(), settings), "");

    EXPECT_EQ(RenameProfile(list, *list.profiles[1], "Other", folder.Path(), settings),
              "The profile 'Default:Journeyman' comes with the database and cannot be changed or deleted.\n"
              "Copy it to make a profile of your own.");
    EXPECT_EQ(SetProfileServer(ysolde, ""), "Please enter the server of the profile.");
    EXPECT_EQ(SetProfileServer(ysolde, "Thornfell"), "");
    EXPECT_EQ(ysolde.server, "Thornfell");
    EXPECT_EQ(SetProfileEmail(ysolde, ""), "");
    EXPECT_EQ(ysolde.email, "");
}

TEST_F(CEditFixture, RenamedProfileSavesToTheNewFileAndDropsTheOld)
{
    CProfile& ysolde = Ysolde();
    ASSERT_EQ(RenameProfile(list, ysolde, "Ysolde Dawn", folder.Path(), settings), "");
    // Until saved, the old file is still there and its name still taken.
    EXPECT_TRUE(fs::exists(folder / "Profiles/Ysolde.xml"));
    EXPECT_EQ(NewProfile(list, folder.Path(), "S").name, "New Profile");
    EXPECT_EQ(UniqueProfileName(list, "Ysolde", folder.Path()), "Ysolde 2");

    CScriptedPrompter prompter;
    ASSERT_TRUE(SaveChangedProfiles(list, folder.Path(), &prompter));
    EXPECT_FALSE(fs::exists(folder / "Profiles/Ysolde.xml"));
    EXPECT_EQ(ysolde.file, folder / "Profiles/Ysolde Dawn.xml");
    CProfile back;
    ReadProfile(back, ysolde.file);
    EXPECT_EQ(back.name, "Ysolde Dawn");
    EXPECT_TRUE(back.craftSkills == ysolde.craftSkills);
    EXPECT_TRUE(fs::exists(folder / "Profiles/New Profile.xml"));
}

TEST_F(CEditFixture, ValuesAndTheChangedFlag)
{
    CProfile& p = Ysolde();
    p.statistics = {{"Strength", 55}};
    p.craftLevels = {{"Bladesmith", 18, 2, 5}};
    p.adventureLevels = {{"Warden", 22}};
    p.adventureSkills = {{"Archery", 12}};

    // The same value again is no change.
    EXPECT_EQ(SetProfileValue(p, EProfileList::CraftSkills, 0, "40"), "");
    EXPECT_FALSE(p.changed);

    const std::string level = "Please enter a whole number from 0 up.";
    const std::string tiers = "Work tiers go from 1 to 10, and the lowest cannot be above the highest.";
    const struct
    {
        EProfileList list;
        ECraftField field;
        std::string text;
        std::string message;
    } cases[] = {
        {EProfileList::CraftSkills, ECraftField::Level, "", level},
        {EProfileList::CraftSkills, ECraftField::Level, "-1", level},
        {EProfileList::CraftSkills, ECraftField::Level, "12a", level},
        {EProfileList::CraftSkills, ECraftField::Level, "1 2", level},
        {EProfileList::Statistics, ECraftField::Level, "-", "Please enter a whole number."},
        {EProfileList::Statistics, ECraftField::Level, "--3", "Please enter a whole number."},
        {EProfileList::CraftLevels, ECraftField::WorkTierMin, "0", tiers},
        {EProfileList::CraftLevels, ECraftField::WorkTierMax, "11", tiers},
        {EProfileList::CraftLevels, ECraftField::WorkTierMin, "6", tiers},
        {EProfileList::CraftLevels, ECraftField::WorkTierMax, "1", tiers},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetProfileValue(p, c.list, 0, c.text, c.field), c.message) << c.text;
    EXPECT_FALSE(p.changed);
    EXPECT_TRUE(p.craftLevels[0] == (CCraftLevel{"Bladesmith", 18, 2, 5}));

    EXPECT_EQ(SetProfileValue(p, EProfileList::CraftSkills, 1, " 75 "), "");
    EXPECT_TRUE(p.changed);
    EXPECT_EQ(SkillLevel(p, "Tanning"), 75);
    EXPECT_EQ(SetProfileValue(p, EProfileList::Statistics, 0, "-3"), "");
    EXPECT_EQ(SetProfileValue(p, EProfileList::CraftLevels, 0, "19"), "");
    EXPECT_EQ(SetProfileValue(p, EProfileList::CraftLevels, 0, "5", ECraftField::WorkTierMin), "");
    EXPECT_EQ(SetProfileValue(p, EProfileList::CraftLevels, 0, "10", ECraftField::WorkTierMax), "");
    EXPECT_EQ(SetProfileValue(p, EProfileList::AdventureLevels, 0, "23"), "");
    EXPECT_EQ(SetProfileValue(p, EProfileList::AdventureSkills, 0, "99999999999"), "");
    EXPECT_EQ(p.statistics[0].value, -3);
    EXPECT_TRUE(p.craftLevels[0] == (CCraftLevel{"Bladesmith", 19, 5, 10}));
    EXPECT_EQ(p.adventureLevels[0].value, 23);
    EXPECT_EQ(p.adventureSkills[0].value, 2147483647); // saturates, never wraps
    // An index past the list changes nothing.
    EXPECT_EQ(SetProfileValue(p, EProfileList::CraftSkills, 9, "1"), "");
    EXPECT_EQ(p.craftSkills.size(), 2u);

    CProfile& journeyman = *list.profiles[1];
    EXPECT_NE(SetProfileValue(journeyman, EProfileList::CraftSkills, 0, "1"), "");
    EXPECT_FALSE(journeyman.changed);
}

TEST_F(CEditFixture, DeletingRemovesTheFileAndHandsOverCurrent)
{
    EXPECT_EQ(DeleteProfileQuestion(Ysolde()),
              "Do you want to delete the profile 'Amberlight:Ysolde'? Its file is deleted as well.");
    const fs::path file = Ysolde().file;
    EXPECT_EQ(DeleteProfile(list, Ysolde(), settings), "");
    EXPECT_FALSE(fs::exists(file));
    ASSERT_EQ(list.profiles.size(), 2u);
    // The template is never current: the next one is.
    EXPECT_EQ(list.current, list.profiles[1].get());
    EXPECT_EQ(settings.CurrentProfile, "Journeyman");
    EXPECT_EQ(settings.CurrentProfileType, "Default");

    // Default profiles stay, files and all.
    EXPECT_NE(DeleteProfile(list, *list.templateProfile, settings), "");
    EXPECT_EQ(list.profiles.size(), 2u);

    // A never saved profile has no file to remove; a non-current one leaves current alone.
    CProfile& fresh = NewProfile(list, folder.Path(), "S");
    EXPECT_EQ(DeleteProfile(list, fresh, settings), "");
    EXPECT_EQ(list.profiles.size(), 2u);
    EXPECT_EQ(settings.CurrentProfile, "Journeyman");
}

TEST_F(CEditFixture, AFileThatCannotBeDeletedKeepsTheProfile)
{
    // A folder in the file's place cannot be removed while it holds something.
    CProfile& p = Ysolde();
    p.file = folder / "Profiles/Busy.xml";
    folder.WriteFile("Profiles/Busy.xml/inside", "x");
    EXPECT_EQ(DeleteProfile(list, p, settings),
              "The file '" + p.file.native() + "' could not be deleted, the profile is kept.");
    EXPECT_EQ(list.profiles.size(), 3u);
    EXPECT_EQ(list.current, &p);
}

TEST_F(CEditFixture, MakeCurrentNamesTheProfileButNeverTheTemplate)
{
    MakeCurrent(list, list.profiles[1].get(), settings);
    EXPECT_EQ(settings.CurrentProfile, "Journeyman");
    MakeCurrent(list, list.templateProfile, settings);
    EXPECT_EQ(list.current, list.profiles[1].get());
    EXPECT_EQ(settings.CurrentProfileType, "Default");
}
