// moxa-bench: the database, cache and order benchmarks on generated data folders.
//
//   moxa-bench --generate MB SEED DIR          write a data folder
//   moxa-bench --rss DIR                       one rebuild; prints the peak resident memory
//   moxa-bench --db NAME=DIR ... [--orders NAME] [--items 100,1000] [benchmark flags]
#include "BenchOrder.h"
#include "DatabaseGenerator.h"
#include "PeerLoader.h"
#include "base/DataPaths.h"
#include "base/Settings.h"
#include "browsers/FormulaTree.h"
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"
#include "order/Order.h"
#include "order/Report.h"
#include "order/ReportGrid.h"
#include "order/Requirements.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"
#include "xml/XmlDocument.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
// The files a rebuild reads, in the order it reads them.
std::vector<fs::path> XmlFiles(const fs::path& data)
{
    std::vector<fs::path> files = {DataPaths::Join(data, DataPaths::Categories)};
    for (std::string_view folder : {DataPaths::Crafts, DataPaths::Techs})
        for (const fs::path& f : DatabaseFiles(DataPaths::Join(data, folder)))
            files.push_back(f);
    files.push_back(DataPaths::Join(data, DataPaths::Components));
    for (const fs::path& f : DatabaseFiles(DataPaths::Join(data, DataPaths::Wizards)))
        files.push_back(f);
    files.push_back(DataPaths::Join(data, DataPaths::TechniqueOverlay));
    files.push_back(DataPaths::Join(data, DataPaths::FormulaOverlay));
    return files;
}

std::int64_t TotalBytes(const std::vector<fs::path>& files)
{
    std::int64_t total = 0;
    std::error_code ec;
    for (const fs::path& f : files)
    {
        const auto size = fs::file_size(f, ec);
        if (!ec)
            total += static_cast<std::int64_t>(size);
    }
    return total;
}

struct CBenchSettings
{
    CSettings settings;
    CBenchSettings()
    {
        settings.EnableCache = false; // the rebuild is timed without writing the cache
        settings.EnableIcons = false;
    }
};

// A rebuild from XML, as the program runs it (no icons: the game folder is not there).
void Rebuild(CGameDatabase& db, CIconManager& icons, const fs::path& data)
{
    static CBenchSettings s;
    CDatabaseLoadContext c;
    c.dataFolder = data;
    c.settings = &s.settings;
    c.database = &db;
    c.icons = &icons;
    c.freeSpace = [](const fs::path&) { return UINTMAX_MAX; };
    RebuildDatabase(c);
}

struct CDatabaseFolder
{
    std::string name;
    fs::path data;
    std::vector<fs::path> files;
    std::int64_t bytes = 0;
};

// A load is timed up to the filled database; freeing it again is not part of a start.
// Neither is the allocator merging the freed blocks: without the trim that work lands on
// the next load's first large allocation, which a start never pays.
void FreeUntimed(benchmark::State& state, std::unique_ptr<CGameDatabase>& db,
                 std::unique_ptr<CIconManager>& icons)
{
    state.PauseTiming();
    db.reset();
    icons.reset();
    malloc_trim(0);
    state.ResumeTiming();
}

void BM_Rebuild(benchmark::State& state, const CDatabaseFolder* d)
{
    for (auto _ : state)
    {
        auto db = std::make_unique<CGameDatabase>();
        auto icons = std::make_unique<CIconManager>();
        Rebuild(*db, *icons, d->data);
        benchmark::DoNotOptimize(db->FormulaSets().data());
        FreeUntimed(state, db, icons);
    }
    state.SetBytesProcessed(state.iterations() * d->bytes);
}

void BM_Peer(benchmark::State& state, const CDatabaseFolder* d)
{
    for (auto _ : state)
    {
        auto db = std::make_unique<CGameDatabase>();
        auto icons = std::make_unique<CIconManager>();
        PeerRebuild(*db, icons.get(), d->data);
        benchmark::DoNotOptimize(db->FormulaSets().data());
        FreeUntimed(state, db, icons);
    }
    state.SetBytesProcessed(state.iterations() * d->bytes);
}

// The floor: read every file and find its lines, nothing more.
void BM_Memchr(benchmark::State& state, const CDatabaseFolder* d)
{
    std::string buffer;
    for (auto _ : state)
    {
        std::size_t lines = 0;
        for (const fs::path& f : d->files)
        {
            std::FILE* file = std::fopen(f.c_str(), "rb");
            if (!file)
                continue;
            std::fseek(file, 0, SEEK_END);
            buffer.resize(static_cast<std::size_t>(std::ftell(file)));
            std::fseek(file, 0, SEEK_SET);
            buffer.resize(std::fread(buffer.data(), 1, buffer.size(), file));
            std::fclose(file);
            const char* p = buffer.data();
            const char* end = p + buffer.size();
            while (const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(end - p)))
            {
                p = static_cast<const char*>(nl) + 1;
                ++lines;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * d->bytes);
}

// Our reader's share of a rebuild: every file loaded and split into its tagged lines.
void BM_XmlLines(benchmark::State& state, const CDatabaseFolder* d)
{
    for (auto _ : state)
    {
        std::size_t lines = 0;
        for (const fs::path& f : d->files)
        {
            CXmlDocument doc;
            doc.Load(f);
            lines += static_cast<std::size_t>(doc.LineCount());
        }
        benchmark::DoNotOptimize(lines);
    }
    CXmlDocument::ReleaseSpareBuffers();
    state.SetBytesProcessed(state.iterations() * d->bytes);
}

fs::path CacheFolder(const CDatabaseFolder* d)
{
    return d->data / "Cache";
}

// The cache of a database is written once per process: with the repetitions interleaved,
// each of them runs this benchmark afresh.
std::int64_t WrittenCacheBytes(const CDatabaseFolder* d)
{
    static std::map<const CDatabaseFolder*, std::int64_t> written;
    const auto found = written.find(d);
    if (found != written.end())
        return found->second;
    CGameDatabase db;
    CIconManager icons;
    Rebuild(db, icons, d->data);
    WriteCache(db, icons, CacheFolder(d));
    const auto bytes = static_cast<std::int64_t>(fs::file_size(CacheFolder(d) / "config.dat"));
    written.emplace(d, bytes);
    return bytes;
}

void BM_CacheLoad(benchmark::State& state, const CDatabaseFolder* d)
{
    CSettings settings;
    const std::int64_t bytes = WrittenCacheBytes(d);
    for (auto _ : state)
    {
        auto db = std::make_unique<CGameDatabase>();
        auto icons = std::make_unique<CIconManager>();
        if (!LoadCache(*db, *icons, CacheFolder(d), settings))
            state.SkipWithError("the cache does not load");
        benchmark::DoNotOptimize(db->FormulaSets().data());
        FreeUntimed(state, db, icons);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["xml_bytes"] = static_cast<double>(d->bytes);
}

void BM_WriteCache(benchmark::State& state, const CDatabaseFolder* d)
{
    CGameDatabase db;
    CIconManager icons;
    Rebuild(db, icons, d->data);
    const fs::path folder = d->data / "CacheWrite";
    std::int64_t bytes = 0;
    for (auto _ : state)
    {
        WriteCache(db, icons, folder);
        state.PauseTiming();
        bytes = static_cast<std::int64_t>(fs::file_size(folder / "config.dat"));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

// A database held for the order benchmarks, with an order of every size asked for.
struct COrderFixture
{
    CGameDatabase db;
    CIconManager icons;
    CProfile profile;
    std::map<int, std::unique_ptr<COrder>> orders;

    void Build(const CDatabaseFolder& d, const std::vector<int>& sizes)
    {
        Rebuild(db, icons, d.data);
        db.RebuildIndexes();
        // As a load ends: the tree benchmarks must not depend on category_lists running first.
        db.BuildCategoryLists();
        ReadProfile(profile, DataPaths::Join(d.data, DataPaths::DefaultProfiles) / "Generated.xml");
        for (int n : sizes)
        {
            auto order = std::make_unique<COrder>();
            FillBenchOrder(db, n, *order);
            orders[n] = std::move(order);
        }
    }
};

COrderFixture* g_orders = nullptr;

void BM_Compute(benchmark::State& state, EBreakdownMode mode, int n)
{
    const std::vector<const COrderItem*> items = SelectedItems(*g_orders->orders[n], {});
    // One untimed run first: the benchmarks before this one have evicted the database from
    // the caches, and a large order runs too few timed iterations to hide that.
    benchmark::DoNotOptimize(
        ComputeComponents(g_orders->db, items, &g_orders->profile, mode, SortByName).data());
    for (auto _ : state)
    {
        CRequirementList list =
            ComputeComponents(g_orders->db, items, &g_orders->profile, mode, SortByName);
        benchmark::DoNotOptimize(list.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_Report(benchmark::State& state, EBreakdownMode mode, int n)
{
    CReportRequest request;
    request.db = &g_orders->db;
    request.order = g_orders->orders[n].get();
    request.profile = &g_orders->profile;
    request.breakdown = mode;
    // Untimed, as in BM_Compute.
    benchmark::DoNotOptimize(ReportGridOf(GenerateReport(request)).RowCount());
    for (auto _ : state)
    {
        const CReportGrid grid = ReportGridOf(GenerateReport(request));
        benchmark::DoNotOptimize(grid.RowCount());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_CategoryLists(benchmark::State& state)
{
    for (auto _ : state)
    {
        g_orders->db.FormulaCategories.clear();
        g_orders->db.TechniqueCategories.clear();
        g_orders->db.BuildCategoryLists();
        benchmark::DoNotOptimize(g_orders->db.FormulaCategories.data());
    }
}

// The formula browser's tree for "All" without filters, and its category list: the core
// part of filling the window (the widgets themselves are not timed here).
void BM_FormulaTree(benchmark::State& state)
{
    CFormulaFilter filter;
    filter.category = "All";
    for (auto _ : state)
    {
        CFormulaTree tree = BuildFormulaTree(g_orders->db, filter, {}, {});
        benchmark::DoNotOptimize(tree.found);
    }
}

void BM_CategoryEntries(benchmark::State& state)
{
    for (auto _ : state)
    {
        std::vector<std::string> entries = CategoryEntries(g_orders->db);
        benchmark::DoNotOptimize(entries.data());
    }
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"); -1 when it cannot be read.
long StatusKb(const char* field)
{
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, n) == 0 && line[n] == ':')
            value = std::atol(line + n + 1);
    std::fclose(f);
    return value;
}

// The peak resident memory a rebuild adds. A rebuild of a tiny generated database first
// brings in the code and the allocator's bookkeeping, which are not the database's memory;
// the baseline is taken after it, with its heap given back.
int RssMode(const fs::path& data)
{
    const std::int64_t bytes = TotalBytes(XmlFiles(data));
    const fs::path warm =
        fs::temp_directory_path() / ("moxa-bench-warm-" + std::to_string(getpid()));
    {
        CGeneratorResult result;
        std::string error;
        if (GenerateDatabase(warm, {64 << 10, 7}, result, error))
        {
            CGameDatabase db;
            CIconManager icons;
            Rebuild(db, icons, warm);
        }
        std::error_code ec;
        fs::remove_all(warm, ec);
    }
    malloc_trim(0);
    const long before = StatusKb("VmRSS");
    {
        CGameDatabase db;
        CIconManager icons;
        Rebuild(db, icons, data);
        benchmark::DoNotOptimize(db.FormulaSets().data());
    }
    const long peak = StatusKb("VmHWM");
    std::printf("xml_bytes %lld rss_before_kb %ld rss_peak_kb %ld\n", static_cast<long long>(bytes),
                before, peak);
    return 0;
}

std::vector<int> ParseList(const char* text)
{
    std::vector<int> values;
    for (const char* p = text; *p;)
    {
        values.push_back(std::atoi(p));
        const char* comma = std::strchr(p, ',');
        if (!comma)
            break;
        p = comma + 1;
    }
    return values;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--generate") == 0)
    {
        CGeneratorOptions options;
        options.xmlBytes = static_cast<std::uint64_t>(std::atof(argv[2]) * 1048576.0);
        options.seed = std::strtoull(argv[3], nullptr, 10);
        CGeneratorResult result;
        std::string error;
        if (!GenerateDatabase(argv[4], options, result, error))
        {
            std::fprintf(stderr, "moxa-bench: %s\n", error.c_str());
            return 1;
        }
        std::printf("%llu\n", static_cast<unsigned long long>(result.xmlBytes));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--rss") == 0)
        return RssMode(argv[2]);

    std::vector<CDatabaseFolder> folders;
    std::string ordersName;
    std::vector<int> sizes = {100, 1000, 10000, 100000};
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--db") == 0 && i + 1 < argc)
        {
            const std::string definition = argv[++i];
            const std::size_t eq = definition.find('=');
            CDatabaseFolder d;
            d.name = definition.substr(0, eq);
            d.data = definition.substr(eq + 1);
            d.files = XmlFiles(d.data);
            d.bytes = TotalBytes(d.files);
            folders.push_back(std::move(d));
        }
        else if (std::strcmp(argv[i], "--orders") == 0 && i + 1 < argc)
            ordersName = argv[++i];
        else if (std::strcmp(argv[i], "--items") == 0 && i + 1 < argc)
            sizes = ParseList(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());

    // The loads read on several threads: timed by the wall clock, their CPU time summed over
    // every thread of the process.
    const auto LoadTiming = [](benchmark::internal::Benchmark* b)
    { b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime(); };
    // The rebuilds of every size, each beside the peer's, run one after the other: this
    // machine's speed drifts, and the growth and peer ratios compare them. (bench/run also
    // runs the loads with their repetitions interleaved.)
    for (const CDatabaseFolder& d : folders)
    {
        benchmark::RegisterBenchmark(("rebuild/" + d.name).c_str(), BM_Rebuild, &d)
            ->Apply(LoadTiming);
        benchmark::RegisterBenchmark(("pugixml/" + d.name).c_str(), BM_Peer, &d)->Apply(LoadTiming);
    }
    for (const CDatabaseFolder& d : folders)
    {
        benchmark::RegisterBenchmark(("memchr/" + d.name).c_str(), BM_Memchr, &d)
            ->Apply(LoadTiming);
        benchmark::RegisterBenchmark(("xml_lines/" + d.name).c_str(), BM_XmlLines, &d)
            ->Apply(LoadTiming);
        benchmark::RegisterBenchmark(("cache_load/" + d.name).c_str(), BM_CacheLoad, &d)
            ->Apply(LoadTiming);
        benchmark::RegisterBenchmark(("write_cache/" + d.name).c_str(), BM_WriteCache, &d)
            ->Apply(LoadTiming);
    }
    COrderFixture fixture;
    for (const CDatabaseFolder& d : folders)
        if (d.name == ordersName)
        {
            fixture.Build(d, sizes);
            g_orders = &fixture;
            for (EBreakdownMode mode : {BreakdownComponents, BreakdownSubcomponents, BreakdownBaseResources})
                for (int n : sizes)
                {
                    const std::string suffix = std::to_string(mode) + "/" + std::to_string(n);
                    benchmark::RegisterBenchmark(("compute/" + suffix).c_str(), BM_Compute, mode, n)
                        ->Unit(benchmark::kMillisecond);
                    benchmark::RegisterBenchmark(("report/" + suffix).c_str(), BM_Report, mode, n)
                        ->Unit(benchmark::kMillisecond);
                }
            benchmark::RegisterBenchmark("category_lists", BM_CategoryLists)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark("formula_tree", BM_FormulaTree)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark("category_entries", BM_CategoryEntries)
                ->Unit(benchmark::kMillisecond);
        }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
