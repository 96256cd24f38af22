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

    // An opaque pixel through the matrix, then through curves tabulated on the indexes;
    // the tables have three spare bytes at the end, so a vector path may read four
    // bytes at any index.
    using Curves = std::uint8_t[3][kIndexMax + 4];
    std::uint32_t applyWithCurves(const Curves& curves, std::uint32_t pixel) const {
        return 0xFF000000u | std::uint32_t{curves[2][index(2, pixel)]} << 16 |
               std::uint32_t{curves[1][index(1, pixel)]} << 8 | curves[0][index(0, pixel)];
    }

    // Whether the three output colours share their weights (a matrix to grey), so one
    // index serves all three.
    bool isGrey() const;

    // Output colour c of an opaque pixel on 0 … kIndexMax (kIndexMax is 1.0).
    std::uint16_t index(int c, std::uint32_t pixel) const {
        const int indexShift = shift - kIndexBits;
        const std::int32_t v = (sum(c, pixel) + (1 << (indexShift - 1))) >> indexShift;
        return static_cast<std::uint16_t>(v < 0 ? 0 : (v > kIndexMax ? kIndexMax : v));
    }
};

// Row kernels; opaqueBits is ORed into every pixel read (0xFF000000 reads RGB32 as
// opaque). Curve indexes are written in groups of eight pixels: eight blue, eight green,
// eight red (kGroup below); a row of count pixels fills 3 · count indexes, the last
// group partly. The index kernels return the AND of every pixel read, whose top byte
// is 0xFF when all of them are opaque.
namespace fixedcolormatrix {

constexpr std::size_t kGroup = 8;

// Where index c of pixel x of a row lies.
inline std::size_t indexPosition(std::size_t x, int c) {
    return 3 * kGroup * (x / kGroup) + kGroup * static_cast<std::size_t>(c) + x % kGroup;
}

void applyScalar(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits);
std::uint32_t indexesScalar(const FixedColorMatrix& m, const std::uint32_t* in,
                            std::uint16_t* indexes, std::size_t count, std::uint32_t opaqueBits);

// Returns the AND of the pixels read.
std::uint32_t applyWithCurvesScalar(const FixedColorMatrix& m,
                                    const FixedColorMatrix::Curves& curves, const std::uint32_t* in,
                                    std::uint32_t* out, std::size_t count,
                                    std::uint32_t opaqueBits);

// The fastest path the current vector level runs.
void apply(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits);
std::uint32_t indexes(const FixedColorMatrix& m, const std::uint32_t* in, std::uint16_t* indexes,
                      std::size_t count, std::uint32_t opaqueBits);

// Every pixel as if opaque through the matrix and the curves, the curves gathered with
// vectors; returns the AND of the pixels read.
std::uint32_t gatherCurves(const FixedColorMatrix& m, const FixedColorMatrix::Curves& curves,
                           const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                           std::uint32_t opaqueBits);
// The same for a grey matrix and applyWithGreyCurves' table.
std::uint32_t applyWithGreyCurvesScalar(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                                        const std::uint32_t* in, std::uint32_t* out,
                                        std::size_t count, std::uint32_t opaqueBits);
std::uint32_t gatherGreyCurves(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                               const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                               std::uint32_t opaqueBits);

#if defined(__x86_64__)
// Only at the AVX-512 level, where its byte dot products beat the portable vectors.
void applyAvx512(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits);
#endif

// Every pixel as if opaque; the caller redoes translucent ones. The curves are gathered
// (gatherCurves) where a gather is one instruction, else the indexes of a stretch are made
// with vectors and looked up one by one. Returns whether every pixel was opaque.
bool applyWithCurves(const FixedColorMatrix& m, const FixedColorMatrix::Curves& curves,
                     const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                     std::uint32_t opaqueBits);
// The same for a grey matrix, with one look-up a pixel: greyCurves holds kIndexMax + 1
// whole opaque pixels, entry j the three curves' bytes for index j.
bool applyWithGreyCurves(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                         const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                         std::uint32_t opaqueBits);

}  // namespace fixedcolormatrix
