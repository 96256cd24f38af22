#include <gtest/gtest.h>

#include "imaging/operations/UIImageUtility.h"
#include "tests/imaging/TestPictures.h"

namespace {

using namespace testpictures;

// Each pixel names its own position: red = x, green = y.
UIImagePtr coordinatePicture(int width, int height, double scale = 1.0,
                             UIImageOrientation orientation = UIImageOrientation::Up) {
    return makePicture(
        width, height,
        [](int x, int y) { return 0xFF000000u | std::uint32_t(x) << 16 | std::uint32_t(y) << 8; },
        scale, orientation);
}

TEST(UIImageUtilityTest, ResizeTruncatesTheTargetAndStandsThePictureUpright) {
    const UIImagePtr picture = makePhoto(200, 100);
    const UIImagePtr resized = UIImageUtility::resize(picture, {99.9, 50.5});
    ASSERT_TRUE(resized);
    EXPECT_EQ(resized->CGImage()->width(), 99);
    EXPECT_EQ(resized->CGImage()->height(), 50);
    EXPECT_EQ(resized->scale(), 1.0);
    EXPECT_EQ(resized->imageOrientation(), UIImageOrientation::Up);

    // Stored 60 × 40, shown turned right (clockwise): 40 × 60 upright.
    const UIImagePtr turned = coordinatePicture(60, 40, 1.0, UIImageOrientation::Right);
    const UIImagePtr upright = UIImageUtility::resize(turned, turned->size());
    ASSERT_TRUE(upright);
    EXPECT_EQ(upright->size(), (CGSize{40, 60}));
    EXPECT_EQ(upright->imageOrientation(), UIImageOrientation::Up);
    // The stored top-left pixel is at the upright top-right; stored top-right at bottom-right.
    EXPECT_EQ(pixelAt(upright, 39, 0), pixelAt(*turned->CGImage(), 0, 0));
    EXPECT_EQ(pixelAt(upright, 39, 59), pixelAt(*turned->CGImage(), 59, 0));
    EXPECT_EQ(pixelAt(upright, 0, 0), pixelAt(*turned->CGImage(), 0, 39));

    EXPECT_FALSE(UIImageUtility::resize(picture, {0.5, 10}));
    EXPECT_FALSE(UIImageUtility::resize(nullptr, {10, 10}));
}

TEST(UIImageUtilityTest, EveryOrientationMatchesItsTurnOfTheBitmap) {
    const auto stored = coordinatePicture(5, 3);
    struct Case {
        UIImageOrientation orientation;
        int x, y;  // where the stored pixel (1, 0) ends up in the 5 × 3 or 3 × 5 result
    };
    for (const Case& c :
         {Case{UIImageOrientation::Up, 1, 0}, Case{UIImageOrientation::Down, 3, 2},
          Case{UIImageOrientation::Left, 0, 3}, Case{UIImageOrientation::Right, 2, 1},
          Case{UIImageOrientation::UpMirrored, 3, 0}, Case{UIImageOrientation::DownMirrored, 1, 2},
          Case{UIImageOrientation::LeftMirrored, 0, 1},
          Case{UIImageOrientation::RightMirrored, 2, 3}}) {
        const auto picture = UIImage::imageWithCGImage(stored->CGImage(), 1.0, c.orientation);
        const auto upright = UIImageUtility::decode(picture);
        ASSERT_TRUE(upright);
        EXPECT_EQ(upright->size(), picture->size());
        EXPECT_EQ(pixelAt(upright, c.x, c.y), pixelAt(stored, 1, 0))
            << static_cast<int>(c.orientation);
    }
}

TEST(UIImageUtilityTest, ShrinkingAveragesEveryPixelItCovers) {
    // Fine black and white stripes shrink to an even grey, not to aliased stripes.
    const auto stripes =
        makePicture(400, 300, [](int x, int) { return x % 2 == 0 ? 0xFFFFFFFFu : 0xFF000000u; });
    // Ten columns to a pixel: five white, five black.
    const auto even = UIImageUtility::resize(stripes, {40, 30});
    ASSERT_TRUE(even);
    for (int x = 0; x < 40; ++x) {
        EXPECT_NEAR(channel(pixelAt(even, x, 7), 0), 128, 1);
    }
    // 10.8 columns to a pixel: at most about half a stripe more of one colour.
    const auto thumbnail = UIImageUtility::resize(stripes, {37, 23});
    ASSERT_TRUE(thumbnail);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            const std::uint32_t p = pixelAt(thumbnail, x, y);
            EXPECT_NEAR(channel(p, 0), 128, 13);
            EXPECT_EQ(channel(p, 3), 255);
        }
    }
    // Exactly half: each pixel the rounded mean of its 2 × 2 block, upside down too.
    for (const auto orientation : {UIImageOrientation::Up, UIImageOrientation::DownMirrored}) {
        const auto half = UIImageUtility::resize(coordinatePicture(8, 6, 1.0, orientation), {4, 3});
        ASSERT_TRUE(half);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4; ++x) {
                const int storedY = orientation == UIImageOrientation::Up ? 2 * y + 1 : 5 - 2 * y;
                EXPECT_EQ(pixelAt(half, x, y), 0xFF000000u | std::uint32_t(2 * x + 1) << 16 |
                                                   std::uint32_t(storedY) << 8);
            }
        }
    }
    // Same size is an exact copy.
    const auto photo = makePhoto(33, 17);
    EXPECT_TRUE(samePixels(*UIImageUtility::resize(photo, {33, 17})->CGImage(), *photo->CGImage()));
}

TEST(UIImageUtilityTest, AspectFitAndFillFollowTheirSizes) {
    const auto wide = coordinatePicture(400, 200);
    const auto fitted = UIImageUtility::aspectFit(wide, {100, 100});
    ASSERT_TRUE(fitted);
    EXPECT_EQ(fitted->size(), (CGSize{100, 50}));

    // Ratio 0.5: drawn 200 × 100 at (-50, 0), so output x shows source x 2·(x + 50).
    const auto filled = UIImageUtility::aspectFill(wide, {100, 100});
    ASSERT_TRUE(filled);
    EXPECT_EQ(filled->size(), (CGSize{100, 100}));
    EXPECT_EQ(filled->scale(), 1.0);
    EXPECT_NEAR(channel(pixelAt(filled, 0, 0), 2), 100, 1);
    EXPECT_NEAR(channel(pixelAt(filled, 10, 50), 2), 120, 1);
    // Offset 10 moves the drawing to (-60, 0).
    const auto shifted = UIImageUtility::aspectFillOffset(wide, {100, 100}, 10);
    ASSERT_TRUE(shifted);
    EXPECT_NEAR(channel(pixelAt(shifted, 0, 0), 2), 120, 1);
    EXPECT_NEAR(channel(pixelAt(shifted, 10, 50), 2), 140, 1);
    // Rows keep their order: source row 2·y at output row y.
    EXPECT_NEAR(channel(pixelAt(filled, 0, 30), 1), 60, 1);
}

TEST(UIImageUtilityTest, CropDecodeAndCopyKeepTheScale) {
    const auto picture = coordinatePicture(80, 60, 2.0);
    const auto cropped = UIImageUtility::crop(picture, CGRect(10, 5, 20, 10));
    ASSERT_TRUE(cropped);
    EXPECT_EQ(cropped->scale(), 2.0);
    EXPECT_EQ(cropped->size(), (CGSize{20, 10}));
    EXPECT_EQ(pixelAt(cropped, 0, 0), pixelAt(picture, 20, 10));
    EXPECT_EQ(pixelAt(cropped, 39, 19), pixelAt(picture, 59, 29));
    // Beyond the picture the crop is transparent.
    const auto overhang = UIImageUtility::crop(picture, CGRect(30, 20, 20, 20));
    ASSERT_TRUE(overhang);
    EXPECT_EQ(pixelAt(overhang, 0, 0), pixelAt(picture, 60, 40));
    EXPECT_EQ(pixelAt(overhang, 39, 39), 0u);

    const auto copy = UIImageUtility::deepCopy(picture);
    ASSERT_TRUE(copy);
    EXPECT_NE(copy, picture);
    EXPECT_EQ(copy->scale(), 2.0);
    EXPECT_TRUE(samePixels(*copy->CGImage(), *picture->CGImage()));
    EXPECT_FALSE(UIImageUtility::decode(nullptr));
    EXPECT_FALSE(UIImageUtility::fastImageWithContentsOfFile("/no/such/file.png"));
    EXPECT_FALSE(UIImageUtility::fastImageWithData({1, 2, 3}));
}

TEST(UIImageUtilityTest, GreyScaleIsGreyAtThePointSize) {
    const auto picture = makePicture(
        30, 20, [](int x, int) { return x < 15 ? 0xFFFF0000u : 0xFF0000FFu; }, 2.0);
    const auto grey = UIImageUtility::grayScaleImage(picture);
    ASSERT_TRUE(grey);
    EXPECT_EQ(grey->CGImage()->format(), CGPixelFormat::Grey8);
    EXPECT_EQ(grey->CGImage()->width(), 15);
    EXPECT_EQ(grey->CGImage()->height(), 10);
    EXPECT_NEAR(grey->CGImage()->row(5)[2], 76, 1);   // red
    EXPECT_NEAR(grey->CGImage()->row(5)[12], 29, 1);  // blue
}

TEST(UIImageUtilityTest, DarkMaskPixelsKeepThePictureAndLightOnesRemoveIt) {
    const auto picture = makePhoto(40, 40);
    // A 4 × 4 mask, stretched: left half black (keep), right half white (remove).
    const auto mask =
        makePicture(4, 4, [](int x, int) { return x < 2 ? 0xFF000000u : 0xFFFFFFFFu; });
    const auto masked = UIImageUtility::maskedImage(picture, mask);
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->size(), picture->size());
    EXPECT_EQ(pixelAt(masked, 5, 5), pixelAt(picture, 5, 5));
    EXPECT_EQ(pixelAt(masked, 35, 5), 0u);
}

TEST(UIImageUtilityTest, GaussBlurBlursAndClampsItsLevel) {
    // A white square on black; the JPEG round trip needs the platform's codec.
    const auto square = makePicture(300, 300, [](int x, int y) {
        return (x >= 100 && x < 200 && y >= 100 && y < 200) ? 0xFFFFFFFFu : 0xFF000000u;
    });
    const auto blurred = UIImageUtility::gaussBlur(square, 0.5);
    ASSERT_TRUE(blurred);
    EXPECT_EQ(blurred->CGImage()->format(), CGPixelFormat::RGB32);
    EXPECT_EQ(blurred->size(), (CGSize{300, 300}));
    const int edge = channel(pixelAt(blurred, 100, 150), 0);
    EXPECT_GT(edge, 60);  // the edge is soft
    EXPECT_LT(edge, 200);
    EXPECT_GT(channel(pixelAt(blurred, 150, 150), 0), 245);
    EXPECT_LT(channel(pixelAt(blurred, 80, 150), 0), 10);

    const auto none = UIImageUtility::gaussBlur(square, -2);
    ASSERT_TRUE(none);
    EXPECT_LT(channel(pixelAt(none, 99, 150), 0), 20);  // unblurred but for the JPEG
    const auto most = UIImageUtility::gaussBlur(square, 5);
    const auto one = UIImageUtility::gaussBlur(square, 1);
    ASSERT_TRUE(most && one);
    EXPECT_TRUE(samePixels(*most->CGImage(), *one->CGImage()));
    EXPECT_FALSE(UIImageUtility::gaussBlur(nullptr, 0.5));
}

}  // namespace
