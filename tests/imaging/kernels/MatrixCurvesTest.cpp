#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imaging/kernels/MatrixCurves.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"
#include "tests/imaging/kernels/RandomPixels.h"

namespace {

using testpictures::randomMatrix;
using testpictures::randomRow;

// A different byte for each colour and index.
std::uint8_t curve(int c, int j) {
    return static_cast<std::uint8_t>((j * (7 + 2 * c) + 13 * c) >> 4);
}

// The curves at the matrix's sum rounded to an index, from the formulas alone.
std::uint32_t expected(const FixedColorMatrix& m, std::uint32_t opaque) {
    const int shift = m.shift - FixedColorMatrix::kIndexBits;
    std::uint32_t result = 0xFF000000u;
    for (int c = 0; c < 3; ++c) {
        const int index = (m.sum(c, opaque) + (1 << (shift - 1))) >> shift;
        result |= std::uint32_t{curve(c, std::clamp(index, 0, FixedColorMatrix::kIndexMax))}
                  << 8 * c;
    }
    return result;
}

// Matrices of every kind the tables take: small and large weights (the latter forcing a
// coarser scale), offsets that put every sum beyond either end of the curves, and greys.
std::vector<FixedColorMatrix> matrices() {
    std::mt19937 random(3);
    std::vector<FixedColorMatrix> all;
    for (float reach : {0.3f, 1.0f, 2.0f}) {
        for (int k = 0; k < 4; ++k) {
            all.emplace_back(randomMatrix(random, reach));
        }
    }
    for (float offset : {-3.0f, 3.0f}) {
        all.emplace_back(
            ColorMatrix::saturation(1.5f).then(ColorMatrix::scaleAndOffset(1, offset)));
    }
    all.emplace_back(ColorMatrix::saturation(0));
    all.emplace_back(ColorMatrix::saturation(0).then(ColorMatrix::scaleAndOffset(2.5f, -0.7f)));
    return all;
}

TEST(MatrixCurvesTest, EveryPixelGetsTheCurvesAtItsRoundedIndex) {
    std::mt19937 random(7);
    const std::vector<std::uint32_t> in = randomRow(random, 20000);
    for (const FixedColorMatrix& m : matrices()) {
        ASSERT_TRUE(MatrixCurves::fits(m));
        const MatrixCurves curves(m, curve);
        EXPECT_EQ(curves.isGrey(), m.isGrey());
        for (std::uint32_t pixel : in) {
            const std::uint32_t opaque = pixel | 0xFF000000u;
            ASSERT_EQ(curves.apply(opaque), expected(m, opaque)) << std::hex << opaque;
        }
    }
}

TEST(MatrixCurvesTest, EveryVectorLevelGivesTheScalarPixels) {
    std::mt19937 random(11);
    for (const FixedColorMatrix& m : matrices()) {
        const MatrixCurves curves(m, curve);
        for (std::size_t count : {0u, 1u, 7u, 9u, 17u, 1003u}) {
            SCOPED_TRACE(count);
            const std::vector<std::uint32_t> in = randomRow(random, count);
            for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
                std::vector<std::uint32_t> scalar(count), fast(count);
                const bool opaque =
                    matrixcurves::applyScalar(curves, in.data(), scalar.data(), count, opaqueBits);
                atEveryVectorLevel([&] {
                    EXPECT_EQ(
                        matrixcurves::apply(curves, in.data(), fast.data(), count, opaqueBits),
                        opaque);
                    EXPECT_EQ(fast, scalar);
                });
            }
        }
    }
}

// Each row's weights, the offset included, may add up to about 8 in size.
TEST(MatrixCurvesTest, OnlyMatricesOfModerateWeightsFit) {
    EXPECT_TRUE(MatrixCurves::fits(FixedColorMatrix(ColorMatrix::scaleAndOffset(5, -2.5f))));
    EXPECT_FALSE(MatrixCurves::fits(FixedColorMatrix(ColorMatrix::scaleAndOffset(6, -2.5f))));
}

}  // namespace
