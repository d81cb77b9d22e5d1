#pragma once

#include "cli/CliContext.h"
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

// False with the exit status set when the arguments are bad.
bool ParseReportArgs(const std::string& command, const CommandArgs& args, CReportArgs& parsed,
                     int& status);
// Loads settings, database and order, then resolves the profile (the last --profile, the
// current one, or none) and the selection. False with the exit status set on failure.
bool LoadReportSession(CSession& session, const std::string& command, CReportArgs& parsed,
                       int& status);
const CProfile* FindProfileArg(CSession& session, const std::string& label);

// "moxa-cli: MESSAGE" on standard error; returns 2.
int Usage(const std::string& message);
// Standard output, or the file (atomically) when one is named.
bool WriteOutput(const std::string& bytes, const std::string& file);
