// "report" and "order": an order file read against the database as the program loads it.
#include "base/DataPaths.h"
#include "base/Messages.h"
#include "base/TextFile.h"
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

// A list file, or standard input for "-"; an endless one stops at the size limit.
bool ReadListFile(const std::string& file, std::string& text)
{
    const CTextFileResult read = ReadTextFile(file == "-" ? std::string("/dev/stdin") : file, MaxListBytes, text);
    if (read.status == ETextFile::Read)
        return true;
    std::fprintf(stderr, "moxa-cli: the list file '%s' %s\n", file.c_str(), TextFileProblem(read, MaxListBytes).c_str());
    return false;
}

} // namespace

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

    const CReport report = GenerateReport(request);
    if (!report.refused.empty())
    {
        std::fprintf(stderr, "moxa-cli: %s\n", report.refused.c_str());
        return 1;
    }
    std::string bytes;
    if (format == "grid")
        bytes = ReportGridText(ReportGridOf(report));
    else if (format == "clipboard")
        bytes = CopyReportText(report);
    else if (format == "html")
        bytes = HtmlReportText(report);
    else if (format == "csv")
        bytes = ReportCsv(ReportRecords(report));
    else
        bytes = ReportJson(ReportTitle(*request.order, request.selection), ReportRecords(report));
    if (!WriteOutput(bytes, parsed.output))
        return 1;
    if (parsed.open)
    {
        const auto page = DataPaths::Join(session.DataFolder(), DataPaths::HtmlExport);
        std::error_code error;
        std::filesystem::create_directories(page.parent_path(), error);
        if (!ExportHtml(HtmlReportText(report), page))
            std::fprintf(stderr, "moxa-cli: cannot write '%s'\n", page.c_str());
        // The program asks for the page to be opened whether or not it was written.
        OpenPage(session.DataFolder(), page);
    }
    return 0;
}

// What "order" prints about an order.
std::string OrderListing(const COrder& order, const CGameDatabase& db)
{
    std::string text = "file: " + order.filePath + "\n";
    for (const std::string& group : order.groups)
        text += "group: " + group + "\n";
    for (const auto& item : order.items)
    {
        const CFormula* formula = db.FindFormula(item->category, item->formula);
        text += "item: " + ItemLabel(formula ? formula->batchQty : 1, *item) + "\n";
        text += "  group: " + item->group + "\n";
        text += "  formula: " + item->formula + (formula ? "" : " (not in the database)") + "\n";
        text += "  category: " + item->category + "\n";
        text += "  tier: " + item->tierName + "\n";
        text += "  batches: " + std::to_string(item->batches) + "\n";
        for (const COrderTechnique& technique : item->techniques)
            text += "  technique: " + technique.name + "; tier=" + technique.tierName + "\n";
    }
    for (const auto& [name, quantity] : order.acquired)
        text += "acquired: " + name + "=" + quantity + "\n";
    return text;
}

int CmdOrder(CCliContext& context, const CParsedArgs& parsed)
{
    const std::string orderFile = parsed.Operands().front();
    std::string saveAs = parsed.Value("--save-as");
    const std::string listFile = parsed.Value("--add-list");
    const std::string group = parsed.Value("--group", std::string(Messages::PasteGroup));
    if (orderFile == "-" && listFile == "-")
        return UsageError("order: the order and the list cannot both come from standard input");
    // The list goes into the order file itself unless another is named ("-": standard output).
    if (!listFile.empty() && saveAs.empty())
        saveAs = orderFile;
    std::string list;
    if (!listFile.empty() && !ReadListFile(listFile, list))
        return 1;
    CQtImageDecoder decoder;
    CSession session(context.dataFolder, context.store.get(), context.prompter.get(), &decoder);
    if (!LoadSession(session))
        return 1;
    COrder& order = session.Order();
    const CGameDatabase& db = session.Database();
    CPasteResult pasted;
    COrderRead read;
    std::string listing;
    const auto readAndAdd = [&]
    {
        read = ReadOrder(session, orderFile);
        if (!read.HasItems())
            return false;
        if (!listFile.empty())
        {
            pasted = AddPastedList(order, db, list, group);
            if (!pasted.refused.empty())
            {
                std::fprintf(stderr, "moxa-cli: %s\n", pasted.refused.c_str());
                return false;
            }
        }
        listing = OrderListing(order, db);
        return true;
    };
    if (!readAndAdd())
        return 1;
    // A damaged order file is saved over only when the player agrees.
    if (!saveAs.empty() && saveAs != "-" && !MaySaveOrderOver(order, saveAs, *context.prompter))
    {
        std::fputs(listing.c_str(), stdout);
        std::fprintf(stderr, "moxa-cli: '%s' is left as it was\n", saveAs.c_str());
        return 1;
    }

    // The order file written to standard output leaves the listing to standard error.
    const bool toStdout = saveAs == "-";
    if (toStdout)
    {
        std::fputs(listing.c_str(), stderr);
        if (!WriteOutput(order.FileText(db), "-"))
            return 1;
    }
    else if (!saveAs.empty())
    {
        EOrderSave saved = order.Save(saveAs, db);
        // Another program saved the order since it was read: the list goes into its version.
        for (int tries = 0; saved == EOrderSave::ChangedOnDisk && !listFile.empty() && tries < 10; ++tries)
        {
            if (!readAndAdd())
                return 1;
            saved = order.Save(saveAs, db);
        }
        std::fputs(listing.c_str(), stdout);
        if (saved == EOrderSave::ChangedOnDisk)
        {
            std::fprintf(stderr, "moxa-cli: '%s' has changed on disk since it was read; not saved\n", saveAs.c_str());
            return 1;
        }
        if (saved != EOrderSave::Saved)
        {
            std::fprintf(stderr, "moxa-cli: cannot write '%s': %s\n", saveAs.c_str(), order.SaveFailure().c_str());
            return 1;
        }
    }
    else
        std::fputs(listing.c_str(), stdout);
    if (const std::string message = PasteMessage(pasted); !message.empty())
        std::fprintf(stderr, "%s\n", message.c_str());
    // Lines that named nothing, and a damaged file, are failures even though the rest was done.
    return pasted.unmatched.empty() && read.status == EOrderRead::Read ? 0 : 1;
}

const CCommandSpec ReportCommand = {
    .name = "report",
    .operands = "ORDER.xml",
    .summary = "Print one report of an order, as the reports window generates it.",
    .details = "Loads the database, the profiles and the settings as the program does, then reads\n"
               "the order; ORDER.xml '-' reads it from standard input. Formats: grid (colour index,\n"
               "tab, cells joined with |), clipboard and html (the window's bytes), csv, json.",
    .options = {{"--content", "CONTENT", "what the report holds", ReportChoices::Contents, "order-comps"},
                {"--breakdown", "BREAKDOWN", "how components are broken down", ReportChoices::Breakdowns, "components"},
                {"--sort", "SORT", "row order", ReportChoices::Sorts, "name"},
                {"--bonuses", "BONUSES", "bonus report", ReportChoices::Bonuses, "direct"},
                {"--profile", "SERVER:NAME", "rate against this profile (default: the current one)"},
                {"--no-profile", "", "rate against no profile"},
                {"--select", "NAME", "tick the items and groups of that name (repeatable)"},
                {"--format", "FORMAT", "output format", ReportChoices::Formats, "grid"},
                {"--open", "", "html only: also write Temp/order.htm in the data folder and open it"},
                ReportChoices::Output},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed\n"
                 "  1  no database was loaded, the order file does not exist, cannot be read or is\n"
                 "     damaged, the breakdown is too large to work out or show, or the output\n"
                 "     cannot be written\n"
                 "  2  bad usage",
    .run = CmdReport,
};

const CCommandSpec OrderCommand = {
    .name = "order",
    .operands = "ORDER.xml",
    .summary = "Print an order's groups, items, techniques and acquired counts.",
    .details = "ORDER.xml '-' reads the order from standard input. A save over the order file refuses\n"
               "to overwrite what another program saved there meanwhile; --add-list then adds\n"
               "the list to that version.",
    .options = {{"--save-as", "FILE", "write the order back as the program saves it ('-': standard output)"},
                {"--add-list", "FILE", "add the items FILE names, one a line ('-': standard input), and save the order"},
                {"--group", "NAME", "the group the listed items go into", {}, std::string(Messages::PasteGroup)}},
    .minOperands = 1,
    .maxOperands = 1,
    .exitCodes = "  0  printed (and saved)\n"
                 "  1  no database was loaded, the order or list file does not exist, cannot be read or is\n"
                 "     damaged, the order cannot be saved, or a line of the list named nothing\n"
                 "  2  bad usage",
    .run = CmdOrder,
};
