// "report" and "order": an order file read against the database as the program loads it.
#include "app/DataPaths.h"
#include "app/Messages.h"
#include "app/Session.h"
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
#include "xml/AtomicFile.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace
{
// The value of "--name VALUE" among a fixed set of choices.
std::optional<int> Choice(const std::string& value, const std::map<std::string, int>& choices)
{
    const auto it = choices.find(value);
    if (it == choices.end())
        return std::nullopt;
    return it->second;
}

// Loads settings and database as the program does at start-up; nothing is saved.
void LoadSession(CSession& session)
{
    session.LoadSettings();
    session.LoadDatabase();
}

bool ReadOrder(CSession& session, const std::string& file)
{
    if (session.Order().Read(file, session.Database()))
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

int Usage(const std::string& message)
{
    std::fprintf(stderr, "moxa-cli: %s\n", message.c_str());
    return 2;
}

bool WriteOutput(const std::string& bytes, const std::string& file)
{
    if (file.empty())
    {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0;
    }
    if (WriteFileAtomically(file, bytes))
        return true;
    std::fprintf(stderr, "moxa-cli: cannot write '%s'\n", file.c_str());
    return false;
}


bool ParseReportArgs(const std::string& command, const CommandArgs& args, CReportArgs& parsed, int& status)
{
    const bool report = command == "report";
    CReportRequest& request = parsed.request;
    const std::map<std::string, int> contents = {{"order-comps", ReportOrderAndComponents},
                                                  {"order", ReportOrderOnly},
                                                  {"components", ReportComponentsOnly},
                                                  {"bonuses", ReportBonuses}};
    const std::map<std::string, int> breakdowns = {
        {"components", BreakdownComponents}, {"subcomponents", BreakdownSubcomponents}, {"base", BreakdownBaseResources}};
    const std::map<std::string, int> sorts = {{"name", SortByName}, {"quantity", SortByQuantity}};
    const std::map<std::string, int> bonuses = {{"direct", 0}, {"indirect", 1}};
    // "plan" and "compare" print tables of their own: no clipboard text or page.
    const std::map<std::string, int> formats = report ? std::map<std::string, int>{{"grid", 0}, {"clipboard", 1}, {"html", 2}, {"csv", 3}, {"json", 4}}
                                                      : std::map<std::string, int>{{"grid", 0}, {"csv", 3}, {"json", 4}};
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& arg = args[i];
        const std::string next = i + 1 < args.size() ? args[i + 1] : std::string();
        // Options with a value take it from the next argument.
        const auto take = [&](const std::map<std::string, int>& choices, int& target) {
            const std::optional<int> choice = i + 1 < args.size() ? Choice(next, choices) : std::nullopt;
            if (choice)
            {
                target = *choice;
                ++i;
            }
            return choice.has_value();
        };
        int indirect = 0;
        int formatIndex = 0;
        bool ok = true;
        if (report && arg == "--content")
            ok = take(contents, request.content);
        else if (report && arg == "--breakdown")
            ok = take(breakdowns, request.breakdown);
        else if (report && arg == "--sort")
            ok = take(sorts, request.sort);
        else if (report && arg == "--bonuses")
        {
            ok = take(bonuses, indirect);
            request.includeIndirect = indirect == 1;
        }
        else if (arg == "--format")
        {
            ok = take(formats, formatIndex);
            if (ok)
                parsed.format = next;
        }
        else if ((arg == "--profile" || arg == "--select" || arg == "-o") && i + 1 < args.size())
        {
            if (arg == "--profile")
                parsed.profiles.push_back(next);
            else if (arg == "--select")
                parsed.selected.push_back(next);
            else
                parsed.output = next;
            ++i;
        }
        else if (arg == "--no-profile" && command != "compare")
            parsed.noProfile = true;
        else if (report && arg == "--open")
            parsed.open = true;
        else if (command == "plan" && arg == "--by-location")
            parsed.byLocation = true;
        else if (!arg.empty() && arg[0] != '-' && parsed.orderFile.empty())
            parsed.orderFile = arg;
        else
            ok = false;
        if (!ok)
        {
            status = Usage(command + ": bad or incomplete option '" + arg + "' (see moxa-cli --help)");
            return false;
        }
    }
    if (parsed.orderFile.empty())
    {
        status = Usage(command + " needs an ORDER.xml");
        return false;
    }
    if (parsed.open && parsed.format != "html")
    {
        status = Usage("report: --open goes with --format html");
        return false;
    }
    return true;
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
            status = Usage(command + ": no profile '" + parsed.profiles[i] + "'");
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
            status = Usage(command + ": nothing in the order is named '" + name + "'");
            return false;
        }
    }
    return true;
}

int CmdReport(CCliContext& context, const CommandArgs& args)
{
    CReportArgs parsed;
    int status = 0;
    if (!ParseReportArgs("report", args, parsed, status))
        return status;
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

int CmdOrder(CCliContext& context, const CommandArgs& args)
{
    std::string orderFile;
    std::string saveAs;
    std::string listFile;
    std::string group(Messages::PasteGroup);
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--save-as" && i + 1 < args.size())
            saveAs = args[++i];
        else if (args[i] == "--add-list" && i + 1 < args.size())
            listFile = args[++i];
        else if (args[i] == "--group" && i + 1 < args.size() && !args[i + 1].empty())
            group = args[++i];
        else if (!args[i].empty() && args[i][0] != '-' && orderFile.empty())
            orderFile = args[i];
        else
            return Usage("order: bad or incomplete option '" + args[i] + "'");
    }
    if (orderFile.empty())
        return Usage("order needs an ORDER.xml");

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
