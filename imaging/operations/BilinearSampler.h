#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/kernels/BilinearKernels.h"
#include "platform/graphics/CGImage.h"

// Bilinear samples of a premultiplied picture (or RGB32, read as opaque), transparent
// beyond its edges so a turned picture's edges are smooth. Positions are fixed point
// with 32 fractional bits, pixel centres at whole numbers, offset by kOffsetPixels so
// they stay positive and a shift rounds down. The weights use the top 8 fraction bits,
// so whole-pixel positions copy pixels exactly.
class BilinearSampler {
public:
    static constexpr int kFractionBits = bilinear::kFractionBits;
    static constexpr std::int64_t kOffsetPixels = bilinear::kOffsetPixels;

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
