#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UIView.h"

namespace {

class ViewAnimationTest : public testing::Test {
protected:
    void SetUp() override { clock().runToEnd(); }
    void TearDown() override { clock().runToEnd(); }

    static AnimationClock& clock() { return AnimationClock::shared(); }
    // Steps the clock and runs the completions it queued.
    static void advance(double seconds) {
        clock().advance(seconds);
        drainMainQueue();
    }
};

}  // namespace

TEST_F(ViewAnimationTest, ModelValuesJumpWhilePresentationInterpolates) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    std::vector<bool> completions;
    UIView::animate(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setCenter({150, 50});
            view->setAlpha(0);
            view->setBackgroundColor(UIColor::redColor());
            view->setBounds({0, 0, 200, 100});
        },
        [&](bool finished) { completions.push_back(finished); });

    EXPECT_EQ(view->center(), (CGPoint{150, 50}));
    EXPECT_EQ(view->alpha(), 0);
    EXPECT_EQ(view->presentationCenter(), (CGPoint{50, 50}));
    EXPECT_EQ(view->presentationAlpha(), 1);

    advance(0.25);
    EXPECT_NEAR(view->presentationCenter().x, 75, 1e-9);
    EXPECT_NEAR(view->presentationAlpha(), 0.75, 1e-9);
    EXPECT_NEAR(view->presentationBounds().width(), 125, 1e-9);
    EXPECT_NEAR(view->presentationBackgroundColor().red(), 0.25, 1e-9);
    EXPECT_NEAR(view->presentationBackgroundColor().alpha(), 0.25, 1e-9);
    EXPECT_TRUE(completions.empty());

    advance(0.75);
    EXPECT_EQ(view->presentationCenter(), (CGPoint{150, 50}));
    EXPECT_EQ(completions, (std::vector<bool>{true}));
    advance(1);
    EXPECT_EQ(completions.size(), 1u);
}

TEST_F(ViewAnimationTest, CurvesDelayAndNoChangeCompletion) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    UIView::animate(1.0, [&] { view->setAlpha(0); });
    advance(0.25);
    // Ease in and out: slower than linear at the start.
    EXPECT_GT(view->presentationAlpha(), 0.8);
    clock().runToEnd();

    const auto delayed = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    UIView::animate(0.5, 0.5, UIViewAnimationOptionCurveEaseIn, [&] {
        delayed->setCenter({100, 5});
    });
    advance(0.4);
    EXPECT_EQ(delayed->presentationCenter(), (CGPoint{5, 5}));
    advance(0.35);
    // Half-way through, ease in is behind linear.
    EXPECT_LT(delayed->presentationCenter().x, 5 + 95 * 0.5);
    EXPECT_GT(delayed->presentationCenter().x, 5);

    // A block that changes nothing still completes, once, as finished.
    int completions = 0;
    UIView::animate(
        0.3, [] {}, [&](bool finished) { completions += finished ? 1 : 100; });
    drainMainQueue();
    EXPECT_EQ(completions, 1);
}

TEST_F(ViewAnimationTest, ReplacedAnimationCompletesUnfinishedAndNewOneStartsFromModel) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    std::vector<bool> first;
    std::vector<bool> second;
    UIView::animate(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setCenter({105, 5});
        },
        [&](bool finished) { first.push_back(finished); });
    advance(0.5);
    EXPECT_NEAR(view->presentationCenter().x, 55, 1e-9);

    UIView::animate(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setCenter({5, 5});
        },
        [&](bool finished) { second.push_back(finished); });
    drainMainQueue();
    EXPECT_EQ(first, (std::vector<bool>{false}));
    // Without begin-from-current-state it starts from the model value, the old target.
    EXPECT_NEAR(view->presentationCenter().x, 105, 1e-9);
    advance(1);
    EXPECT_EQ(second, (std::vector<bool>{true}));
    EXPECT_EQ(first.size(), 1u);
}

TEST_F(ViewAnimationTest, BeginFromCurrentStateStartsWhereTheScreenIs) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] { view->setAlpha(0); });
    advance(0.5);
    UIView::animate(1.0, 0,
                    UIViewAnimationOptionCurveLinear | UIViewAnimationOptionBeginFromCurrentState,
                    [&] { view->setAlpha(1); });
    EXPECT_NEAR(view->presentationAlpha(), 0.5, 1e-9);
    advance(0.5);
    EXPECT_NEAR(view->presentationAlpha(), 0.75, 1e-9);
}

TEST_F(ViewAnimationTest, DirectChangeEndsTheAnimationOfThatPropertyOnly) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    std::vector<bool> completions;
    UIView::animate(
        1.0, 0, UIViewAnimationOptionCurveLinear,
        [&] {
            view->setAlpha(0);
            view->setCenter({105, 5});
        },
        [&](bool finished) { completions.push_back(finished); });
    advance(0.5);
    view->setAlpha(0.2);
    EXPECT_EQ(view->presentationAlpha(), 0.2);
    EXPECT_NEAR(view->presentationCenter().x, 55, 1e-9);
    advance(0.5);
    EXPECT_EQ(completions, (std::vector<bool>{false}));
}

TEST_F(ViewAnimationTest, TransformsTurnInsteadOfShrinking) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        view->setTransform(CGAffineTransform::makeRotation(3.14159265358979 / 2));
    });
    advance(0.5);
    const CGAffineTransform halfway = view->presentationLayerTransform().affineTransform();
    EXPECT_NEAR(halfway.a, std::cos(3.14159265358979 / 4), 1e-9);
    EXPECT_NEAR(halfway.b, std::sin(3.14159265358979 / 4), 1e-9);

    // A flip about the vertical axis passes through edge-on (zero width) half-way.
    clock().runToEnd();
    view->setTransform(CGAffineTransform::identity());
    UIView::animate(1.0, 0, UIViewAnimationOptionCurveLinear, [&] {
        view->setLayerTransform(CATransform3D::makeRotation(3.14159265358979, 0, 1, 0));
    });
    advance(0.5);
    EXPECT_NEAR(view->presentationLayerTransform().m11, 0, 1e-9);
    advance(0.5);
    EXPECT_NEAR(view->presentationLayerTransform().m11, -1, 1e-9);
}

TEST_F(ViewAnimationTest, AnimatingViewsTakeNoTouchesUnlessAllowed) {
    const auto root = std::make_shared<UIView>(CGRect{0, 0, 100, 100});
    const auto moving = std::make_shared<UIView>(CGRect{0, 0, 50, 50});
    root->addSubview(moving);
    UIView::animate(1.0, [&] { moving->setAlpha(0.5); });
    EXPECT_EQ(root->hitTest({10, 10}, nullptr), root);
    clock().runToEnd();
    EXPECT_EQ(root->hitTest({10, 10}, nullptr), moving);
    UIView::animate(1.0, 0, UIViewAnimationOptionAllowUserInteraction,
                    [&] { moving->setAlpha(1); });
    EXPECT_EQ(root->hitTest({10, 10}, nullptr), moving);
}

TEST_F(ViewAnimationTest, RunToEndFinishesChainedAnimations) {
    const auto view = std::make_shared<UIView>(CGRect{0, 0, 10, 10});
    std::vector<std::string> steps;
    UIView::animate(
        0.3, [&] { view->setAlpha(0.5); },
        [&](bool) {
            steps.push_back("first");
            UIView::animate(
                0.3, [&] { view->setAlpha(0); },
                [&](bool finished) { steps.push_back(finished ? "second" : "x"); });
        });
    clock().runToEnd();
    EXPECT_EQ(steps, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(clock().isAnimating());
    EXPECT_EQ(view->presentationAlpha(), 0);
}
