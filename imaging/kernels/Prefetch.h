#pragma once

#include <cstddef>
#include <cstdint>

namespace prefetch {

// How far ahead of the pixel being worked on the memory is asked for. A kernel of a few
// dozen instructions a vector leaves the processor's own prefetchers too little time on
// a photo larger than the cache; about 8 KB ahead hides the memory's latency without
// evicting what is still to be read.
constexpr std::size_t kAheadPixels = 2048;

// Asks for count pixels of in and out kAheadPixels beyond the ones given, out to be
// written. A hint only: addresses beyond the picture are never read and never fault.
inline void ahead(const std::uint32_t* in, std::uint32_t* out, std::size_t count) {
    constexpr std::size_t kLinePixels = 64 / sizeof(std::uint32_t);
    const auto inAhead = reinterpret_cast<std::uintptr_t>(in) + 4 * kAheadPixels;
    const auto outAhead = reinterpret_cast<std::uintptr_t>(out) + 4 * kAheadPixels;
    for (std::size_t x = 0; x < count; x += kLinePixels) {
        __builtin_prefetch(reinterpret_cast<const void*>(inAhead + 4 * x), 0, 3);
        __builtin_prefetch(reinterpret_cast<const void*>(outAhead + 4 * x), 1, 3);
    }
}

}  // namespace prefetch
