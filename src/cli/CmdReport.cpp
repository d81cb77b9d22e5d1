// "report" and "order": an order file read against the database as the program loads it.
#include "app/DataPaths.h"
#include "app/Messages.h"
#include "app/Session.h"
#include "cli/Commands.h"
#include "order/ClipboardText.h"
#include "order/HtmlExport.h"
#include "order/OrderWindowLogic.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/ReportRecords.h"
#include "platform/QtImageDecoder.h"
#include "platform/QtLinkOpener.h"
#include "xml/AtomicFile.h"

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

// The position of a value the parser has already checked against its choices.
int IndexOf(const std::vector<std::string>& choices, const std::string& value)
{
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == value)
            return static_cast<int>(i);
    return 0;
}

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

std::string GridText(const CReportGrid& grid)
{
    std::string out;
    for (const CGridRow& row : grid.Rows())
        out += std::to_string(row.kind) + "\t" + row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2] + "\n";
    return out;
}

int CmdReport(CCliContext& context, const CParsedArgs& parsed)
{
    const std::string orderFile = parsed.Operands().front();
    const std::string output = parsed.Value("-o");
    const std::string format = parsed.Value("--format", "grid");
    const std::string profileName = parsed.Value("--profile");
    const bool noProfile = parsed.Has("--no-profile");
    const bool open = parsed.Has("--open");
    const std::vector<std::string> selected = parsed.Values("--select");
    CReportRequest request;
    const int contents[] = {ReportOrderAndComponents, ReportOrderOnly, ReportComponentsOnly, ReportBonuses};
    const int breakdowns[] = {BreakdownComponents, BreakdownSubcomponents, BreakdownBaseResources};
    const int sorts[] = {SortByName, SortByQuantity};
    request.content = contents[IndexOf(Contents, parsed.Value("--content", Contents[0]))];
    request.breakdown = breakdowns[IndexOf(Breakdowns, parsed.Value("--breakdown", Breakdowns[0]))];
    request.sort = sorts[IndexOf(Sorts, parsed.Value("--sort", Sorts[0]))];
    request.includeIndirect = parsed.Value("--bonuses") == "indirect";
    if (open && format != "html")
        return UsageError("report: --open goes with --format html");

    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    LoadSession(session);
    if (!ReadOrder(session, orderFile))
        return 1;
    COrder& order = session.Order();

    request.db = &session.Database();
    request.order = &order;
    request.profile = noProfile ? nullptr : session.Profiles().current;
    if (!profileName.empty() && !noProfile)
    {
        const std::size_t colon = profileName.find(':');
        const std::string server = colon == std::string::npos ? std::string() : profileName.substr(0, colon);
        const std::string name = colon == std::string::npos ? profileName : profileName.substr(colon + 1);
        request.profile = nullptr;
        for (const auto& profile : session.Profiles().profiles)
            if (profile->name == name && profile->server == server)
            {
                request.profile = profile.get();
                break;
            }
        if (!request.profile)
            return UsageError("report: no profile '" + profileName + "'");
    }
    for (const std::string& name : selected)
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
            return UsageError("report: nothing in the order is named '" + name + "'");
    }

    CReportGrid grid;
    GenerateReport(grid, request);
    std::string bytes;
    if (format == "grid")
        bytes = GridText(grid);
    else if (format == "clipboard")
        bytes = CopyReportText(grid, request.content);
    else if (format == "html")
        bytes = HtmlReportText(grid, request.content);
    else if (format == "csv")
        bytes = ReportCsv(ReportRecords(grid));
    else
        bytes = ReportJson(ReportTitle(order, request.selection), ReportRecords(grid));
    if (!WriteOutput(bytes, output))
        return 1;
    if (open)
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
    const std::string saveAs = parsed.Value("--save-as");
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    LoadSession(session);
    if (!ReadOrder(session, orderFile))
        return 1;
    COrder& order = session.Order();
    const CGameDatabase& db = session.Database();

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
    return 0;
}
} // namespace

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
    .options = {{"--save-as", "FILE", "write the order back as the program saves it"}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed (and saved)\n"
                 "  1  the order file does not exist or cannot be read, or cannot be saved\n"
                 "  2  bad usage",
    .run = CmdOrder,
};
