#include "platform/graphics/CGImage.h"
#include "tests/tools/ToolWindowFixture.h"
#include "tools/tonecurve/CLToneCurveTool.h"

namespace {

// The mean of the colour channels over a grid of the picture.
double meanLevel(const UIImagePtr& image) {
    const CGImage& bitmap = *image->CGImage();
    double total = 0;
    int samples = 0;
    for (int gy = 1; gy < 10; ++gy) {
        for (int gx = 1; gx < 10; ++gx) {
            const auto* p = bitmap.row(gy * bitmap.height() / 10) + 4 * (gx * bitmap.width() / 10);
            total += p[0] + p[1] + p[2];
            samples += 3;
        }
    }
    return total / samples;
}

class CLToneCurveToolTest : public ToolWindowTest {
protected:
    std::shared_ptr<CLToneCurveTool> open() {
        openEditor(samplePhoto());
        startTool(CLToneCurveTool::kClassName);
        return std::dynamic_pointer_cast<CLToneCurveTool>(editor->currentTool());
    }
};

}  // namespace

TEST_F(CLToneCurveToolTest, PointsKeepTheirOrderAndLimits) {
    const auto view = open()->tonecurveView();
    view->setControlPointAtIndex({0.9, -1}, 0);
    EXPECT_EQ(view->points()[0], (Vector{0.2, 1})) << "0.05 short of the second, y at the top";
    view->setControlPointAtIndex({0, 2}, 4);
    EXPECT_EQ(view->points()[4], (Vector{0.8, 0})) << "0.05 past the fourth, y at the bottom";
    view->setControlPointAtIndex({0.9, 0.5}, 2);
    EXPECT_EQ(view->points()[2].x(), 0.7);
    view->setControlPointAtIndex({0.1, 0.5}, 2);
    EXPECT_EQ(view->points()[2].x(), 0.3);
    view->setControlPointAtIndex({0.5, 0.5}, 5);
    EXPECT_EQ(view->points()[2].x(), 0.3) << "no sixth point";
}

TEST_F(CLToneCurveToolTest, FoldingDisablesThePointsAndTurnsTheArrow) {
    const auto tool = open();
    click(centreOf(*tool->hideButton()));
    settle();
    EXPECT_FALSE(tool->tonecurveView()->controlPoints()[2]->isUserInteractionEnabled());
    EXPECT_EQ(tool->menuContainer()->frame().minY(),
              editor->view()->bounds().height() - editor->menuView()->bounds().height())
        << "down to the strip's top";
    EXPECT_NEAR(tool->hideButton()->transform().b, 0, 1e-12);
    EXPECT_NEAR(tool->hideButton()->transform().a, -1, 1e-12) << "half a turn";
    click(centreOf(*tool->hideButton()));
    settle();
    EXPECT_TRUE(tool->tonecurveView()->controlPoints()[2]->isUserInteractionEnabled());
    EXPECT_TRUE(tool->hideButton()->transform().isIdentity());
}

TEST_F(CLToneCurveToolTest, ResetOnTheDiagonalStillSpinsAndRenders) {
    const auto tool = open();
    const UIImagePtr thumbnail = editor->imageView()->image();
    click(centreOf(*tool->resetButton()));
    EXPECT_NE(tool->resetButton()->layer().animationForKey("rotationAnimation"), nullptr);
    settle();
    const UIImagePtr preview = editor->imageView()->image();
    EXPECT_NE(preview, thumbnail);
    EXPECT_NEAR(meanLevel(preview), meanLevel(thumbnail), 0.5) << "the identity curve";
}

TEST_F(CLToneCurveToolTest, DraggingTheMiddlePointUpBrightensPreviewAndResult) {
    const UIImagePtr photo = samplePhoto();
    const auto tool = open();
    const UIImagePtr thumbnail = editor->imageView()->image();
    const CGPoint middle = centreOf(*tool->tonecurveView()->controlPoints()[2]);
    drag(middle, {middle.x, middle.y - 60});
    settle();
    EXPECT_GT(tool->tonecurveView()->points()[2].y(), 0.7);
    EXPECT_GT(meanLevel(editor->imageView()->image()), meanLevel(thumbnail) + 10);
    clickOk();
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->CGImage()->width(), photo->CGImage()->width());
    EXPECT_GT(meanLevel(result), meanLevel(photo) + 10);
}
