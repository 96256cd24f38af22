#include <gtest/gtest.h>

#include <cmath>

#include "imaging/FixedCurves.h"

namespace {

float onIndex(int index) {
    return static_cast<float>(index) / FixedColorMatrix::kIndexMax;
}

// Smooth curves, including a power that rises steeply from black and an S with a
// fall, interpolate within a level of the exact curve at every fine index, and exactly
// rounded at the byte levels; the paths that read the bytes get the same values.
TEST(FixedCurvesTest, SmoothCurvesInterpolateWithinALevelEverywhere) {
    const auto curve = [](int c, float v) {
        switch (c) {
            case 0:
                return std::pow(v, 0.25f);
            case 1:
                return v * v;
            default:
                return 0.5f + 0.45f * std::sin(9 * v);
        }
    };
    const std::optional<FixedCurves> fitted = FixedCurves::fitted(curve);
    ASSERT_TRUE(fitted);
    FixedColorMatrix::Curves tabulated;
    fitted->tabulate(tabulated);
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j <= FixedColorMatrix::kIndexMax; ++j) {
            const float exact = std::clamp(curve(c, onIndex(j)), 0.0f, 1.0f) * 255;
            const bool onALevel = j % (1 << FixedColorMatrix::kIndexBits) == 0;
            ASSERT_NEAR(fitted->value(c, j), exact, onALevel ? 0.51 : 0.76) << c << " " << j;
            ASSERT_EQ(tabulated[c][j], fitted->value(c, j));
        }
    }
}

TEST(FixedCurvesTest, CurvesWithStepsDoNotFit) {
    const auto posterize = [](int, float v) { return std::floor(v * 3.999f) / 3; };
    EXPECT_FALSE(FixedCurves::fitted(posterize));
    const auto threshold = [](int c, float v) { return c == 1 && v > 0.5f ? 1.0f : 0.0f; };
    EXPECT_FALSE(FixedCurves::fitted(threshold));
}

}  // namespace
