// Golden reports: each folder below golden/ holds a database, an order, the report's
// options and the exact grid rows, clipboard text, page and title expected for them.
#include "base/SettingsStore.h"
#include "order/ClipboardText.h"
#include "order/HtmlExport.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "session/Session.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace
{
const fs::path GoldenDir = MOXA_ORDER_GOLDEN_DIR;

std::vector<std::string> Cases()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(GoldenDir))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// "key=value" lines; select may repeat.
std::multimap<std::string, std::string> ReadOptions(const fs::path& file)
{
    std::multimap<std::string, std::string> options;
    std::istringstream lines(ReadFileBytes(file));
    std::string line;
    while (std::getline(lines, line))
    {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos)
            options.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return options;
}

std::string Option(const std::multimap<std::string, std::string>& options, const std::string& key,
                   const std::string& fallback)
{
    const auto it = options.find(key);
    return it == options.end() ? fallback : it->second;
}

std::string GridText(const CReportGrid& grid)
{
    std::string out;
    for (const CGridRow& row : grid.Rows())
        out += std::to_string(row.kind) + "\t" + row.cells[0] + "|" + row.cells[1] + "|" + row.cells[2] + "\n";
    return out;
}

class GoldenReport : public ::testing::TestWithParam<std::string>
{
};
} // namespace

TEST_P(GoldenReport, MatchesTheExpectedFiles)
{
    const fs::path folder = GoldenDir / GetParam();
    const auto options = ReadOptions(folder / "options.txt");

    CTempDir dir;
    CopyTree(folder / Option(options, "data", "data"), dir.Path());
    CMemorySettingsStore store;
    CScriptedPrompter prompter;
    CSession session(dir.Path(), &store, &prompter);
    session.LoadSettings();
    session.LoadDatabase();
    COrder& order = session.Order();
    ASSERT_TRUE(order.Read(folder / Option(options, "order", "order.xml"), session.Database()));

    CReportRequest request;
    request.db = &session.Database();
    request.order = &order;
    request.content = static_cast<EReportContent>(std::stoi(Option(options, "content", "0")));
    request.breakdown = static_cast<EBreakdownMode>(std::stoi(Option(options, "breakdown", "0")));
    request.sort = static_cast<ESortMode>(std::stoi(Option(options, "sort", "0")));
    request.bonuses = Option(options, "indirect", "0") == "1" ? BonusesIncludeIndirect : BonusesDirect;
    const std::string profile = Option(options, "profile", "");
    for (const auto& candidate : session.Profiles().profiles)
        if (!profile.empty() && candidate->server + ":" + candidate->name == profile)
            request.profile = candidate.get();
    ASSERT_EQ(request.profile == nullptr, profile.empty()) << profile;
    const auto [first, last] = options.equal_range("select");
    for (auto it = first; it != last; ++it)
        for (const auto& item : order.items)
        {
            if (item->itemName == it->second)
                request.selection.items.insert(item->id);
            if (item->group == it->second)
                request.selection.groups.insert(it->second);
        }

    const CReport report = GenerateReport(request);
    EXPECT_EQ(GridText(ReportGridOf(report)), ReadFileBytes(folder / "grid.txt"));
    EXPECT_EQ(CopyReportText(report), ReadFileBytes(folder / "clipboard.txt"));
    ASSERT_TRUE(ExportHtml(HtmlReportText(report), dir / "order.htm"));
    EXPECT_EQ(ReadFileBytes(dir / "order.htm"), ReadFileBytes(folder / "page.htm"));
    EXPECT_EQ(ReportTitle(order, request.selection) + "\n", ReadFileBytes(folder / "title.txt"));
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenReport, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
