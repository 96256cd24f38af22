#include <cmath>
#include <numbers>

#include "platform/ui/controls/UIKeyboard.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tests/tools/overlay/text/TextToolTestSupport.h"

namespace {

using CLTextToolTest = TextToolTest;

TEST_F(CLTextToolTest, ANewBoxSitsAtTheTopMiddleAndTypingRefitsIt) {
    const auto tool = open(plainPicture(600, 600));
    ASSERT_EQ(tool->workingView()->bounds().size, (CGSize{320, 320}));
    EXPECT_FALSE(tool->menuItem(CLTextTool::kText)->isUserInteractionEnabled());
    EXPECT_TRUE(tool->settingView()->isHidden());

    const auto box = addBox(tool);
    const CGSize label = box->label()->bounds().size;
    const double width = label.width + 32;
    const double height = label.height + 32;
    EXPECT_NEAR(box->scale(), std::min(256 / width, 64 / height), 1e-9);
    EXPECT_NEAR(box->center().x, 160, 1e-9);
    EXPECT_NEAR(box->center().y, (label.height * box->scale() + 32) / 2 + 10, 1e-9);
    EXPECT_EQ(box->label()->text(), "Text") << "the placeholder";
    EXPECT_EQ(tool->selectedTextView(), box);
    EXPECT_TRUE(tool->menuItem(CLTextTool::kText)->isUserInteractionEnabled());
    EXPECT_FALSE(tool->settingView()->isHidden());
    EXPECT_TRUE(tool->settingView()->isFirstResponder());

    typeKeys("Hello");
    EXPECT_EQ(box->text(), "Hello");
    EXPECT_EQ(box->label()->text(), "Hello");
    const auto fitsTheLimits = [&] {
        const double boxWidth = (box->label()->bounds().width() + 32) * box->scale();
        const double line = box->font().lineHeight() * box->scale();
        EXPECT_LE(boxWidth, 256 + 1e-9);
        EXPECT_LE(line, 64 + 1e-9);
        EXPECT_TRUE(std::abs(boxWidth - 256) < 1e-9 || std::abs(line - 64) < 1e-9)
            << "grows until one limit holds";
    };
    fitsTheLimits();
    typeKeys(" and a much longer text than fits on a line");
    fitsTheLimits();
    QTest::keyClick(window->nativeWindow(), Qt::Key_Return);
    typeKeys("two");
    fitsTheLimits();
}

TEST_F(CLTextToolTest, TheHandleScalesDownToItsFloorAndTurnsTheBoxWithTheFinger) {
    const auto tool = open(plainPicture(600, 600));
    const auto box = addBox(tool);
    const double start = box->scale();
    dragHandle(box, std::numbers::pi / 2, 1);
    // The mouse moves in whole points.
    EXPECT_NEAR(box->arg(), std::numbers::pi / 2, 0.04);
    EXPECT_NEAR(box->scale(), start, 0.03 * start);
    EXPECT_NEAR(box->transform().b, 1, 1e-3) << "the box itself is turned";

    dragHandle(box, 0, 0.3);
    EXPECT_EQ(box->scale(), _CLTextView::kMinimumScale);
    EXPECT_NEAR(box->arg(), std::numbers::pi / 2, 0.1);
    dragHandle(box, 0, 8);
    EXPECT_GT(box->scale(), 1.5) << "no ceiling";
}

TEST_F(CLTextToolTest, ATapActivatesAnInactiveBoxAndOpensTheKeyboardOnTheActiveOne) {
    const auto tool = open(plainPicture(600, 600));
    const auto first = addBox(tool);
    const auto second = addBox(tool);
    drag(centreOf(*second), {centreOf(*second).x, centreOf(*second).y + 150});
    tool->pushedButton();
    settle();
    ASSERT_FALSE(tool->settingView()->isFirstResponder());
    ASSERT_TRUE(second->active());

    click(centreOf(*first->label()));
    EXPECT_TRUE(first->active());
    EXPECT_FALSE(second->active());
    settle();
    EXPECT_EQ(tool->selectedTextView(), first);
    EXPECT_FALSE(tool->settingView()->isFirstResponder());

    click(centreOf(*first->label()));
    settle();
    EXPECT_TRUE(tool->settingView()->isFirstResponder());
    EXPECT_TRUE(UIKeyboard::isVisible(*window));

    // A click on the box's corner, outside its label and decorations, is not the box's.
    click(first->convertPointToView({first->bounds().width() - 2, 2}, window.get()));
    settle();
    EXPECT_TRUE(first->active());
}

TEST_F(CLTextToolTest, DeletingActivatesTheNearestBoxBelowAndTheLastHidesThePanel) {
    const auto tool = open(plainPicture(600, 600));
    const auto bottom = addBox(tool);
    const auto middle = addBox(tool);
    const auto top = addBox(tool);
    click(centreOf(*top->deleteButton()));
    settle();
    EXPECT_EQ(top->superview(), nullptr);
    EXPECT_TRUE(middle->active());
    EXPECT_FALSE(bottom->active());
    EXPECT_EQ(tool->selectedTextView(), middle);

    click(centreOf(*middle->deleteButton()));
    click(centreOf(*bottom->deleteButton()));
    settle();
    EXPECT_TRUE(tool->workingView()->subviews().empty());
    EXPECT_EQ(_CLTextView::activeTextView(), nullptr);
    EXPECT_EQ(tool->selectedTextView(), nullptr);
    EXPECT_TRUE(tool->settingView()->isHidden());
    EXPECT_FALSE(tool->menuItem(CLTextTool::kColor)->isUserInteractionEnabled());
}

TEST_F(CLTextToolTest, ThePanelsChangesReachTheBoxAndTheColourItem) {
    const auto tool = open(plainPicture(600, 600));
    const auto box = addBox(tool);
    const UIColor red = UIColor::colorWithRed(1, 0, 0, 1);
    CLTextSettingView& panel = *tool->settingView();
    tool->textSettingViewDidChangeFillColor(panel, red);
    tool->textSettingViewDidChangeBorderColor(panel, UIColor::blueColor());
    tool->textSettingViewDidChangeBorderWidth(panel, 0.5);
    EXPECT_EQ(box->fillColor(), red);
    EXPECT_EQ(box->label()->outlineColor(), UIColor::blueColor());
    EXPECT_EQ(box->label()->outlineWidth(), 0.5);
    const UIViewPtr swatch = tool->menuItem(CLTextTool::kColor)->iconView();
    EXPECT_EQ(swatch->backgroundColor(), red);
    EXPECT_EQ(swatch->layer().borderColor(), UIColor::blueColor());
    EXPECT_EQ(swatch->layer().borderWidth(), 5);
    tool->textSettingViewDidChangeBorderWidth(panel, 0.1);
    EXPECT_EQ(swatch->layer().borderWidth(), 2);

    tapItem(tool, CLTextTool::kAlignRight);
    EXPECT_EQ(box->textAlignment(), NSTextAlignment::Right);
    EXPECT_TRUE(tool->menuItem(CLTextTool::kAlignRight)->isSelected());
    EXPECT_FALSE(tool->menuItem(CLTextTool::kAlignCenter)->isSelected());
    tapItem(tool, CLTextTool::kFont);
    EXPECT_EQ(panel.scrollView()->contentOffset().x, 2 * panel.bounds().width());

    tool->textSettingViewDidChangeFont(panel, UIFont::fontWithName("DejaVuSans-Bold", 12));
    EXPECT_EQ(box->font(), UIFont::fontWithName("DejaVuSans-Bold", _CLTextView::kFontSize));
}

TEST_F(CLTextToolTest, TheResultHasThePicturesSizeAndScaleAndCutsBoxesAtItsEdge) {
    const auto tool = open(plainPicture(600, 600, 2));
    const auto box = addBox(tool);
    tool->textSettingViewDidChangeText(*tool->settingView(), "■■■");
    box->setCenter({0, 160});
    clickOk();
    const UIImagePtr result = editor->originalImage();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->size(), (CGSize{300, 300}));
    EXPECT_EQ(result->scale(), 2);
    const Ink ink = Ink::of(result);
    EXPECT_GT(ink.count, 0);
    EXPECT_EQ(ink.minX, 0) << "the text runs off the left edge";
    EXPECT_NEAR(ink.centreY, 300, 30) << "two pixels a point, s = 300 / 320 points";
}

TEST_F(CLTextToolTest, APictureShownAtHalfItsSizeGetsTextTwiceAsLarge) {
    const auto tool = open(plainPicture(640, 640));
    const auto box = addBox(tool);
    box->setCenter({160, 160});
    _CLTextView::setActiveTextView(nullptr);
    const Ink onScreen = Ink::of(UIViewRenderer::renderToImage(*tool->workingView(), 1));
    clickOk();
    const Ink inResult = Ink::of(editor->originalImage());
    EXPECT_NEAR(inResult.width() / onScreen.width(), 2, 0.05);
    EXPECT_NEAR(inResult.centreX, 2 * onScreen.centreX, 4);
    EXPECT_NEAR(inResult.centreY, 2 * onScreen.centreY, 4);
}

TEST_F(CLTextToolTest, TheRenderUsesWhatTheBoxesShowedWhenOkWasPressed) {
    const auto tool = open(plainPicture(640, 640));
    const auto box = addBox(tool);
    DispatchQueue::global().hold();
    tool->executeWithCompletionBlock(
        [&](UIImagePtr image, auto, auto) { editor->imageView()->setImage(image); });
    box->setCenter({-1000, -1000});
    box->setText("");
    DispatchQueue::global().release();
    settle();
    EXPECT_NEAR(Ink::of(editor->imageView()->image()).centreX, 320, 8);
}

}  // namespace
