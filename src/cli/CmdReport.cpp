// "report" and "order": an order file read against the database as the program loads it.
#include "base/AtomicFile.h"
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "browsers/PastedList.h"
#include "cli/Commands.h"
#include "cli/ReportArgs.h"
#include "order/ClipboardText.h"
#include "order/HtmlExport.h"
#include "order/OrderWindowLogic.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/ReportRecords.h"
#include "platform/QtImageDecoder.h"
#include "platform/QtLinkOpener.h"
#include "session/Session.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{
const std::vector<std::string> Contents = {"order-comps", "order", "components", "bonuses"};
const std::vector<std::string> Breakdowns = {"components", "subcomponents", "base"};
const std::vector<std::string> Sorts = {"name", "quantity"};
const std::vector<std::string> Bonuses = {"direct", "indirect"};
const std::vector<std::string> Formats = {"grid", "clipboard", "html", "csv", "json"};
// "plan" and "compare" print tables of their own: no clipboard text or page.
const std::vector<std::string> PlanFormats = {"grid", "csv", "json"};

// The position of a value the parser has already checked against its choices.
int IndexOf(const std::vector<std::string>& choices, const std::string& value)
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == value)
            return static_cast<int>(i);
    return 0;
}

// Loads settings and database as the program does at start-up; nothing is saved.
void LoadSession(CSession& session)
{
    session.LoadSettings();
    session.LoadDatabase();
}

// "-" is standard input.
bool ReadOrder(CSession& session, const std::string& file)
{
    std::error_code error;
    if (file != "-" && !std::filesystem::exists(file, error))
    {
        std::fprintf(stderr, "moxa-cli: the order file '%s' does not exist\n", file.c_str());
        return false;
    }
    if (session.Order().Read(file == "-" ? std::string("/dev/stdin") : file, session.Database()))
        return true;
    std::fprintf(stderr, "%s\n", std::string(Messages::OrderVersionUnsupported).c_str());
    return false;
}
// Opens the exported page with the desktop's handler, which needs a GUI application.
void OpenPage(const std::filesystem::path& dataFolder, const std::filesystem::path& page)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    {
        std::fprintf(stderr, "moxa-cli: no desktop to open '%s' on\n", page.c_str());
        return;
    }
    int argc = 1;
    char name[] = "moxa-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    CQtLinkOpener(dataFolder).OpenUrl(page.string());
}

// A list file, or standard input for "-".
bool ReadListFile(const std::string& file, std::string& text)
{
    std::FILE* in = file == "-" ? stdin : std::fopen(file.c_str(), "rb");
    if (!in)
    {
        std::fprintf(stderr, "moxa-cli: cannot read '%s'\n", file.c_str());
        return false;
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, got);
    const bool ok = !std::ferror(in);
    if (in != stdin)
        std::fclose(in);
    if (!ok)
        std::fprintf(stderr, "moxa-cli: cannot read '%s'\n", file.c_str());
    return ok;
}

} // namespace

// "-" is standard output.
bool WriteOutput(const std::string& bytes, const std::string& file)
{
    if (file.empty() || file == "-")
    {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0;
    }
    if (WriteFileAtomically(file, bytes))
        return true;
    std::fprintf(stderr, "moxa-cli: cannot write '%s'\n", file.c_str());
    return false;
}

void ParseReportArgs(const CParsedArgs& args, CReportArgs& parsed)
{
    CReportRequest& request = parsed.request;
    const int contents[] = {ReportOrderAndComponents, ReportOrderOnly, ReportComponentsOnly, ReportBonuses};
    const int breakdowns[] = {BreakdownComponents, BreakdownSubcomponents, BreakdownBaseResources};
    const int sorts[] = {SortByName, SortByQuantity};
    request.content = contents[IndexOf(Contents, args.Value("--content", Contents[0]))];
    request.breakdown = breakdowns[IndexOf(Breakdowns, args.Value("--breakdown", Breakdowns[0]))];
    request.sort = sorts[IndexOf(Sorts, args.Value("--sort", Sorts[0]))];
    request.includeIndirect = args.Value("--bonuses") == "indirect";
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
    const std::size_t colon = label.find(':');
    const std::string server = colon == std::string::npos ? std::string() : label.substr(0, colon);
    const std::string name = colon == std::string::npos ? label : label.substr(colon + 1);
    for (const auto& profile : session.Profiles().profiles)
        if (profile->name == name && profile->server == server)
            return profile.get();
    return nullptr;
}

bool LoadReportSession(CSession& session, const std::string& command, CReportArgs& parsed, int& status)
{
    LoadSession(session);
    if (!ReadOrder(session, parsed.orderFile))
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

int CmdReport(CCliContext& context, const CParsedArgs& args)
{
    CReportArgs parsed;
    ParseReportArgs(args, parsed);
    if (parsed.open && parsed.format != "html")
        return UsageError("report: --open goes with --format html");
    int status = 0;
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    if (!LoadReportSession(session, "report", parsed, status))
        return status;
    const CReportRequest& request = parsed.request;
    const std::string& format = parsed.format;

    CReportGrid grid;
    GenerateReport(grid, request);
    std::string bytes;
    if (format == "grid")
        bytes = ReportGridText(grid);
    else if (format == "clipboard")
        bytes = CopyReportText(grid, request.content);
    else if (format == "html")
        bytes = HtmlReportText(grid, request.content);
    else if (format == "csv")
        bytes = ReportCsv(ReportRecords(grid));
    else
        bytes = ReportJson(ReportTitle(*request.order, request.selection), ReportRecords(grid));
    if (!WriteOutput(bytes, parsed.output))
        return 1;
    if (parsed.open)
    {
        const auto page = DataPaths::Join(session.DataFolder(), DataPaths::HtmlExport);
        std::error_code error;
        std::filesystem::create_directories(page.parent_path(), error);
        if (!ExportHtml(grid, request.content, page))
            std::fprintf(stderr, "moxa-cli: cannot write '%s'\n", page.c_str());
        // The program asks for the page to be opened whether or not it was written.
        OpenPage(session.DataFolder(), page);
    }
    return 0;
}

int CmdOrder(CCliContext& context, const CParsedArgs& parsed)
{
    const std::string orderFile = parsed.Operands().front();
    std::string saveAs = parsed.Value("--save-as");
    const std::string listFile = parsed.Value("--add-list");
    const std::string group = parsed.Value("--group", std::string(Messages::PasteGroup));
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    LoadSession(session);
    if (!ReadOrder(session, orderFile))
        return 1;
    COrder& order = session.Order();
    const CGameDatabase& db = session.Database();
    CPasteResult pasted;
    if (!listFile.empty())
    {
        std::string list;
        if (!ReadListFile(listFile, list))
            return 1;
        pasted = AddPastedList(order, db, list, group);
        // The list goes into the order file itself unless another is named.
        if (saveAs.empty())
            saveAs = orderFile;
    }

    std::printf("file: %s\n", order.filePath.c_str());
    for (const std::string& group : order.groups)
        std::printf("group: %s\n", group.c_str());
    for (const auto& item : order.items)
    {
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        std::printf("item: %s\n", ItemLabel(formula ? formula->batchQty : 1, *item).c_str());
        std::printf("  group: %s\n", item->group.c_str());
        std::printf("  formula: %s%s\n", item->formula.c_str(), formula ? "" : " (not in the database)");
        std::printf("  category: %s\n", item->category.c_str());
        std::printf("  tier: %s\n", item->tierName.c_str());
        std::printf("  batches: %d\n", item->batches);
        for (const COrderTechnique& technique : item->techniques)
            std::printf("  technique: %s; tier=%s\n", technique.name.c_str(), technique.tierName.c_str());
    }
    for (const auto& [name, quantity] : order.acquired)
        std::printf("acquired: %s=%s\n", name.c_str(), quantity.c_str());
    if (!saveAs.empty() && !order.Write(saveAs, db))
    {
        std::fprintf(stderr, "moxa-cli: cannot write '%s'\n", saveAs.c_str());
        return 1;
    }
    if (const std::string message = PasteMessage(pasted); !message.empty())
        std::fprintf(stderr, "%s\n", message.c_str());
    // Lines that named nothing are a failure even though the others were added.
    return pasted.unmatched.empty() ? 0 : 1;
}

const CCommandSpec ReportCommand = {
    .name = "report",
    .operands = "ORDER.xml",
    .summary = "Print one report of an order, as the reports window generates it.",
    .details = "Loads the database, the profiles and the settings as the program does, then reads\n"
               "the order; ORDER.xml '-' reads it from standard input. Formats: grid (colour index,\n"
               "tab, cells joined with |), clipboard and html (the window's bytes), csv, json.",
    .options = {{"--content", "CONTENT", "what the report holds", Contents, "order-comps"},
                {"--breakdown", "BREAKDOWN", "how components are broken down", Breakdowns, "components"},
                {"--sort", "SORT", "row order", Sorts, "name"},
                {"--bonuses", "BONUSES", "bonus report", Bonuses, "direct"},
                {"--profile", "SERVER:NAME", "rate against this profile (default: the current one)"},
                {"--no-profile", "", "rate against no profile"},
                {"--select", "NAME", "tick the items and groups of that name (repeatable)"},
                {"--format", "FORMAT", "output format", Formats, "grid"},
                {"--open", "", "html only: also write Temp/order.htm in the data folder and open it"},
                {"-o", "FILE", "write to FILE, atomically ('-': standard output, the default)"}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed\n"
                 "  1  the order file does not exist or cannot be read, or the output cannot be written\n"
                 "  2  bad usage",
    .run = CmdReport,
};

const CCommandSpec OrderCommand = {
    .name = "order",
    .operands = "ORDER.xml",
    .summary = "Print an order's groups, items, techniques and acquired counts.",
    .details = "ORDER.xml '-' reads the order from standard input.",
    .options = {{"--save-as", "FILE", "write the order back as the program saves it"},
                {"--add-list", "FILE", "add the items FILE names, one a line ('-': standard input), and save the order"},
                {"--group", "NAME", "the group the listed items go into", {}, std::string(Messages::PasteGroup)}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed (and saved)\n"
                 "  1  the order or list file does not exist or cannot be read, the order cannot be saved,\n"
                 "     or a line of the list named nothing\n"
                 "  2  bad usage",
    .run = CmdOrder,
};

const CCommandSpec PlanCommand = {
    .name = "plan",
    .operands = "ORDER.xml",
    .summary = "Print what is left to make and gather once the acquired counts are taken off.",
    .details = "ORDER.xml '-' reads the order from standard input.",
    .options = {{"--profile", "SERVER:NAME", "plan for this profile (default: the current one)"},
                {"--no-profile", "", "plan for no profile"},
                {"--select", "NAME", "plan only the items and groups of that name (repeatable)"},
                {"--by-location", "", "group the gathering by location"},
                {"--format", "FORMAT", "output format", PlanFormats, "grid"},
                {"-o", "FILE", "write to FILE, atomically ('-': standard output, the default)"}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed\n"
                 "  1  the order file does not exist or cannot be read, or the output cannot be written\n"
                 "  2  bad usage",
    .run = CmdPlan,
};

const CCommandSpec CompareCommand = {
    .name = "compare",
    .operands = "ORDER.xml",
    .summary = "Print the plan's gathering under each character, side by side.",
    .details = "ORDER.xml '-' reads the order from standard input.",
    .options = {{"--profile", "SERVER:NAME", "compare this profile (repeatable; default: every profile but the template)"},
                {"--select", "NAME", "plan only the items and groups of that name (repeatable)"},
                {"--format", "FORMAT", "output format", PlanFormats, "grid"},
                {"-o", "FILE", "write to FILE, atomically ('-': standard output, the default)"}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed\n"
                 "  1  the order file does not exist or cannot be read, or the output cannot be written\n"
                 "  2  bad usage",
    .run = CmdCompare,
};
