#pragma once

#include "cli/CliContext.h"
#include "cli/CommandLine.h"
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

// The shared parser has already checked the choices and operand counts.
void ParseReportArgs(const CParsedArgs& args, CReportArgs& parsed);
// Loads settings, database and order, then resolves the profile (the last --profile, the
// current one, or none) and the selection. False with the exit status set on failure.
bool LoadReportSession(CSession& session, const std::string& command, CReportArgs& parsed,
                       int& status);
const CProfile* FindProfileArg(CSession& session, const std::string& label);

// Standard output for none or "-", else the file (atomically).
bool WriteOutput(const std::string& bytes, const std::string& file);

int CmdPlan(CCliContext& context, const CParsedArgs& args);
int CmdCompare(CCliContext& context, const CParsedArgs& args);
