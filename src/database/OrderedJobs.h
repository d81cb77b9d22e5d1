#pragma once

#include <cstddef>
#include <functional>

// Runs work(0) ... work(count - 1) on up to `threads` threads, the caller's among them, and
// calls take(i) on the calling thread in ascending order, each as soon as work(i) is done.
// So the results are used in the same order, and on the same thread, as by a plain loop of
// work(i); take(i). An exception from work(i) or take(i) is thrown to the caller at i's
// turn, after the other threads have stopped; later results are then not taken.
void RunOrdered(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& take);

// The threads a load reads its files on: one per core, at most four.
unsigned LoadThreads();
