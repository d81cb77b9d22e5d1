// moxa-ui-bench: the window benchmarks, each beside its floor (plain Qt widgets filled with
// the same rows), on the offscreen platform unless another is named.
//
//   moxa-ui-bench --db NAME=DIR ... [--items N] [--search TEXT] [benchmark flags]
//
// Each database is started as the program starts it (settings defaults, cache or rebuild).
//   formula_tree/NAME      the formula browser fills its tree ("All", no filter)
//   tree_floor/NAME        a bare QTreeWidget filled with the same rows and icons
//   filter_keystroke/NAME  the browser's tree after the first keystroke typed into its search
//                          as you type: TEXT (default "e") into the empty box, "All" shown
//   filter_floor/NAME      a bare QTreeWidget filled with the rows that search shows
//   name_search/NAME       the tree refilled for the "By Name..." search of TEXT
//   name_search_floor/NAME a bare QTreeWidget filled with the rows that search shows
//   report/NAME            the reports window generates "Order & Comps" with base resources
//                          for an order of N items (default 10,000)
//   report_compute/NAME    the same report computed by the core alone
//   report_floor/NAME      a bare QTableWidget filled with the same cells
//   undo/NAME              in the order window, 80 renames of one group of a tenth of the
//                          order's N items undone one after the other (each an iteration of 80)
// Every figure includes the layout and paint that follow before the user sees the result.
#include "BenchOrder.h"
#include "base/SettingsStore.h"
#include "order/Report.h"
#include "order/Requirements.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/order/OrderWindow.h"
#include "ui/order/ReportsWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"
#include "ui/widgets/GridView.h"
#include "ui/widgets/ThemedTree.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct CTreeRow
{
    QString text;
    QIcon icon;
    bool expanded = false;
    std::vector<CTreeRow> children;
};

// The rows a tree view shows, with their icons and what is expanded.
std::vector<CTreeRow> Rows(const QTreeView& view, const QModelIndex& parent = {})
{
    std::vector<CTreeRow> rows;
    const QAbstractItemModel& model = *view.model();
    for (int i = 0; i < model.rowCount(parent); ++i)
    {
        const QModelIndex item = model.index(i, 0, parent);
        rows.push_back({item.data().toString(), item.data(Qt::DecorationRole).value<QIcon>(), view.isExpanded(item),
                        Rows(view, item)});
    }
    return rows;
}

void AddChildren(QTreeWidgetItem& parent, const std::vector<CTreeRow>& rows)
{
    for (const CTreeRow& row : rows)
    {
        auto* item = new QTreeWidgetItem(&parent, QStringList(row.text));
        item->setIcon(0, row.icon);
        AddChildren(*item, row.children);
    }
}

void Expand(QTreeWidgetItem& parent, const std::vector<CTreeRow>& rows)
{
    for (int i = 0; i < parent.childCount(); ++i)
    {
        parent.child(i)->setExpanded(rows[static_cast<std::size_t>(i)].expanded);
        Expand(*parent.child(i), rows[static_cast<std::size_t>(i)].children);
    }
}

// A plain tree of the size of the browser's, showing what it showed.
struct CTreeFloor
{
    QTreeWidget tree;
    std::vector<CTreeRow> rows;

    explicit CTreeFloor(const QTreeView& view) : rows(Rows(view))
    {
        tree.setHeaderHidden(true);
        tree.setIconSize(view.iconSize());
        tree.resize(view.size());
        tree.show();
    }

    void Fill()
    {
        tree.clear();
        QList<QTreeWidgetItem*> top;
        for (const CTreeRow& row : rows)
        {
            auto* item = new QTreeWidgetItem(QStringList(row.text));
            item->setIcon(0, row.icon);
            AddChildren(*item, row.children);
            top.append(item);
        }
        tree.addTopLevelItems(top);
        Expand(*tree.invisibleRootItem(), rows);
    }
};

// A plain table of the size of the report grid, with its cells.
struct CTableFloor
{
    QTableWidget table;
    std::vector<QStringList> cells;

    // The heading and the rows of the view.
    explicit CTableFloor(const QTableView& view)
    {
        const QAbstractItemModel& model = *view.model();
        QStringList heading;
        for (int c = 0; c < model.columnCount(); ++c)
            heading.append(model.headerData(c, Qt::Horizontal).toString());
        cells.push_back(heading);
        for (int r = 0; r < model.rowCount(); ++r)
        {
            QStringList row;
            for (int c = 0; c < model.columnCount(); ++c)
                row.append(model.index(r, c).data().toString());
            cells.push_back(row);
        }
        table.setColumnCount(model.columnCount());
        table.resize(view.size());
        table.show();
    }

    void Fill()
    {
        table.setRowCount(0);
        table.setRowCount(static_cast<int>(cells.size()));
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.columnCount(); ++c)
                table.setItem(r, c, new QTableWidgetItem(cells[static_cast<std::size_t>(r)][c]));
    }
};

struct CFixture
{
    std::unique_ptr<CAppContext> browsing;
    std::unique_ptr<CFormulaWindow> all;
    std::unique_ptr<CFormulaWindow> search;
    std::unique_ptr<CFormulaWindow> named;
    std::unique_ptr<CAppContext> reporting;
    std::unique_ptr<CReportsWindow> reports;
    CReportRequest request;
    std::unique_ptr<CTreeFloor> allFloor;
    std::unique_ptr<CTreeFloor> searchFloor;
    std::unique_ptr<CTreeFloor> namedFloor;
    std::unique_ptr<CTableFloor> reportFloor;
    std::string searchText;
    std::filesystem::path folder;
    int items = 0;
};

std::unique_ptr<CAppContext> Started(const std::filesystem::path& folder)
{
    auto app = std::make_unique<CAppContext>(folder, std::make_unique<CMemorySettingsStore>());
    app->Start(nullptr);
    return app;
}

void Settle()
{
    QCoreApplication::processEvents();
}

template <typename Step> void Timed(benchmark::State& state, Step step)
{
    for (auto _ : state)
    {
        step();
        Settle();
    }
}

void BM_FormulaTree(benchmark::State& state, CFixture* f)
{
    // Choosing the breakdown mode that is already on refills the tree and nothing else.
    const EBreakdownMode mode = BreakdownModeOf(f->browsing->Settings().ShowResourceMode);
    Timed(state, [&] { f->all->SetBreakdownMode(mode); });
    state.counters["rows"] = static_cast<double>(f->allFloor->rows.size());
}

void BM_FilterKeystroke(benchmark::State& state, CFixture* f)
{
    QLineEdit& box = *f->search->QuickFilterEdit();
    for (auto _ : state)
    {
        state.PauseTiming();
        box.clear();
        Settle();
        state.ResumeTiming();
        box.setText(QString::fromStdString(f->searchText));
        Settle();
    }
    state.counters["rows"] = static_cast<double>(f->searchFloor->rows.size());
}

void BM_NameSearch(benchmark::State& state, CFixture* f)
{
    Timed(state, [&] { f->named->ApplyNameFilter(f->searchText); });
}

void BM_Report(benchmark::State& state, CFixture* f)
{
    Timed(state, [&] { f->reports->GenerateReport(); });
    state.counters["rows"] = static_cast<double>(f->reportFloor->cells.size());
}

void BM_ReportCompute(benchmark::State& state, CFixture* f)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GenerateReport(f->request));
}

void BM_Undo(benchmark::State& state, CFixture* f)
{
    constexpr int Steps = 80;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto app = Started(f->folder);
        COrder& order = app->Order();
        FillBenchOrder(app->Database(), f->items, order);
        order.AddGroup("Bulk");
        // Every tenth item in one group, as a player's large group would be spread out.
        for (std::size_t i = 0; i < order.items.size(); i += 10)
            order.items[i]->group = "Bulk";
        app->History().Reset();
        auto window = std::make_unique<COrderWindow>(*app, nullptr);
        window->show();
        app->OrderChanged();
        Settle();
        for (int step = 0; step < Steps; ++step)
        {
            const std::string from = order.groups.back();
            const std::string to = "Bulk " + std::to_string(step);
            order.groups.back() = to;
            for (auto& item : order.items)
                if (item->group == from)
                    item->group = to;
            app->History().Commit("Rename Group");
        }
        app->OrderChanged();
        Settle();
        state.ResumeTiming();
        for (int step = 0; step < Steps && app->UndoOrderEdit(); ++step)
            Settle();
        state.PauseTiming();
        window.reset();
        app.reset();
        state.ResumeTiming();
    }
}

void BM_TreeFloor(benchmark::State& state, CTreeFloor* floor)
{
    Timed(state, [&] { floor->Fill(); });
}

void BM_TableFloor(benchmark::State& state, CTableFloor* floor)
{
    Timed(state, [&] { floor->Fill(); });
}
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<std::pair<std::string, std::filesystem::path>> databases;
    int items = 10000;
    std::string searchText = "e";
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--db") == 0 && i + 1 < argc)
        {
            const std::string definition = argv[++i];
            const std::size_t eq = definition.find('=');
            if (eq == std::string::npos)
            {
                std::fprintf(stderr, "moxa-ui-bench: --db wants NAME=DIR\n");
                return 2;
            }
            databases.emplace_back(definition.substr(0, eq), definition.substr(eq + 1));
        }
        else if (std::strcmp(argv[i], "--items") == 0 && i + 1 < argc)
            items = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--search") == 0 && i + 1 < argc)
            searchText = argv[++i];
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    // A message box would wait for a click that never comes; its text goes to stderr instead.
    CMessageBox::SetScripted(true);

    std::vector<std::unique_ptr<CFixture>> fixtures;
    for (const auto& [name, folder] : databases)
    {
        auto f = std::make_unique<CFixture>();
        f->searchText = searchText;
        f->folder = folder;
        f->items = items;
        f->browsing = Started(folder);
        f->browsing->Settings().LastFormulaCategory = "All";
        f->all = std::make_unique<CFormulaWindow>(*f->browsing, nullptr);
        f->all->show();
        f->search = std::make_unique<CFormulaWindow>(*f->browsing, nullptr);
        f->search->show();
        f->search->QuickFilterEdit()->setText(QString::fromStdString(searchText));
        f->named = std::make_unique<CFormulaWindow>(*f->browsing, nullptr);
        f->named->show();
        f->named->ApplyNameFilter(searchText);
        Settle();
        f->allFloor = std::make_unique<CTreeFloor>(*f->all->Tree());
        f->searchFloor = std::make_unique<CTreeFloor>(*f->search->Tree());
        f->namedFloor = std::make_unique<CTreeFloor>(*f->named->Tree());

        // The order lives in a context of its own, so that the browsers above never see it.
        f->reporting = Started(folder);
        FillBenchOrder(f->reporting->Database(), items, f->reporting->Order());
        f->reporting->Settings().ShowReportResourceMode = BreakdownBaseResources;
        f->reports = std::make_unique<CReportsWindow>(*f->reporting, nullptr);
        f->reports->ContentBox()->setCurrentIndex(0); // "Order & Comps"
        f->reports->show();
        f->reports->GenerateReport();
        Settle();
        f->reportFloor = std::make_unique<CTableFloor>(*f->reports->Grid());
        Settle();
        // What the window asks of the core for the same report.
        f->request.db = &f->reporting->Database();
        f->request.order = &f->reporting->Order();
        f->request.selection = f->reporting->OrderSelection();
        f->request.profile = f->reporting->Profiles().current;
        f->request.content = ReportOrderAndComponents;
        f->request.breakdown = BreakdownBaseResources;

        const auto add = [&](const std::string& what, auto function, auto* argument)
        {
            benchmark::RegisterBenchmark((what + "/" + name).c_str(), function, argument)
                ->Unit(benchmark::kMillisecond);
        };
        add("formula_tree", BM_FormulaTree, f.get());
        add("tree_floor", BM_TreeFloor, f->allFloor.get());
        add("filter_keystroke", BM_FilterKeystroke, f.get());
        add("filter_floor", BM_TreeFloor, f->searchFloor.get());
        add("name_search", BM_NameSearch, f.get());
        add("name_search_floor", BM_TreeFloor, f->namedFloor.get());
        add("report", BM_Report, f.get());
        add("report_compute", BM_ReportCompute, f.get());
        add("report_floor", BM_TableFloor, f->reportFloor.get());
        benchmark::RegisterBenchmark(("undo/" + name).c_str(), BM_Undo, f.get())
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        fixtures.push_back(std::move(f));
    }
    for (const QString& message : CMessageBox::TakeLog())
        std::fprintf(stderr, "moxa-ui-bench: %s\n", message.toLocal8Bit().constData());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The windows go before the contexts they show.
    for (auto& f : fixtures)
    {
        f->all.reset();
        f->search.reset();
        f->named.reset();
        f->reports.reset();
    }
    return 0;
}
