#include <QtGui/QInputMethodEvent>
#include <cmath>
#include <numbers>

#include "tests/tools/overlay/text/TextToolTestSupport.h"

namespace {

using CLTextToolWindowTest = TextToolTest;

// The working view is 320 points wide over a 1200-pixel picture: s = 3.75.
constexpr double kS = 1200.0 / 320;

TEST_F(CLTextToolWindowTest, AHelloBoxTypedAndTurnedIsDrawnIntoTheFullSizePicture) {
    const auto tool = open(plainPicture(1200, 1200));
    const auto box = addBox(tool);
    typeKeys("Hello");
    ASSERT_EQ(box->text(), "Hello");
    click(centreOf(*tool->settingView()->subviews().back()));
    settle();
    drag(centreOf(*box->label()), {centreOf(*box->label()).x, centreOf(*box->label()).y + 100});
    settle();
    const double turn = std::numbers::pi / 6;
    dragHandle(box, turn, 1);
    ASSERT_NEAR(box->arg(), turn, 0.04);
    const CGPoint centre = box->center();

    clickOk();
    ASSERT_EQ(editor->currentTool(), nullptr);
    const UIImagePtr result = editor->originalImage();
    ASSERT_EQ(result->size(), (CGSize{1200, 1200}));
    EXPECT_EQ(result->scale(), 1);
    const Ink ink = Ink::of(result);
    ASSERT_GT(ink.count, 1000);
    EXPECT_NEAR(ink.centreX, centre.x * kS, 15);
    EXPECT_NEAR(ink.centreY, centre.y * kS, 15);
    EXPECT_NEAR(ink.axis, turn, 0.05) << "the word lies along the turned box";
    EXPECT_LT(ink.width(), box->frame().width() * kS) << "no frame, handle or button";
}

TEST_F(CLTextToolWindowTest, ArabicAndAnEmojiTypedThroughTheInputMethodAreDrawnIntoThePicture) {
    const auto tool = open(plainPicture(1200, 1200));
    const auto box = addBox(tool);
    commitText(QString::fromUtf8("مرحبا 😀"));
    ASSERT_EQ(box->text(), "مرحبا 😀");
    EXPECT_EQ(tool->settingView()->selectedText(), box->text());
    const CGPoint centre = box->center();

    clickOk();
    const UIImagePtr result = editor->originalImage();
    const Ink ink = Ink::of(result, isInk);
    ASSERT_GT(ink.count, 1000);
    EXPECT_GT(Ink::of(result, isYellowish).count, 1000) << "the face in colour";
    EXPECT_NEAR((ink.minX + ink.maxX) / 2, centre.x * kS, 20) << "centred in its box";
    EXPECT_NEAR(ink.width(), box->label()->bounds().width() * box->scale() * kS, 60)
        << "its letters' bearings aside";
}

}  // namespace
