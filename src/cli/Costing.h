#pragma once

#include "cli/CommandLine.h"
#include "cli/ReportArgs.h"
#include "order/CostPlan.h"
#include "order/Prices.h"

#include <string>
#include <vector>

class CSession;

// The price and character options of "plan" and "profit".
namespace CostingOptions
{
inline const COptionSpec Prices = {
    "--prices", "FILE",
    "the price list, CSV 'name,price' ('-': standard input; default: Prices.csv "
    "of the data folder, when there is one)"};
inline const COptionSpec NoPrices = {"--no-prices", "", "use no price list"};
inline const COptionSpec Characters = {
    "--characters", "LIST",
    "who may craft each step: SERVER:NAME,SERVER:NAME,... or 'all' (every "
    "profile but the template; default: the plan's profile)"};
inline const std::string ExitCodes =
    "  0  printed\n"
    "  1  no database was loaded, the order file does not exist, cannot be read or is\n"
    "     damaged, the price list does not exist or cannot be read, or the output cannot\n"
    "     be written\n"
    "  2  bad usage";
// A command's own options, then the price and character options, --format and -o.
inline std::vector<COptionSpec> With(std::vector<COptionSpec> own)
{
    own.insert(own.end(), {Prices, NoPrices, Characters,
                           {"--format", "FORMAT", "output format", ReportChoices::PlanFormats, "grid"},
                           ReportChoices::Output});
    return own;
}
} // namespace CostingOptions

// Reads the price list in effect into prices (warnings on standard error) and resolves the
// characters; costing then points at prices. False with the exit status set on failure.
bool LoadCosting(CSession& session, const std::string& command, const CParsedArgs& args,
                 const CReportArgs& parsed, CPriceList& prices, CPlanCosting& costing, int& status);
