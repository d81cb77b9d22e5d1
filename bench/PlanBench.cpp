// moxa-plan-bench: the production plan of large orders on a generated database, beside the
// components computation it starts from, and the cost-aware plan with five characters and a
// price list.
//
//   moxa-plan-bench [--size MB] [--seed S] [--items 1000,10000,100000] [benchmark flags]
#include "BenchOrder.h"
#include "DatabaseGenerator.h"
#include "base/DataPaths.h"
#include "base/Settings.h"
#include "database/GameDatabase.h"
#include "database/IconManager.h"
#include "database/Loader.h"
#include "order/CostPlan.h"
#include "order/Order.h"
#include "order/Plan.h"
#include "order/Prices.h"
#include "order/Requirements.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace
{
struct CPlanFixture
{
    CGameDatabase db;
    CIconManager icons;
    CProfile profile;
    std::map<int, std::unique_ptr<COrder>> orders;
    std::vector<CProfile> characters;
    CPriceList prices;
    CPlanCosting costing;
};
CPlanFixture* g_fixture = nullptr;

// Orders of n items striding through the formulae, a technique on every third, and an
// acquired count for every tenth component the order needs.
std::unique_ptr<COrder> MakeOrder(const CGameDatabase& db, const CProfile& profile, int n)
{
    auto order = std::make_unique<COrder>();
    FillBenchOrder(db, n, *order);
    const CRequirementList needs =
        ComputeComponents(db, SelectedItems(*order, {}), &profile, BreakdownComponents, SortByName);
    for (std::size_t i = 0; i < needs.size(); i += 10)
        order->acquired[needs[i].name] = std::to_string(needs[i].quantity / 2 + 1);
    return order;
}

void BM_Components(benchmark::State& state, int n)
{
    const std::vector<const COrderItem*> items = SelectedItems(*g_fixture->orders[n], {});
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeComponents(g_fixture->db, items, &g_fixture->profile,
                                                   BreakdownComponents, SortByName)
                                     .data());
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_Plan(benchmark::State& state, int n)
{
    const COrder& order = *g_fixture->orders[n];
    const std::vector<const COrderItem*> items = SelectedItems(order, {});
    benchmark::DoNotOptimize(
        ComputePlan(g_fixture->db, order, items, &g_fixture->profile).crafts.data());
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputePlan(g_fixture->db, order, items, &g_fixture->profile).crafts.data());
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_CostPlan(benchmark::State& state, int n)
{
    const COrder& order = *g_fixture->orders[n];
    const std::vector<const COrderItem*> items = SelectedItems(order, {});
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputePlan(g_fixture->db, order, items, &g_fixture->profile, g_fixture->costing)
                .crafts.data());
    state.SetItemsProcessed(state.iterations() * n);
}

// Five characters: the generated one and four with its skills shifted, so that each is the
// cheapest for some steps.
void MakeCharacters(CPlanFixture& fixture)
{
    for (int k = 0; k < 5; ++k)
    {
        CProfile character = fixture.profile;
        character.name += std::to_string(k);
        for (CProfileValue& skill : character.craftSkills)
            skill.value = (skill.value + 23 * k) % 100;
        fixture.characters.push_back(std::move(character));
    }
    for (const CProfile& character : fixture.characters)
        fixture.costing.characters.push_back(&character);
}

// Every component priced, and every third name a "Resources" tier makes, at 0.01 to 9.99
// coins by a hash of the name: some steps are then cheaper to buy.
void MakePrices(CPlanFixture& fixture)
{
    const auto price = [](const std::string& name)
    {
        std::uint32_t hash = 2166136261u;
        for (const char c : name)
            hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return static_cast<std::int64_t>(1 + hash % 999);
    };
    for (const auto& component : fixture.db.Components())
        fixture.prices.prices[component->name] = price(component->name);
    int count = 0;
    for (const CFormulaSet* set : fixture.db.ResourceFormulaSets())
        for (const auto& formula : set->formulae)
            for (const auto& tier : formula->tiers)
                if (count++ % 3 == 0)
                    fixture.prices.prices[tier->name] = price(tier->name);
    fixture.costing.prices = &fixture.prices;
}

std::vector<int> Sizes(const std::string& list)
{
    std::vector<int> sizes;
    for (std::size_t start = 0; start < list.size();)
    {
        const std::size_t comma = list.find(',', start);
        sizes.push_back(std::atoi(list.substr(start, comma - start).c_str()));
        start = comma == std::string::npos ? list.size() : comma + 1;
    }
    return sizes;
}
} // namespace

int main(int argc, char** argv)
{
    CGeneratorOptions options;
    options.xmlBytes = 10ull << 20;
    std::vector<int> sizes = {1000, 10000, 100000};
    std::vector<char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if (arg == "--size" && i + 1 < argc)
            options.xmlBytes = std::strtoull(argv[++i], nullptr, 10) << 20;
        else if (arg == "--seed" && i + 1 < argc)
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--items" && i + 1 < argc)
            sizes = Sizes(argv[++i]);
        else
            rest.push_back(argv[i]);
    }

    const fs::path folder =
        fs::temp_directory_path() / ("moxa-plan-bench-" + std::to_string(getpid()));
    CGeneratorResult generated;
    std::string error;
    if (!GenerateDatabase(folder, options, generated, error))
    {
        std::fprintf(stderr, "moxa-plan-bench: %s\n", error.c_str());
        return 1;
    }
    CPlanFixture fixture;
    {
        CSettings settings;
        settings.EnableCache = false;
        settings.EnableIcons = false;
        CDatabaseLoadContext c;
        c.dataFolder = folder;
        c.settings = &settings;
        c.database = &fixture.db;
        c.icons = &fixture.icons;
        c.freeSpace = [](const fs::path&) { return UINTMAX_MAX; };
        RebuildDatabase(c);
    }
    fixture.db.RebuildIndexes();
    ReadProfile(fixture.profile,
                DataPaths::Join(folder, DataPaths::DefaultProfiles) / "Generated.xml");
    std::error_code ec;
    fs::remove_all(folder, ec);
    for (int n : sizes)
        fixture.orders[n] = MakeOrder(fixture.db, fixture.profile, n);
    MakeCharacters(fixture);
    MakePrices(fixture);
    g_fixture = &fixture;
    std::printf(
        "database: %.1f MB of XML, %d formulae, %d resource products; %zu prices, %zu characters\n",
        static_cast<double>(generated.xmlBytes) / (1 << 20), generated.formulae,
        generated.resourceProducts, fixture.prices.prices.size(), fixture.characters.size());

    // What the cost-aware plans hold, so that the figures are seen to cover buying and
    // several crafters.
    for (int n : sizes)
    {
        const CPlan plan =
            ComputePlan(fixture.db, *fixture.orders[n], SelectedItems(*fixture.orders[n], {}),
                        &fixture.profile, fixture.costing);
        std::size_t bought = 0;
        std::vector<int> perCrafter(fixture.characters.size());
        for (const CPlanRow& row : plan.crafts)
            row.bought ? ++bought : ++perCrafter[static_cast<std::size_t>(row.crafter)];
        std::printf("costplan/%d: %zu bought, crafted per character", n, bought);
        for (const int count : perCrafter)
            std::printf(" %d", count);
        std::printf(", %zu gathered\n", plan.gathers.size());
    }
    for (int n : sizes)
    {
        benchmark::RegisterBenchmark(("components/" + std::to_string(n)).c_str(), BM_Components, n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("plan/" + std::to_string(n)).c_str(), BM_Plan, n)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("costplan/" + std::to_string(n)).c_str(), BM_CostPlan, n)
            ->Unit(benchmark::kMillisecond);
    }
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
