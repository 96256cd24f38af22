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

using testpictures::randomMatrix;
using testpictures::randomRow;

TEST(FixedColorMatrixTest, EveryVectorLevelGivesTheScalarPixels) {
    std::mt19937 random(11);
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
            }
        }
    }
}

TEST(FixedColorMatrixTest, OnlyMatricesToGreyAreGrey) {
    EXPECT_TRUE(FixedColorMatrix(ColorMatrix::saturation(0)).isGrey());
    EXPECT_FALSE(FixedColorMatrix(ColorMatrix::saturation(0.5f)).isGrey());
    EXPECT_FALSE(FixedColorMatrix(ColorMatrix::identity()).isGrey());
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
