#include <gtest/gtest.h>

#include "platform/graphics/CGImage.h"
#include "tools/geometry/CLClippingPanel.h"
#include "tools/geometry/CLClippingTool.h"

namespace {

constexpr CGSize kPanel{300, 200};
const CGRect kWhole{{0, 0}, kPanel};

CGRect drag(CLClippingPanel::Corner corner, const CGRect& rect, double ratio, CGPoint to,
            CGPoint moved) {
    return CLClippingPanel::draggedCornerRect(corner, rect, kPanel, ratio, to, moved);
}

}  // namespace

TEST(CLClippingPanel, ARatioFitsCentredAsLargeAsThePanelAllows) {
    EXPECT_EQ(CLClippingPanel::fittedRect(kPanel, 0), kWhole);
    EXPECT_EQ(CLClippingPanel::fittedRect(kPanel, 0.5625), (CGRect{0, 15.625, 300, 168.75}));
    EXPECT_EQ(CLClippingPanel::fittedRect(kPanel, 4.0 / 3), (CGRect{75, 0, 150, 200}));
}

TEST(CLClippingPanel, AFreeCornerStopsAtThePanelAndATenthShortOfTheOppositeCorner) {
    EXPECT_EQ(drag(CLClippingPanel::kTopLeft, kWhole, 0, {-40, -30}, {-40, -30}), kWhole);
    EXPECT_EQ(drag(CLClippingPanel::kTopLeft, kWhole, 0, {400, 300}, {400, 300}),
              (CGRect{270, 180, 30, 20}));
    EXPECT_EQ(drag(CLClippingPanel::kBottomLeft, kWhole, 0, {50, 150}, {50, -50}),
              (CGRect{50, 0, 250, 150}));
    EXPECT_EQ(drag(CLClippingPanel::kTopRight, kWhole, 0, {0, 300}, {-300, 300}),
              (CGRect{0, 180, 30, 20}));
    EXPECT_EQ(drag(static_cast<CLClippingPanel::Corner>(4), kWhole, 0, {0, 0}, {0, 0}), kWhole);
}

TEST(CLClippingPanel, ASquaresCornerFollowsTheDiagonalTheWayTheDragLeans) {
    const CGRect square{50, 20, 100, 100};
    const auto corner = CLClippingPanel::kBottomRight;
    EXPECT_EQ(drag(corner, square, 1, {250, 220}, {100, 100}), (CGRect{50, 20, 180, 180}))
        << "grows as a square until it meets the bottom edge";
    EXPECT_EQ(drag(corner, square, 1, {150, 220}, {0, 100}), square)
        << "straight down: the corner keeps the touch's x";
    EXPECT_EQ(drag(corner, square, 1, {150, 70}, {0, -50}), (CGRect{50, 20, 50, 50}))
        << "straight up: the corner follows the touch's y";

    const CGRect wide{60, 40, 150, 100};
    const CGRect dragged =
        drag(CLClippingPanel::kTopLeft, wide, 100.0 / 150, {-100, -100}, {-160, -140});
    EXPECT_EQ(dragged.maxX(), wide.maxX());
    EXPECT_EQ(dragged.maxY(), wide.maxY());
    EXPECT_NEAR(dragged.height() / dragged.width(), 100.0 / 150, 1e-12);
    EXPECT_GE(std::min(dragged.minX(), dragged.minY()), 0);
    EXPECT_EQ(std::min(dragged.minX(), dragged.minY()), 0) << "stops at the panel's edge";
}

TEST(CLClippingTool, TheCropRectangleScalesFromTheViewToThePicture) {
    auto bitmap = CGImage::create(400, 200, CGPixelFormat::RGB32);
    for (int y = 0; y < 200; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y));
        for (int x = 0; x < 400; ++x) {
            row[x] =
                0xFF000000u | static_cast<std::uint32_t>(x) << 8 | static_cast<std::uint32_t>(y);
        }
    }
    const UIImagePtr cropped =
        CLClippingTool::croppedImage(UIImage::imageWithCGImage(bitmap), {10, 20, 100, 50}, 200);
    ASSERT_NE(cropped, nullptr);
    EXPECT_EQ(cropped->CGImage()->width(), 200);
    EXPECT_EQ(cropped->CGImage()->height(), 100);
    const auto* first = reinterpret_cast<const std::uint32_t*>(cropped->CGImage()->row(0));
    EXPECT_EQ(first[0], 0xFF000000u | 20u << 8 | 40u) << "starts at picture point (20, 40)";
}
