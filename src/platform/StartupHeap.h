#pragma once

#include <cstddef>
#include <filesystem>

// The heap of a start. A cache load makes millions of small allocations that fault in
// tens of thousands of fresh pages one by one, which costs a third of the load in a new
// process. ReserveStartupHeap grows the heap once by the bytes the load will need and asks
// for huge pages on that stretch (where the system offers them on request and they pay).
// It prepares the same for the next threads to start (the cache's decoding threads), each
// on a heap of its own, and keeps any later thread on one of these heaps. Linux with glibc
// only; elsewhere both calls do nothing.
void ReserveStartupHeap(std::size_t bytes);
// Back to the allocator's usual padding and thresholds, so that memory freed later goes
// back to the system as before.
void EndStartupHeap();

// What a load of a data folder's cache needs: four times "config.dat" with some margin;
// 0 when there is no cache to load.
std::size_t StartupHeapFor(const std::filesystem::path& dataFolder);

// Whether a virtio balloon under sys ("/sys") hands the machine's free memory back to its
// host (free page reporting). Huge pages are then carved from exactly the large free blocks
// the host has taken back, and every one of their pages must be given back at the first
// touch: on such a machine a start after a few idle seconds took twice as long with huge
// pages as without. ReserveStartupHeap asks for none there.
bool HostReclaimsFreeMemory(const std::filesystem::path& sys);

// The most ReserveStartupHeap takes; larger requests are cut to it.
inline constexpr std::size_t MaxStartupHeap = std::size_t(1) << 30;
