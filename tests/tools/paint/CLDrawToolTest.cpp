#include <QtTest/QTest>

#include "core/ZOZuzazOzarozTheme.h"
#include "tests/tools/paint/PaintToolFixture.h"
#include "tools/paint/CLDrawTool.h"

namespace {

bool sameColor(const UIColor& a, const UIColor& b, double tolerance = 1e-9) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance && a.alpha() == b.alpha();
}

UIColor colorOfPixel(std::uint32_t pixel) {
    return UIColor::colorWithRed((pixel >> 16 & 0xFF) / 255.0, (pixel >> 8 & 0xFF) / 255.0,
                                 (pixel & 0xFF) / 255.0, (pixel >> 24) / 255.0);
}

using CLDrawToolTest = PaintToolTest;

}  // namespace

TEST(CLDrawToolBars, ColourAndWidthForTheirValues) {
    EXPECT_TRUE(sameColor(CLDrawTool::colorForValue(0), UIColor::blackColor()));
    EXPECT_TRUE(sameColor(CLDrawTool::colorForValue(0.15), UIColor::colorWithWhite(0.5)));
    EXPECT_TRUE(sameColor(CLDrawTool::colorForValue(0.3), UIColor::whiteColor()));
    EXPECT_TRUE(sameColor(CLDrawTool::colorForValue(0.33), UIColor::whiteColor()));
    EXPECT_TRUE(sameColor(CLDrawTool::colorForValue(1.0 / 3), UIColor::redColor()));
    EXPECT_TRUE(sameColor(CLDrawTool::colorForValue(1), UIColor::blueColor()));

    EXPECT_EQ(CLPaintPanel::lineWidthForValue(0), 1.0f);
    EXPECT_EQ(CLPaintPanel::lineWidthForValue(0.1), 6.5f);
    EXPECT_EQ(CLPaintPanel::lineWidthForValue(1), 65.0f);
}

TEST(CLDrawToolBars, ThePickedHueIsTheHueTheColourBarShowsThere) {
    const CGSize size{300, 34};
    const UIImagePtr track = CLDrawTool::colorSliderBackground(size);
    ASSERT_NE(track, nullptr);
    const int y = static_cast<int>(size.height / 2 - 2.5);
    for (const double value : {0.4, 0.5, 0.6, 0.75, 0.9, 0.98}) {
        const int x = static_cast<int>(5 + value * (size.width - 10));
        EXPECT_TRUE(sameColor(colorOfPixel(pixelAt(track, x, y)), CLDrawTool::colorForValue(value),
                              4.0 / 255))
            << "at " << value;
    }
}

TEST_F(CLDrawToolTest, ATapPaintsOneDotOfTheCurrentWidth) {
    const auto tool = open<CLDrawTool>(rampPicture(400, 300));
    ASSERT_NE(tool, nullptr);
    const UIImageViewPtr& drawing = tool->drawingView();
    slide(*tool->colorSlider(), 1.0 / 3);
    click(inWindow(*drawing, {100, 100}));
    const UIImagePtr overlay = drawing->image();
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->scale(), kScreenScale);
    EXPECT_EQ(pixelAt(overlay, 200, 200), 0xFFFF0000u) << "red at the tap";
    EXPECT_NEAR(coveredRun(overlay, 200, 200), 13, 1) << "6.5 points across";
    EXPECT_EQ(alpha(pixelAt(overlay, 200, 220)), 0u) << "and no more";

    slide(*tool->menuView()->widthSlider(), 0);
    click(inWindow(*drawing, {150, 100}));
    EXPECT_NEAR(coveredRun(drawing->image(), 300, 200), 2, 1) << "1 point across";
    EXPECT_EQ(tool->menuView()->strokePreview()->transform().a, 0.05);
    EXPECT_EQ(tool->menuView()->strokePreview()->layer().borderWidth(), 2 / 0.05);
}

TEST_F(CLDrawToolTest, TheEraserIgnoresTheColourBarAndClearsOnlyTheOverlay) {
    const auto tool = open<CLDrawTool>(rampPicture(400, 300));
    const UIImageViewPtr& drawing = tool->drawingView();
    const auto& panel = tool->menuView();
    click(inWindow(*drawing, {120, 80}));
    ASSERT_EQ(alpha(pixelAt(drawing->image(), 240, 160)), 255u);

    click(centreOf(*panel->strokePreviewBackground()));
    ASSERT_TRUE(panel->isErasing());
    const UIColor eraserColor = ZOZuzazOzarozTheme::theme().toolbarTextColor();
    slide(*tool->colorSlider(), 0.8);
    EXPECT_EQ(panel->strokePreview()->backgroundColor(), eraserColor) << "the bar is ignored";
    // Over nothing painted the eraser changes nothing; over the dot it clears it.
    click(inWindow(*drawing, {20, 20}));
    click(inWindow(*drawing, {120, 80}));
    EXPECT_EQ(coveredRun(drawing->image(), 240, 160), 0);
    EXPECT_EQ(editor->imageView()->image(), editor->originalImage())
        << "the picture is never painted on";

    click(centreOf(*panel->strokePreviewBackground()));
    EXPECT_FALSE(panel->isErasing());
    EXPECT_EQ(panel->strokePreview()->backgroundColor(), CLDrawTool::colorForValue(0.8));
    EXPECT_EQ(panel->strokePreviewBackground()->backgroundColor(), CLDrawTool::colorForValue(0.8));
}

TEST_F(CLDrawToolTest, OneFingerPaintsWithoutPanningAndTwoFingersPanAndZoom) {
    const auto tool = open<CLDrawTool>(rampPicture(400, 300));
    const UIScrollViewPtr viewport = editor->scrollView();
    pinch(centreOf(*tool->drawingView()), 5);
    ASSERT_GT(viewport->zoomScale(), 1.2) << "two fingers zoom";
    const CGPoint offset = viewport->contentOffset();

    const CGPoint from = inWindow(*tool->drawingView(), {150, 120});
    const CGPoint to = inWindow(*tool->drawingView(), {250, 120});
    drag(from, to);
    settle();
    EXPECT_EQ(viewport->contentOffset(), offset) << "one finger does not pan";
    const UIImagePtr painted = tool->drawingView()->image();
    for (const double x : {152.0, 200.0, 248.0}) {
        EXPECT_EQ(alpha(pixelAt(painted, static_cast<int>(2 * x), 240)), 255u)
            << "painted from where the finger touched down, at " << x;
    }

    const std::unique_ptr<QPointingDevice> fingers(QTest::createTouchDevice());
    NativeWindow* native = window->nativeWindow();
    const auto at = [](CGPoint p, double dx) { return QPoint(int(p.x + dx), int(p.y)); };
    QTest::touchEvent(native, fingers.get()).press(0, at(from, 0)).press(1, at(from, 40));
    for (int step = 1; step <= 6; ++step) {
        QTest::touchEvent(native, fingers.get())
            .move(0, at(from, -10 * step))
            .move(1, at(from, 40 - 10 * step));
    }
    QTest::touchEvent(native, fingers.get()).release(0, at(from, -60)).release(1, at(from, -20));
    settle();
    EXPECT_GT(viewport->contentOffset().x, offset.x + 20) << "two fingers pan";
    EXPECT_EQ(tool->drawingView()->image(), painted) << "and paint nothing";

    clickBack();
    EXPECT_EQ(viewport->panGestureRecognizer()->minimumNumberOfTouches(), 1u);
    EXPECT_TRUE(viewport->delaysContentTouches()) << "the viewport is as it was";
    EXPECT_FALSE(editor->imageView()->isUserInteractionEnabled());
}

TEST(CLDrawToolResult, TheOverlayStretchesOverThePictureAtItsSizeAndScale) {
    const UIImagePtr picture = rampPicture(400, 200, 2);
    CLStrokeCanvas overlay({100, 50}, 1);
    overlay.drawLine({50, 25}, {50, 25}, 10, UIColor::blueColor(), CGBlendMode::Normal);
    const UIImagePtr result = CLDrawTool::buildImage(picture, overlay.image());
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->size(), picture->size());
    EXPECT_EQ(result->scale(), 2);
    EXPECT_EQ(pixelAt(result, 200, 100), 0xFF0000FFu) << "the dot, four times as large";
    EXPECT_EQ(pixelAt(result, 200, 100 + 12), 0xFF0000FFu);
    EXPECT_EQ(pixelAt(result, 200, 100 + 24), pixelAt(picture, 200, 100 + 24));
    EXPECT_EQ(pixelAt(result, 10, 10), pixelAt(picture, 10, 10)) << "the picture elsewhere";
}
