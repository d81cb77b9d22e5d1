#include "base/Messages.h"
#include "base/NumberText.h"
#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace fs = std::filesystem;

namespace
{
const fs::path Golden = MOXA_ORDER_GOLDEN_DIR;

using CRun = CCommandRun;

class CliReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyTree(Golden / "forge-subcomponents" / "data", m_dir / "data");
        m_order = (Golden / "forge-subcomponents" / "order.xml").string();
    }

    // moxa-cli with settings of its own; standard error joins the output when asked.
    CRun Run(const std::string& args, bool withErrors = false)
    {
        const std::string command = "MOXA_SETTINGS='" + (m_dir / "settings.ini").string() + "' '" + MOXA_CLI +
                                    "' --data-dir '" + (m_dir / "data").string() + "' " + args +
                                    (withErrors ? " 2>&1" : " 2>/dev/null");
        return RunShellCommand(command);
    }

    std::string Report(const std::string& options) { return Run("report '" + m_order + "' " + options).out; }

    // Standard error alone, after what the shell puts before the command (a pipe, say).
    CRun Errors(const std::string& args, const std::string& before = "")
    {
        return RunShellCommand(before + "MOXA_SETTINGS='" + (m_dir / "settings.ini").string() + "' '" + MOXA_CLI +
                               "' --data-dir '" + (m_dir / "data").string() + "' " + args + " 2>&1 >/dev/null");
    }

    CTempDir m_dir;
    std::string m_order;
};
} // namespace

TEST_F(CliReportTest, PrintsTheGoldenReportsInEveryFormat)
{
    const fs::path forge = Golden / "forge-subcomponents";
    const std::string sub = "--breakdown subcomponents --profile Home:Smith ";
    EXPECT_EQ(Report(sub), ReadFileBytes(forge / "grid.txt"));
    EXPECT_EQ(Report(sub + "--content order-comps --sort name --bonuses direct --format grid"),
              ReadFileBytes(forge / "grid.txt"));
    EXPECT_EQ(Report(sub + "--format clipboard"), ReadFileBytes(forge / "clipboard.txt"));
    EXPECT_EQ(Report(sub + "--format html -o '" + (m_dir / "page.htm").string() + "'"), "");
    EXPECT_EQ(ReadFileBytes(m_dir / "page.htm"), ReadFileBytes(forge / "page.htm"));

    const fs::path bonuses = Golden / "bonuses-indirect";
    EXPECT_EQ(Report("--content bonuses --sort quantity --bonuses indirect --no-profile"),
              ReadFileBytes(bonuses / "grid.txt"));
    EXPECT_EQ(Report("--content bonuses --sort quantity --bonuses indirect --format html"),
              ReadFileBytes(bonuses / "page.htm"));
    EXPECT_EQ(Report("--content bonuses --sort quantity --bonuses indirect --format csv"),
              "name,acquired,needed,kind,detail,depth\nStrength,,26,bonus,Direct,\nFocus,,4,bonus,Direct,\n"
              "Might,,2,bonus,Both,\n");

    const fs::path base = Golden / "base-resources-selected";
    const std::string selected = "--content components --breakdown base --sort quantity --profile Home:Smith "
                                 "--select 'Nails <Box> & Co' ";
    EXPECT_EQ(Report(selected), ReadFileBytes(base / "grid.txt"));
    EXPECT_EQ(Report(selected + "--format clipboard"), ReadFileBytes(base / "clipboard.txt"));
    EXPECT_EQ(Report(selected + "--format json"),
              "{\n  \"title\": \"Reports - 1 of 2 Selected\",\n  \"rows\": [\n"
              "    {\"name\": \"Iron Ore\", \"acquired\": 18, \"needed\": 18, \"kind\": \"component\", \"detail\": \"Done\", \"depth\": 0},\n"
              "    {\"name\": \"Salt & Ash\", \"acquired\": 0, \"needed\": 15, \"kind\": \"component\", \"detail\": \"\", \"depth\": 0},\n"
              "    {\"name\": \"Oil\", \"acquired\": 6, \"needed\": 6, \"kind\": \"component\", \"detail\": \"Done\", \"depth\": 0}\n"
              "  ]\n}\n");
}

// Options as "--name value" or "--name=value", "-" for standard input and output, and errors
// that name the wrong value.
TEST_F(CliReportTest, FollowsTheCommandLineConventions)
{
    const std::string csv = Report("--breakdown subcomponents --format csv");
    ASSERT_EQ(csv.substr(0, 39), "name,acquired,needed,kind,detail,depth\n");
    EXPECT_EQ(Report("--breakdown=subcomponents --format=csv"), csv);
    EXPECT_EQ(Run("report - --breakdown subcomponents --format csv -o - < '" + m_order + "'").out, csv);
    // -o FILE is also -oFILE, --output FILE and --output=FILE.
    const std::string file = (m_dir / "out.csv").string();
    for (const std::string& output : {"-o'" + file + "'", "--output '" + file + "'", "--output='" + file + "'"})
    {
        SCOPED_TRACE(output);
        fs::remove(file);
        EXPECT_EQ(Report("--breakdown subcomponents --format csv " + output), "");
        EXPECT_EQ(ReadFileBytes(file), csv);
    }
    EXPECT_EQ(Run("-V").out, "Moxa v2.27\n");

    const std::string missing = (m_dir / "missing.xml").string();
    const struct
    {
        std::string args;
        int status;
        std::string output;
    } cases[] = {
        {"report '" + m_order + "' --format xml", 2, "moxa-cli: unknown format 'xml' (grid, clipboard, html, csv, json)\n"},
        {"report '" + m_order + "' --sort=size", 2, "moxa-cli: unknown sort 'size' (name, quantity)\n"},
        {"report '" + m_order + "' --format", 2,
         "moxa-cli: report: --format needs FORMAT (grid, clipboard, html, csv, json)\n"},
        {"report '" + m_order + "' --colour red", 2,
         "moxa-cli: report: unknown option '--colour' (see moxa-cli report --help)\n"},
        {"report '" + m_order + "' --open=yes --format html", 2, "moxa-cli: report: --open takes no value\n"},
        {"order '" + m_order + "' -oout.xml", 2,
         "moxa-cli: order: unknown option '-oout.xml' (see moxa-cli order --help)\n"},
        {"report", 2, "moxa-cli: report needs ORDER.xml (see moxa-cli report --help)\n"},
        {"report '" + missing + "'", 1, "moxa-cli: the order file '" + missing + "' does not exist\n"},
        {"report - < /dev/null", 1, "Sorry, Moxa doesn't support this version of the order file\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const CRun run = Run(c.args, true);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.output);
    }
    for (const char* command : {"version", "update", "settings", "install-update", "load", "formula", "report",
                                "plan", "compare", "profit", "order", "wizard", "generate"})
    {
        SCOPED_TRACE(command);
        const CRun help = Run(std::string(command) + " --help");
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.find("Usage: moxa-cli [--data-dir DIR] [--yes] " + std::string(command)), 0u);
        EXPECT_NE(help.out.find("\nExit status:\n  0  "), std::string::npos);
    }
}

TEST_F(CliReportTest, CsvListsItemsAndSubcomponents)
{
    EXPECT_EQ(Report("--breakdown subcomponents --profile Home:Smith --format csv"),
              "name,acquired,needed,kind,detail,depth\n"
              "Nails <Box> & Co,,3,item,Quench I,\n"
              "Nails,,1,item,,\n"
              "Iron Bar,5,23,component,,\n"
              "Iron Ore,24,24,subcomponent,,1\n"
              "Salt & Ash,0,12,subcomponent,,1\n"
              "Oil,6,6,component,Done,\n"
              "Salt & Ash,0,8,component,,\n");
}

TEST_F(CliReportTest, RefusesBadOrdersAndOptions)
{
    const auto bad = m_dir.WriteFile("bad.xml", "<order>\n<order-format>2.0</order-format>\n</order>\n");
    const CRun run = Run("report '" + bad.string() + "'", true);
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.out, "Sorry, Moxa doesn't support this version of the order file\n");
    EXPECT_NE(Run("report '" + (m_dir / "none.xml").string() + "'").status, 0);
    EXPECT_NE(Run("order '" + bad.string() + "'").status, 0);
    for (const char* options : {"--content all", "--format pdf", "--sort", "--profile Nobody:Here", "--select Hammer",
                                "--open"})
    {
        const CRun refused = Run("report '" + m_order + "' " + options);
        EXPECT_EQ(refused.status, 2) << options;
        EXPECT_EQ(refused.out, "") << options;
    }
}

TEST_F(CliReportTest, OrderPrintsAndSavesTheExactBytes)
{
    const fs::path out = m_dir / "saved.xml";
    const CRun run = Run("order '" + m_order + "' --save-as '" + out.string() + "'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "file: " + m_order + "\n"
                       "group: Tools\n"
                       "item: 30 x Nails <Box> & Co\n"
                       "  group: Tools\n  formula: Nail\n  category: Smithing\n  tier: Tier I\n  batches: 3\n"
                       "  technique: Quench; tier=Tier I\n"
                       "item: 10 x Nails\n"
                       "  group: Tools\n  formula: Nail\n  category: Smithing\n  tier: Tier I\n  batches: 1\n"
                       "acquired: Iron Bar=5\nacquired: Iron Ore=100\nacquired: Oil=6\n");
    EXPECT_EQ(ReadFileBytes(out), ReadFileBytes(m_order));
    EXPECT_EQ(Run("order '" + m_order + "' --save-as '" + (m_dir / "no" / "x.xml").string() + "'").status, 1);
}

// Output that cannot be written is a failure that says why, never an exit 0.
TEST_F(CliReportTest, AFullStandardOutputIsAnError)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const struct
    {
        std::string args;
        std::string err;
    } cases[] = {
        {"report '" + m_order + "'", "moxa-cli: cannot write to standard output: No space left on device\n"},
        {"--version", "moxa-cli: write error: No space left on device\n"},
        {"order '" + m_order + "'", "moxa-cli: write error: No space left on device\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const CRun run = RunShellCommand("MOXA_SETTINGS='" + (m_dir / "settings.ini").string() + "' '" + MOXA_CLI +
                                         "' --data-dir '" + (m_dir / "data").string() + "' " + c.args +
                                         " 2>&1 >/dev/full");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, c.err);
    }
}

// A file that cannot grow (a full disk; here a file-size limit) names the system's reason,
// also where the save first makes a lock file beside its target.
TEST_F(CliReportTest, ASaveThatCannotGrowNamesTheReason)
{
    const std::string order = (m_dir / "order.xml").string();
    fs::copy_file(m_order, order);
    const std::string list = m_dir.WriteFile("list.txt", "1 x Iron Bar\n").string();
    const std::string csv = (m_dir / "out.csv").string();
    const struct
    {
        std::string args;
        std::string err;
    } cases[] = {
        {"report '" + m_order + "' -o '" + csv + "'", "moxa-cli: cannot write '" + csv + "': File too large\n"},
        {"order '" + order + "' --add-list '" + list + "'", "moxa-cli: cannot write '" + order + "': File too large\n"},
        {"settings IconSize 32", "moxa-cli: the setting could not be stored: File too large\n"},
    };
    ASSERT_EQ(Run("load").status, 0); // the cache, before the limit
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const CRun run = Errors(c.args, "trap '' XFSZ; ulimit -f 0; ");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, c.err);
    }
    EXPECT_EQ(ReadFileBytes(order), ReadFileBytes(m_order));
    EXPECT_FALSE(fs::exists(csv));
    EXPECT_FALSE(fs::exists(m_dir / "settings.ini"));
}

TEST_F(CliReportTest, PlanAndCompareTakeTheReportsOptions)
{
    const fs::path smith = m_dir / "data" / "Profiles" / "Smith.xml";
    std::string apprentice = ReadFileBytes(smith);
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"Smith<", "Apprentice<"}, {"\"25\"", "\"5\""}, {"\"10\"", "\"0\""}})
        apprentice.replace(apprentice.find(from), from.size(), to);
    m_dir.WriteFile("data/Profiles/Apprentice.xml", apprentice);
    // Iron Bar 23 less 5 acquired: 9 batches of 2; Iron Ore 2 a batch is covered by the 100 held.
    EXPECT_EQ(Run("plan '" + m_order + "' --profile Home:Smith").out,
              "30\tCraft|Need|Acquired|Remaining|Batches|Made|Leftover|Depth\n"
              "31\tIron Bar|23|5|18|9|18|0|1\n"
              "30\tGather|Need|Acquired|Remaining||||Depth\n"
              "31\tIron Ore|18|100|0||||2\n"
              "32\tOil|6|6|0||||1\n"
              "31\tSalt & Ash|17|0|17||||2\n");
    EXPECT_EQ(Run("plan '" + m_order + "' --profile Home:Apprentice --select Nails --by-location --format csv").out,
              "kind,name,need,acquired,remaining,batches,made,leftover,depth,location,locations,gathered_with\n"
              "craft,Iron Bar,6,5,1,1,2,1,1,,,\n"
              "gather,Iron Ore,3,100,0,,,,2,Not gathered,0,\n"
              "gather,Salt & Ash,3,0,3,,,,2,Not gathered,0,\n");
    // Every profile by default; the apprentice needs 24 - 5 Iron Bars: 10 batches, Salt & Ash 10 + 8.
    EXPECT_EQ(Run("compare '" + m_order + "'").out, "30\tGather|Home:Apprentice|Home:Smith\n"
                                                    "31\tIron Ore|0 *|0 *\n"
                                                    "32\tOil|0 *|0 *\n"
                                                    "31\tSalt & Ash|18|17 *\n"
                                                    "33\tTotal|18|17 *\n"
                                                    "30\tItem|Home:Apprentice|Home:Smith\n"
                                                    "31\tNails <Box> & Co|24 (Too Low) *|24 (16%) *\n"
                                                    "32\tNails|8 (Too Low)|7 (50%) *\n");
    for (const char* options : {"plan --content order", "plan --format html", "plan --open", "compare --no-profile",
                                "compare --by-location", "compare --profile Nobody:Here"})
    {
        std::string command = options;
        command.insert(command.find(' '), " '" + m_order + "'");
        EXPECT_EQ(Run(command).status, 2) << options;
    }
}

// Inputs that never end stop at the size limit, and inputs that are no order or list say
// what they are; nothing is saved.
TEST_F(CliReportTest, EndlessAndOddInputsAreRefusedWithTheirReason)
{
    const std::string order = (m_dir / "order.xml").string();
    fs::copy_file(m_order, order);
    const std::string folder = m_dir.Path().string();
    const auto utf16 = m_dir.WriteFile("utf16.txt", std::string("\xFF\xFEN\0a\0i\0l\0s\0\n\0", 14));
    const struct
    {
        std::string args;
        std::string output;
    } cases[] = {
        {"order /dev/zero", "moxa-cli: the order file '/dev/zero' is too large (more than 256 MB)\n"},
        {"order - < /dev/zero", "moxa-cli: the order file '-' is too large (more than 256 MB)\n"},
        {"order '" + folder + "'", "moxa-cli: the order file '" + folder + "' is a folder, not a file\n"},
        {"order '" + order + "' --add-list /dev/zero", "moxa-cli: the list file '/dev/zero' is too large (more than 16 MB)\n"},
        {"order '" + order + "' --add-list '" + utf16.string() + "'", "moxa-cli: " + std::string(Messages::PasteUtf16) + "\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const CRun run = Errors(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, c.output);
    }
    // A pipe that never ends.
    const CRun piped = Errors("order -", "yes '<item>' | ");
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.out, "moxa-cli: the order file '-' is too large (more than 256 MB)\n");
    EXPECT_EQ(ReadFileBytes(order), ReadFileBytes(m_order));
}

// Without a database an order cannot be judged: a save would drop every acquired count as
// needed by nothing, and a report would be empty. Neither happens.
TEST_F(CliReportTest, WithoutADatabaseNothingIsReportedOrSaved)
{
    fs::remove_all(m_dir / "data" / "Config" / "Crafts");
    fs::remove_all(m_dir / "data" / "Cache");
    const std::string order = (m_dir / "order.xml").string();
    fs::copy_file(m_order, order);
    const std::string crafts = (m_dir / "data" / "Config" / "Crafts").string();
    const std::string reason = Format(Messages::NoFormulaFiles, crafts.c_str()) +
                               "\nmoxa-cli: no database is loaded, so nothing is reported or saved\n";
    for (const std::string& args : {"order '" + order + "' --save-as '" + order + "'", "report '" + order + "'",
                                    "plan '" + order + "'", "compare '" + order + "'"})
    {
        SCOPED_TRACE(args);
        const CRun run = Run(args, true);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, reason);
    }
    EXPECT_EQ(ReadFileBytes(order), ReadFileBytes(m_order));
    EXPECT_FALSE(fs::exists(m_dir / "data" / "Cache" / "config.dat"));
}

// An order file cut short is reported as damaged, and the command line saves over it only
// with --yes.
TEST_F(CliReportTest, ADamagedOrderIsReportedAndKeptUnlessAnswered)
{
    const std::string whole = ReadFileBytes(m_order);
    const std::string cut = whole.substr(0, whole.find("\t<item>\n\t\t<item-name>Nails</item-name>"));
    const std::string order = m_dir.WriteFile("cut.xml", cut).string();
    const std::string damaged = Format(Messages::OrderFileDamaged, order.c_str()) + "\n";
    const CRun read = Run("order '" + order + "'");
    EXPECT_EQ(read.status, 1);
    EXPECT_NE(read.out.find("item: 30 x Nails <Box> & Co\n"), std::string::npos);
    EXPECT_EQ(read.out.find("item: 10 x Nails\n"), std::string::npos);
    EXPECT_EQ(Errors("order '" + order + "'").out, damaged);
    const CRun report = Run("report '" + order + "'", true);
    EXPECT_EQ(report.status, 1);
    EXPECT_EQ(report.out, damaged);

    const std::string question = Format(Messages::OrderDamagedSaveQuestion, order.c_str());
    const CRun kept = Errors("order '" + order + "' --save-as '" + order + "'");
    EXPECT_EQ(kept.status, 1);
    EXPECT_EQ(kept.out, damaged + question + " [no]\nmoxa-cli: '" + order + "' is left as it was\n");
    EXPECT_EQ(ReadFileBytes(order), cut);
    EXPECT_EQ(Run("--yes order '" + order + "' --save-as '" + order + "'").status, 1);
    EXPECT_EQ(Run("order '" + order + "'").status, 0);
}

// compare leaves out a profile whose file gave none, and says when none is left.
TEST_F(CliReportTest, CompareLeavesOutProfilesThatCannotBeRead)
{
    const fs::path broken = m_dir.WriteFile("data/Profiles/Broken.xml", "<settings>\n</settings>\n");
    const CRun run = Run("compare '" + m_order + "'", true);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')),
              "moxa-cli: compare: the profile file '" + broken.string() + "' holds no profile; it is left out\n30");
    EXPECT_NE(run.out.find("\n31\tSalt & Ash|17 *\n"), std::string::npos);

    fs::remove(m_dir / "data" / "Profiles" / "Smith.xml");
    const CRun none = Run("compare '" + m_order + "' --format csv", true);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "moxa-cli: compare: the profile file '" + broken.string() +
                            "' holds no profile; it is left out\nmoxa-cli: compare: there is no profile to compare\n");
}
