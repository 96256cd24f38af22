#include <gtest/gtest.h>

#include <numbers>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UISlider.h"
#include "platform/ui/view/UIViewRenderer.h"
#include "tests/platform/ui/gestures/TouchScript.h"
#include "tests/platform/ui/view/ViewTestSupport.h"

namespace {

struct Scene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 400});
    // 228 wide with a 28-point thumb: the thumb's centre travels 200 points.
    UISliderPtr slider = std::make_shared<UISlider>(CGRect{20, 100, 228, 34});
    TouchScript touches{window};
    std::vector<double> reported;

    Scene() {
        AnimationClock::shared().setManualStepping(true);
        window->addSubview(slider);
        slider->addTarget([this](UIControl&) { reported.push_back(slider->value()); },
                          UIControlEventValueChanged);
    }
};

TEST(Slider, ContinuousSlidersReportEveryChangeOthersOnlyOnRelease) {
    Scene scene;
    // The thumb's centre is at x 34 (window) for value 0.
    scene.touches.down(1, {36, 117}).drag(1, {36, 117}, {136, 117}, 4).up(1, {136, 117});
    EXPECT_DOUBLE_EQ(scene.slider->value(), 0.5) << "the thumb keeps its offset from the finger";
    EXPECT_EQ(scene.reported, (std::vector<double>{0.125, 0.25, 0.375, 0.5}));

    scene.reported.clear();
    scene.slider->setContinuous(false);
    scene.touches.wait(1).down(1, {134, 117}).drag(1, {134, 117}, {184, 117}, 5).up(1, {184, 117});
    EXPECT_EQ(scene.reported, std::vector<double>{0.75});

    // Beyond the ends the value stays in range; touching the bare track moves nothing.
    scene.reported.clear();
    scene.touches.wait(1).down(1, {184, 117}).drag(1, {184, 117}, {400, 117}, 2).up(1, {400, 117});
    EXPECT_EQ(scene.reported, std::vector<double>{1.0});
    scene.touches.wait(1).down(1, {40, 117}).drag(1, {40, 117}, {100, 117}, 2).up(1, {100, 117});
    EXPECT_EQ(scene.slider->value(), 1.0);
    EXPECT_EQ(scene.reported.size(), 1u);
}

TEST(Slider, TurnedUprightDraggingUpRaisesTheValue) {
    Scene scene;
    scene.slider->setCenter({200, 200});
    scene.slider->setTransform(CGAffineTransform::makeRotation(-std::numbers::pi / 2));
    scene.slider->setMinimumValue(-1);
    EXPECT_EQ(scene.slider->value(), 0);
    // Value 0 is the middle of the range: the thumb sits at the slider's centre.
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 150}, 5);
    EXPECT_NEAR(scene.slider->value(), 0.5, 1e-9);
    scene.touches.drag(1, {200, 150}, {260, 250}, 5).up(1, {260, 250});
    EXPECT_NEAR(scene.slider->value(), -0.5, 1e-9) << "sideways movement does not count";
}

TEST(Slider, ValuesStayInRangeAndAnimatedChangesMoveTheThumbOnTheClock) {
    Scene scene;
    scene.slider->setFrame({0, 0, 228, 34});
    scene.slider->setBackgroundColor(UIColor::blackColor());
    scene.slider->setValue(7);
    EXPECT_EQ(scene.slider->value(), 1);
    scene.slider->setMaximumValue(0.5);
    EXPECT_EQ(scene.slider->value(), 0.5);
    scene.slider->setMaximumValue(1);
    EXPECT_TRUE(scene.reported.empty()) << "setting the value sends no event";

    scene.slider->setValue(0);
    scene.slider->setValue(1, true);
    EXPECT_EQ(scene.slider->value(), 1);
    AnimationClock::shared().advance(UISlider::kAnimationDuration / 2);
    using viewtest::pixelAt;
    auto halfway = UIViewRenderer::renderToImage(*scene.slider, 1);
    EXPECT_TRUE(viewtest::near(pixelAt(*halfway, 114, 17), viewtest::kWhite, 8));
    EXPECT_FALSE(viewtest::near(pixelAt(*halfway, 214, 17), viewtest::kWhite, 8));
    AnimationClock::shared().runToEnd();
    auto atEnd = UIViewRenderer::renderToImage(*scene.slider, 1);
    EXPECT_TRUE(viewtest::near(pixelAt(*atEnd, 214, 17), viewtest::kWhite, 8));

    // The tinted thumb, the default blue track before it, and a null track picture
    // that leaves the track undrawn.
    scene.slider->setValue(0.5);
    scene.slider->setThumbTintColor(UIColor::redColor());
    auto tinted = UIViewRenderer::renderToImage(*scene.slider, 1);
    EXPECT_TRUE(viewtest::near(pixelAt(*tinted, 114, 17), viewtest::kRed, 8));
    EXPECT_TRUE(viewtest::near(pixelAt(*tinted, 50, 17), {0, 122, 255, 255}, 8));
    scene.slider->setMinimumTrackImage(nullptr, UIControlStateNormal);
    auto bare = UIViewRenderer::renderToImage(*scene.slider, 1);
    EXPECT_TRUE(viewtest::near(pixelAt(*bare, 50, 17), viewtest::kBlack, 8));
}

}  // namespace
