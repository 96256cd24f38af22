#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Asks for memory a kernel will reach a little later, so it streams while the kernel
// computes: the processor's own prefetchers start too late for kernels of a few dozen
// instructions a vector on pictures larger than the cache. Hints only: addresses
// beyond the picture are never read and never fault.
namespace prefetch {

// About 8 KB ahead hides the memory's latency without evicting what is still to be read.
constexpr std::size_t kAheadBytes = 8192;

// The line at address, reckoned as a number so that no pointer beyond the picture is
// ever formed. Always inlined, as is every helper made only of these: GCC takes a
// function of nothing but prefetches for one without effects and drops its calls.
[[gnu::always_inline]] inline void line(std::uintptr_t address) {
    __builtin_prefetch(reinterpret_cast<const void*>(address), 0, 3);
}

// The line kAheadBytes beyond p. Kernels ask once a vector step for each picture they
// stream through: requests spread over the loop keep the memory busy, where a burst
// for a whole stretch at once stalls the loop until they have been taken in.
[[gnu::always_inline]] inline void ahead(const void* p) {
    line(reinterpret_cast<std::uintptr_t>(p) + kAheadBytes);
}

// The same for a kernel's input and output.
[[gnu::always_inline]] inline void ahead(const void* read, const void* written) {
    ahead(read);
    ahead(written);
}

// Pixels of four bytes in a cache line.
constexpr std::size_t kLinePixels = 16;

// body(x) for x = 0 … count - 1, asking for in and out once a line: the plain loops'
// way of streaming.
template <typename Body>
[[gnu::always_inline]] inline void eachPixel(const std::uint32_t* in, const std::uint32_t* out,
                                             std::size_t count, const Body& body) {
    for (std::size_t line = 0; line < count; line += kLinePixels) {
        ahead(in + line, out + line);
        const std::size_t end = std::min(count, line + kLinePixels);
        for (std::size_t x = line; x < end; ++x) {
            body(x);
        }
    }
}

}  // namespace prefetch
