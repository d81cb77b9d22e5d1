#include "support/RunCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
const fs::path Golden = MOXA_ORDER_GOLDEN_DIR;

// The forge order of the golden tests: Home:Smith (Smithing 25, Smelting 10) and an
// apprentice (5 and 0). Iron Bar, 2 a batch: Iron Ore (Smith 2, apprentice 3) and Salt & Ash 1.
class CliCostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyTree(Golden / "forge-subcomponents" / "data", m_dir / "data");
        m_order = (Golden / "forge-subcomponents" / "order.xml").string();
        const fs::path smith = m_dir / "data" / "Profiles" / "Smith.xml";
        std::string apprentice = ReadFileBytes(smith);
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"Smith<", "Apprentice<"},
                                       {"\"25\"", "\"5\""},
                                       {"\"10\"", "\"0\""}})
            apprentice.replace(apprentice.find(from), from.size(), to);
        m_dir.WriteFile("data/Profiles/Apprentice.xml", apprentice);
    }

    CCommandRun Run(const std::string& args)
    {
        return RunShellCommand("MOXA_SETTINGS='" + (m_dir / "settings.ini").string() + "' '" +
                               MOXA_CLI + "' --data-dir '" + (m_dir / "data").string() + "' " +
                               args + " 2>&1");
    }

    CTempDir m_dir;
    std::string m_order;
};
} // namespace

TEST_F(CliCostTest, PlanAndProfitUseThePriceListInEffect)
{
    const std::string prices = (m_dir / "data" / "Prices.csv").string();
    m_dir.WriteFile("data/Prices.csv",
                    "name,price\nIron Ore,0.40\nSalt & Ash,0.10\nOil,2\nBogus,abc\nNails,0.30\n");
    const std::string other =
        m_dir.WriteFile("other.csv", "Iron Bar,0.40\nSalt & Ash,0.10\nIron Ore,0.40\n").string();
    const std::string warning =
        "moxa-cli: " + prices + ":5: 'abc' is not a price in coins (such as 12 or 3.50); skipped\n";
    const std::string plan = "plan '" + m_order + "' --profile Home:Smith ";
    // Iron Bar: (2 x 0.40 + 0.10) / 2 for the smith, (3 x 0.40 + 0.10) / 2 for the apprentice.
    const std::string crafted =
        "kind,name,need,acquired,remaining,batches,made,leftover,depth,crafter,unit_cost,cost\n"
        "craft,Iron Bar,23,5,18,9,18,0,1,Home:Smith,0.4500,\n"
        "gather,Iron Ore,18,100,0,,,,2,,0.4000,0.00\n"
        "gather,Oil,6,6,0,,,,1,,2.0000,0.00\n"
        "gather,Salt & Ash,17,0,17,,,,2,,0.1000,1.70\n"
        "total,,,,,,,,,,,1.70\n";
    const struct
    {
        std::string args;
        int status;
        std::string output;
    } cases[] = {
        {plan + "--format csv", 0, warning + crafted},
        {plan + "--format csv --characters all", 0, warning + crafted},
        // Bought at 0.40: its ore goes, the nails' own salt stays (at the depth of the path through
        // Iron Bar).
        {plan + "--format csv --prices '" + other + "'", 0,
         "kind,name,need,acquired,remaining,batches,made,leftover,depth,crafter,unit_cost,cost\n"
         "buy,Iron Bar,23,5,18,,,,1,,0.4000,7.20\n"
         "gather,Oil,6,6,0,,,,1,,,0.00\n"
         "gather,Salt & Ash,8,0,8,,,,2,,0.1000,0.80\n"
         "total,,,,,,,,,,,8.00\n"},
        {plan + "--format csv --prices - < '" + other + "'", 0,
         "kind,name,need,acquired,remaining,batches,made,leftover,depth,crafter,unit_cost,cost\n"
         "buy,Iron Bar,23,5,18,,,,1,,0.4000,7.20\n"
         "gather,Oil,6,6,0,,,,1,,,0.00\n"
         "gather,Salt & Ash,8,0,8,,,,2,,0.1000,0.80\n"
         "total,,,,,,,,,,,8.00\n"},
        // No prices: the plan as it always was; the first character crafts with its own units.
        {plan + "--no-prices", 0,
         "30\tCraft|Need|Acquired|Remaining|Batches|Made|Leftover|Depth\n"
         "31\tIron Bar|23|5|18|9|18|0|1\n"
         "30\tGather|Need|Acquired|Remaining||||Depth\n"
         "31\tIron Ore|18|100|0||||2\n"
         "32\tOil|6|6|0||||1\n"
         "31\tSalt & Ash|17|0|17||||2\n"},
        {plan + "--no-prices --format csv --characters Home:Apprentice,Home:Smith", 0,
         "moxa-cli: plan: without prices the characters cannot be told apart; the first crafts "
         "every step\n"
         "kind,name,need,acquired,remaining,batches,made,leftover,depth\n"
         "craft,Iron Bar,23,5,18,9,18,0,1\n"
         "gather,Iron Ore,27,100,0,,,,2\n"
         "gather,Oil,6,6,0,,,,1\n"
         "gather,Salt & Ash,17,0,17,,,,2\n"},
        // Nails <Box> & Co: 6 Oil, 18 Iron Bars, 6 Salt & Ash for 30; Nails: 5 and 2 for 10.
        {"profit '" + m_order + "' --profile Home:Smith --format csv", 0,
         warning + "name,made,unit_cost,price,margin\n"
                   "Nails <Box> & Co,30,0.6900,,\n"
                   "Nails,10,0.2450,0.30,0.0550\n"},
        {plan + "--prices '" + other + "' --no-prices", 2,
         "moxa-cli: plan: --prices and --no-prices cannot go together\n"},
        {plan + "--prices '" + (m_dir / "none.csv").string() + "'", 1,
         "moxa-cli: cannot read the price list '" + (m_dir / "none.csv").string() + "'\n"},
        {plan + "--characters Home:Smith,Home:Nobody", 2,
         "moxa-cli: plan: no profile 'Home:Nobody'\n"},
        {"profit - --prices - < '" + m_order + "'", 2,
         "moxa-cli: profit: the order and the price list cannot both come from standard input\n"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args);
        const CCommandRun run = Run(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, c.output);
    }
}
