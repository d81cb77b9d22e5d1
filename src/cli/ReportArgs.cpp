// The options "report", "plan" and "compare" share, and the session they run in.
#include "cli/ReportArgs.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"
#include "base/TextFile.h"
#include "cli/Commands.h"
#include "order/PlayerPrices.h"
#include "session/Session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace
{
// The position of a value the parser has already checked against its choices.
int IndexOf(const std::vector<std::string>& choices, const std::string& value)
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == value)
            return static_cast<int>(i);
    return 0;
}
} // namespace

bool LoadSession(CSession& session)
{
    session.LoadSettings();
    if (HasDatabase(session.LoadDatabase()))
        return true;
    std::fprintf(stderr, "moxa-cli: no database is loaded, so nothing is reported or saved\n");
    return false;
}

COrderRead ReadOrder(CSession& session, const std::string& file)
{
    const COrderRead read =
        session.Order().ReadFile(file == "-" ? std::string("/dev/stdin") : file, session.Database());
    switch (read.status)
    {
    case EOrderRead::Read:
        break;
    case EOrderRead::Unsupported:
    case EOrderRead::Damaged:
        std::fprintf(stderr, "%s\n", OrderReadMessage(read, file).c_str());
        break;
    default:
        std::fprintf(stderr, "moxa-cli: the order file '%s' %s\n", file.c_str(),
                     TextFileProblem(read.file, MaxDocumentBytes).c_str());
        break;
    }
    return read;
}

bool WriteOutput(const std::string& bytes, const std::string& file)
{
    if (file.empty() || file == "-")
    {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0)
            return true;
        std::fprintf(stderr, "moxa-cli: cannot write to standard output: %s\n", std::strerror(errno));
        return false;
    }
    std::string error;
    if (WriteFileAtomically(file, bytes, &error))
        return true;
    std::fprintf(stderr, "moxa-cli: cannot write '%s': %s\n", file.c_str(), error.c_str());
    return false;
}

void ParseReportArgs(const CParsedArgs& args, CReportArgs& parsed)
{
    using namespace ReportChoices;
    CReportRequest& request = parsed.request;
    const EReportContent contents[] = {ReportOrderAndComponents, ReportOrderOnly, ReportComponentsOnly, ReportBonuses};
    const EBreakdownMode breakdowns[] = {BreakdownComponents, BreakdownSubcomponents, BreakdownBaseResources};
    const ESortMode sorts[] = {SortByName, SortByQuantity};
    const EBonusMode bonuses[] = {BonusesDirect, BonusesIncludeIndirect};
    request.content = contents[IndexOf(Contents, args.Value("--content", Contents[0]))];
    request.breakdown = breakdowns[IndexOf(Breakdowns, args.Value("--breakdown", Breakdowns[0]))];
    request.sort = sorts[IndexOf(Sorts, args.Value("--sort", Sorts[0]))];
    request.bonuses = bonuses[IndexOf(Bonuses, args.Value("--bonuses", Bonuses[0]))];
    parsed.orderFile = args.Operands().front();
    parsed.output = args.Value("-o");
    parsed.format = args.Value("--format", "grid");
    parsed.profiles = args.Values("--profile");
    parsed.selected = args.Values("--select");
    parsed.noProfile = args.Has("--no-profile");
    parsed.open = args.Has("--open");
    parsed.byLocation = args.Has("--by-location");
}

const CProfile* FindProfileArg(CSession& session, const std::string& label)
{
    return FindProfileLabel(session.Profiles(), label);
}

bool LoadReportSession(CSession& session, const std::string& command, CReportArgs& parsed, int& status)
{
    // A damaged order is not reported: a part of it would pass for the whole.
    if (!LoadSession(session) || ReadOrder(session, parsed.orderFile).status != EOrderRead::Read)
    {
        status = 1;
        return false;
    }
    COrder& order = session.Order();
    CReportRequest& request = parsed.request;
    request.db = &session.Database();
    request.order = &order;
    request.profile = parsed.noProfile ? nullptr : session.Profiles().current;
    for (std::size_t i = 0; i < parsed.profiles.size() && !parsed.noProfile; ++i)
    {
        request.profile = FindProfileArg(session, parsed.profiles[i]);
        if (!request.profile)
        {
            status = UsageError(command + ": no profile '" + parsed.profiles[i] + "'");
            return false;
        }
    }
    for (const std::string& name : parsed.selected)
    {
        bool found = false;
        for (const auto& item : order.items)
        {
            if (item->group == name)
                request.selection.groups.insert(name), found = true;
            if (item->itemName == name)
                request.selection.items.insert(item->id), found = true;
        }
        if (order.HasGroup(name))
            request.selection.groups.insert(name), found = true;
        if (!found)
        {
            status = UsageError(command + ": nothing in the order is named '" + name + "'");
            return false;
        }
    }
    return true;
}
