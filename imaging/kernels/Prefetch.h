#pragma once

#include <cstddef>
#include <cstdint>

// Asks for memory a kernel will reach a little later, so it streams while the kernel
// computes: the processor's own prefetchers start too late for kernels of a few dozen
// instructions a vector on pictures larger than the cache. Hints only: addresses
// beyond the picture are never read and never fault.
namespace prefetch {

// About 8 KB ahead hides the memory's latency without evicting what is still to be read.
constexpr std::size_t kAheadBytes = 8192;
constexpr std::size_t kLineBytes = 64;

// The bytes kAheadBytes beyond from … from + bytes, to be read.
inline void forReading(const void* from, std::size_t bytes) {
    const auto first = reinterpret_cast<std::uintptr_t>(from) + kAheadBytes;
    for (std::size_t k = 0; k < bytes; k += kLineBytes) {
        __builtin_prefetch(reinterpret_cast<const void*>(first + k), 0, 3);
    }
}

// The same, to be written.
inline void forWriting(const void* from, std::size_t bytes) {
    const auto first = reinterpret_cast<std::uintptr_t>(from) + kAheadBytes;
    for (std::size_t k = 0; k < bytes; k += kLineBytes) {
        __builtin_prefetch(reinterpret_cast<const void*>(first + k), 1, 3);
    }
}

// Pixels count of in and out, for a kernel that reads in and writes out.
inline void ahead(const std::uint32_t* in, const std::uint32_t* out, std::size_t count) {
    forReading(in, 4 * count);
    forWriting(out, 4 * count);
}

}  // namespace prefetch
