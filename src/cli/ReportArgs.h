#pragma once

#include "cli/CliContext.h"
#include "cli/CommandLine.h"
#include "order/Order.h"
#include "order/Report.h"

#include <string>
#include <vector>

class CSession;

// The options of "report", "plan" and "compare", read by one parser so that they take
// options alike.
struct CReportArgs
{
    std::string orderFile;
    std::string output;
    std::string format = "grid";
    std::vector<std::string> profiles; // "SERVER:NAME", as given
    std::vector<std::string> selected;
    bool noProfile = false;
    bool open = false;
    bool byLocation = false;
    CReportRequest request;
};

// The choices of the options, in the order of the enums they stand for. Inline, so that
// they are there before the command descriptions that copy them.
namespace ReportChoices
{
inline const std::vector<std::string> Contents = {"order-comps", "order", "components", "bonuses"};
inline const std::vector<std::string> Breakdowns = {"components", "subcomponents", "base"};
inline const std::vector<std::string> Sorts = {"name", "quantity"};
inline const std::vector<std::string> Bonuses = {"direct", "indirect"};
inline const std::vector<std::string> Formats = {"grid", "clipboard", "html", "csv", "json"};
// "plan" and "compare" print tables of their own: no clipboard text or page.
inline const std::vector<std::string> PlanFormats = {"grid", "csv", "json"};
// What report, plan and compare share in their descriptions.
inline const COptionSpec Output = {"-o", "FILE", "write to FILE, atomically ('-': standard output, the default)"};
inline const std::string ExitCodes = "  0  printed\n"
                                     "  1  no database was loaded, the order file does not exist, cannot be read or is\n"
                                     "     damaged, or the output cannot be written\n"
                                     "  2  bad usage";
} // namespace ReportChoices

// The shared parser has already checked the choices and operand counts.
void ParseReportArgs(const CParsedArgs& args, CReportArgs& parsed);
// Loads settings, database and order, then resolves the profile (the last --profile, the
// current one, or none) and the selection. False with the exit status set on failure.
bool LoadReportSession(CSession& session, const std::string& command, CReportArgs& parsed,
                       int& status);
const CProfile* FindProfileArg(CSession& session, const std::string& label);

// Loads settings and database as the program does at start-up; nothing is saved. False,
// with the reason printed, when no database was loaded: nothing may then be reported or
// saved (an order saved against no database would lose its acquired counts).
bool LoadSession(CSession& session);
// Reads the order file ("-" is standard input), printing what went wrong; a damaged
// file's order holds what came before the damage.
COrderRead ReadOrder(CSession& session, const std::string& file);

// Standard output for none or "-", else the file (atomically).
bool WriteOutput(const std::string& bytes, const std::string& file);

int CmdPlan(CCliContext& context, const CParsedArgs& args);
int CmdCompare(CCliContext& context, const CParsedArgs& args);
