// moxa-undo-bench: the order history on a large order.
//
//   moxa-undo-bench [--items N] [--group M] [--steps S] [benchmark flags]
//
//   rename_steps   S renames of one group of M items in an order of N items (defaults 50,000,
//                  5,000 and 80), each committed; counter bytes_per_step is the heap the history
//                  grew by per step kept (malloc's own count), kept_steps how many it holds,
//                  estimate_per_step what the history's own estimate says
//   undo_steps     the S steps undone one after the other, from the end
#include "order/OrderHistory.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace
{
int s_items = 50000;
int s_group = 5000;
int s_steps = 80;

// N items in groups of M, named as a player's would be, every third with a technique.
void FillOrder(COrder& order)
{
    const int groups = (s_items + s_group - 1) / s_group;
    for (int g = 0; g < groups; ++g)
        order.AddGroup("Group " + std::to_string(g));
    for (int i = 0; i < s_items; ++i)
    {
        auto item = std::make_unique<COrderItem>();
        item->itemName = "Reinforced Duskiron Buckle " + std::to_string(i);
        item->group = "Group " + std::to_string(i / s_group);
        item->formula = "Reinforced Duskiron Buckle";
        item->category = "Armour";
        item->tierName = "Tier IV";
        item->batches = 1 + i % 5;
        if (i % 3 == 0)
            item->techniques.push_back({"All", "Tempering", "Tier II"});
        order.AddItem(std::move(item));
    }
}

// Renames group 0 `s_steps` times, each a committed step.
void Rename(COrder& order, COrderHistory& history)
{
    for (int step = 0; step < s_steps; ++step)
    {
        const std::string from = order.groups[0];
        const std::string to = "Group 0 renamed " + std::to_string(step);
        order.groups[0] = to;
        for (auto& item : order.items)
            if (item->group == from)
                item->group = to;
        history.Commit("Rename Group");
    }
}

void RenameSteps(benchmark::State& state)
{
    double bytes = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        auto order = std::make_unique<COrder>();
        FillOrder(*order);
        auto history = std::make_unique<COrderHistory>(*order);
        const std::size_t before = mallinfo2().uordblks;
        state.ResumeTiming();
        Rename(*order, *history);
        state.PauseTiming();
        const double grown = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before);
        state.counters["estimate_per_step"] = static_cast<double>(history->StepBytes()) / history->Steps();
        bytes = grown / history->Steps();
        std::size_t kept = 0;
        while (history->CanUndo() && history->Undo())
            ++kept;
        state.counters["kept_steps"] = static_cast<double>(kept);
        history.reset();
        order.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_step"] = bytes;
}

void UndoSteps(benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        auto order = std::make_unique<COrder>();
        FillOrder(*order);
        auto history = std::make_unique<COrderHistory>(*order);
        Rename(*order, *history);
        state.ResumeTiming();
        int undone = 0;
        while (undone < s_steps && history->Undo())
            ++undone;
        state.PauseTiming();
        state.counters["undone"] = undone;
        history.reset();
        order.reset();
        state.ResumeTiming();
    }
}

int Option(int& argc, char** argv, const char* name, int fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
        {
            const int value = std::atoi(argv[i + 1]);
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            return value > 0 ? value : fallback;
        }
    return fallback;
}
} // namespace

int main(int argc, char** argv)
{
    s_items = Option(argc, argv, "--items", s_items);
    s_group = Option(argc, argv, "--group", s_group);
    s_steps = Option(argc, argv, "--steps", s_steps);
    benchmark::RegisterBenchmark("rename_steps", RenameSteps)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("undo_steps", UndoSteps)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
