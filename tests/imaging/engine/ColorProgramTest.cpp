#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "imaging/engine/ColorProgram.h"
#include "tests/imaging/TestPictures.h"

namespace {

TEST(ColorProgramTest, JoinedProgramsComputeWhatTheStepsComputeInTurn) {
    const ColorProgram saturate = ColorProgram::matrix(ColorMatrix::saturation(1.7f));
    const ColorProgram square = ColorProgram::curves([](float v) { return v * v; });
    const ColorProgram lift = ColorProgram::curves([](float v) { return 0.2f + 0.8f * v; });
    const ColorProgram joined = saturate.then(square).then(lift);
    EXPECT_EQ(joined.stageCount(), 2u);
    float direct[3] = {0.3f, 0.6f, 0.2f};
    float stepped[3] = {0.3f, 0.6f, 0.2f};
    joined.evaluate(direct);
    saturate.evaluate(stepped);
    square.evaluate(stepped);
    lift.evaluate(stepped);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(direct[c], stepped[c], 1e-3);
    }
    // Stages that change nothing are left out, also when joining makes them so.
    const ColorProgram invert = ColorProgram::curves([](float v) { return 1 - v; });
    // Gains too large for tables of everything a matrix reaches.
    const ColorProgram glare = ColorProgram::matrix(ColorMatrix::scaleAndOffset(12, -5.5f));
    const ColorProgram neutral =
        ColorProgram::matrix(ColorMatrix::saturation(1)).then(ColorProgram::curves([](float v) {
            return v;
        }));
    EXPECT_EQ(neutral.stageCount(), 0u);
    EXPECT_EQ(saturate.then(neutral).then(square).stageCount(), 2u);
    EXPECT_EQ(square.then(invert).then(invert).stageCount(), 1u);
    EXPECT_EQ(saturate.then(invert).then(invert).stageCount(), 1u);
    // Whole pictures: opaque pixels take the tables, translucent ones the float path.
    const auto photo = testpictures::makePhoto(67, 9);
    auto out = CGImage::create(67, 9, CGPixelFormat::ARGB32Premultiplied);
    joined.apply(*photo->CGImage(), *out);
    for (int x = 0; x < 67; x += 11) {
        const std::uint32_t p = testpictures::pixelAt(*photo->CGImage(), x, 4);
        float rgb[3] = {testpictures::channel(p, 2) / 255.0f, testpictures::channel(p, 1) / 255.0f,
                        testpictures::channel(p, 0) / 255.0f};
        joined.evaluate(rgb);
        const std::uint32_t q = testpictures::pixelAt(*out, x, 4);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(testpictures::channel(q, 2 - c), std::clamp(rgb[c], 0.0f, 1.0f) * 255, 1.5);
        }
    }
}

// Every shape the program takes on 8-bit pixels (none; curves; a matrix; a matrix, colour
// or grey, then curves; curves, a matrix and curves; longer) gives, for opaque and translucent
// pixels alike, the floating-point colour within a level, across the row chunks of a wide picture.
TEST(ColorProgramTest, EveryShapeOfProgramFollowsTheFloatingPointColour) {
    const ColorProgram square = ColorProgram::curves([](float v) { return v * v; });
    const ColorProgram lift = ColorProgram::curves([](float v) { return 0.1f + 0.8f * v; });
    const ColorProgram warm = ColorProgram::matrix(
        ColorMatrix::saturation(1.5f).then(ColorMatrix::scaleAndOffset(0.9f, 0.05f)));
    const ColorProgram swap = ColorProgram::matrix(ColorMatrix::mix({0, 0, 1, 0, 1, 0, 1, 0, 0}));
    // A grey matrix takes one look-up for all three colours: distinct curves show whether
    // each colour still gets its own.
    const ColorProgram tintedGrey =
        ColorProgram::matrix(ColorMatrix::saturation(0))
            .then(ColorProgram::curves([](float v) { return v * v; },
                                       [](float v) { return 0.1f + 0.8f * v; },
                                       [](float v) { return 1 - v; }));
    // A steep S-curve after a matrix.
    const ColorProgram steep = ColorProgram::curves(
        [](float v) { return 0.5f + 0.5f * std::tanh(8 * (v - 0.5f)) / std::tanh(4.0f); });
    const ColorProgram invert = ColorProgram::curves([](float v) { return 1 - v; });
    // Gains too large for tables of everything a matrix reaches.
    const ColorProgram glare = ColorProgram::matrix(ColorMatrix::scaleAndOffset(12, -5.5f));
    const ColorProgram programs[] = {ColorProgram(),
                                     square,
                                     invert,
                                     warm,
                                     warm.then(square),
                                     warm.then(steep),
                                     glare.then(square),
                                     tintedGrey,
                                     lift.then(warm).then(square),
                                     lift.then(warm).then(square).then(swap),
                                     swap};
    std::mt19937 random(9);
    const int width = 601;
    const auto picture = testpictures::makeBitmap(width, 4, [&](int x, int y) {
        // Whole opaque rows, and rows with translucent pixels here and there.
        const bool translucent = y % 2 == 1 && x % 7 == 0;
        return translucent ? testpictures::randomPremultiplied(random)
                           : (static_cast<std::uint32_t>(random()) | 0xFF000000u);
    });
    for (std::size_t p = 0; p < std::size(programs); ++p) {
        SCOPED_TRACE(p);
        auto out = CGImage::create(width, 4, CGPixelFormat::ARGB32Premultiplied);
        programs[p].apply(*picture, *out);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t pixel = testpictures::pixelAt(*picture, x, y);
                const std::uint32_t result = testpictures::pixelAt(*out, x, y);
                const float alpha = testpictures::channel(pixel, 3);
                ASSERT_EQ(testpictures::channel(result, 3), alpha);
                float rgb[3] = {0, 0, 0};
                for (int c = 0; c < 3 && alpha > 0; ++c) {
                    rgb[c] = testpictures::channel(pixel, 2 - c) / alpha;
                }
                programs[p].evaluate(rgb);
                for (int c = 0; c < 3; ++c) {
                    ASSERT_NEAR(testpictures::channel(result, 2 - c),
                                std::clamp(rgb[c], 0.0f, 1.0f) * alpha, 1.0)
                        << x << "," << y << " channel " << c;
                }
            }
        }
    }
}

// Steps are not interpolated: after a matrix, posterizing still gives only its levels.
TEST(ColorProgramTest, StepsAfterAMatrixKeepOnlyTheirLevels) {
    const ColorProgram program =
        ColorProgram::matrix(ColorMatrix::saturation(1.5f)).then(ColorProgram::curves([](float v) {
            return std::floor(v * 3.999f) / 3;
        }));
    std::mt19937 random(4);
    const auto picture = testpictures::makeBitmap(
        301, 2, [&](int, int) { return static_cast<std::uint32_t>(random()) | 0xFF000000u; });
    auto out = CGImage::create(301, 2, CGPixelFormat::ARGB32Premultiplied);
    program.apply(*picture, *out);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 301; ++x) {
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(testpictures::channel(testpictures::pixelAt(*out, x, y), c) % 85, 0)
                    << x << "," << y << " channel " << c;
            }
        }
    }
}

}  // namespace
