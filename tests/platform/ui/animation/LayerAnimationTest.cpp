#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/animation/CAMediaTimingFunction.h"
#include "platform/ui/animation/TransformDecomposition.h"
#include "platform/ui/view/UIView.h"

namespace {

constexpr double kPi = std::numbers::pi;

class LayerAnimationTest : public testing::Test {
protected:
    void SetUp() override { clock().runToEnd(); }
    static AnimationClock& clock() { return AnimationClock::shared(); }
    static void advance(double seconds) {
        clock().advance(seconds);
        drainMainQueue();
    }
};

// Draws with a value of its own that animations drive, and counts its redraw requests.
class GridView : public UIView {
public:
    using UIView::UIView;
    std::vector<std::string> changedKeys;
    void presentationValueDidChange(const std::string& key) override {
        changedKeys.push_back(key);
        UIView::presentationValueDidChange(key);
    }
};

void expectTransformNear(const CATransform3D& a, const CATransform3D& b) {
    const auto left = std::bit_cast<std::array<double, 16>>(a);
    const auto right = std::bit_cast<std::array<double, 16>>(b);
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(left[i], right[i], 1e-9) << "entry " << i;
    }
}

}  // namespace

TEST_F(LayerAnimationTest, CustomKeyAnimatesFromTheOldRectangleToTheNew) {
    const auto grid = std::make_shared<GridView>(CGRect{0, 0, 100, 100});
    grid->layer().setValueForKey("clippingRect", CGRect{0, 0, 100, 100});
    auto animation = CABasicAnimation::animationWithKeyPath("clippingRect");
    animation.setDuration(0.2);
    animation.setFromValue(CGRect{0, 0, 100, 100});
    animation.setToValue(CGRect{10, 20, 50, 60});
    std::vector<bool> stops;
    animation.setDidStop([&](bool finished) { stops.push_back(finished); });
    grid->layer().addAnimation(animation, "clippingRect");
    grid->layer().setValueForKey("clippingRect", CGRect{10, 20, 50, 60});

    advance(0.1);
    const CGRect halfway = grid->layer().presentationValueForKey("clippingRect")->rect();
    EXPECT_NEAR(halfway.minX(), 5, 1e-9);
    EXPECT_NEAR(halfway.height(), 80, 1e-9);
    EXPECT_FALSE(grid->changedKeys.empty());
    advance(0.1);
    EXPECT_EQ(stops, (std::vector<bool>{true}));
    EXPECT_EQ(grid->layer().presentationValueForKey("clippingRect")->rect(),
              (CGRect{10, 20, 50, 60}));
    EXPECT_TRUE(grid->layer().animationKeys().empty());
}

TEST_F(LayerAnimationTest, ChangingAKeyInsideAViewAnimationAnimatesIt) {
    const auto view = std::make_shared<GridView>(CGRect{0, 0, 10, 10});
    view->layer().setValueForKey("contentOffset", CGPoint{0, 0});
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        view->layer().setValueForKey("contentOffset", CGPoint{0, 100});
    });
    EXPECT_EQ(view->layer().valueForKey("contentOffset")->point(), (CGPoint{0, 100}));
    advance(0.5);
    EXPECT_NEAR(view->layer().presentationValueForKey("contentOffset")->point().y, 50, 1e-9);
    clock().runToEnd();
}

TEST_F(LayerAnimationTest, RotationZSpinsOnTopOfTheTransformWithEaseOut) {
    const auto button = std::make_shared<UIView>(CGRect{0, 0, 20, 20});
    auto spin = CABasicAnimation::animationWithKeyPath("transform.rotation.z");
    spin.setToValue(-2 * kPi);
    spin.setDuration(0.3);
    spin.setRepeatCount(1);
    spin.setTimingFunction(
        CAMediaTimingFunction::functionWithName(CAMediaTimingFunction::Name::EaseOut));
    button->layer().addAnimation(spin, "rotationAnimation");

    advance(0.15);
    const CATransform3D turning = button->presentationLayerTransform();
    const double angle = std::atan2(turning.m12, turning.m11);
    // Ease out: past half a turn at half time (a negative turn beyond -π wraps to positive).
    EXPECT_GT(angle, 0);
    EXPECT_LT(angle, kPi);
    EXPECT_TRUE(button->layerTransform().isIdentity());
    advance(0.15);
    EXPECT_TRUE(button->presentationLayerTransform().isIdentity());
    EXPECT_FALSE(button->layer().hasRunningAnimations());
}

TEST_F(LayerAnimationTest, RepeatsAutoreversesAndKeepsItsLastValueWhenAsked) {
    const auto view = std::make_shared<GridView>(CGRect{0, 0, 10, 10});
    view->layer().setValueForKey("level", 0.0);
    auto pulse = CABasicAnimation::animationWithKeyPath("level");
    pulse.setFromValue(0.0);
    pulse.setToValue(1.0);
    pulse.setDuration(1);
    pulse.setAutoreverses(true);
    pulse.setRepeatCount(2);
    view->layer().addAnimation(pulse, "pulse");
    advance(0.25);
    EXPECT_NEAR(view->layer().presentationValueForKey("level")->number(), 0.25, 1e-9);
    advance(1.5);
    EXPECT_NEAR(view->layer().presentationValueForKey("level")->number(), 0.25, 1e-9);
    advance(1.0);
    EXPECT_NEAR(view->layer().presentationValueForKey("level")->number(), 0.75, 1e-9);
    advance(2);
    EXPECT_FALSE(view->layer().hasAnimations());

    auto hold = CABasicAnimation::animationWithKeyPath("level");
    hold.setFromValue(0.0);
    hold.setToValue(0.6);
    hold.setDuration(0.5);
    hold.setRemovedOnCompletion(false);
    view->layer().addAnimation(hold, "hold");
    advance(1);
    EXPECT_NEAR(view->layer().presentationValueForKey("level")->number(), 0.6, 1e-9);
    EXPECT_FALSE(clock().isAnimating());
    view->layer().removeAnimationForKey("hold");
    EXPECT_NEAR(view->layer().presentationValueForKey("level")->number(), 0, 1e-9);
}

TEST_F(LayerAnimationTest, ReplacingAndRemovingEndUnfinishedOnce) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    std::vector<bool> stops;
    auto forever = CABasicAnimation::animationWithKeyPath("opacity");
    forever.setFromValue(0.0);
    forever.setToValue(1.0);
    forever.setRepeatCount(CABasicAnimation::kRepeatForever);
    forever.setDidStop([&](bool finished) { stops.push_back(finished); });
    view->layer().addAnimation(forever, "fade");
    clock().runToEnd();
    EXPECT_TRUE(clock().isAnimating());
    view->layer().addAnimation(forever, "fade");
    view->layer().removeAllAnimations();
    drainMainQueue();
    EXPECT_EQ(stops, (std::vector<bool>{false, false}));
    EXPECT_FALSE(clock().isAnimating());
}

TEST(TimingFunctionTest, NamedCurvesKeepTheirEndsAndShape) {
    using Name = CAMediaTimingFunction::Name;
    for (const Name name :
         {Name::Linear, Name::EaseIn, Name::EaseOut, Name::EaseInEaseOut, Name::Default}) {
        const auto curve = CAMediaTimingFunction::functionWithName(name);
        EXPECT_NEAR(curve.progressAtTime(0), 0, 1e-9);
        EXPECT_NEAR(curve.progressAtTime(1), 1, 1e-9);
        double previous = 0;
        for (int i = 1; i <= 100; ++i) {
            const double value = curve.progressAtTime(i / 100.0);
            EXPECT_GE(value, previous - 1e-12);
            previous = value;
        }
    }
    const auto easeInOut = CAMediaTimingFunction::functionWithName(Name::EaseInEaseOut);
    EXPECT_NEAR(easeInOut.progressAtTime(0.5), 0.5, 1e-6);
    EXPECT_LT(easeInOut.progressAtTime(0.2), 0.2);
    EXPECT_GT(easeInOut.progressAtTime(0.8), 0.8);
    EXPECT_GT(CAMediaTimingFunction::functionWithName(Name::EaseOut).progressAtTime(0.3), 0.3);
}

TEST(TransformDecompositionTest, RecomposingGivesBackTheTransform) {
    CATransform3D perspective;
    perspective.m34 = -1.0 / 500;
    const CATransform3D transforms[] = {
        CATransform3D::identity(),
        CATransform3D::makeRotation(0.3, 0, 0, 1),
        CATransform3D::makeRotation(kPi, 0, 1, 0),
        CATransform3D::makeRotation(kPi, 1, 0, 0)
            .concatenating(CATransform3D::makeRotation(2.0, 0, 0, 1)),
        CATransform3D::makeScale(2, -0.5, 1)
            .concatenating(CATransform3D::makeTranslation(10, -20, 0)),
        CATransform3D::makeAffineTransform({1, 0, 0.5, 1, 3, 4}),
        CATransform3D::makeRotation(0.7, 0, 1, 0).concatenating(perspective),
    };
    for (const CATransform3D& transform : transforms) {
        const auto parts = TransformDecomposition::decompose(transform);
        ASSERT_TRUE(parts.has_value());
        expectTransformNear(parts->recompose(), transform);
    }
    EXPECT_FALSE(TransformDecomposition::decompose(CATransform3D::makeScale(0, 1, 1)).has_value());
}
