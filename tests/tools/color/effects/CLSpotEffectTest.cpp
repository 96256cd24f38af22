#include <gtest/gtest.h>

#include "imaging/engine/CIRenderLog.h"
#include "imaging/engine/CIVector.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/tools/ToolTestSupport.h"
#include "tests/tools/color/effects/RecordedInputs.h"
#include "tools/color/effects/CLSpotEffect.h"

namespace {

// A spot over a 300 × 200 picture shown at (50, 100) in a window, driven by fingers.
class CLSpotEffectTest : public ::testing::Test, public CLEffectDelegate {
protected:
    void SetUp() override {
        AnimationClock::shared().setManualStepping(true);
        window->addSubview(superview);
        spot = std::make_shared<CLSpotEffect>(superview, CGRect{50, 100, 300, 200}, nullptr);
        spot->setDelegate(std::shared_ptr<CLEffectDelegate>(spot, this));
    }
    void TearDown() override {
        AnimationClock::shared().runToEnd();
        AnimationClock::shared().setManualStepping(false);
    }

    void effectParameterDidChange(CLEffectBase&) override { ++changes; }

    // A point of the picture in the window, as fractions of its width and height.
    static CGPoint onPicture(double x, double y) { return {50 + 300 * x, 100 + 200 * y}; }

    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 400});
    UIViewPtr superview = std::make_shared<UIView>(CGRect{0, 0, 400, 400});
    TouchScript touches{window};
    std::shared_ptr<CLSpotEffect> spot;
    int changes = 0;
};

}  // namespace

TEST_F(CLSpotEffectTest, StartsCentredWithARadiusOfAThirdOfTheShorterSideInPixels) {
    EXPECT_EQ(spot->containerView()->frame(), CGRect(50, 100, 300, 200));
    EXPECT_DOUBLE_EQ(spot->circleView()->frame().width(), 0.72 * 200);
    EXPECT_EQ(spot->circleView()->center(), CGPoint(150, 100));

    // 200 × 150 points at two pixels a point.
    CIRenderLog::startRecording();
    spot->applyEffect(rampPicture(400, 300, 2));
    auto inputs = recordedInputs();
    EXPECT_EQ(inputs["inputCenter"].vectorValue(), CIVector::withX(200, 150));
    EXPECT_FLOAT_EQ(inputs["inputRadius"].doubleValue(), 0.3 * 300);
}

TEST_F(CLSpotEffectTest, TapsAndDragsMoveTheSpotWithinThePictureAndRenderWhenTheyEnd) {
    touches.wait(1).down(1, onPicture(0.25, 0.1)).up(1, onPicture(0.25, 0.1));
    EXPECT_DOUBLE_EQ(spot->X(), 0.25);
    EXPECT_DOUBLE_EQ(spot->Y(), 0.1);
    EXPECT_EQ(changes, 1);
    CIRenderLog::startRecording();
    spot->applyEffect(rampPicture(400, 300));
    EXPECT_EQ(recordedInputs()["inputCenter"].vectorValue(), CIVector::withX(100, 270))
        << "the engine's vertical axis runs upwards";

    touches.wait(1).down(1, onPicture(0.5, 0.5)).drag(1, onPicture(0.5, 0.5), {395, 20}, 10);
    EXPECT_DOUBLE_EQ(spot->X(), 1);
    EXPECT_DOUBLE_EQ(spot->Y(), 0);
    EXPECT_EQ(changes, 1);
    touches.up(1, {395, 20});
    EXPECT_EQ(changes, 2);
}

TEST_F(CLSpotEffectTest, PinchingKeepsTheSizeWithinItsRangeAndTheCircleFollows) {
    const auto pinch = [&](double from, double to) {
        const CGPoint centre = onPicture(0.5, 0.5);
        touches.wait(1).down(1, {centre.x - from, centre.y}).down(2, {centre.x + from, centre.y});
        for (int step = 1; step <= 10; ++step) {
            const double d = from + (to - from) * step / 10;
            touches.send({{1, UITouchPhase::Moved, {centre.x - d, centre.y}, {}},
                          {2, UITouchPhase::Moved, {centre.x + d, centre.y}, {}}});
        }
        touches.send({{1, UITouchPhase::Ended, {centre.x - to, centre.y}, {}},
                      {2, UITouchPhase::Ended, {centre.x + to, centre.y}, {}}});
    };
    pinch(20, 190);
    EXPECT_DOUBLE_EQ(spot->R(), 1);
    EXPECT_DOUBLE_EQ(spot->circleView()->frame().width(), 200 * 1.1 * 1.2);
    pinch(140, 2);
    EXPECT_DOUBLE_EQ(spot->R(), 0);
    EXPECT_EQ(changes, 2);
    EXPECT_DOUBLE_EQ(spot->X(), 0.5) << "a pinch does not move the spot";
}

TEST_F(CLSpotEffectTest, TheCircleFadesASecondAfterTheLastChange) {
    AnimationClock::shared().runToEnd();
    EXPECT_DOUBLE_EQ(spot->circleView()->presentationAlpha(), 0);
    touches.wait(1).down(1, onPicture(0.3, 0.3)).up(1, onPicture(0.3, 0.3));
    EXPECT_DOUBLE_EQ(spot->circleView()->presentationAlpha(), 1);
    AnimationClock::shared().advance(0.9);
    EXPECT_DOUBLE_EQ(spot->circleView()->presentationAlpha(), 1);
    AnimationClock::shared().advance(0.4);
    EXPECT_DOUBLE_EQ(spot->circleView()->presentationAlpha(), 0);
}
