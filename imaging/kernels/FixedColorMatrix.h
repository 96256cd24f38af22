#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/kernels/ColorMatrix.h"

// A colour matrix in fixed point for 8-bit premultiplied pixels. Output channel c (in
// memory order: blue, green, red) sums
//     s_c = weights[c][0]·blue + weights[c][1]·green + weights[c][2]·red + weights[c][3]·alpha
// with 1.0 = 2^shift. The offset rides on alpha, which is exactly how an affine colour
// transform acts on premultiplied colour, so translucent pixels need no unpremultiply.
// Every path computes exactly the formulas of the inline members.
struct FixedColorMatrix {
    // Curve indexes carry this many bits below each byte level.
    static constexpr int kIndexBits = 4;
    static constexpr int kIndexMax = 255 << kIndexBits;

    FixedColorMatrix() = default;
    explicit FixedColorMatrix(const ColorMatrix& matrix);

    alignas(16) std::int16_t weights[3][4] = {};
    int shift = 0;  // at least kIndexBits + 1

    std::int32_t sum(int c, std::uint32_t pixel) const {
        return weights[c][0] * static_cast<std::int32_t>(pixel & 0xFF) +
               weights[c][1] * static_cast<std::int32_t>((pixel >> 8) & 0xFF) +
               weights[c][2] * static_cast<std::int32_t>((pixel >> 16) & 0xFF) +
               weights[c][3] * static_cast<std::int32_t>(pixel >> 24);
    }

    // The premultiplied pixel through the matrix, each colour clamped to 0 … alpha.
    std::uint32_t apply(std::uint32_t pixel) const {
        const std::int32_t alpha = static_cast<std::int32_t>(pixel >> 24);
        std::uint32_t result = pixel & 0xFF000000u;
        for (int c = 0; c < 3; ++c) {
            const std::int32_t v = (sum(c, pixel) + (1 << (shift - 1))) >> shift;
            result |= static_cast<std::uint32_t>(v < 0 ? 0 : (v > alpha ? alpha : v)) << (8 * c);
        }
        return result;
    }

    // Whether the three output colours share their weights (a matrix to grey), so one
    // index serves all three.
    bool isGrey() const;
};

// Row kernels; opaqueBits is ORed into every pixel read (0xFF000000 reads RGB32 as
// opaque).
namespace fixedcolormatrix {

void applyScalar(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits);

// The fastest path the current vector level runs.
void apply(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits);

#if defined(__x86_64__)
// Only at the AVX-512 level, where its byte dot products beat the portable vectors.
void applyAvx512(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits);
#endif

}  // namespace fixedcolormatrix
