#include "database/OrderedJobs.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sched.h>
#endif

namespace
{
// Later jobs finish first (job i sleeps longer the smaller i is), so results come in out
// of order; they must still be taken in order, on the caller's thread.
void SlowFirst(std::size_t i, std::size_t count)
{
    std::this_thread::sleep_for(std::chrono::microseconds(200 * (count - i)));
}
} // namespace

TEST(RunOrdered, TakesEveryResultInOrderOnTheCallersThread)
{
    for (unsigned threads : {0u, 1u, 2u, 4u, 9u})
        for (std::size_t count : {std::size_t(0), std::size_t(1), std::size_t(2), std::size_t(25)})
        {
            std::vector<int> results(count, -1);
            std::vector<std::size_t> taken;
            std::mutex mutex;
            std::set<std::thread::id> workers;
            bool takenOnCaller = true;
            const std::thread::id caller = std::this_thread::get_id();
            RunOrdered(
                count, threads,
                [&](std::size_t i)
                {
                    SlowFirst(i, count);
                    results[i] = static_cast<int>(i * i);
                    std::lock_guard lock(mutex);
                    workers.insert(std::this_thread::get_id());
                },
                [&](std::size_t i)
                {
                    takenOnCaller = takenOnCaller && std::this_thread::get_id() == caller;
                    // Its work is done when it is taken.
                    EXPECT_EQ(results[i], static_cast<int>(i * i));
                    taken.push_back(i);
                });
            std::vector<std::size_t> expected(count);
            for (std::size_t i = 0; i < count; ++i)
                expected[i] = i;
            EXPECT_EQ(taken, expected) << threads << " threads, " << count << " jobs";
            EXPECT_TRUE(takenOnCaller);
            // No more threads than asked for (the caller counts), one when one is asked.
            EXPECT_LE(workers.size(), std::max(1u, threads));
            if (threads <= 1 && count > 0)
            {
                EXPECT_EQ(workers, std::set<std::thread::id>{caller});
            }
        }
}

TEST(RunOrdered, AFailedJobIsThrownAtItsTurnAndNothingAfterItIsTaken)
{
    for (unsigned threads : {1u, 2u, 4u})
    {
        std::vector<std::size_t> taken;
        std::atomic<int> running{0};
        try
        {
            RunOrdered(
                12, threads,
                [&](std::size_t i)
                {
                    ++running;
                    SlowFirst(i, 12);
                    --running;
                    if (i == 5)
                        throw std::runtime_error("job 5");
                },
                [&](std::size_t i) { taken.push_back(i); });
            ADD_FAILURE() << "no exception with " << threads << " threads";
        }
        catch (const std::runtime_error& e)
        {
            EXPECT_EQ(std::string(e.what()), "job 5");
        }
        EXPECT_EQ(taken, (std::vector<std::size_t>{0, 1, 2, 3, 4})) << threads;
        // Every helper has stopped by the time the caller sees the exception.
        EXPECT_EQ(running.load(), 0) << threads;
    }
}

TEST(RunOrdered, AFailureWhileTakingStopsTheOtherThreads)
{
    std::atomic<int> running{0};
    std::vector<std::size_t> taken;
    EXPECT_THROW(RunOrdered(
                     40, 3,
                     [&](std::size_t)
                     {
                         ++running;
                         std::this_thread::sleep_for(std::chrono::milliseconds(2));
                         --running;
                     },
                     [&](std::size_t i)
                     {
                         if (i == 1)
                             throw std::logic_error("take 1");
                         taken.push_back(i);
                     }),
                 std::logic_error);
    EXPECT_EQ(taken, std::vector<std::size_t>{0});
    EXPECT_EQ(running.load(), 0);
}

TEST(LoadThreads, OneToFourThreadsAndOnlyTheCoresTheProcessMayUse)
{
    const unsigned threads = LoadThreads();
    EXPECT_GE(threads, 1u);
    EXPECT_LE(threads, 4u);
#ifdef __linux__
    cpu_set_t before;
    ASSERT_EQ(sched_getaffinity(0, sizeof(before), &before), 0);
    EXPECT_EQ(threads, std::min(4u, static_cast<unsigned>(CPU_COUNT(&before))));
    // Pinned to one core, the load reads on one thread.
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, &before))
        {
            CPU_SET(cpu, &one);
            break;
        }
    ASSERT_EQ(sched_setaffinity(0, sizeof(one), &one), 0);
    const unsigned pinned = LoadThreads();
    ASSERT_EQ(sched_setaffinity(0, sizeof(before), &before), 0);
    EXPECT_EQ(pinned, 1u);
#endif
}
