#include "imaging/operations/UIImageUtility.h"
#include "tests/tools/paint/PaintToolFixture.h"
#include "tools/paint/CLSplashTool.h"

namespace {

std::uint32_t level(std::uint32_t pixel) {
    return pixel & 0xFF;
}
int maskLevel(const UIImagePtr& mask, int x, int y) {
    return mask->CGImage()->row(y)[x];
}
bool isGrey(std::uint32_t pixel) {
    return alpha(pixel) == 255 && (pixel >> 16 & 0xFF) == level(pixel) &&
           (pixel >> 8 & 0xFF) == level(pixel);
}

// A picture stored on its side: the stored bitmap's left half white, its right half
// black, to be turned a quarter to stand upright.
UIImagePtr turnedHalves(double scale) {
    auto bitmap = CGImage::create(300, 400, CGPixelFormat::RGB32);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 300; ++x) {
            reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y))[x] =
                x < 150 ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    return UIImage::imageWithCGImage(bitmap, scale, UIImageOrientation::Right);
}

using CLSplashToolTest = PaintToolTest;

}  // namespace

TEST_F(CLSplashToolTest, TheFirstStrokeRevealsColourOnlyUnderItAndTheEraserBringsGreyBack) {
    const auto tool = open<CLSplashTool>(rampPicture(400, 300));
    ASSERT_NE(tool, nullptr);
    const UIImageViewPtr& drawing = tool->drawingView();
    const CGSize viewSize = drawing->bounds().size;
    EXPECT_EQ(tool->grayImage()->CGImage()->width(), static_cast<int>(2 * viewSize.width));
    EXPECT_EQ(drawing->image(), tool->grayImage()) << "all grey before the first stroke";
    EXPECT_EQ(tool->maskImage(), nullptr);

    click(inWindow(*drawing, {100, 100}));
    const UIImagePtr mask = tool->maskImage();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->scale(), kScreenScale);
    EXPECT_EQ(maskLevel(mask, 200, 200), 255) << "white under the tap";
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{200, 220}, std::pair{700, 500}}) {
        EXPECT_EQ(maskLevel(mask, x, y), 0) << "black elsewhere, at " << x << ", " << y;
    }
    // The grey copy has 2 pixels a point, as the mask has.
    EXPECT_EQ(alpha(pixelAt(drawing->image(), 200, 200)), 0u) << "the colour shows through";
    EXPECT_TRUE(isGrey(pixelAt(drawing->image(), 200, 230)));

    click(centreOf(*tool->menuView()->strokePreviewBackground()));
    ASSERT_TRUE(tool->menuView()->isErasing());
    click(inWindow(*drawing, {100, 100}));
    EXPECT_EQ(maskLevel(tool->maskImage(), 200, 200), 0);
    EXPECT_TRUE(isGrey(pixelAt(drawing->image(), 200, 200))) << "grey again";
}

TEST(CLSplashToolResult, FullSizeGreyStandsAsThePictureAndKeepsItsSizeAndScale) {
    const UIImagePtr picture = turnedHalves(2);
    const UIImagePtr upright = UIImageUtility::resize(picture, {400, 300});
    const auto sameSideAsPicture = [&](const UIImagePtr& grey, double fx, double fy) {
        const int w = grey->CGImage()->width();
        const int h = grey->CGImage()->height();
        return level(pixelAt(grey, int(fx * w), int(fy * h))) ==
               level(pixelAt(upright, int(fx * 400), int(fy * 300)));
    };
    const UIImagePtr preview = CLSplashTool::grayPreviewImage(picture, {100, 75});
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->CGImage()->width(), 200);
    const std::pair<double, double> corners[] = {{0.2, 0.2}, {0.8, 0.2}, {0.2, 0.8}, {0.8, 0.8}};
    for (const auto& [fx, fy] : corners) {
        EXPECT_TRUE(sameSideAsPicture(preview, fx, fy)) << "preview at " << fx << ", " << fy;
    }

    const UIImagePtr allGrey = CLSplashTool::buildImage(picture, nullptr);
    ASSERT_NE(allGrey, nullptr);
    EXPECT_EQ(allGrey->size(), picture->size());
    EXPECT_EQ(allGrey->scale(), 2);
    EXPECT_EQ(allGrey->CGImage()->width(), 400) << "at the picture's own resolution";
    for (const auto& [fx, fy] : corners) {
        EXPECT_TRUE(sameSideAsPicture(allGrey, fx, fy)) << "result at " << fx << ", " << fy;
    }
}

TEST(CLSplashToolResult, TheMaskStretchesOverThePicture) {
    const UIImagePtr picture = rampPicture(400, 300);
    CLStrokeCanvas mask({40, 30}, 1, CGPixelFormat::Grey8);
    mask.drawLine({20, 15}, {20, 15}, 10, UIColor::whiteColor(), CGBlendMode::Normal);
    const UIImagePtr result = CLSplashTool::buildImage(picture, mask.image());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(pixelAt(result, 200, 150), pixelAt(picture, 200, 150) | 0xFF000000u) << "colour";
    EXPECT_EQ(pixelAt(result, 200, 150 + 30), pixelAt(picture, 200, 150 + 30) | 0xFF000000u);
    EXPECT_TRUE(isGrey(pixelAt(result, 200, 150 + 70)));
    EXPECT_TRUE(isGrey(pixelAt(result, 10, 10)));
}
