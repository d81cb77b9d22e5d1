// "plan", "compare" and "profit": what is left to make and gather, which character does it
// cheapest, and what each order item costs.
#include "cli/Commands.h"
#include "cli/Costing.h"
#include "cli/ReportArgs.h"
#include "order/Plan.h"
#include "order/PlanExport.h"
#include "order/ReportGrid.h"
#include "order/Requirements.h"
#include "platform/QtImageDecoder.h"
#include "session/Session.h"

#include <cstdio>
#include <functional>

namespace
{
// What "plan" and "profit" share: the report options, the session with the order, the price
// list and the characters; body gives the bytes to write.
using CCostedBody = std::function<std::string(const CReportArgs&, const CPlanCosting&)>;
int RunCosted(CCliContext& context, const CParsedArgs& args, const std::string& command,
              const CCostedBody& body)
{
    CReportArgs parsed;
    ParseReportArgs(args, parsed);
    int status = 0;
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    CPriceList prices;
    CPlanCosting costing;
    if (!LoadReportSession(session, command, parsed, status) ||
        !LoadCosting(session, command, args, parsed, prices, costing, status))
        return status;
    return WriteOutput(body(parsed, costing), parsed.output) ? 0 : 1;
}

// A table in the chosen format.
std::string Formatted(const std::string& format, int columns, const std::function<std::string()>& csv,
                      const std::function<std::string()>& json,
                      const std::function<void(CReportGrid&)>& rows)
{
    if (format == "csv")
        return csv();
    if (format == "json")
        return json();
    CReportGrid grid(columns);
    rows(grid);
    return ReportGridText(grid);
}

int CmdProfit(CCliContext& context, const CParsedArgs& args)
{
    return RunCosted(
        context, args, "profit",
        [](const CReportArgs& parsed, const CPlanCosting& costing)
        {
            const CReportRequest& request = parsed.request;
            const auto items = SelectedItems(*request.order, request.selection);
            for (const COrderItem* item : items)
            {
                const CFormula* formula = request.db->FindFormula(item->category, item->formula);
                if (!formula || !ItemFormulaTier(*formula, item->tierName))
                    std::fprintf(stderr,
                                 "moxa-cli: profit: '%s' names no formula tier of the database; left out\n",
                                 item->itemName.c_str());
            }
            const std::vector<CProfitRow> rows = ComputeProfits(*request.db, items, request.profile, costing);
            return Formatted(
                parsed.format, ProfitColumns, [&] { return ProfitCsv(rows); }, [&] { return ProfitJson(rows); },
                [&](CReportGrid& grid) { AddProfitRows(grid, rows); });
        });
}
} // namespace

int CmdPlan(CCliContext& context, const CParsedArgs& args)
{
    return RunCosted(
        context, args, "plan",
        [](const CReportArgs& parsed, const CPlanCosting& costing)
        {
            const CReportRequest& request = parsed.request;
            const CPlan plan = ComputePlan(*request.db, *request.order,
                                           SelectedItems(*request.order, request.selection), request.profile,
                                           costing);
            std::vector<CLocationGroup> groups;
            if (parsed.byLocation)
                groups = GroupByLocation(*request.db, plan);
            const std::vector<CLocationGroup>* byLocation = parsed.byLocation ? &groups : nullptr;
            return Formatted(
                parsed.format, PlanGridColumns(plan), [&] { return PlanCsv(plan, byLocation); },
                [&] { return PlanJson(plan, byLocation); },
                [&](CReportGrid& grid) { AddPlanRows(grid, plan, byLocation); });
        });
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
    .details = "ORDER.xml '-' reads the order from standard input. With prices in effect (a price list\n"
               "was read) each made name is crafted by the character who makes it cheapest or bought\n"
               "when its price is less, and the plan gains crafter, unit cost and cost columns, buy rows\n"
               "and a total.",
    .options = CostingOptions::With({{"--profile", "SERVER:NAME", "plan for this profile (default: the current one)"},
                                     {"--no-profile", "", "plan for no profile"},
                                     {"--select", "NAME", "plan only the items and groups of that name (repeatable)"},
                                     {"--by-location", "", "group the gathering by location"}}),
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = CostingOptions::ExitCodes,
    .run = CmdPlan,
};

const CCommandSpec ProfitCommand = {
    .name = "profit",
    .operands = "ORDER.xml",
    .summary = "Print what each order item costs to make and its margin at the price list's prices.",
    .details = "ORDER.xml '-' reads the order from standard input. Per item: made (batches x batch\n"
               "quantity), unit cost (its components at their unit costs, per item made), price and\n"
               "margin (price - unit cost).",
    .options = CostingOptions::With(
        {{"--profile", "SERVER:NAME", "the items' components for this profile (default: the current one)"},
         {"--no-profile", "", "the items' components for no profile"},
         {"--select", "NAME", "only the items and groups of that name (repeatable)"}}),
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = CostingOptions::ExitCodes,
    .run = CmdProfit,
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
