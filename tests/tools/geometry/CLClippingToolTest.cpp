#include "tests/tools/ToolWindowFixture.h"
#include "tools/geometry/CLClippingTool.h"

namespace {

class CLClippingToolTest : public ToolWindowTest {
protected:
    std::shared_ptr<CLClippingTool> open(
        const std::optional<ValueDictionary>& options = std::nullopt) {
        openEditor(samplePhoto());
        if (options) {
            editor->toolInfo()
                ->subToolInfoWithToolNameRecursive(CLClippingTool::kClassName, false)
                ->setOptionalInfo(options);
        }
        startTool(CLClippingTool::kClassName);
        return std::dynamic_pointer_cast<CLClippingTool>(editor->currentTool());
    }

    static std::vector<std::string> titles(const CLClippingTool& tool) {
        std::vector<std::string> shown;
        for (const UIViewPtr& item : tool.menuScroll()->subviews()) {
            shown.push_back(std::static_pointer_cast<CLRatioMenuItem>(item)->title());
        }
        return shown;
    }

    void clickRatio(const CLClippingTool& tool, std::size_t index) {
        click(centreOf(*tool.ratioItems()[index]));
        settle();
    }

    static CGRect fitted(const CLClippingTool& tool, double ratio) {
        return CLClippingPanel::fittedRect(tool.gridView()->bounds().size, ratio);
    }
};

}  // namespace

TEST_F(CLClippingToolTest, TheDefaultRatiosStartFreeOnTheWholePictureAndFitAnimated) {
    const auto tool = open();
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(titles(*tool),
              (std::vector<std::string>{"Custom", "1 : 1", "4 : 3", "3 : 2", "16 : 9"}));
    EXPECT_TRUE(tool->ratioItems()[0]->isSelected());
    EXPECT_EQ(tool->gridView()->clippingRect(), tool->gridView()->bounds());
    const UIImagePtr& thumbnail = tool->ratioItems()[0]->iconImage();
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(std::min(thumbnail->size().width, thumbnail->size().height), 70);
    EXPECT_EQ(tool->ratioItems()[0]->iconView()->frame().size, (CGSize{50, 31.25}))
        << "the free item shows the 2560 x 1600 photo's shape";

    const CGRect whole = tool->gridView()->clippingRect();
    click(centreOf(*tool->ratioItems()[4]));
    const CGRect target = fitted(*tool, 0.5625);
    EXPECT_EQ(tool->gridView()->clippingRect(), target);
    AnimationClock::shared().advance(CLClippingPanel::kAnimationDuration / 2);
    const CGRect halfway = tool->gridView()
                               ->gridLayer()
                               ->layer()
                               .presentationValueForKey(CLGridLayar::kClippingRectKey)
                               ->rect();
    EXPECT_NEAR(halfway.height(), (whole.height() + target.height()) / 2, 1e-6);
    settle();
    EXPECT_TRUE(tool->ratioItems()[4]->isSelected());
    EXPECT_FALSE(tool->ratioItems()[0]->isSelected());
    const CGRect onScreen = tool->gridView()->convertRectToView(target, window.get());
    EXPECT_EQ(centreOf(*tool->gridView()->handle(CLClippingPanel::kBottomRight)),
              (CGPoint{onScreen.maxX(), onScreen.maxY()}));
}

TEST_F(CLClippingToolTest, TheSwapTurnsEveryRatioAndRefitsOnlyAShapedRectangle) {
    const auto tool = open();
    clickRatio(*tool, 2);
    click(centreOf(*tool->swapButton()));
    settle();
    EXPECT_EQ(titles(*tool),
              (std::vector<std::string>{"Custom", "1 : 1", "3 : 4", "2 : 3", "9 : 16"}));
    EXPECT_EQ(tool->gridView()->clippingRect(), fitted(*tool, 4.0 / 3));

    for (const std::size_t unturnable : {1, 0}) {
        clickRatio(*tool, unturnable);
        const CGRect before = tool->gridView()->clippingRect();
        click(centreOf(*tool->swapButton()));
        settle();
        EXPECT_EQ(tool->gridView()->clippingRect(), before) << titles(*tool)[unturnable];
    }
}

TEST_F(CLClippingToolTest, ASingleRatioWithoutSwapShowsNoStripAndKeepsItsShapeWhenDragged) {
    const auto tool = open(ValueDictionary{
        {"ratios", ValueArray{ValueDictionary{{"value1", 3}, {"value2", 2}}}},
        {"swapButtonHidden", true},
    });
    EXPECT_TRUE(tool->menuScroll()->subviews().empty());
    EXPECT_EQ(tool->swapButton(), nullptr);
    EXPECT_EQ(tool->menuScroll()->bounds().width(), editor->menuView()->bounds().width());
    EXPECT_EQ(tool->gridView()->clippingRect(), fitted(*tool, 2.0 / 3));

    const CGPoint corner = centreOf(*tool->gridView()->handle(CLClippingPanel::kTopLeft));
    drag(corner, {corner.x + 60, corner.y + 20});
    settle();
    const CGRect dragged = tool->gridView()->clippingRect();
    EXPECT_LT(dragged.width(), fitted(*tool, 2.0 / 3).width());
    EXPECT_NEAR(dragged.height() / dragged.width(), 2.0 / 3, 1e-9);
}

TEST_F(CLClippingToolTest, ADragInsideMovesTheRectangleUpToTheEdgeAndOneFromOutsideDoesNothing) {
    const auto tool = open();
    clickRatio(*tool, 4);
    const CGRect fit = tool->gridView()->clippingRect();
    const CGRect inWindow = tool->gridView()->convertRectToView(fit, window.get());
    drag({inWindow.midX(), inWindow.midY()}, {inWindow.midX() + 30, inWindow.midY() + 300});
    settle();
    const CGSize panel = tool->gridView()->bounds().size;
    EXPECT_EQ(tool->gridView()->clippingRect(),
              (CGRect{fit.minX(), panel.height - fit.height(), fit.width(), fit.height()}));

    const CGRect moved = tool->gridView()->clippingRect();
    const CGRect above = tool->gridView()->convertRectToView({0, 0, panel.width, 2}, window.get());
    drag({above.midX(), above.midY()}, {above.midX(), above.midY() - 100});
    settle();
    EXPECT_EQ(tool->gridView()->clippingRect(), moved);
}
