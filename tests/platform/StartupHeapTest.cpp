#include "platform/StartupHeap.h"

#include "support/TempDir.h"

#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// The heap checks look at glibc's own heap, which a sanitizer replaces.
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) &&                  \
    !defined(__SANITIZE_THREAD__)
#define MOXA_GLIBC_HEAP 1
#include <malloc.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

TEST(StartupHeapTest, TheReserveFollowsTheCacheFile)
{
    CTempDir dir;
    EXPECT_EQ(StartupHeapFor(dir.Path()), 0u);
    fs::create_directories(dir / "Cache");
    std::ofstream(dir / "Cache/config.dat", std::ios::binary).close();
    EXPECT_EQ(StartupHeapFor(dir.Path()), 0u);

    fs::resize_file(dir / "Cache/config.dat", 1000000);
    EXPECT_EQ(StartupHeapFor(dir.Path()), 4000000u + 16777216u);
    // The icon cache does not count: its images are few and read in one block.
    std::ofstream(dir / "Cache/formicons.dat", std::ios::binary) << std::string(500000, 'x');
    EXPECT_EQ(StartupHeapFor(dir.Path()), 4000000u + 16777216u);
    // A sparse file stands for a database far larger than any reserve.
    fs::resize_file(dir / "Cache/config.dat", std::uintmax_t(1) << 32);
    EXPECT_EQ(StartupHeapFor(dir.Path()), MaxStartupHeap);
}

#ifdef MOXA_GLIBC_HEAP
TEST(StartupHeapTest, ALoadWithinTheReserveDoesNotGrowTheHeap)
{
    constexpr std::size_t Reserve = std::size_t(64) << 20;
    ReserveStartupHeap(Reserve);
    EXPECT_GE(mallinfo2().keepcost, Reserve);
    const void* end = sbrk(0);

    // Records as a load makes them: many small blocks, 40 MB in all.
    std::vector<std::unique_ptr<char[]>> records;
    records.reserve(40 * 1024);
    for (int i = 0; i < 40 * 1024; ++i)
    {
        records.push_back(std::make_unique<char[]>(1000));
        records.back()[999] = 1;
    }
    EXPECT_EQ(sbrk(0), end);

    // Once the start is over, freed memory goes back as usual.
    EndStartupHeap();
    records.clear();
    records.shrink_to_fit();
    EXPECT_LT(mallinfo2().keepcost, Reserve / 2);
    EXPECT_LT(sbrk(0), end);
}

TEST(StartupHeapTest, TheNextTwoThreadsEachAllocateFromAHeapOfTheirOwn)
{
    if (std::thread::hardware_concurrency() < 2)
        GTEST_SKIP() << "one core: the cache is decoded on one thread";
    ReserveStartupHeap(std::size_t(16) << 20);
    // Alive at the same time, as the two decoding threads of a cache load are.
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::uintptr_t> blocks;
    auto allocate = [&]
    {
        void* block = std::malloc(1000);
        std::unique_lock lock(mutex);
        blocks.push_back(reinterpret_cast<std::uintptr_t>(block));
        changed.notify_all();
        changed.wait(lock, [&] { return blocks.size() == 2; });
        std::free(block);
    };
    std::thread first(allocate), second(allocate);
    first.join();
    second.join();
    EndStartupHeap();

    // Neither on the main heap, nor one next to the other on a shared one.
    const auto mainEnd = reinterpret_cast<std::uintptr_t>(sbrk(0));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_GT(blocks[0], mainEnd);
    EXPECT_GT(blocks[1], mainEnd);
    const std::uintptr_t apart =
        blocks[0] > blocks[1] ? blocks[0] - blocks[1] : blocks[1] - blocks[0];
    EXPECT_GT(apart, std::uintptr_t(1) << 20);
}

TEST(StartupHeapTest, NothingIsReservedForNoCache)
{
    const void* end = sbrk(0);
    ReserveStartupHeap(0);
    EXPECT_EQ(sbrk(0), end);
}
#endif

TEST(StartupHeapTest, AHostThatTakesBackFreeMemoryIsSeenInTheBalloonsFeatures)
{
    CTempDir sys;
    EXPECT_FALSE(HostReclaimsFreeMemory(sys.Path()));
    const fs::path driver = sys / "bus/virtio/drivers/virtio_balloon";
    fs::create_directories(driver);
    std::ofstream(driver / "uevent") << "DRIVER=virtio_balloon\n";
    EXPECT_FALSE(HostReclaimsFreeMemory(sys.Path()));

    const auto device = [&](const std::string& name, const std::string& features)
    {
        fs::create_directories(driver / name);
        std::ofstream(driver / name / "features") << features << "\n";
    };
    // Statistics and deflate-on-OOM, no reporting; a cut-off line is no feature either.
    device("virtio0", "0110000000000000000000000000000010000000");
    device("virtio1", "01100");
    EXPECT_FALSE(HostReclaimsFreeMemory(sys.Path()));
    // Bit 5 of the second balloon: free page reporting.
    device("virtio2", "0110010100000000000000000000000010000000");
    EXPECT_TRUE(HostReclaimsFreeMemory(sys.Path()));
}
