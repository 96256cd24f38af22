#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/kernels/ResampleWeights.h"

// The two passes of a resample, on 8-bit channels with ResampleWeights' fixed-point
// weights. Every path gives exactly the same values.
namespace resample {

// The vertical sums keep this many fraction bits below each byte level: the largest,
// 255 · 2^kSumBits, still fits 16 bits.
constexpr int kSumBits = 7;
constexpr int kVerticalShift = ResampleWeights::kFractionBits - kSumBits;
constexpr int kHorizontalShift = ResampleWeights::kFractionBits + kSumBits;

// sums[j] = (Σ_t weights[t] · rows[t][j] + rounding) >> kVerticalShift, for the bytes
// begin ≤ j < end.
void verticalScalar(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
                    std::int16_t* sums, std::size_t begin, std::size_t end);
// The fastest path the current vector level runs.
void vertical(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
              std::int16_t* sums, std::size_t begin, std::size_t end);

// One output pixel from the vertical sums of source pixels start … start + taps - 1
// (four channels each), clamped to bytes.
inline std::uint32_t horizontalPixelScalar(const std::int16_t* sums, const std::int16_t* weights,
                                           int taps) {
    std::int32_t channel[4] = {0, 0, 0, 0};
    for (int t = 0; t < taps; ++t) {
        for (int c = 0; c < 4; ++c) {
            channel[c] += weights[t] * sums[4 * t + c];
        }
    }
    std::uint32_t pixel = 0;
    for (int c = 0; c < 4; ++c) {
        const std::int32_t v = (channel[c] + (1 << (kHorizontalShift - 1))) >> kHorizontalShift;
        pixel |= static_cast<std::uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)) << (8 * c);
    }
    return pixel;
}

// Output pixel i of the row goes to out[i · step]; pixels without weights, and every
// pixel of a row outside the picture (rowInside false), are transparent. opaqueBits is
// ORed into every pixel that has weights.
struct HorizontalRow {
    const std::int16_t* sums;  // the whole source row's vertical sums
    const ResampleWeights& columns;
    bool rowInside;
    std::uint32_t opaqueBits;
};
void horizontalScalar(const HorizontalRow& row, std::uint32_t* out, std::ptrdiff_t step);
void horizontal(const HorizontalRow& row, std::uint32_t* out, std::ptrdiff_t step);

}  // namespace resample
