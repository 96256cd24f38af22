#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/kernels/FixedColorMatrix.h"

// A fixed-point matrix followed by a curve for each colour, tabulated so that an opaque
// pixel takes one sum and one look-up a colour, with nothing to clamp or round:
//  - the tables are indexed by the colour's sum shifted down to one bit finer than the
//    curves' indexes (the step), and cover every value that shift reaches on any pixel;
//    entry q holds the curve at index (q + 1) >> 1 clamped to 0 … kIndexMax, which is
//    the sum rounded to an index;
//  - each entry is its colour's byte already in place in an opaque pixel, so a pixel is
//    its three entries ORed; a grey matrix, whose colours share one sum, has one table of
//    whole pixels.
// Translucent pixels come out as some opaque pixel, for the caller to redo.
class MatrixCurves {
public:
    // Matrices whose sums reach more table entries than this don't fit: those whose
    // weights in a row, the offset included, add up to more than about 8 in size. The
    // limit keeps the tables small and their positions within 16 bits.
    static constexpr std::size_t kMaxEntries = 1 << 16;
    static bool fits(const FixedColorMatrix& m);

    // curve(c, j) is colour c's byte (memory order: blue, green, red) at index j,
    // 0 … kIndexMax (kIndexMax is 1.0).
    MatrixCurves(const FixedColorMatrix& m, const std::function<std::uint8_t(int, int)>& curve);

    const FixedColorMatrix& matrix() const { return matrix_; }
    bool isGrey() const { return tables_.size() == 1; }
    int step() const { return stepFor(matrix_); }
    // How far the matrix's sums are shifted down to index the tables.
    static int stepFor(const FixedColorMatrix& m) {
        return m.shift - FixedColorMatrix::kIndexBits - 1;
    }
    // Table c (only 0 when grey) starts with entry first(), which is at most 0, and goes
    // on at least to entry 0, so origin(c) points into it.
    std::ptrdiff_t first() const { return first_; }
    const std::uint32_t* entries(int c) const { return tables_[c].data(); }
    const std::uint32_t* origin(int c) const { return tables_[c].data() - first_; }

    // The pixel through the matrix and the curves.
    std::uint32_t apply(std::uint32_t pixel) const {
        std::uint32_t result = at(0, pixel);
        for (std::size_t c = 1; c < tables_.size(); ++c) {
            result |= at(static_cast<int>(c), pixel);
        }
        return result;
    }

private:
    std::uint32_t at(int c, std::uint32_t pixel) const {
        return origin(c)[matrix_.sum(c, pixel) >> step()];
    }

    FixedColorMatrix matrix_;
    std::ptrdiff_t first_ = 0;
    std::vector<std::vector<std::uint32_t>> tables_;
};

// Row kernels; opaqueBits, 0 or 0xFF000000, is ORed into every pixel read (0xFF000000
// reads RGB32 as opaque). Each returns whether every pixel was opaque; the caller redoes
// translucent ones.
namespace matrixcurves {

bool applyScalar(const MatrixCurves& curves, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits);

// The table positions of a row, in groups of eight pixels: eight blue, eight green,
// eight red (kGroup); a row of count pixels fills 3 · count positions, the last group
// partly. A grey matrix's are written for all three colours alike.
constexpr std::size_t kGroup = 8;
inline std::size_t positionIndex(std::size_t x, int c) {
    return 3 * kGroup * (x / kGroup) + kGroup * static_cast<std::size_t>(c) + x % kGroup;
}
bool positionsScalar(const MatrixCurves& curves, const std::uint32_t* in, std::uint16_t* positions,
                     std::size_t count, std::uint32_t opaqueBits);
bool positions(const MatrixCurves& curves, const std::uint32_t* in, std::uint16_t* positions,
               std::size_t count, std::uint32_t opaqueBits);

// The entries gathered with vectors, in one pass.
bool gather(const MatrixCurves& curves, const std::uint32_t* in, std::uint32_t* out,
            std::size_t count, std::uint32_t opaqueBits);

// The fastest way the current level has: gathered where a gather is one instruction
// (AVX2 and up) and in the plain loops, else the positions of a stretch are made with
// vectors and looked up one by one.
bool apply(const MatrixCurves& curves, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits);

}  // namespace matrixcurves
