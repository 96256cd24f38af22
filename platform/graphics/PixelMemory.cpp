#include "platform/graphics/PixelMemory.h"

#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {
constexpr std::size_t kHeapAlignment = 64;
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr std::size_t kMappedFrom = 4 * 1024 * 1024;

std::size_t roundUp(std::size_t value, std::size_t multiple) {
    return (value + multiple - 1) / multiple * multiple;
}

PixelMemory::Pointer allocateOnHeap(std::size_t bytes, bool zeroed) {
    auto* memory = static_cast<std::uint8_t*>(
        std::aligned_alloc(kHeapAlignment, roundUp(bytes, kHeapAlignment)));
    if (memory != nullptr && zeroed) {
        std::memset(memory, 0, bytes);
    }
    return PixelMemory::Pointer(memory, PixelMemory::Release{});
}

#if defined(__linux__)
// Maps one huge page more than needed, then trims the ends so the block starts on a
// huge-page boundary.
PixelMemory::Pointer allocateMapped(std::size_t bytes) {
    const std::size_t length = roundUp(bytes, kHugePage);
    void* mapping = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        return PixelMemory::Pointer(nullptr, PixelMemory::Release{});
    }
    auto* start = static_cast<std::uint8_t*>(mapping);
    auto* aligned = reinterpret_cast<std::uint8_t*>(
        roundUp(reinterpret_cast<std::uintptr_t>(start), kHugePage));
    const std::size_t leading = static_cast<std::size_t>(aligned - start);
    if (leading > 0) {
        munmap(start, leading);
    }
    if (kHugePage - leading > 0) {
        munmap(aligned + length, kHugePage - leading);
    }
    madvise(aligned, length, MADV_HUGEPAGE);
    return PixelMemory::Pointer(aligned, PixelMemory::Release{length});
}
#endif
}  // namespace

void PixelMemory::Release::operator()(std::uint8_t* memory) const {
#if defined(__linux__)
    if (mappedBytes > 0) {
        munmap(memory, mappedBytes);
        return;
    }
#endif
    std::free(memory);
}

PixelMemory::Pointer PixelMemory::allocate(std::size_t bytes, bool zeroed) {
#if defined(__linux__)
    if (bytes >= kMappedFrom) {
        return allocateMapped(bytes);
    }
#endif
    return allocateOnHeap(bytes, zeroed);
}
