#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "imaging/operations/UIImageUtility.h"
#include "tests/imaging/FilterTestSupport.h"

namespace {

using namespace filtertest;
using namespace testpictures;

constexpr double kPi = 3.14159265358979323846;

TEST(FiltersTest, NeutralInputsLeaveThePictureAlone) {
    const UIImagePtr photo = translucentPhoto(50, 40);
    struct Case {
        std::string name;
        ValueDictionary inputs;
    };
    const std::vector<Case> cases = {
        {"CIColorControls", {}},
        {"CIExposureAdjust", {{"inputEV", 0.0}}},
        {"CIGammaAdjust", {{"inputPower", 1.0}}},
        {"CIHueAdjust", {{"inputAngle", 0.0}}},
        {"CIHighlightShadowAdjust", {{"inputShadowAmount", 0.0}}},
        {"CISepiaTone", {{"inputIntensity", 0.0}}},
        {"CIVignetteEffect", {{"inputIntensity", 0.0}}},
        {"CIToneCurve", {}},
        {"CIPixellate", {{"inputScale", 1.0}}},
        {"CIAffineTransform", {}},
        {"CIColorPosterize", {{"inputLevels", 256}}},
    };
    for (const Case& c : cases) {
        const Rendered result = renderFilter(c.name, photo, c.inputs);
        ASSERT_TRUE(result.bitmap) << c.name;
        EXPECT_LE(largestDifference(*result.bitmap, *photo->CGImage()), 1) << c.name;
    }
    // A full turn of the hue is neutral too.
    const Rendered turned = renderFilter("CIHueAdjust", photo, {{"inputAngle", 2 * kPi}});
    EXPECT_LE(largestDifference(*turned.bitmap, *photo->CGImage()), 1);
    // The two sRGB curves undo each other (within the rounding of dark linear values).
    const Rendered linear = renderFilter("CISRGBToneCurveToLinear", photo);
    const Rendered back =
        renderFilter("CILinearToSRGBToneCurve", UIImage::imageWithCGImage(linear.bitmap));
    EXPECT_LE(largestDifference(*back.bitmap, *photo->CGImage()), 13);
}

TEST(FiltersTest, ColourFiltersChangeColoursTheWayTheirNamesSay) {
    const UIImagePtr photo = makePhoto(64, 64);
    const std::uint32_t before = pixelAt(photo, 40, 20);
    const auto luminance = [](std::uint32_t p) {
        return 0.2126 * channel(p, 2) + 0.7152 * channel(p, 1) + 0.0722 * channel(p, 0);
    };
    const auto spread = [](std::uint32_t p) {
        return std::max({channel(p, 0), channel(p, 1), channel(p, 2)}) -
               std::min({channel(p, 0), channel(p, 1), channel(p, 2)});
    };
    const auto at = [&](const std::string& name, const ValueDictionary& inputs = {}) {
        return pixelAt(*renderFilter(name, photo, inputs).bitmap, 40, 20);
    };
    EXPECT_GT(luminance(at("CIExposureAdjust", {{"inputEV", 1.0}})), luminance(before) + 10);
    EXPECT_LT(luminance(at("CIExposureAdjust", {{"inputEV", -2.0}})), luminance(before) - 10);
    EXPECT_LT(luminance(at("CIGammaAdjust", {{"inputPower", 2.25}})), luminance(before) - 10);
    EXPECT_EQ(spread(at("CIColorControls", {{"inputSaturation", 0.0}})), 0);
    EXPECT_GT(spread(at("CIColorControls", {{"inputSaturation", 2.0}})), spread(before));
    EXPECT_GT(luminance(at("CIHighlightShadowAdjust", {{"inputShadowAmount", 1.0}})),
              luminance(before));
    EXPECT_NE(at("CIHueAdjust", {{"inputAngle", 2.0}}), before);
    for (const char* grey : {"CIPhotoEffectNoir", "CIPhotoEffectTonal"}) {
        EXPECT_LE(spread(at(grey)), 1) << grey;
    }
    EXPECT_LE(spread(at("CIPhotoEffectMono")), 12);  // grey with a slight cool tint
    const std::uint32_t sepia = at("CISepiaTone");
    EXPECT_GE(channel(sepia, 2), channel(sepia, 1));
    EXPECT_GE(channel(sepia, 1), channel(sepia, 0));
    // Eight different looks.
    std::set<std::vector<std::uint8_t>> looks;
    for (const char* look : {"CIPhotoEffectInstant", "CIPhotoEffectProcess",
                             "CIPhotoEffectTransfer", "CIPhotoEffectChrome", "CIPhotoEffectFade",
                             "CIPhotoEffectTonal", "CIPhotoEffectNoir", "CIPhotoEffectMono"}) {
        const CGImageRef bitmap = renderFilter(look, photo).bitmap;
        looks.insert(
            std::vector<std::uint8_t>(bitmap->data(), bitmap->data() + bitmap->byteCount()));
    }
    EXPECT_EQ(looks.size(), 8u);
}

TEST(FiltersTest, InvertTwiceIsTheIdentityEvenWhenTranslucent) {
    const UIImagePtr photo = translucentPhoto(40, 30);
    const Rendered once = renderFilter("CIColorInvert", photo);
    EXPECT_EQ(channel(pixelAt(*once.bitmap, 1, 0), 0), 255 - channel(pixelAt(photo, 1, 0), 0));
    EXPECT_EQ(channel(pixelAt(*once.bitmap, 0, 0), 3), 128);
    const Rendered twice = renderFilter("CIColorInvert", UIImage::imageWithCGImage(once.bitmap));
    EXPECT_LE(largestDifference(*twice.bitmap, *photo->CGImage()), 1);
}

TEST(FiltersTest, PosterizeGivesExactlyTheLevelsAskedFor) {
    const UIImagePtr ramp =
        makePicture(256, 4, [](int x, int) { return 0xFF000000u | std::uint32_t(x) * 0x010101u; });
    for (int levels : {2, 4, 10}) {
        const Rendered result = renderFilter("CIColorPosterize", ramp, {{"inputLevels", levels}});
        std::set<int> seen;
        for (int x = 0; x < 256; ++x) {
            seen.insert(channel(pixelAt(*result.bitmap, x, 2), 1));
        }
        EXPECT_EQ(static_cast<int>(seen.size()), levels);
        EXPECT_EQ(*seen.begin(), 0);
        EXPECT_EQ(*seen.rbegin(), 255);
    }
}

TEST(FiltersTest, PixellateBlocksAreUniformAndCentred) {
    const UIImagePtr photo = makePhoto(100, 80);
    // Centre (50, 40), blocks of 10: one block spans pixels 45 … 54 in x.
    const Rendered result = renderFilter(
        "CIPixellate", photo, {{"inputCenter", CIVector::withX(50, 40)}, {"inputScale", 10}});
    EXPECT_EQ(result.extent, CGRect(0, 0, 100, 80));
    const CGImage& bitmap = *result.bitmap;
    for (int y = 35; y < 45; ++y) {
        for (int x = 45; x < 55; ++x) {
            EXPECT_EQ(pixelAt(bitmap, x, y), pixelAt(bitmap, 45, 35));
        }
    }
    EXPECT_NE(pixelAt(bitmap, 44, 35), pixelAt(bitmap, 45, 35));
    EXPECT_NE(pixelAt(bitmap, 55, 35), pixelAt(bitmap, 45, 35));
    EXPECT_NE(pixelAt(bitmap, 45, 34), pixelAt(bitmap, 45, 35));
    EXPECT_NE(pixelAt(bitmap, 45, 45), pixelAt(bitmap, 45, 35));
}

TEST(FiltersTest, TheIdentityToneCurveChangesNothingAndABentOneBends) {
    const UIImagePtr photo = translucentPhoto(50, 40);
    ValueDictionary diagonal;
    for (int i = 0; i < 5; ++i) {
        diagonal["inputPoint" + std::to_string(i)] = CIVector::withX(i / 4.0, i / 4.0);
    }
    EXPECT_TRUE(
        samePixels(*renderFilter("CIToneCurve", photo, diagonal).bitmap, *photo->CGImage()));
    ValueDictionary brighter = diagonal;
    brighter["inputPoint2"] = CIVector::withX(0.5, 0.7);
    const Rendered bent = renderFilter("CIToneCurve", photo, brighter);
    const UIImagePtr grey = makePicture(4, 4, [](int, int) { return 0xFF808080u; });
    EXPECT_GT(channel(pixelAt(*renderFilter("CIToneCurve", grey, brighter).bitmap, 1, 1), 0), 170);
    EXPECT_FALSE(samePixels(*bent.bitmap, *photo->CGImage()));
}

TEST(FiltersTest, AQuarterTurnSwapsTheSidesAndKeepsEveryPixel) {
    const UIImagePtr photo = translucentPhoto(37, 21);
    const Rendered turned = renderFilter(
        "CIAffineTransform", photo, {{"inputTransform", CGAffineTransform::makeRotation(kPi / 2)}});
    ASSERT_TRUE(turned.bitmap);
    EXPECT_EQ(turned.bitmap->width(), 21);
    EXPECT_EQ(turned.bitmap->height(), 37);
    // Anticlockwise with y up: the top-left pixel goes to the bottom-left.
    for (int y = 0; y < 21; ++y) {
        for (int x = 0; x < 37; ++x) {
            ASSERT_EQ(pixelAt(*turned.bitmap, y, 36 - x), pixelAt(photo, x, y)) << x << "," << y;
        }
    }
}

TEST(FiltersTest, ATurnBy30DegreesCoversTheBoundingBoxWithClearCorners) {
    const UIImagePtr photo = makePhoto(200, 100);
    const double angle = kPi / 6;
    const Rendered turned = renderFilter(
        "CIAffineTransform", photo, {{"inputTransform", CGAffineTransform::makeRotation(angle)}});
    const double width = 200 * std::cos(angle) + 100 * std::sin(angle);
    const double height = 200 * std::sin(angle) + 100 * std::cos(angle);
    EXPECT_NEAR(turned.extent.width(), width, 1.01);
    EXPECT_NEAR(turned.extent.height(), height, 1.01);
    EXPECT_EQ(pixelAt(*turned.bitmap, 0, 0), 0u);
    EXPECT_EQ(pixelAt(*turned.bitmap, turned.bitmap->width() - 1, turned.bitmap->height() - 1), 0u);
    EXPECT_EQ(
        channel(pixelAt(*turned.bitmap, turned.bitmap->width() / 2, turned.bitmap->height() / 2),
                3),
        255);
}

TEST(FiltersTest, BloomAndGloomGrowByTheirBlurAndKeepTheMiddle) {
    const UIImagePtr photo = makePhoto(80, 60);
    for (const char* name : {"CIBloom", "CIGloom"}) {
        SCOPED_TRACE(name);
        const Rendered result =
            renderFilter(name, photo, {{"inputRadius", 6.4}, {"inputIntensity", 1.0}});
        EXPECT_EQ(result.extent, CGRect(-7, -7, 94, 74));
        ASSERT_EQ(result.bitmap->width(), 94);
        // Cropping the input's area back out of the centre gives the input's size.
        const auto cropped = UIImageUtility::crop(UIImage::imageWithCGImage(result.bitmap),
                                                  CGRect((94 - 80) / 2, (74 - 60) / 2, 80, 60));
        EXPECT_EQ(cropped->size(), (CGSize{80, 60}));
        const Rendered neutral =
            renderFilter(name, photo, {{"inputRadius", 6.4}, {"inputIntensity", 0.0}});
        const auto middle =
            UIImageUtility::crop(UIImage::imageWithCGImage(neutral.bitmap), CGRect(7, 7, 80, 60));
        EXPECT_LE(largestDifference(*middle->CGImage(), *photo->CGImage()), 1);
    }
    const std::uint32_t plain = pixelAt(photo, 40, 30);
    const auto bloom = renderFilter("CIBloom", photo, {{"inputRadius", 6.0}});
    const auto gloom = renderFilter("CIGloom", photo, {{"inputRadius", 6.0}});
    EXPECT_GT(channel(pixelAt(*bloom.bitmap, 46, 36), 1), channel(plain, 1));
    EXPECT_LT(channel(pixelAt(*gloom.bitmap, 46, 36), 1), channel(plain, 1));
}

// A wide glow is blurred at half size and stretched back: it must still be centred on
// what glows, spread evenly and fade with distance, and leave flat colour flat.
TEST(FiltersTest, AWideGlowIsCentredSymmetricAndKeepsFlatColour) {
    // A white 2 × 2 square at the middle of a clear picture.
    const UIImagePtr dot = makePicture(64, 64, [](int x, int y) {
        return (x == 31 || x == 32) && (y == 31 || y == 32) ? 0xFFFFFFFFu : 0u;
    });
    const Rendered glow =
        renderFilter("CIBloom", dot, {{"inputRadius", 12.0}, {"inputIntensity", 1.0}});
    ASSERT_EQ(glow.bitmap->width(), 88);
    const int centre = 12 + 31;  // the square covers pixels 43 and 44 of the output
    int previous = 256;
    for (int d = 1; d < 12; ++d) {
        const int right = channel(pixelAt(*glow.bitmap, centre + d, centre), 3);
        const int left = channel(pixelAt(*glow.bitmap, centre + 1 - d, centre), 3);
        const int down = channel(pixelAt(*glow.bitmap, centre, centre + d), 3);
        EXPECT_NEAR(left, right, 1) << d;
        EXPECT_NEAR(down, right, 1) << d;
        EXPECT_LE(right, previous) << d;
        previous = right;
    }
    EXPECT_GT(channel(pixelAt(*glow.bitmap, centre + 4, centre), 3), 0);
    EXPECT_EQ(pixelAt(*glow.bitmap, 0, 0), 0u);
    // Flat colour glows into itself: screen(c, c) in the middle, for bloom and gloom.
    const UIImagePtr flat = makePicture(80, 60, [](int, int) { return 0xFF406080u; });
    const Rendered bloom =
        renderFilter("CIBloom", flat, {{"inputRadius", 10.0}, {"inputIntensity", 1.0}});
    const Rendered gloom =
        renderFilter("CIGloom", flat, {{"inputRadius", 10.0}, {"inputIntensity", 1.0}});
    const auto screen = [](int c) { return c + c - c * c / 255.0; };
    const auto multiply = [](int c) { return c * c / 255.0; };
    const std::uint32_t bloomed = pixelAt(*bloom.bitmap, 50, 40);
    const std::uint32_t gloomed = pixelAt(*gloom.bitmap, 50, 40);
    for (int c = 0; c < 3; ++c) {
        const int level = channel(0xFF406080u, c);
        EXPECT_NEAR(channel(bloomed, c), screen(level), 1.5) << c;
        EXPECT_NEAR(channel(gloomed, c), multiply(level), 1.5) << c;
    }
}

TEST(FiltersTest, TheVignetteDarkensWithDistanceFromItsCentre) {
    const UIImagePtr white = makePicture(200, 100, [](int, int) { return 0xFFFFFFFFu; });
    const Rendered result = renderFilter("CIVignetteEffect", white,
                                         {{"inputCenter", CIVector::withX(100, 50)},
                                          {"inputRadius", 50.0},
                                          {"inputIntensity", 0.9}});
    const CGImage& bitmap = *result.bitmap;
    EXPECT_EQ(channel(pixelAt(bitmap, 100, 50), 0), 255);
    EXPECT_LT(channel(pixelAt(bitmap, 0, 0), 0), 40);
    EXPECT_LT(channel(pixelAt(bitmap, 160, 50), 0), channel(pixelAt(bitmap, 130, 50), 0));
    EXPECT_EQ(pixelAt(bitmap, 60, 30), pixelAt(bitmap, 139, 69));  // symmetric about the centre
}

}  // namespace
