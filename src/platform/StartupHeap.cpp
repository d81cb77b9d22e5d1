#include "platform/StartupHeap.h"

#include "app/DataPaths.h"
#include "database/OrderedJobs.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <system_error>
#include <thread>

#if defined(__linux__) && defined(__GLIBC__)
#if __GLIBC_PREREQ(2, 33) // mallinfo2
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#define MOXA_STARTUP_HEAP 1
#endif
#endif

namespace
{
// glibc's own values for the two settings changed during a start.
constexpr int DefaultTopPad = 128 * 1024;
constexpr int DefaultMmapThreshold = 128 * 1024;
// Large enough for the cache file's buffer when it is read rather than mapped (no lease to be
// had), the largest single allocation of a load.
constexpr int StartupMmapThreshold = 32 * 1024 * 1024;

#ifdef MOXA_STARTUP_HEAP
// The cache is decoded on the prefetch thread and, with a second core, on one more.
constexpr std::size_t MaxSpareArenas = 2;
// A block below the mmap threshold comes from the arena's own heap (64 MB at most).
constexpr std::size_t MaxSpareBlock = std::size_t(30) << 20;

void AdviseHugePages(std::uintptr_t from, std::uintptr_t to)
{
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    from = (from + page - 1) & ~(page - 1);
    to &= ~(page - 1);
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

// Threads that share an arena queue for its lock at every allocation, so each decoding
// thread gets one of its own, made here and grown like the main heap. A thread's first
// allocation makes it an arena; when the thread ends, the arena waits for the next new
// thread. The threads stay alive until all have theirs, or a later one would take over
// an earlier one's.
void PrepareSpareArenas(std::size_t count, std::size_t bytes, bool huge)
{
    std::mutex mutex;
    std::condition_variable changed;
    std::size_t ready = 0;
    bool release = false;
    auto prepare = [&]
    {
        // Through a volatile, or the compiler drops the unused allocation.
        void* volatile block = std::malloc(bytes);
        if (block)
        {
            const auto start = reinterpret_cast<std::uintptr_t>(block);
            if (huge)
                AdviseHugePages(start, start + bytes);
            std::free(block);
        }
        std::unique_lock lock(mutex);
        ++ready;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
    };
    std::array<std::thread, MaxSpareArenas> threads;
    std::size_t started = 0;
    try
    {
        for (; started < std::min(count, threads.size()); ++started)
            threads[started] = std::thread(prepare);
    }
    catch (const std::system_error&)
    {
        // Fewer arenas: the threads without one share.
    }
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return ready == started; });
        release = true;
    }
    changed.notify_all();
    for (std::size_t i = 0; i < started; ++i)
        threads[i].join();
}
#endif
} // namespace

void ReserveStartupHeap(std::size_t bytes)
{
#ifdef MOXA_STARTUP_HEAP
    bytes = std::min(bytes, MaxStartupHeap);
    if (bytes == 0)
        return;
    // The main heap and the spare arenas; any further thread shares one of them rather
    // than filling a fresh arena of its own.
    const std::size_t spares = LoadThreads() > 1 ? MaxSpareArenas : 1;
    mallopt(M_ARENA_MAX, static_cast<int>(1 + spares));
    mallopt(M_MMAP_THRESHOLD, StartupMmapThreshold);
    // The padding also keeps what a spare arena frees as its top.
    mallopt(M_TOP_PAD, static_cast<int>(bytes));
    const bool huge = !HostReclaimsFreeMemory("/sys");
    PrepareSpareArenas(spares, std::min(bytes / 2, MaxSpareBlock), huge);

    // One allocation larger than the free top of the heap makes the allocator grow it by
    // the padding; freed again, the padding stays as the top.
    const std::uintptr_t before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::size_t top = mallinfo2().keepcost;
    // Through a volatile, or the compiler drops the unused allocation.
    void* volatile grow = std::malloc(std::max<std::size_t>(top + 65536, std::size_t(4) << 20));
    std::free(grow);
    const std::uintptr_t after = reinterpret_cast<std::uintptr_t>(sbrk(0));

    // Only where the system gives huge pages on request; elsewhere the growth alone stays.
    if (huge)
        AdviseHugePages(before, after);
#else
    (void)bytes;
#endif
}

void EndStartupHeap()
{
#ifdef MOXA_STARTUP_HEAP
    mallopt(M_TOP_PAD, DefaultTopPad);
    mallopt(M_MMAP_THRESHOLD, DefaultMmapThreshold);
#endif
}

bool HostReclaimsFreeMemory(const std::filesystem::path& sys)
{
    // The features as the driver shows them: one '0' or '1' per bit, bit 0 first.
    constexpr std::size_t ReportingBit = 5; // VIRTIO_BALLOON_F_REPORTING
    std::error_code error;
    std::filesystem::directory_iterator device(sys / "bus/virtio/drivers/virtio_balloon", error);
    for (; !error && device != std::filesystem::directory_iterator(); device.increment(error))
    {
        std::ifstream in(device->path() / "features");
        std::string bits;
        if (in >> bits && bits.size() > ReportingBit && bits[ReportingBit] == '1')
            return true;
    }
    return false;
}

std::size_t StartupHeapFor(const std::filesystem::path& dataFolder)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(
        DataPaths::Join(DataPaths::Join(dataFolder, DataPaths::Cache), DataPaths::CacheFile),
        error);
    if (error || size == 0)
        return 0;
    constexpr std::uintmax_t Margin = 16u << 20;
    return static_cast<std::size_t>(std::min<std::uintmax_t>(4 * size + Margin, MaxStartupHeap));
}
