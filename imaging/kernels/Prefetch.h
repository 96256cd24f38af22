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

// bytes of read and of written, kAheadBytes beyond each. Always inlined: GCC takes a
// function of nothing but prefetches for one without effects and drops its calls.
[[gnu::always_inline]] inline void ahead(const void* read, const void* written, std::size_t bytes) {
    const char* readAhead = static_cast<const char*>(read) + kAheadBytes;
    const char* writtenAhead = static_cast<const char*>(written) + kAheadBytes;
    for (std::size_t k = 0; k < bytes; k += kLineBytes) {
        __builtin_prefetch(readAhead + k, 0, 3);
        __builtin_prefetch(writtenAhead + k, 1, 3);
    }
}

}  // namespace prefetch
