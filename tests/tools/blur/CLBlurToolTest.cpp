#include <cmath>
#include <numbers>

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIImageUtility.h"
#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/blur/CLBlurTool.h"

namespace {

std::uint32_t pixel(const UIImagePtr& image, double fx, double fy) {
    const CGImage& bitmap = *image->CGImage();
    return reinterpret_cast<const std::uint32_t*>(bitmap.row(
        static_cast<int>(fy * (bitmap.height() - 1))))[static_cast<int>(fx * (bitmap.width() - 1))];
}

// A picture of fine stripes, which a blur greys out.
UIImagePtr stripes(int width, int height) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            reinterpret_cast<std::uint32_t*>(bitmap->mutableRow(y))[x] =
                (x / 2) % 2 ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    return UIImage::imageWithCGImage(bitmap);
}

class CLBlurToolTest : public ToolWindowTest {
protected:
    // The zoom a tool locks at is 95 % of the fit, so on this window a 4 : 3 picture's
    // handler view is 320 x 240.
    std::shared_ptr<CLBlurTool> open(const UIImagePtr& picture) {
        openEditor(picture, {320 / 0.95, 568});
        startTool(CLBlurTool::kClassName);
        return std::dynamic_pointer_cast<CLBlurTool>(editor->currentTool());
    }
    void chooseMode(const std::shared_ptr<CLBlurTool>& tool, int mode) {
        click(centreOf(*tool->menuScroll()->subviews()[static_cast<std::size_t>(mode)]));
        settle();
    }
    CGPoint inHandler(const std::shared_ptr<CLBlurTool>& tool, CGPoint at) {
        return tool->handlerView()->convertPointToView(at, window.get());
    }
};

}  // namespace

TEST_F(CLBlurToolTest, TheHandlerViewsNumbersAndLimits) {
    const auto tool = open(stripes(400, 300));
    ASSERT_NEAR(tool->handlerView()->bounds().width(), 320, 1e-9);
    ASSERT_NEAR(tool->handlerView()->bounds().height(), 240, 1e-9);
    EXPECT_EQ(tool->circleView()->frame(), (CGRect{-20, -60, 360, 360}));
    EXPECT_EQ(tool->bandView()->bounds().size, (CGSize{400, 240}));
    EXPECT_EQ(tool->bandView()->center(), (CGPoint{160, 120}));
    EXPECT_EQ(tool->bandImageRect(), (CGRect{-50, 0, 500, 300})) << "in picture pixels";

    chooseMode(tool, CLBlurComposer::kBand);
    click(inHandler(tool, {10, 200}));
    settle();
    EXPECT_NEAR(tool->bandView()->offset(), 80, 1e-9);
    turn(centreOf(*tool->handlerView()), 40);
    EXPECT_NEAR(tool->bandView()->rotation(), std::numbers::pi / 2, 1e-9) << "stops at a quarter";
    click(inHandler(tool, {10, 200}));
    settle();
    EXPECT_NEAR(tool->bandView()->offset(), 150, 1) << "to the click's whole pixel";
    pinch(centreOf(*tool->handlerView()), 40);
    EXPECT_EQ(tool->bandView()->scale(), CLBlurTool::kMaximumBandScale);
    pinch(centreOf(*tool->handlerView()), -40);
    EXPECT_EQ(tool->bandView()->scale(), CLBlurTool::kMinimumBandScale);

    chooseMode(tool, CLBlurComposer::kCircle);
    pinch(centreOf(*tool->handlerView()), 40);
    EXPECT_EQ(tool->circleView()->frame().width(), 960);
    pinch(centreOf(*tool->handlerView()), -30);
    pinch(centreOf(*tool->handlerView()), -30);
    EXPECT_EQ(tool->circleView()->frame().width(), 72);
    EXPECT_EQ(tool->circleView()->center(), (CGPoint{160, 120})) << "keeps its centre";

    chooseMode(tool, CLBlurComposer::kBand);
    EXPECT_EQ(tool->bandView()->scale(), CLBlurTool::kMinimumBandScale) << "kept while away";
}

TEST_F(CLBlurToolTest, NormalModeIgnoresGesturesAndIndicatorsFadeASecondAfterAChange) {
    const auto tool = open(stripes(400, 300));
    const CGPoint centre = tool->circleView()->center();
    click(inHandler(tool, {30, 30}));
    EXPECT_FALSE(CLBlurTool::isComposing());
    settle();
    EXPECT_EQ(tool->circleView()->center(), centre);

    chooseMode(tool, CLBlurComposer::kCircle);
    click(inHandler(tool, {30, 30}));
    EXPECT_EQ(tool->circleView()->presentationAlpha(), 1);
    AnimationClock::shared().advance(CLFadingIndicator::kFadeDelay / 2);
    EXPECT_EQ(tool->circleView()->presentationAlpha(), 1);
    settle();
    EXPECT_EQ(tool->circleView()->presentationAlpha(), 0);
}

TEST_F(CLBlurToolTest, ChangesDuringACompositionWaitAndThePreviewCatchesUp) {
    const auto tool = open(stripes(400, 300));
    chooseMode(tool, CLBlurComposer::kCircle);
    DispatchQueue::global().hold();
    tool->tapHandlerView(*tool->handlerView()->gestureRecognizers()[0]);
    EXPECT_TRUE(CLBlurTool::isComposing());
    tool->circleView()->setCenter({40, 40});
    tool->buildThumbnailImage();
    DispatchQueue::global().release();
    settle();
    const CLBlurComposer now = tool->composer();
    const UIImagePtr expected = now.buildResultImage(
        UIImageUtility::resize(stripes(400, 300), {320, 240}),
        UIImageUtility::gaussBlur(UIImageUtility::resize(stripes(400, 300), {320, 240}),
                                  CLBlurTool::kStartLevel));
    EXPECT_EQ(pixel(editor->imageView()->image(), 0.125, 0.17), pixel(expected, 0.125, 0.17));
}

TEST_F(CLBlurToolTest, ACircleBlurKeepsTheCentreSharpAndBlursTheCorners) {
    const UIImagePtr photo = stripes(1200, 900);
    const auto tool = open(photo);
    chooseMode(tool, CLBlurComposer::kCircle);
    pinch(centreOf(*tool->handlerView()), -6);
    clickOk();
    EXPECT_EQ(editor->currentTool(), nullptr);
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->CGImage()->width(), 1200);
    const UIImagePtr blurred = UIImageUtility::gaussBlur(photo, CLBlurTool::kStartLevel);
    EXPECT_EQ(pixel(result, 0.5, 0.5), pixel(photo, 0.5, 0.5));
    EXPECT_EQ(pixel(result, 0.01, 0.01), pixel(blurred, 0.01, 0.01));
    EXPECT_NE(pixel(result, 0.01, 0.01), pixel(photo, 0.01, 0.01));
}

TEST_F(CLBlurToolTest, NormalModeIsTheBlurAndTheMasksMarkTheSharpZones) {
    const UIImagePtr sharp = stripes(400, 300);
    const UIImagePtr blurred = UIImageUtility::gaussBlur(sharp, 0.2);
    CLBlurComposer composer;
    EXPECT_EQ(composer.buildResultImage(sharp, blurred), blurred);

    composer.bandImageRect = {-50, 0, 500, 300};
    composer.viewWidth = 320;
    composer.originalWidth = 400;
    composer.bandMask = ZOZuzazOzarozTheme::imageNamedImage(CLBlurTool::kClassName, "band.png");
    ASSERT_NE(composer.bandMask, nullptr);
    const UIImagePtr mask = composer.bandMaskFor(sharp);
    const auto level = [&](double fx, double fy) { return pixel(mask, fx, fy) & 0xFF; };
    EXPECT_LT(level(0.5, 0.5), 64u) << "sharp along the middle";
    EXPECT_LT(level(0.02, 0.5), 64u) << "from edge to edge";
    EXPECT_GT(level(0.5, 0.02), 192u) << "blurred above";
    EXPECT_GT(level(0.5, 0.98), 192u) << "and below";

    composer.viewWidth = 320;
    composer.circleFrame = {100, 60, 120, 120};
    composer.circleMask = ZOZuzazOzarozTheme::imageNamedImage(CLBlurTool::kClassName, "circle.png");
    const UIImagePtr circle = composer.circleMaskFor(sharp);
    const auto circleLevel = [&](double fx, double fy) { return pixel(circle, fx, fy) & 0xFF; };
    EXPECT_LT(circleLevel(0.5, 0.5), 64u);
    EXPECT_GT(circleLevel(0.02, 0.02), 192u);
    const auto blurredOut = composer.blurImage(sharp, blurred, circle);
    EXPECT_EQ(pixel(blurredOut, 0.01, 0.01), pixel(blurred, 0.01, 0.01));
    EXPECT_EQ(pixel(blurredOut, 0.5, 0.5), pixel(sharp, 0.5, 0.5));
}
