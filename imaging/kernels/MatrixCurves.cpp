#include "imaging/kernels/MatrixCurves.h"

#include <algorithm>

#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorLevel.h"

namespace {

struct Reach {
    std::int64_t first;
    std::int64_t last;
};

// The shifted sums the matrix gives any pixel, over all three colours, and 0.
Reach reach(const FixedColorMatrix& m) {
    const int step = MatrixCurves::stepFor(m);
    Reach all{0, 0};
    for (int c = 0; c < 3; ++c) {
        std::int64_t low = 0;
        std::int64_t high = 0;
        for (int k = 0; k < 4; ++k) {
            (m.weights[c][k] < 0 ? low : high) += 255 * std::int64_t{m.weights[c][k]};
        }
        all.first = std::min(all.first, low >> step);
        all.last = std::max(all.last, high >> step);
    }
    return all;
}

}  // namespace

bool MatrixCurves::fits(const FixedColorMatrix& m) {
    const Reach r = reach(m);
    return r.last - r.first < static_cast<std::int64_t>(kMaxEntries);
}

MatrixCurves::MatrixCurves(const FixedColorMatrix& m,
                           const std::function<std::uint8_t(int, int)>& curve)
    : matrix_(m) {
    const Reach r = reach(m);
    first_ = static_cast<std::ptrdiff_t>(r.first);
    const auto size = static_cast<std::size_t>(r.last - r.first + 1);
    tables_.assign(3, std::vector<std::uint32_t>(size));
    // The curves at index precision first: far fewer calls than entries.
    std::vector<std::uint8_t> levels(FixedColorMatrix::kIndexMax + 1);
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j <= FixedColorMatrix::kIndexMax; ++j) {
            levels[static_cast<std::size_t>(j)] = curve(c, j);
        }
        const std::uint32_t alpha = c == 0 ? 0xFF000000u : 0;
        for (std::size_t e = 0; e < size; ++e) {
            const std::int64_t index = (r.first + static_cast<std::int64_t>(e) + 1) >> 1;
            const auto j = std::clamp<std::int64_t>(index, 0, FixedColorMatrix::kIndexMax);
            tables_[c][e] = alpha | std::uint32_t{levels[static_cast<std::size_t>(j)]} << 8 * c;
        }
    }
    if (m.isGrey()) {
        for (std::size_t e = 0; e < size; ++e) {
            tables_[0][e] |= tables_[1][e] | tables_[2][e];
        }
        tables_.resize(1);
    }
}

namespace matrixcurves {

bool applyScalar(const MatrixCurves& curves, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits) {
    std::uint32_t all = 0xFFFFFFFFu;
    prefetch::eachPixel(in, out, count, [&](std::size_t x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        all &= pixel;
        out[x] = curves.apply(pixel);
    });
    return all >= 0xFF000000u;
}

bool positionsScalar(const MatrixCurves& curves, const std::uint32_t* in, std::uint16_t* positions,
                     std::size_t count, std::uint32_t opaqueBits) {
    const FixedColorMatrix& m = curves.matrix();
    std::uint32_t all = 0xFFFFFFFFu;
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        all &= pixel;
        for (int c = 0; c < 3; ++c) {
            const std::int32_t q = m.sum(c, pixel) >> curves.step();
            positions[positionIndex(x, c)] = static_cast<std::uint16_t>(q - curves.first());
        }
    }
    return all >= 0xFF000000u;
}

namespace {

// SSE4 and NEON gather lane by lane, slower than making the positions of a stretch with
// vectors and looking them up after.
bool gathersInOnePass() {
    const VectorLevel level = vectorlevel::current();
    return level == VectorLevel::Portable || level >= VectorLevel::Avx2;
}

// Makes the positions of the row a stretch at a time and looks each group up with
// lookUp(group's positions, its first pixel in out, its length).
template <typename LookUp>
bool throughPositions(const MatrixCurves& curves, const std::uint32_t* in, std::uint32_t* out,
                      std::size_t count, std::uint32_t opaqueBits, const LookUp& lookUp) {
    constexpr std::size_t kStretch = 32 * kGroup;
    std::uint16_t stretch[3 * kStretch];
    bool opaque = true;
    for (std::size_t first = 0; first < count; first += kStretch) {
        const std::size_t n = std::min(kStretch, count - first);
        opaque = positions(curves, in + first, stretch, n, opaqueBits) && opaque;
        std::size_t g = 0;
        // A constant length lets the compiler unroll whole groups.
        for (; g + kGroup <= n; g += kGroup) {
            prefetch::ahead(out + first + g);
            lookUp(stretch + 3 * g, out + first + g, kGroup);
        }
        if (g < n) {
            lookUp(stretch + 3 * g, out + first + g, n - g);
        }
    }
    return opaque;
}

}  // namespace

bool apply(const MatrixCurves& curves, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits) {
    if (gathersInOnePass()) {
        return gather(curves, in, out, count, opaqueBits);
    }
    if (curves.isGrey()) {
        const std::uint32_t* table = curves.entries(0);
        return throughPositions(
            curves, in, out, count, opaqueBits,
            [table](const std::uint16_t* group, std::uint32_t* target, std::size_t length) {
#pragma GCC unroll 8
                for (std::size_t k = 0; k < length; ++k) {
                    target[k] = table[group[k]];
                }
            });
    }
    const std::uint32_t* tables[3] = {curves.entries(0), curves.entries(1), curves.entries(2)};
    return throughPositions(
        curves, in, out, count, opaqueBits,
        [&tables](const std::uint16_t* group, std::uint32_t* target, std::size_t length) {
#pragma GCC unroll 8
            for (std::size_t k = 0; k < length; ++k) {
                target[k] = tables[0][group[k]] | tables[1][group[kGroup + k]] |
                            tables[2][group[2 * kGroup + k]];
            }
        });
}

}  // namespace matrixcurves
