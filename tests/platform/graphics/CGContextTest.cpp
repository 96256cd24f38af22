#include "platform/graphics/CGContext.h"

#include <gtest/gtest.h>

#include <numbers>

#include "platform/graphics/CGImageMask.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kClear = 0x00000000u;

// A transparent, y-up bitmap context.
CGContextRef canvas(int width, int height) {
    return CGContext::createBitmap(width, height, CGPixelFormat::ARGB32Premultiplied);
}

// The pixel at (x, y) of a y-up bitmap context's device space (y counted from the bottom).
std::uint32_t at(CGContext& context, int x, int y) {
    const CGImageRef image = context.makeImage();
    return pixel(*image, x, image->height() - 1 - y);
}

}  // namespace

TEST(CGContextTest, BitmapContextsAreYUpAndShareTheirBitmapUntilDrawnAgain) {
    const CGContextRef context = canvas(40, 20);
    ASSERT_TRUE(context);
    EXPECT_EQ(context->getCTM(), CGAffineTransform::identity());
    context->setFillColor(UIColor::redColor());
    context->fillRect(CGRect(0, 0, 10, 5));
    const CGImageRef first = context->makeImage();
    // The rectangle at the origin is at the bottom-left: the last rows of the bitmap.
    EXPECT_EQ(pixel(*first, 2, 19), kRed);
    EXPECT_EQ(pixel(*first, 2, 0), kClear);

    context->setFillColor(UIColor::blueColor());
    context->fillRect(CGRect(0, 0, 40, 20));
    EXPECT_EQ(pixel(*first, 30, 10), kClear);  // the image taken before is unchanged
    EXPECT_EQ(at(*context, 30, 10), kBlue);

    EXPECT_FALSE(CGContext::createBitmap(0, 10, CGPixelFormat::RGB32));
    EXPECT_FALSE(CGContext::createBitmap(100000, 100000, CGPixelFormat::RGB32));
    const CGContextRef opaque = CGContext::createBitmap(4, 4, CGPixelFormat::RGB32);
    EXPECT_EQ(pixel(*opaque->makeImage(), 1, 1), 0xFF000000u);
}

TEST(CGContextTest, GreyBitmapContextsDrawInGrey) {
    const CGContextRef context = CGContext::createBitmap(10, 10, CGPixelFormat::Grey8);
    ASSERT_TRUE(context);
    context->setFillColor(UIColor::whiteColor());
    context->fillRect(CGRect(0, 0, 5, 10));
    context->setFillColor(UIColor::grayColor());
    context->fillRect(CGRect(5, 0, 5, 10));
    const CGImageRef image = context->makeImage();
    EXPECT_EQ(image->format(), CGPixelFormat::Grey8);
    EXPECT_EQ(image->row(3)[2], 255);
    EXPECT_NEAR(image->row(3)[7], 128, 1);
}

TEST(CGContextTest, PathsFillAndStrokeWithTheirStyle) {
    const CGContextRef context = canvas(60, 60);
    context->setStrokeColor(UIColor::redColor());
    context->setLineWidth(4);
    context->strokeRect(CGRect(10, 10, 40, 40));
    EXPECT_EQ(at(*context, 10, 30), kRed);  // on the edge, 2 px either side
    EXPECT_EQ(at(*context, 11, 30), kRed);
    EXPECT_EQ(at(*context, 13, 30), kClear);
    EXPECT_EQ(at(*context, 30, 30), kClear);

    context->setFillColor(UIColor::blueColor());
    context->fillEllipseInRect(CGRect(20, 20, 20, 20));
    EXPECT_EQ(at(*context, 30, 30), kBlue);
    EXPECT_EQ(at(*context, 21, 21), kClear);  // the corner lies outside the circle

    // A triangle from the path operations, with a curve for its last side.
    context->beginPath();
    context->moveToPoint({0, 0});
    context->addLineToPoint({8, 0});
    context->addQuadCurveToPoint({4, 4}, {0, 8});
    context->closePath();
    EXPECT_FALSE(context->isPathEmpty());
    context->fillPath();
    EXPECT_TRUE(context->isPathEmpty());
    EXPECT_EQ(at(*context, 1, 1), kBlue);
    EXPECT_EQ(at(*context, 7, 7), kClear);

    // Round caps reach past the line's ends, butt caps do not.
    context->setLineCap(CGLineCap::Round);
    context->setLineWidth(6);
    context->strokeLineSegment({40, 5}, {50, 5});
    EXPECT_EQ(at(*context, 38, 5), kRed);
    context->setLineCap(CGLineCap::Butt);
    context->strokeLineSegment({40, 55}, {50, 55});
    EXPECT_EQ(at(*context, 38, 55), kClear);

    // A line that goes nowhere shows its caps: a dot of the line's width when round.
    context->setLineWidth(10);
    context->strokeLineSegment({30, 45}, {30, 45});
    EXPECT_EQ(at(*context, 30, 45), kClear);
    context->setLineCap(CGLineCap::Round);
    context->strokeLineSegment({30, 45}, {30, 45});
    EXPECT_EQ(at(*context, 30, 45), kRed);
    EXPECT_EQ(at(*context, 26, 45), kRed);
    EXPECT_EQ(at(*context, 30, 41), kRed);
    EXPECT_EQ(at(*context, 23, 45), kClear);
    EXPECT_EQ(at(*context, 25, 40), kClear) << "round, not square";
}

TEST(CGContextTest, ArcsTurnThePlatformsWayInYDownSpace) {
    // A y-down context, as an image context has: clockwise runs to decreasing angles,
    // which on screen is anticlockwise.
    for (const bool clockwise : {false, true}) {
        const CGContextRef context = canvas(40, 40);
        context->translateCTM(0, 40);
        context->scaleCTM(1, -1);
        context->setFillColor(UIColor::redColor());
        context->moveToPoint({20, 20});
        context->addArc({20, 20}, 15, 0, std::numbers::pi / 2, clockwise);
        context->closePath();
        context->fillPath();
        const CGImageRef image = context->makeImage();
        // Bitmap rows are screen rows here: row 27 is below the centre.
        const bool bottomRight = pixel(*image, 27, 27) == kRed;
        const bool topRight = pixel(*image, 27, 13) == kRed;
        EXPECT_EQ(bottomRight, !clockwise);
        EXPECT_EQ(topRight, clockwise);
    }
}

TEST(CGContextTest, TransformsAndStateAreSavedAndRestored) {
    const CGContextRef context = canvas(40, 40);
    context->saveGState();
    context->translateCTM(20, 10);
    context->scaleCTM(2, 2);
    EXPECT_EQ(context->getCTM(), (CGAffineTransform{2, 0, 0, 2, 20, 10}));
    context->setFillColor(UIColor::redColor());
    context->fillRect(CGRect(0, 0, 5, 5));  // device (20, 10) to (30, 20)
    context->restoreGState();
    EXPECT_EQ(context->getCTM(), CGAffineTransform::identity());
    EXPECT_EQ(context->fillColor(), UIColor::blackColor());
    EXPECT_EQ(at(*context, 25, 15), kRed);
    EXPECT_EQ(at(*context, 15, 15), kClear);
    context->restoreGState();  // unmatched: harmless

    context->translateCTM(20, 20);
    context->rotateCTM(std::numbers::pi / 2);  // +x now points up the device
    context->setFillColor(UIColor::blueColor());
    context->fillRect(CGRect(0, 0, 10, 2));
    EXPECT_EQ(at(*context, 19, 25), kBlue);
    EXPECT_NE(at(*context, 25, 19), kBlue);
}

TEST(CGContextTest, ClipsNarrowWhatIsDrawn) {
    const CGContextRef context = canvas(40, 40);
    context->clipToRect(CGRect(0, 0, 20, 40));
    context->beginPath();
    context->addPath(CGPath::withRoundedRect(CGRect(0, 0, 40, 40), 10, 10));
    context->clip();
    context->setFillColor(UIColor::redColor());
    context->fillRect(CGRect(0, 0, 40, 40));
    EXPECT_EQ(at(*context, 10, 20), kRed);
    EXPECT_EQ(at(*context, 30, 20), kClear);  // outside the first clip
    EXPECT_EQ(at(*context, 0, 0), kClear);    // cut off by the rounded corner
    EXPECT_EQ(at(*context, 12, 1), kRed);
}

TEST(CGContextTest, GradientsReachTheirEndsAndExtendOnlyWhenAsked) {
    const CGGradientRef gradient =
        CGGradient::createWithColors({UIColor::redColor(), UIColor::blueColor()}, {0, 1});
    ASSERT_TRUE(gradient);
    for (const unsigned options :
         {0u, unsigned{kCGGradientDrawsBeforeStartLocation | kCGGradientDrawsAfterEndLocation}}) {
        const CGContextRef context = canvas(100, 4);
        context->drawLinearGradient(gradient, {10, 0}, {90, 0}, options);
        const bool extends = options != 0;
        EXPECT_TRUE(near(at(*context, 10, 2), kRed, 4));
        EXPECT_TRUE(near(at(*context, 89, 2), kBlue, 4));
        EXPECT_TRUE(near(at(*context, 50, 2), 0xFF808080u & 0xFFFF00FFu, 4));  // half and half
        EXPECT_EQ(at(*context, 3, 2), extends ? kRed : kClear);
        EXPECT_EQ(at(*context, 96, 2), extends ? kBlue : kClear);
    }
    // Several stops, and transparency blended unpremultiplied.
    const CGGradientRef stops =
        CGGradient::createWithColorComponents({1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1, 1}, {0, 0.5, 1});
    const CGContextRef context = canvas(101, 1);
    context->drawLinearGradient(stops, {0, 0}, {100, 0}, 0);
    EXPECT_TRUE(near(at(*context, 50, 0), 0xFF00FF00u, 6));
    EXPECT_TRUE(
        near(at(*context, 25, 0), 0x80404000u, 6));  // red at ½ alpha → green, premultiplied
    EXPECT_FALSE(CGGradient::createWithColorComponents({1, 0, 0}, {}));
}

TEST(CGContextTest, ClearBlendModeAndAlpha) {
    const CGContextRef context = canvas(20, 20);
    context->setFillColor(UIColor::whiteColor());
    context->fillRect(CGRect(0, 0, 20, 20));
    context->setBlendMode(CGBlendMode::Clear);
    context->fillEllipseInRect(CGRect(5, 5, 10, 10));
    EXPECT_EQ(at(*context, 10, 10), kClear);
    EXPECT_EQ(at(*context, 1, 1), 0xFFFFFFFFu);
    context->setBlendMode(CGBlendMode::Normal);
    context->setAlpha(0.5);
    context->setFillColor(UIColor::redColor());
    context->fillRect(CGRect(0, 0, 20, 20));
    EXPECT_TRUE(near(at(*context, 1, 1), 0xFFFF8080u, 2));
    EXPECT_TRUE(near(at(*context, 10, 10), 0x80800000u, 2));

    // An opaque bitmap clears to black.
    const CGContextRef opaque = CGContext::createBitmap(10, 10, CGPixelFormat::RGB32);
    opaque->setFillColor(UIColor::whiteColor());
    opaque->fillRect(CGRect(0, 0, 10, 10));
    opaque->clearRect(CGRect(0, 0, 5, 10));
    EXPECT_EQ(at(*opaque, 2, 5), 0xFF000000u);
    EXPECT_EQ(at(*opaque, 7, 5), 0xFFFFFFFFu);
}

TEST(CGContextTest, MasksKeepWhereDarkAndRemoveWhereLight) {
    // Left half black (keep), right half white (remove); its first row is the top.
    const CGImageRef mask = makeBitmap(
        2, 2, CGPixelFormat::Grey8,
        [](int x, int row) -> std::uint32_t { return x == 0 ? 0 : (row == 0 ? 255 : 128); });
    const CGContextRef context = canvas(40, 40);
    context->setInterpolationQuality(CGInterpolationQuality::None);
    context->clipToMask(CGRect(0, 0, 40, 40), mask);
    context->setFillColor(UIColor::redColor());
    context->fillRect(CGRect(0, 0, 40, 40));
    EXPECT_EQ(at(*context, 5, 30), kRed);
    EXPECT_EQ(at(*context, 35, 30), kClear);                 // white: removed (top half, y up)
    EXPECT_TRUE(near(at(*context, 35, 5), 0x7F7F0000u, 2));  // mid grey: half through

    // The helper for masked pictures applies the same convention as alpha.
    const CGImageRef picture =
        makeBitmap(10, 10, CGPixelFormat::RGB32, [](int, int) -> std::uint32_t { return kRed; });
    const CGImageRef masked = CGImageCreateWithMask(picture, mask);
    ASSERT_TRUE(masked);
    EXPECT_EQ(masked->format(), CGPixelFormat::ARGB32Premultiplied);
    EXPECT_EQ(pixel(*masked, 1, 1), kRed);
    EXPECT_EQ(pixel(*masked, 9, 0), kClear);
    EXPECT_LT(alphaOf(pixel(*masked, 9, 9)), 160);
    EXPECT_GT(alphaOf(pixel(*masked, 9, 9)), 100);
    EXPECT_FALSE(CGImageCreateWithMask(picture, nullptr));
}

TEST(CGContextTest, DrawImagePutsTheFirstRowAtTheTopOfAYUpSpace) {
    // Red first row half, blue second half.
    const CGImageRef image =
        makeBitmap(4, 4, CGPixelFormat::RGB32,
                   [](int, int row) -> std::uint32_t { return row < 2 ? kRed : kBlue; });
    const CGContextRef yUp = canvas(20, 20);
    yUp->drawImage(CGRect(0, 0, 20, 20), image);
    EXPECT_EQ(pixel(*yUp->makeImage(), 10, 2), kRed);  // upright: first row on top

    const CGContextRef yDown = canvas(20, 20);
    yDown->translateCTM(0, 20);
    yDown->scaleCTM(1, -1);
    yDown->drawImage(CGRect(0, 0, 20, 20), image);
    EXPECT_EQ(pixel(*yDown->makeImage(), 10, 2), kBlue);  // upside down, as the platform draws
}

TEST(CGContextTest, ScalingIsSmoothOrNearestAndShrinkingAverages) {
    const CGImageRef twoPixels =
        makeBitmap(2, 1, CGPixelFormat::RGB32,
                   [](int x, int) -> std::uint32_t { return x == 0 ? 0xFF000000u : 0xFFFFFFFFu; });
    for (const auto quality : {CGInterpolationQuality::Default, CGInterpolationQuality::None}) {
        const CGContextRef context = CGContext::createBitmap(100, 1, CGPixelFormat::RGB32);
        context->setInterpolationQuality(quality);
        context->drawImage(CGRect(0, 0, 100, 1), twoPixels);
        const int middle = redOf(at(*context, 49, 0));
        if (quality == CGInterpolationQuality::None) {
            EXPECT_EQ(middle, 0);
        } else {
            EXPECT_GT(middle, 64);
            EXPECT_LT(middle, 192);
        }
    }

    // Fine stripes, one pixel each: shrunk tenfold they must average to grey.
    const CGImageRef stripes = makeBitmap(
        400, 400, CGPixelFormat::RGB32,
        [](int x, int) -> std::uint32_t { return x % 2 == 0 ? 0xFF000000u : 0xFFFFFFFFu; });
    const CGContextRef context = CGContext::createBitmap(40, 40, CGPixelFormat::RGB32);
    context->drawImage(CGRect(0, 0, 40, 40), stripes);
    for (int x = 0; x < 40; x += 7) {
        EXPECT_NEAR(redOf(at(*context, x, 20)), 128, 12) << x;
    }
}
