#include <gtest/gtest.h>

#include <thread>

#include "platform/graphics/NSStringDrawing.h"
#include "platform/graphics/UIBezierPath.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIScreen.h"
#include "tests/platform/graphics/GraphicsTestSupport.h"

using namespace graphicstest;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

}  // namespace

TEST(ImageContextTest, ImageContextsAreYDownPointsAtTheirScale) {
    UIGraphicsBeginImageContextWithOptions({10.5, 4}, false, 2);
    const CGContextRef context = UIGraphicsGetCurrentContext();
    ASSERT_TRUE(context);
    EXPECT_EQ(context->width(), 21);
    EXPECT_EQ(context->height(), 8);
    context->setFillColor(UIColor::redColor());
    context->fillRect(CGRect(0, 0, 2, 1));  // top-left, 4 × 2 pixels
    const UIImagePtr image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->scale(), 2);
    EXPECT_EQ(image->imageOrientation(), UIImageOrientation::Up);
    EXPECT_EQ(image->size(), (CGSize{10.5, 4}));
    EXPECT_EQ(image->CGImage()->format(), CGPixelFormat::ARGB32Premultiplied);
    EXPECT_EQ(pixel(*image->CGImage(), 3, 1), kRed);
    EXPECT_EQ(pixel(*image->CGImage(), 4, 1), 0u);
    EXPECT_EQ(pixel(*image->CGImage(), 3, 2), 0u);
    EXPECT_FALSE(UIGraphicsGetCurrentContext());

    // Opaque contexts start black; scale 0 is the screen's.
    UIScreen::setScale(3);
    UIGraphicsBeginImageContextWithOptions({2, 2}, true, 0);
    const UIImagePtr opaque = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    UIScreen::setScale(1);
    EXPECT_EQ(opaque->scale(), 3);
    EXPECT_EQ(opaque->CGImage()->width(), 6);
    EXPECT_EQ(opaque->CGImage()->format(), CGPixelFormat::RGB32);
    EXPECT_EQ(pixel(*opaque->CGImage(), 2, 2), 0xFF000000u);
}

TEST(ImageContextTest, ContextsNestAndEmptySizesGiveNoContext) {
    UIGraphicsBeginImageContext({10, 10});
    UIColor::redColor().setFill();
    UIGraphicsGetCurrentContext()->fillRect(CGRect(0, 0, 10, 10));
    {
        UIGraphicsBeginImageContext({0, 5});
        EXPECT_FALSE(UIGraphicsGetCurrentContext());
        EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
        UIGraphicsEndImageContext();
    }
    UIGraphicsBeginImageContext({4, 4});
    UIColor::blueColor().setFill();
    UIBezierPath::bezierPathWithRect(CGRect(0, 0, 4, 4)).fill();
    const UIImagePtr inner = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    const UIImagePtr outer = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    UIGraphicsEndImageContext();  // nothing left to end
    EXPECT_EQ(pixel(*inner->CGImage(), 2, 2), kBlue);

    // Any context can be made current; it is not an image context.
    const CGContextRef bitmap = CGContext::createBitmap(4, 4, CGPixelFormat::RGB32);
    UIGraphicsPushContext(bitmap);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), bitmap);
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();  // not an image context: stays
    EXPECT_EQ(UIGraphicsGetCurrentContext(), bitmap);
    UIGraphicsPopContext();
    EXPECT_FALSE(UIGraphicsGetCurrentContext());
    EXPECT_EQ(outer->CGImage()->width(), 10);
    EXPECT_EQ(pixel(*outer->CGImage(), 5, 5), kRed);
}

TEST(ImageContextTest, ContextsOfDifferentThreadsAreIndependent) {
    const auto render = [](UIColor color, std::uint32_t expected, int* failures) {
        for (int i = 0; i < 40; ++i) {
            const UIImagePtr image = renderImage({32, 32}, false, 1, [&](CGContext& context) {
                color.setFill();
                UIBezierPath::bezierPathWithOvalInRect(CGRect(0, 0, 32, 32)).fill();
                NSStringAttributes attributes;
                attributes.color = UIColor::whiteColor();
                NSStringDrawing::drawAtPoint(context, "Ab", {0, 22}, attributes);
            });
            if (!image || pixel(*image->CGImage(), 16, 16) != expected ||
                pixel(*image->CGImage(), 0, 0) != 0u) {
                ++*failures;
            }
        }
    };
    int redFailures = 0;
    int blueFailures = 0;
    std::thread red(render, UIColor::redColor(), kRed, &redFailures);
    std::thread blue(render, UIColor::blueColor(), kBlue, &blueFailures);
    red.join();
    blue.join();
    EXPECT_EQ(redFailures, 0);
    EXPECT_EQ(blueFailures, 0);
}

TEST(ImageContextTest, DrawInRectWithBlendModeAndAlpha) {
    const UIImagePtr red = UIImage::imageWithCGImage(
        makeBitmap(2, 2, CGPixelFormat::RGB32, [](int, int) -> std::uint32_t { return kRed; }));
    const UIImagePtr image = renderImage({10, 10}, false, 1, [&](CGContext& context) {
        context.setFillColor(UIColor::whiteColor());
        context.fillRect(CGRect(0, 0, 10, 10));
        red->drawInRect(CGRect(0, 0, 5, 10), CGBlendMode::Normal, 0.5);
        red->drawInRect(CGRect(5, 0, 5, 5), CGBlendMode::Clear, 1.0);
        red->drawAtPoint({8, 8});
    });
    EXPECT_TRUE(near(pixel(*image->CGImage(), 2, 5), 0xFFFF8080u, 2));
    EXPECT_EQ(pixel(*image->CGImage(), 7, 2), 0u);
    // Drawn at full alpha: the blend mode and alpha were only for the earlier drawings.
    EXPECT_EQ(pixel(*image->CGImage(), 9, 9), kRed);
    EXPECT_EQ(pixel(*image->CGImage(), 7, 7), kWhite);
}

TEST(ImageContextTest, PatternColoursTileFromTheContextsOrigin) {
    // A 4 × 4 pixel tile at scale 2: 2 × 2 points, one tile pixel per context pixel.
    const UIColor pattern =
        UIColor::colorWithPatternImage(UIImage::imageWithCGImage(quadrants(4, 4), 2));
    const UIImagePtr image = renderImage({8, 8}, false, 2, [&](CGContext& context) {
        context.translateCTM(1, 0);  // tiles stay put when the CTM moves
        context.setFillColor(pattern);
        context.fillRect(CGRect(-1, 0, 8, 8));
    });
    const CGImage& bitmap = *image->CGImage();
    EXPECT_EQ(pixel(bitmap, 1, 1), kRed);
    EXPECT_EQ(pixel(bitmap, 2, 1), kGreen);
    EXPECT_EQ(pixel(bitmap, 1, 2), kBlue);
    EXPECT_EQ(pixel(bitmap, 5, 1), kRed);  // the next tile
    EXPECT_EQ(pixel(bitmap, 7, 7), kWhite);

    // Through a mask, the tiles stay where they are.
    const CGImageRef black =
        makeBitmap(1, 1, CGPixelFormat::Grey8, [](int, int) -> std::uint32_t { return 0; });
    const UIImagePtr masked = renderImage({8, 8}, false, 2, [&](CGContext& context) {
        context.clipToMask(CGRect(3, 3, 4, 4), black);
        context.setFillColor(pattern);
        context.fillRect(CGRect(0, 0, 8, 8));
    });
    for (int row = 6; row < 14; ++row) {
        for (int x = 6; x < 14; ++x) {
            EXPECT_EQ(pixel(*masked->CGImage(), x, row), pixel(bitmap, x, row)) << x << "," << row;
        }
    }
    EXPECT_EQ(pixel(*masked->CGImage(), 2, 2), 0u);
}
