#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/kernels/FixedColorMatrix.h"
#include "imaging/kernels/VectorLevel.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"
#include "tests/imaging/kernels/RandomPixels.h"

namespace {

using testpictures::channel;
using testpictures::randomPremultiplied;

// Random pixels, a third of them opaque, as photos mostly are.
std::vector<std::uint32_t> randomRow(std::mt19937& random, std::size_t count) {
    std::vector<std::uint32_t> row(count);
    for (auto& p : row) {
        p = random() % 3 == 0 ? randomPremultiplied(random) : (random() | 0xFF000000u);
    }
    return row;
}

ColorMatrix randomMatrix(std::mt19937& random, float reach) {
    std::uniform_real_distribution<float> value(-reach, reach);
    ColorMatrix m;
    for (float& v : m.m) {
        v = value(random);
    }
    return m;
}

TEST(FixedColorMatrixTest, EveryVectorLevelGivesTheScalarPixelsAndIndexes) {
    std::mt19937 random(11);
    FixedColorMatrix::Curves curves;
    for (auto& table : curves) {
        for (auto& level : table) {
            level = static_cast<std::uint8_t>(random());
        }
    }
    // Small weights keep the finest scale; large ones (strong contrast) force a coarser one.
    for (float reach : {0.5f, 2.0f, 20.0f}) {
        for (std::size_t count : {0u, 1u, 3u, 4u, 5u, 9u, 17u, 1003u}) {
            SCOPED_TRACE(::testing::Message() << "reach " << reach << ", count " << count);
            const FixedColorMatrix m(randomMatrix(random, reach));
            const std::vector<std::uint32_t> in = randomRow(random, count);
            for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
                std::vector<std::uint32_t> scalar(count), fast(count);
                fixedcolormatrix::applyScalar(m, in.data(), scalar.data(), count, opaqueBits);
                atEveryVectorLevel([&] {
                    fixedcolormatrix::apply(m, in.data(), fast.data(), count, opaqueBits);
                    EXPECT_EQ(fast, scalar);
                });
                fixedcolormatrix::applyWithCurvesScalar(m, curves, in.data(), scalar.data(), count,
                                                        opaqueBits);
                bool allOpaque = true;
                for (std::uint32_t p : in) {
                    allOpaque = allOpaque && (p | opaqueBits) >= 0xFF000000u;
                }
                atEveryVectorLevel([&] {
                    EXPECT_EQ(fixedcolormatrix::applyWithCurves(m, curves, in.data(), fast.data(),
                                                                count, opaqueBits),
                              allOpaque);
                    EXPECT_EQ(fast, scalar);
                });
                std::vector<std::uint16_t> scalarIndexes(3 * count + 24),
                    fastIndexes(3 * count + 24);
                const std::uint32_t scalarAll = fixedcolormatrix::indexesScalar(
                    m, in.data(), scalarIndexes.data(), count, opaqueBits);
                atEveryVectorLevel([&] {
                    EXPECT_EQ(fixedcolormatrix::indexes(m, in.data(), fastIndexes.data(), count,
                                                        opaqueBits),
                              scalarAll);
                    for (std::size_t x = 0; x < count; ++x) {
                        for (int c = 0; c < 3; ++c) {
                            const std::size_t i = fixedcolormatrix::indexPosition(x, c);
                            ASSERT_EQ(fastIndexes[i], scalarIndexes[i]) << x << " " << c;
                        }
                    }
                });
            }
        }
    }
}

TEST(FixedColorMatrixTest, GreyMatricesTakeOneLookUpWithTheSamePixels) {
    EXPECT_TRUE(FixedColorMatrix(ColorMatrix::saturation(0)).isGrey());
    EXPECT_FALSE(FixedColorMatrix(ColorMatrix::saturation(0.5f)).isGrey());
    EXPECT_FALSE(FixedColorMatrix(ColorMatrix::identity()).isGrey());
    std::mt19937 random(23);
    FixedColorMatrix::Curves curves;
    for (auto& table : curves) {
        for (auto& level : table) {
            level = static_cast<std::uint8_t>(random());
        }
    }
    std::vector<std::uint32_t> greyCurves(FixedColorMatrix::kIndexMax + 1);
    for (std::size_t j = 0; j < greyCurves.size(); ++j) {
        greyCurves[j] = 0xFF000000u | std::uint32_t{curves[2][j]} << 16 |
                        std::uint32_t{curves[1][j]} << 8 | curves[0][j];
    }
    // Weights past 1 push indexes beyond both ends of the tables.
    const ColorMatrix greys[] = {
        ColorMatrix::saturation(0),
        ColorMatrix::saturation(0).then(ColorMatrix::scaleAndOffset(2.5f, -0.7f))};
    for (const ColorMatrix& grey : greys) {
        const FixedColorMatrix m(grey);
        ASSERT_TRUE(m.isGrey());
        for (std::size_t count : {0u, 1u, 7u, 9u, 1003u}) {
            SCOPED_TRACE(count);
            const std::vector<std::uint32_t> in = randomRow(random, count);
            for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
                std::vector<std::uint32_t> threeLookUps(count), oneLookUp(count);
                const std::uint32_t all = fixedcolormatrix::applyWithCurvesScalar(
                    m, curves, in.data(), threeLookUps.data(), count, opaqueBits);
                atEveryVectorLevel([&] {
                    EXPECT_EQ(
                        fixedcolormatrix::applyWithGreyCurves(m, greyCurves.data(), in.data(),
                                                              oneLookUp.data(), count, opaqueBits),
                        all >= 0xFF000000u);
                    EXPECT_EQ(oneLookUp, threeLookUps);
                });
            }
        }
    }
}

TEST(FixedColorMatrixTest, PremultipliedPixelsGetTheMatrixOfTheirColour) {
    std::mt19937 random(5);
    const ColorMatrix identity = ColorMatrix::identity();
    const ColorMatrix warm =
        ColorMatrix::saturation(1.6f).then(ColorMatrix::scaleAndOffset(0.9f, 0.08f));
    const std::vector<std::uint32_t> in = randomRow(random, 2000);
    std::vector<std::uint32_t> out(in.size());
    fixedcolormatrix::apply(FixedColorMatrix(identity), in.data(), out.data(), in.size(), 0);
    EXPECT_EQ(out, in);
    fixedcolormatrix::apply(FixedColorMatrix(warm), in.data(), out.data(), in.size(), 0);
    for (std::size_t x = 0; x < in.size(); ++x) {
        const int alpha = channel(in[x], 3);
        ASSERT_EQ(channel(out[x], 3), alpha);
        if (alpha == 0) {
            ASSERT_EQ(out[x], 0u);
            continue;
        }
        float rgb[3] = {channel(in[x], 2) / float(alpha), channel(in[x], 1) / float(alpha),
                        channel(in[x], 0) / float(alpha)};
        warm.apply(rgb);
        for (int c = 0; c < 3; ++c) {
            const float expected = std::clamp(rgb[c], 0.0f, 1.0f) * alpha;
            ASSERT_NEAR(channel(out[x], 2 - c), expected, 0.6) << x << " " << c;
        }
    }
}

}  // namespace
