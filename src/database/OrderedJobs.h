#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Runs work(0) ... work(count - 1) on up to `threads` threads, the caller's among them, and
// calls take(i) on the calling thread in ascending order, each as soon as work(i) is done.
// So the results are used in the same order, and on the same thread, as by a plain loop of
// work(i); take(i). An exception from work(i) or take(i) is thrown to the caller at i's
// turn, after the other threads have stopped; later results are then not taken.
// With several threads, the jobs are started in startOrder (every job once) when it is given:
// a large job started last would end the run alone.
void RunOrdered(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& take,
                const std::vector<std::size_t>& startOrder = {});

// A start order for jobs of the given sizes: those at least half as large again as the
// median job, largest first, then all others in ascending order. The results then come
// in nearly as they are taken, and no large job is left for the end.
std::vector<std::size_t> LargeJobsFirst(const std::vector<std::uintmax_t>& sizes);

// The threads a load reads its files on: one per core, at most four.
unsigned LoadThreads();
