#include <gtest/gtest.h>

#include <cmath>

#include "tools/tonecurve/CLSplineInterpolator.h"

TEST(CLSplineCalculator, PassesThroughItsSamplesAndCarriesItsEndPiecesOn) {
    const std::vector<double> samples{0, 0.1, 0.7, 0.9, 1};
    const auto spline = CLSplineCalculator::make(samples);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        EXPECT_NEAR(spline->getValue(static_cast<double>(k)), samples[k], 1e-12);
    }
    EXPECT_NEAR(spline->getValue(0.5), -0.0102678571, 1e-10);
    EXPECT_NEAR(spline->getValue(1.5), 0.3933035714, 1e-10);
    // Beyond the last sample the last piece goes on rather than stopping.
    EXPECT_NE(spline->getValue(4.5), spline->getValue(4));
    EXPECT_NE(spline->getValue(-0.5), spline->getValue(0));

    const auto line = CLSplineCalculator::make({1, 2, 3});
    EXPECT_NEAR(line->getValue(0.25), 1.25, 1e-12);
    EXPECT_NEAR(line->getValue(3), 4, 1e-12) << "straight, extended";
    EXPECT_EQ(CLSplineCalculator::make({0.4})->getValue(3), 0.4);
    EXPECT_EQ(CLSplineCalculator::make({}), nullptr);
}

TEST(CLSplineInterpolator, ClampsTAndFollowsThePointsInTheirOrder) {
    const CLSplineInterpolator curve({Vector{0, 0}, Vector{1, 0.5}, Vector{0.2, 1}});
    const auto near = [](const Vector& a, const Vector& b) {
        return std::abs(a.x() - b.x()) < 1e-12 && std::abs(a.y() - b.y()) < 1e-12;
    };
    EXPECT_TRUE(near(curve.interpolatedPoint(-1), Vector{0, 0}));
    EXPECT_TRUE(near(curve.interpolatedPoint(2), Vector{0.2, 1}));
    EXPECT_TRUE(near(curve.interpolatedPoint(0.5), Vector{1, 0.5})) << "turns back in x";
    EXPECT_EQ(CLSplineInterpolator({}).interpolatedPoint(0.5), (Vector{0, 0}));
}
