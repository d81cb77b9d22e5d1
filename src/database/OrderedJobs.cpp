#include "database/OrderedJobs.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sched.h>
#endif

namespace
{
struct CJobs
{
    std::size_t count = 0;
    const std::function<void(std::size_t)>* work = nullptr;
    std::atomic<std::size_t> next{0};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<char> done;
    std::vector<std::exception_ptr> errors;

    // Runs the next job nobody has taken; false when none is left.
    bool RunNext()
    {
        if (stop.load(std::memory_order_relaxed))
            return false;
        const std::size_t i = next.fetch_add(1);
        if (i >= count)
            return false;
        std::exception_ptr error;
        try
        {
            (*work)(i);
        }
        catch (...)
        {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex);
            done[i] = 1;
            errors[i] = error;
        }
        finished.notify_all();
        return true;
    }

    bool IsDone(std::size_t i)
    {
        std::lock_guard lock(mutex);
        return done[i] != 0;
    }
};

// Stops and joins the helpers however the caller's loop ends.
struct CPool
{
    CJobs& jobs;
    std::vector<std::thread> threads;
    ~CPool()
    {
        jobs.stop = true;
        for (std::thread& t : threads)
            t.join();
    }
};
} // namespace

void RunOrdered(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& work,
                const std::function<void(std::size_t)>& take)
{
    if (threads <= 1 || count <= 1)
    {
        for (std::size_t i = 0; i < count; ++i)
        {
            work(i);
            take(i);
        }
        return;
    }

    CJobs jobs;
    jobs.count = count;
    jobs.work = &work;
    jobs.done.assign(count, 0);
    jobs.errors.resize(count);
    CPool pool{jobs, {}};
    const std::size_t helpers = std::min<std::size_t>(threads - 1, count - 1);
    for (std::size_t t = 0; t < helpers; ++t)
    {
        try
        {
            pool.threads.emplace_back(
                [&jobs]
                {
                    while (jobs.RunNext())
                    {
                    }
                });
        }
        catch (const std::system_error&)
        {
            break; // fewer threads then; the caller's own does the rest
        }
    }

    for (std::size_t i = 0; i < count; ++i)
    {
        // While its result is not ready, the caller works on the jobs still waiting.
        while (!jobs.IsDone(i))
        {
            if (jobs.RunNext())
                continue;
            std::unique_lock lock(jobs.mutex);
            jobs.finished.wait(lock, [&] { return jobs.done[i] != 0; });
        }
        if (jobs.errors[i])
            std::rethrow_exception(jobs.errors[i]);
        take(i);
    }
}

unsigned LoadThreads()
{
    unsigned cores = std::thread::hardware_concurrency();
#ifdef __linux__
    // The cores this process may run on: fewer than the machine's in a container or
    // under taskset.
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof(allowed), &allowed) == 0)
        cores = static_cast<unsigned>(CPU_COUNT(&allowed));
#endif
    return std::clamp(cores, 1u, 4u);
}
