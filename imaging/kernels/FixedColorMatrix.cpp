#include "imaging/kernels/FixedColorMatrix.h"

#include <algorithm>
#include <cmath>

#include "imaging/kernels/Prefetch.h"

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

}  // namespace fixedcolormatrix
