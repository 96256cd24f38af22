#include <gtest/gtest.h>

#include "platform/codecs/CodePointProfile.h"
#include "platform/codecs/ProfileConversion.h"

namespace {

constexpr CodePointProfile::Primaries kDisplayP3{
    {0.680, 0.320}, {0.265, 0.690}, {0.150, 0.060}, {0.3127, 0.3290}};
constexpr int kSrgbCurve = CodePointProfile::kSrgb;

// Only what a profile can say makes one: sRGB itself, HDR curves and degenerate
// primaries leave the pixels as sRGB.
TEST(CodePointProfileTest, OnlyColourSpacesOtherThanSrgbThatCurvesCanExpressMakeAProfile) {
    EXPECT_TRUE(CodePointProfile::icc(CodePointProfile::kSrgbPrimaries, kSrgbCurve).empty());
    EXPECT_TRUE(
        CodePointProfile::icc(CodePointProfile::kSrgbPrimaries, CodePointProfile::kUnspecified)
            .empty());
    EXPECT_TRUE(CodePointProfile::icc(kDisplayP3, 16).empty()) << "PQ";
    EXPECT_TRUE(CodePointProfile::icc(kDisplayP3, 18).empty()) << "HLG";
    EXPECT_TRUE(CodePointProfile::icc({{0, 0}, {0, 0}, {0, 0}, {0, 0}}, kSrgbCurve).empty());

    // Linear sRGB: the middle grey of light is sRGB's 188.
    const std::vector<std::uint8_t> linear =
        CodePointProfile::icc(CodePointProfile::kSrgbPrimaries, CodePointProfile::kLinear);
    const auto conversion = ProfileConversion::make(linear, ProfileConversion::Input::Rgb);
    ASSERT_TRUE(conversion);
    std::uint8_t pixel[4] = {128, 128, 128, 255};
    conversion->convertRow(pixel, pixel, 1);
    EXPECT_NEAR(pixel[1], 188, 1);
}

}  // namespace
