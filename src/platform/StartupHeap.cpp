#include "platform/StartupHeap.h"

#include "app/DataPaths.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <system_error>

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
// Large enough for the cache file's buffer, the largest single allocation of a load.
constexpr int StartupMmapThreshold = 32 * 1024 * 1024;
} // namespace

void ReserveStartupHeap(std::size_t bytes)
{
#ifdef MOXA_STARTUP_HEAP
    bytes = std::min(bytes, MaxStartupHeap);
    if (bytes == 0)
        return;
    // A thread of its own would fill a fresh arena, outside the reserved stretch.
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_THRESHOLD, StartupMmapThreshold);
    mallopt(M_TOP_PAD, static_cast<int>(bytes));

    // One allocation larger than the free top of the heap makes the allocator grow it by
    // the padding; freed again, the padding stays as the top.
    const std::uintptr_t before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::size_t top = mallinfo2().keepcost;
    // Through a volatile, or the compiler drops the unused allocation.
    void* volatile grow = std::malloc(std::max<std::size_t>(top + 65536, std::size_t(4) << 20));
    std::free(grow);
    const std::uintptr_t after = reinterpret_cast<std::uintptr_t>(sbrk(0));

    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = (before + page - 1) & ~(page - 1);
    // Only where the system gives huge pages on request; elsewhere the growth alone stays.
    if (after > start)
        madvise(reinterpret_cast<void*>(start), after - start, MADV_HUGEPAGE);
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
