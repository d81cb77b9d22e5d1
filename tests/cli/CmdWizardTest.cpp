#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
struct CRun
{
    int status = -1;
    std::string out;
    std::string err;
};

class CliWizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyTree(SampleDataPath(), Data());
        fs::remove_all(Data() / "Cache"); // a developer's run may have left one
        // Templates that are not in the sample data: one that does not read, one whose sets
        // are unknown or match nothing.
        m_dir.WriteFile("data/Config/Wizards/broken.xml", "<wizard-school>Half</wizard-school>\n");
        m_dir.WriteFile("data/Config/Wizards/ghost.xml",
                        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<wizard>\n"
                        "\t<wizard-school>Ghost</wizard-school>\n\t<wizard-type>Craft</wizard-type>\n"
                        "\t<races>\n\t\t<race>Human</race>\n\t</races>\n\t<formulasets>\n"
                        "\t\t<formulaset>\n\t\t\t<formulaset-name>Nowhere Set</formulaset-name>\n\t\t</formulaset>\n"
                        "\t\t<formulaset>\n\t\t\t<formulaset-name>Bladesmith Arms</formulaset-name>\n"
                        "\t\t\t<formulaset-filter>zzz</formulaset-filter>\n\t\t</formulaset>\n"
                        "\t</formulasets>\n</wizard>\n");
        ::setenv("MOXA_SETTINGS", (m_dir / "settings.ini").c_str(), 1);
    }
    fs::path Data() const { return m_dir / "data"; }

    CRun Run(const std::string& args, const std::string& input = {}, const fs::path& folder = "/")
    {
        const fs::path in = m_dir.WriteFile("stdin.txt", input);
        const std::string command = "cd '" + folder.string() + "' && '" + std::string(MOXA_CLI) + "' --data-dir '" + Data().string() + "' " + args +
                                    " <'" + in.string() + "' 2>'" + (m_dir / "stderr.txt").string() + "'";
        const CCommandRun run = RunShellCommand(command);
        return {run.status, run.out, ReadFileBytes(m_dir / "stderr.txt")};
    }

    CTempDir m_dir;
};

const std::string Broken = "moxa-cli: The wizard template file 'broken.xml' cannot be used: it holds no wizard template.\n";
} // namespace

TEST_F(CliWizardTest, SampleTemplatesMakeTheGoldenOrders)
{
    const struct
    {
        const char* args;
        const char* golden;
        const char* out;
    } cases[] = {
        {"--template Bladesmith --profile Amberlight:Ysolde", "bladesmith-ysolde.xml",
         "Bladesmith (Craft): 17 items at Tier II to Tier V"},
        {"--template 'scribe (craft)' --race Human --level 12", "scribe-human-12.xml",
         "Scribe (Craft): 12 items at Tier III"},
        {"--template warden --profile Default:Journeyman", "warden-journeyman.xml",
         "Warden (Adventure): 12 items at Tier III"},
        {"--template Warden --race Khutit --level 20 --append example_order.xml", "warden-khutit-20-appended.xml",
         "Warden (Adventure): 11 items at Tier V"},
    };
    fs::copy_file(Data() / "Orders/example_order.xml", m_dir / "example_order.xml");
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const fs::path out = m_dir / c.golden;
        const CRun run = Run(std::string("wizard ") + c.args + " -o '" + out.string() + "'", {}, m_dir.Path());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, std::string(c.out) + " written to " + out.string() + "\n");
        EXPECT_EQ(run.err, Broken);
        EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(fs::path(MOXA_WIZARD_GOLDEN_DIR) / c.golden));
    }
    // "-o -": the same bytes on standard output, the summary on standard error.
    const CRun piped = Run(std::string("wizard ") + cases[0].args + " -o -", {}, m_dir.Path());
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, ReadFileBytes(fs::path(MOXA_WIZARD_GOLDEN_DIR) / cases[0].golden));
    EXPECT_EQ(piped.err, Broken + cases[0].out + " written to standard output\n");
}

TEST_F(CliWizardTest, TemplatesThatGiveNothingSayWhyAndWriteNothing)
{
    const struct
    {
        const char* args;
        int status;
        const char* err;
    } cases[] = {
        {"--template Ghost --race Human --level 5", 1,
         "moxa-cli: The template 'Ghost (Craft)' names the formula set 'Nowhere Set', which the database does not have.\n"
         "moxa-cli: No formula of the set 'Bladesmith Arms' matches 'zzz' at Tier II.\n"
         "moxa-cli: The template 'Ghost (Craft)' gives no formula at Tier II: no order was made.\n"},
        {"--template Nobody --race Human --level 5", 1,
         "moxa-cli: no wizard template 'Nobody' (templates: Bladesmith (Craft), Ghost (Craft), Scribe (Craft), "
         "Warden (Adventure))\n"},
        {"--template Bladesmith --race Elf --level 5", 1,
         "moxa-cli: the template 'Bladesmith (Craft)' is not for the race 'Elf' (races: Human, Khutit)\n"},
        {"--template Ghost --profile Amberlight:Ysolde", 1,
         "moxa-cli: the profile 'Amberlight:Ysolde' has no Craft level in 'Ghost'\n"},
        {"--template Bladesmith --profile Nowhere:Nobody", 1, "moxa-cli: no profile 'Nowhere:Nobody'\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const fs::path out = m_dir / "out.xml";
        const CRun run = Run(std::string("wizard ") + c.args + " -o '" + out.string() + "'");
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, Broken + c.err);
        EXPECT_FALSE(fs::exists(out));
    }
    EXPECT_EQ(Run("wizard --template Bladesmith --race Human -o x.xml").status, 2);
    const CRun level = Run("wizard --template Bladesmith --race Human --level 1000000 -o x.xml");
    EXPECT_EQ(level.status, 2);
    EXPECT_EQ(level.err, "moxa-cli: wizard: --level takes a whole number from 1 to 100, not '1000000'\n");
    EXPECT_EQ(Run("wizard --template Bladesmith --profile Default:Journeyman --race Human --level 3 -o x.xml").status,
              2);
}

TEST_F(CliWizardTest, AddListPutsTheItemsIntoTheOrderAndNamesTheRest)
{
    const fs::path order = m_dir / "order.xml";
    fs::copy_file(Data() / "Orders/example_order.xml", order);
    const CRun run = Run("order '" + order.string() + "' --add-list - --group Forge",
                         "3 x Ruddite Longblade\r\nTier iv longblade\r\nSmelted Ingot (Keen Edge V)\r\n"
                         "0/12 Blackpine Plank, \r\nRuddite Lonblade\r\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "These lines name no formula and were not added:\n"
                       "    Ruddite Lonblade\n\n"
                       "These techniques were not found or do not fit the item's tier, and were left out:\n"
                       "    Smelted Ingot (Keen Edge V): Keen Edge V\n\n"
                       "1 component lines of a report were left out.\n");
    const CRun read = Run("order '" + order.string() + "'");
    EXPECT_EQ(read.status, 0);
    const std::string tail = read.out.substr(read.out.find("item: 3 x Ruddite Longblade"));
    EXPECT_EQ(tail.substr(0, tail.find("acquired:")),
              "item: 3 x Ruddite Longblade\n  group: Forge\n  formula: Longblade\n  category: Bladesmith\n"
              "  tier: Tier II\n  batches: 3\n"
              "item: 1 x Duskiron Longblade\n  group: Forge\n  formula: Longblade\n  category: Bladesmith\n"
              "  tier: Tier IV\n  batches: 1\n"
              "item: 2 x Palecopper Ingot\n  group: Forge\n  formula: Smelted Ingot\n  category: Resources\n"
              "  tier: Tier I\n  batches: 1\n");
    EXPECT_NE(read.out.find("group: Forge\n"), std::string::npos);
}

// "-" is standard output and input everywhere, and with "-" no file is written at all: not
// even a scratch one (the order still comes out where no file may grow).
TEST_F(CliWizardTest, DashMeansTheStandardStreamsAndWritesNoFile)
{
    const fs::path order = Data() / "Orders/example_order.xml";
    const fs::path copy = m_dir / "copy.xml";
    const CRun toFile = Run("order '" + order.string() + "' --save-as '" + copy.string() + "'");
    ASSERT_EQ(toFile.status, 0);
    const CRun toOut = Run("order '" + order.string() + "' --save-as -", {}, m_dir.Path());
    EXPECT_EQ(toOut.status, 0);
    EXPECT_EQ(toOut.out, ReadFileBytes(copy));
    EXPECT_EQ(toOut.err, toFile.out);

    const fs::path list = m_dir.WriteFile("list.txt", "3 x Ruddite Longblade\n");
    const CRun added = Run("order - --add-list '" + list.string() + "'", ReadFileBytes(order), m_dir.Path());
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(added.out.rfind("<?xml", 0), 0u);
    EXPECT_NE(Run("order -", added.out).out.find("item: 3 x Ruddite Longblade\n  group: Pasted Items\n"),
              std::string::npos);
    EXPECT_EQ(Run("order - --add-list -", ReadFileBytes(order)).status, 2);
    EXPECT_FALSE(fs::exists(m_dir / "-"));

    const CCommandRun limited =
        RunShellCommand("ulimit -f 0 && cd '" + m_dir.Path().string() + "' && '" + MOXA_CLI + "' --data-dir '" +
                        Data().string() + "' wizard --template Bladesmith --profile Amberlight:Ysolde -o - 2>/dev/null");
    EXPECT_EQ(limited.status, 0);
    EXPECT_EQ(limited.out, ReadFileBytes(fs::path(MOXA_WIZARD_GOLDEN_DIR) / "bladesmith-ysolde.xml"));
}

// Two programs adding lists to one order at once: both succeed and both lists are in it.
TEST_F(CliWizardTest, ListsAddedAtOnceAreAllKept)
{
    const fs::path example = Data() / "Orders/example_order.xml";
    const fs::path order = m_dir / "order.xml";
    const fs::path list = m_dir.WriteFile("list.txt", "3 x Ruddite Longblade\n");
    ASSERT_EQ(Run("order '" + example.string() + "'").status, 0); // the cache, before the race
    const auto add = [&](const char* group)
    {
        return "'" + std::string(MOXA_CLI) + "' --data-dir '" + Data().string() + "' order '" + order.string() +
               "' --add-list '" + list.string() + "' --group " + group + " >/dev/null 2>&1";
    };
    for (int round = 0; round < 10; ++round)
    {
        SCOPED_TRACE(round);
        fs::copy_file(example, order, fs::copy_options::overwrite_existing);
        const CCommandRun both = RunShellCommand(add("First") + " & a=$!; " + add("Second") +
                                                 " & b=$!; wait $a; x=$?; wait $b; echo $x$?");
        EXPECT_EQ(both.out, "00\n");
        const std::string listing = Run("order '" + order.string() + "'").out;
        EXPECT_NE(listing.find("item: 3 x Ruddite Longblade\n  group: First\n"), std::string::npos);
        EXPECT_NE(listing.find("item: 3 x Ruddite Longblade\n  group: Second\n"), std::string::npos);
    }
}
