#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/kernels/Prefetch.h"

// Bilinear samples whose 2 × 2 neighbourhoods lie wholly inside a picture; the vector
// paths give exactly the pixels of the scalar one.
namespace bilinear {

// Positions in fixed point (see BilinearSampler).
constexpr int kFractionBits = 32;
constexpr std::int64_t kOffsetPixels = 1 << 20;

struct Source {
    const std::uint8_t* pixels;
    std::size_t bytesPerRow;
    std::uint32_t opaqueBits;  // ORed into every pixel read
};

void sampleInsideScalar(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                        std::int64_t stepV, std::uint32_t* out, std::size_t count);
// The fastest path the current vector level runs.
void sampleInside(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                  std::int64_t stepV, std::uint32_t* out, std::size_t count);

// Two 8-bit lerps at once on the red/blue and alpha/green byte pairs.
inline std::uint32_t lerp(std::uint32_t a, std::uint32_t b, std::uint32_t t) {
    const std::uint32_t u = 256 - t;
    const std::uint32_t rb =
        (((a & 0x00FF00FFu) * u + (b & 0x00FF00FFu) * t + 0x00800080u) >> 8) & 0x00FF00FFu;
    const std::uint32_t ag =
        ((((a >> 8) & 0x00FF00FFu) * u + ((b >> 8) & 0x00FF00FFu) * t + 0x00800080u) >> 8) &
        0x00FF00FFu;
    return rb | ag << 8;
}

inline int wholePixels(std::int64_t position) {
    return static_cast<int>((position >> kFractionBits) - kOffsetPixels);
}

inline std::uint32_t weight(std::int64_t position) {
    return static_cast<std::uint32_t>((position >> (kFractionBits - 8)) & 0xFF);
}

// The sample this many steps ahead is asked for while one is computed: along a turned
// row every few samples reach new rows of the source, which the processor's own
// prefetchers cannot foresee.
constexpr std::int64_t kSamplesAhead = 64;

// Asks for the neighbourhood of the sample at (u, v); a position beyond the picture
// does no harm (see prefetch::line).
[[gnu::always_inline]] inline void prefetchNeighbourhood(const Source& source, std::int64_t u,
                                                         std::int64_t v) {
    const auto upper = reinterpret_cast<std::uintptr_t>(source.pixels) +
                       source.bytesPerRow * static_cast<std::uintptr_t>(wholePixels(v)) +
                       4 * static_cast<std::uintptr_t>(wholePixels(u));
    prefetch::line(upper);
    prefetch::line(upper + source.bytesPerRow);
}

}  // namespace bilinear
