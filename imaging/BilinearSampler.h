#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/graphics/CGImage.h"

// Bilinear samples of a premultiplied picture (or RGB32, read as opaque), transparent
// beyond its edges so a turned picture's edges are smooth. Positions are fixed point
// with 32 fractional bits, pixel centres at whole numbers, offset by kOffsetPixels so
// they stay positive and a shift rounds down. The weights use the top 8 fraction bits,
// so whole-pixel positions copy pixels exactly.
class BilinearSampler {
public:
    static constexpr int kFractionBits = 32;
    static constexpr std::int64_t kOffsetPixels = 1 << 20;

    // A position in pixels in fixed point, rounded to the nearest 1/256 of a pixel.
    static std::int64_t toFixed(double position);

    explicit BilinearSampler(const CGImage& image);

    std::uint32_t sample(std::int64_t u, std::int64_t v) const;

    // count samples from (u, v), stepping by (stepU, stepV): the same pixels as sample,
    // with the positions far outside cleared and those wholly inside run with vectors.
    void sampleRow(std::int64_t u, std::int64_t v, std::int64_t stepU, std::int64_t stepV,
                   std::uint32_t* out, std::size_t count) const;

private:
    struct Span {
        std::size_t begin;
        std::size_t end;
    };
    // Where along the row the pixel column (or row) under the position lies within
    // [first, last] of the picture's pixels.
    static Span within(std::int64_t start, std::int64_t step, std::int64_t first, std::int64_t last,
                       std::size_t count);

    std::uint32_t at(int x, int y) const;

    const CGImage& image_;
    std::uint32_t opaque_;
};

// The samples whose 2 × 2 neighbourhoods lie wholly inside the picture; the vector
// paths give exactly the pixels of the scalar one.
namespace bilinear {

struct Source {
    const std::uint8_t* pixels;
    std::size_t bytesPerRow;
    std::uint32_t opaqueBits;  // ORed into every pixel read
};

void sampleInsideScalar(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                        std::int64_t stepV, std::uint32_t* out, std::size_t count);
#if defined(__x86_64__)
void sampleInsideSse2(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                      std::int64_t stepV, std::uint32_t* out, std::size_t count);
#endif

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
    return static_cast<int>((position >> BilinearSampler::kFractionBits) -
                            BilinearSampler::kOffsetPixels);
}

inline std::uint32_t weight(std::int64_t position) {
    return static_cast<std::uint32_t>((position >> (BilinearSampler::kFractionBits - 8)) & 0xFF);
}

}  // namespace bilinear
