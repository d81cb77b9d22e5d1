// "report" and "order": an order file read against the database as the program loads it.
#include "app/DataPaths.h"
#include "app/Messages.h"
#include "app/Session.h"
#include "browsers/PastedList.h"
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
#include <map>
#include <optional>
#include <string>

namespace
{
int Usage(const std::string& message)
{
    std::fprintf(stderr, "moxa-cli: %s\n", message.c_str());
    return 2;
}

// The value of "--name VALUE" among a fixed set of choices.
std::optional<int> Choice(const std::string& value, const std::map<std::string, int>& choices)
{
    const auto it = choices.find(value);
    if (it == choices.end())
        return std::nullopt;
    return it->second;
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

std::string GridText(const CReportGrid& grid)
{
    std::string out;
    for (const CGridRow& row : grid.Rows())
        out += std::to_string(row.kind) + "\t" + row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2] + "\n";
    return out;
}
} // namespace

int CmdReport(CCliContext& context, const CommandArgs& args)
{
    std::string orderFile;
    std::string output;
    std::string format = "grid";
    std::string profileName;
    bool noProfile = false;
    bool open = false;
    std::vector<std::string> selected;
    CReportRequest request;
    const std::map<std::string, int> contents = {{"order-comps", ReportOrderAndComponents},
                                                  {"order", ReportOrderOnly},
                                                  {"components", ReportComponentsOnly},
                                                  {"bonuses", ReportBonuses}};
    const std::map<std::string, int> breakdowns = {
        {"components", BreakdownComponents}, {"subcomponents", BreakdownSubcomponents}, {"base", BreakdownBaseResources}};
    const std::map<std::string, int> sorts = {{"name", SortByName}, {"quantity", SortByQuantity}};
    const std::map<std::string, int> bonuses = {{"direct", 0}, {"indirect", 1}};
    const std::map<std::string, int> formats = {{"grid", 0}, {"clipboard", 1}, {"html", 2}, {"csv", 3}, {"json", 4}};
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
        if (arg == "--content")
            ok = take(contents, request.content);
        else if (arg == "--breakdown")
            ok = take(breakdowns, request.breakdown);
        else if (arg == "--sort")
            ok = take(sorts, request.sort);
        else if (arg == "--bonuses")
        {
            ok = take(bonuses, indirect);
            request.includeIndirect = indirect == 1;
        }
        else if (arg == "--format")
        {
            ok = take(formats, formatIndex);
            if (ok)
                format = next;
        }
        else if ((arg == "--profile" || arg == "--select" || arg == "-o") && i + 1 < args.size())
        {
            if (arg == "--profile")
                profileName = next;
            else if (arg == "--select")
                selected.push_back(next);
            else
                output = next;
            ++i;
        }
        else if (arg == "--no-profile")
            noProfile = true;
        else if (arg == "--open")
            open = true;
        else if (!arg.empty() && arg[0] != '-' && orderFile.empty())
            orderFile = arg;
        else
            ok = false;
        if (!ok)
            return Usage("report: bad or incomplete option '" + arg + "' (see moxa-cli --help)");
    }
    if (orderFile.empty())
        return Usage("report needs an ORDER.xml");
    if (open && format != "html")
        return Usage("report: --open goes with --format html");

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
            return Usage("report: no profile '" + profileName + "'");
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
            return Usage("report: nothing in the order is named '" + name + "'");
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
