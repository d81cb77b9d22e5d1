// moxa-ui-bench: the window benchmarks, on the offscreen platform unless another is named.
//
//   moxa-ui-bench --db NAME=DIR ... [benchmark flags]
//
// Each database is started as the program starts it (settings defaults, cache or rebuild)
// and shown in a formula browser; the fill of its tree is then timed.
#include "app/SettingsStore.h"
#include "ui/browsers/FormulaWindow.h"
#include "ui/shell/AppContext.h"
#include "ui/shell/MessageBox.h"
#include "ui/widgets/ThemedTree.h"

#include <QApplication>
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
struct CBrowserFixture
{
    std::string name;
    std::unique_ptr<CAppContext> app;
    std::unique_ptr<CFormulaWindow> window;
};

// The tree for "All" without filters, as a click on the category fills it: the core's tree,
// the items, and the layout and paint that follow before the user sees it.
void BM_FormulaTreeWidgets(benchmark::State& state, CBrowserFixture* f)
{
    CFormulaWindow& window = *f->window;
    const int mode = f->app->Settings().ShowResourceMode;
    for (auto _ : state)
    {
        // Choosing the breakdown mode that is already on refills the tree and nothing else.
        window.SetBreakdownMode(mode);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.Tree()->topLevelItemCount());
    }
    state.counters["categories"] = window.Tree()->topLevelItemCount();
}
} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<std::pair<std::string, std::filesystem::path>> databases;
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
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    // A message box would wait for a click that never comes; its text goes to stderr instead.
    CMessageBox::SetScripted(true);

    std::vector<std::unique_ptr<CBrowserFixture>> fixtures;
    for (const auto& [name, folder] : databases)
    {
        auto f = std::make_unique<CBrowserFixture>();
        f->name = name;
        f->app = std::make_unique<CAppContext>(folder, std::make_unique<CMemorySettingsStore>());
        f->app->Start(nullptr);
        f->app->Settings().LastFormulaCategory = "All";
        f->window = std::make_unique<CFormulaWindow>(*f->app, nullptr);
        f->window->show();
        QCoreApplication::processEvents();
        benchmark::RegisterBenchmark(("formula_tree_widgets/" + name).c_str(),
                                     BM_FormulaTreeWidgets, f.get())
            ->Unit(benchmark::kMillisecond);
        fixtures.push_back(std::move(f));
    }
    for (const QString& message : CMessageBox::TakeLog())
        std::fprintf(stderr, "moxa-ui-bench: %s\n", message.toLocal8Bit().constData());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The windows go before the contexts they show.
    for (auto& f : fixtures)
        f->window.reset();
    return 0;
}
