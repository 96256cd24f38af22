#include "imaging/kernels/FixedColorMatrix.h"

#include <algorithm>
#include <cmath>

#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorLevel.h"

namespace {

constexpr int kLargestShift = 13;
// Below 2^14, so the AVX-512 path can split each weight into two signed bytes.
constexpr float kLargestWeight = 16383;

// Memory order (blue, green, red) to the matrix's order (red, green, blue).
constexpr int kMatrixChannel[3] = {2, 1, 0};

}  // namespace

FixedColorMatrix::FixedColorMatrix(const ColorMatrix& matrix) {
    float largest = 0;
    for (float v : matrix.m) {
        largest = std::max(largest, std::abs(v));
    }
    // The finest scale at which every weight stays within kLargestWeight.
    shift = kLargestShift;
    while (shift > kIndexBits + 1 && largest * static_cast<float>(1 << shift) > kLargestWeight) {
        --shift;
    }
    const auto scale = static_cast<float>(1 << shift);
    for (int c = 0; c < 3; ++c) {
        const float* row = &matrix.m[4 * kMatrixChannel[c]];
        const float columns[4] = {row[2], row[1], row[0], row[3]};
        for (int k = 0; k < 4; ++k) {
            weights[c][k] = static_cast<std::int16_t>(
                std::lround(std::clamp(columns[k] * scale, -kLargestWeight, kLargestWeight)));
        }
    }
}

bool FixedColorMatrix::isGrey() const {
    return std::equal(std::begin(weights[0]), std::end(weights[0]), std::begin(weights[1])) &&
           std::equal(std::begin(weights[0]), std::end(weights[0]), std::begin(weights[2]));
}

namespace fixedcolormatrix {

void applyScalar(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits) {
    prefetch::eachPixel(in, out, count,
                        [&](std::size_t x) { out[x] = m.apply(in[x] | opaqueBits); });
}

std::uint32_t indexesScalar(const FixedColorMatrix& m, const std::uint32_t* in,
                            std::uint16_t* indexes, std::size_t count, std::uint32_t opaqueBits) {
    std::uint32_t all = 0xFFFFFFFFu;
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        all &= pixel;
        for (int c = 0; c < 3; ++c) {
            indexes[indexPosition(x, c)] = m.index(c, pixel);
        }
    }
    return all;
}

namespace {

// Each pixel, with opaqueBits ORed in, through lookUp one by one; returns the AND of the
// pixels read.
template <typename LookUp>
std::uint32_t oneByOne(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                       std::uint32_t opaqueBits, const LookUp& lookUp) {
    std::uint32_t all = 0xFFFFFFFFu;
    prefetch::eachPixel(in, out, count, [&](std::size_t x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        all &= pixel;
        out[x] = lookUp(pixel);
    });
    return all;
}

}  // namespace

std::uint32_t applyWithCurvesScalar(const FixedColorMatrix& m,
                                    const FixedColorMatrix::Curves& curves, const std::uint32_t* in,
                                    std::uint32_t* out, std::size_t count,
                                    std::uint32_t opaqueBits) {
    return oneByOne(in, out, count, opaqueBits,
                    [&](std::uint32_t pixel) { return m.applyWithCurves(curves, pixel); });
}

std::uint32_t applyWithGreyCurvesScalar(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                                        const std::uint32_t* in, std::uint32_t* out,
                                        std::size_t count, std::uint32_t opaqueBits) {
    return oneByOne(in, out, count, opaqueBits,
                    [&](std::uint32_t pixel) { return greyCurves[m.index(0, pixel)]; });
}

namespace {

// Where a gather is one instruction (AVX2 and up), and in the plain loops, a pixel goes
// through the matrix and its curves in one pass; SSE4 and NEON, which gather lane by
// lane, make the indexes of a stretch with vectors and look them up after.
bool gathersInOnePass() {
    const VectorLevel level = vectorlevel::current();
    return level == VectorLevel::Portable || level >= VectorLevel::Avx2;
}

// Makes the indexes of the row a stretch at a time, and hands each group of pixels to
// lookUp(group's indexes, its first pixel in out, its length). Returns whether every
// pixel was opaque.
template <typename LookUp>
bool applyThroughIndexes(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                         std::size_t count, std::uint32_t opaqueBits, const LookUp& lookUp) {
    constexpr std::size_t kStretch = 32 * kGroup;
    std::uint16_t indexes[3 * kStretch];
    std::uint32_t all = 0xFFFFFFFFu;
    for (std::size_t first = 0; first < count; first += kStretch) {
        const std::size_t n = std::min(kStretch, count - first);
        all &= fixedcolormatrix::indexes(m, in + first, indexes, n, opaqueBits);
        std::size_t g = 0;
        // A constant length lets the compiler unroll whole groups.
        for (; g + kGroup <= n; g += kGroup) {
            prefetch::ahead(out + first + g);
            lookUp(indexes + 3 * g, out + first + g, kGroup);
        }
        if (g < n) {
            lookUp(indexes + 3 * g, out + first + g, n - g);
        }
    }
    return all >= 0xFF000000u;
}

}  // namespace

bool applyWithCurves(const FixedColorMatrix& m, const FixedColorMatrix::Curves& curves,
                     const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                     std::uint32_t opaqueBits) {
    if (gathersInOnePass()) {
        return gatherCurves(m, curves, in, out, count, opaqueBits) >= 0xFF000000u;
    }
    return applyThroughIndexes(
        m, in, out, count, opaqueBits,
        [&](const std::uint16_t* group, std::uint32_t* target, std::size_t length) {
#pragma GCC unroll 8
            for (std::size_t k = 0; k < length; ++k) {
                target[k] = 0xFF000000u | std::uint32_t{curves[2][group[2 * kGroup + k]]} << 16 |
                            std::uint32_t{curves[1][group[kGroup + k]]} << 8 | curves[0][group[k]];
            }
        });
}

bool applyWithGreyCurves(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                         const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                         std::uint32_t opaqueBits) {
    if (gathersInOnePass()) {
        return gatherGreyCurves(m, greyCurves, in, out, count, opaqueBits) >= 0xFF000000u;
    }
    return applyThroughIndexes(
        m, in, out, count, opaqueBits,
        [&](const std::uint16_t* group, std::uint32_t* target, std::size_t length) {
#pragma GCC unroll 8
            for (std::size_t k = 0; k < length; ++k) {
                target[k] = greyCurves[group[k]];
            }
        });
}

}  // namespace fixedcolormatrix
