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

TEST(RunOrdered, ALargeJobStartedFirstIsStillTakenAtItsTurn)
{
    for (std::size_t first : {std::size_t(0), std::size_t(6), std::size_t(11)})
    {
        // Every other job waits for the named one to have started: were it started after
        // them, both threads would sit in those waits until they give up.
        std::mutex mutex;
        std::condition_variable changed;
        bool namedStarted = false;
        int gaveUp = 0;
        std::vector<int> runs(12, 0);
        std::vector<std::size_t> taken;
        std::vector<std::size_t> startOrder = {first};
        for (std::size_t i = 0; i < 12; ++i)
            if (i != first)
                startOrder.push_back(i);
        RunOrdered(
            12, 2,
            [&](std::size_t i)
            {
                std::unique_lock lock(mutex);
                ++runs[i];
                if (i == first)
                {
                    namedStarted = true;
                    changed.notify_all();
                }
                else if (!changed.wait_for(lock, std::chrono::seconds(2),
                                           [&] { return namedStarted; }))
                    ++gaveUp;
            },
            [&](std::size_t i) { taken.push_back(i); }, startOrder);
        std::vector<std::size_t> all(12);
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = i;
        EXPECT_EQ(taken, all) << first;
        EXPECT_EQ(runs, std::vector<int>(12, 1)) << first;
        EXPECT_EQ(gaveUp, 0) << first;
    }
}

// An order that names a job twice, misses one or names one that does not exist is not
// followed: every job still runs once and is taken in turn.
TEST(RunOrdered, AStartOrderThatIsNotEveryJobOnceIsIgnored)
{
    for (const std::vector<std::size_t>& order : std::vector<std::vector<std::size_t>>{
             {0, 1, 1, 3}, {0, 1, 2}, {3, 2, 1, 0, 4}, {4, 2, 1, 0}})
    {
        std::mutex mutex;
        std::vector<int> runs(4, 0);
        std::vector<std::size_t> taken;
        RunOrdered(
            4, 2,
            [&](std::size_t i)
            {
                std::lock_guard lock(mutex);
                ++runs[i];
            },
            [&](std::size_t i) { taken.push_back(i); }, order);
        EXPECT_EQ(runs, std::vector<int>(4, 1));
        EXPECT_EQ(taken, (std::vector<std::size_t>{0, 1, 2, 3}));
    }
}

TEST(LargeJobsFirst, TheJobsHalfAsLargeAgainAsTheMedianLargestFirstThenTheRestInOrder)
{
    // A small database: two large craft files, a technique file, the components file, the
    // resource files and two wizards (sizes in KB).
    EXPECT_EQ(LargeJobsFirst({264, 263, 50, 57, 56, 51, 49, 138, 98, 1, 1}),
              (std::vector<std::size_t>{0, 1, 7, 8, 2, 3, 4, 5, 6, 9, 10}));
    // Files of about one size keep their order; only the components file goes first.
    EXPECT_EQ(LargeJobsFirst({264342, 269736, 262000, 19918387, 268000}),
              (std::vector<std::size_t>{3, 0, 1, 2, 4}));
    // Exactly half as large again as the median is large; just under it is not.
    EXPECT_EQ(LargeJobsFirst({100, 149, 150, 100, 100}), (std::vector<std::size_t>{2, 0, 1, 3, 4}));
    // Equal large sizes keep their order among themselves.
    EXPECT_EQ(LargeJobsFirst({1, 500, 1, 500, 1}), (std::vector<std::size_t>{1, 3, 0, 2, 4}));
    EXPECT_EQ(LargeJobsFirst({0, 0, 0}), (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(LargeJobsFirst({7}), std::vector<std::size_t>{0});
    EXPECT_EQ(LargeJobsFirst({}), std::vector<std::size_t>{});
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
