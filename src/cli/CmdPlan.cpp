// "plan" and "compare": what is left to make and gather, and which character does it cheapest.
#include "cli/Commands.h"
#include "cli/ReportArgs.h"
#include "order/Plan.h"
#include "order/PlanExport.h"
#include "order/ReportGrid.h"
#include "platform/QtImageDecoder.h"
#include "session/Session.h"

#include <cstdio>

int CmdPlan(CCliContext& context, const CParsedArgs& args)
{
    CReportArgs parsed;
    ParseReportArgs(args, parsed);
    int status = 0;
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    if (!LoadReportSession(session, "plan", parsed, status))
        return status;
    const CReportRequest& request = parsed.request;
    const CPlan plan =
        ComputePlan(*request.db, *request.order, SelectedItems(*request.order, request.selection),
                    request.profile);
    std::vector<CLocationGroup> groups;
    if (parsed.byLocation)
        groups = GroupByLocation(*request.db, plan);
    const std::vector<CLocationGroup>* byLocation = parsed.byLocation ? &groups : nullptr;
    std::string bytes;
    if (parsed.format == "csv")
        bytes = PlanCsv(plan, byLocation);
    else if (parsed.format == "json")
        bytes = PlanJson(plan, byLocation);
    else
    {
        CReportGrid grid(PlanColumns);
        AddPlanRows(grid, plan, byLocation);
        bytes = ReportGridText(grid);
    }
    return WriteOutput(bytes, parsed.output) ? 0 : 1;
}

int CmdCompare(CCliContext& context, const CParsedArgs& args)
{
    CReportArgs parsed;
    ParseReportArgs(args, parsed);
    int status = 0;
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    if (!LoadReportSession(session, "compare", parsed, status))
        return status;
    std::vector<const CProfile*> profiles;
    for (const std::string& label : parsed.profiles)
        profiles.push_back(FindProfileArg(session, label));
    if (parsed.profiles.empty())
        profiles = ComparedProfiles(session.Profiles());
    // A profile whose file gave nothing, or only its start, would compare as a beginner.
    std::erase_if(profiles,
                  [](const CProfile* profile)
                  {
                      if (profile->readProblem.empty() && !profile->damaged)
                          return false;
                      std::fprintf(stderr, "moxa-cli: compare: the profile file '%s' %s; it is left out\n",
                                   profile->file.c_str(),
                                   profile->damaged ? "is damaged" : profile->readProblem.c_str());
                      return true;
                  });
    if (profiles.empty())
    {
        std::fprintf(stderr, "moxa-cli: compare: there is no profile to compare\n");
        return 1;
    }
    const CReportRequest& request = parsed.request;
    const CComparison comparison = ComparePlans(
        *request.db, *request.order, SelectedItems(*request.order, request.selection), profiles);
    std::string bytes;
    if (parsed.format == "csv")
        bytes = CompareCsv(comparison);
    else if (parsed.format == "json")
        bytes = CompareJson(comparison);
    else
    {
        CReportGrid grid(1 + static_cast<int>(profiles.size()));
        AddCompareRows(grid, comparison);
        bytes = ReportGridText(grid);
    }
    return WriteOutput(bytes, parsed.output) ? 0 : 1;
}

const CCommandSpec PlanCommand = {
    .name = "plan",
    .operands = "ORDER.xml",
    .summary = "Print what is left to make and gather once the acquired counts are taken off.",
    .details = "ORDER.xml '-' reads the order from standard input.",
    .options = {{"--profile", "SERVER:NAME", "plan for this profile (default: the current one)"},
                {"--no-profile", "", "plan for no profile"},
                {"--select", "NAME", "plan only the items and groups of that name (repeatable)"},
                {"--by-location", "", "group the gathering by location"},
                {"--format", "FORMAT", "output format", ReportChoices::PlanFormats, "grid"},
                ReportChoices::Output},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = ReportChoices::ExitCodes,
    .run = CmdPlan,
};

const CCommandSpec CompareCommand = {
    .name = "compare",
    .operands = "ORDER.xml",
    .summary = "Print the plan's gathering under each character, side by side.",
    .details = "ORDER.xml '-' reads the order from standard input.",
    .options = {{"--profile", "SERVER:NAME", "compare this profile (repeatable; default: every profile but the template)"},
                {"--select", "NAME", "plan only the items and groups of that name (repeatable)"},
                {"--format", "FORMAT", "output format", ReportChoices::PlanFormats, "grid"},
                ReportChoices::Output},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed\n"
                 "  1  no database was loaded, the order file does not exist, cannot be read or is\n"
                 "     damaged, no profile's file could be read, or the output cannot be written\n"
                 "  2  bad usage",
    .run = CmdCompare,
};
