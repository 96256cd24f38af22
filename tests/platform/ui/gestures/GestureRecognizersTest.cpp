#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/gestures/UIPinchGestureRecognizer.h"
#include "platform/ui/gestures/UIRotationGestureRecognizer.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

using State = UIGestureRecognizerState;

struct Scene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 400});
    UIViewPtr view = std::make_shared<UIView>(CGRect{50, 50, 300, 300});
    TouchScript touches{window};

    Scene() { window->addSubview(view); }

    // Adds the recogniser to the view and writes its states down, in order.
    template <typename Recognizer>
    std::shared_ptr<Recognizer> attach(std::vector<State>& states) {
        auto recognizer = std::make_shared<Recognizer>();
        recognizer->addTarget([&states](UIGestureRecognizer& r) { states.push_back(r.state()); });
        view->addGestureRecognizer(recognizer);
        return recognizer;
    }
};

TEST(TapGestureRecognizer, RecognisesTapsWithTheRequiredFingersAndTaps) {
    Scene scene;
    std::vector<State> states;
    auto tap = scene.attach<UITapGestureRecognizer>(states);
    CGPoint location;
    tap->addTarget([&](UIGestureRecognizer& r) { location = r.locationInView(scene.view.get()); });

    scene.touches.down(1, {100, 100}).move(1, {105, 103}).up(1, {105, 103});
    EXPECT_EQ(states, std::vector<State>{State::Recognized});
    EXPECT_EQ(location, (CGPoint{55, 53}));
    EXPECT_EQ(tap->state(), State::Possible) << "reset once every finger has lifted";

    // A finger that wanders more than the allowed movement is a drag, not a tap.
    states.clear();
    scene.touches.wait(1)
        .down(1, {100, 100})
        .move(1, {120, 100})
        .move(1, {100, 100})
        .up(1, {100, 100});
    EXPECT_TRUE(states.empty());

    // Two fingers required: one finger fails, two fingers lifting one after the other succeed.
    tap->setNumberOfTouchesRequired(2);
    scene.touches.wait(1).down(1, {100, 100}).up(1, {100, 100});
    EXPECT_TRUE(states.empty());
    scene.touches.wait(1)
        .down(1, {100, 100})
        .down(2, {140, 100})
        .up(1, {100, 100})
        .up(2, {140, 100});
    EXPECT_EQ(states, std::vector<State>{State::Recognized});

    // A double tap needs the second tap soon after the first.
    states.clear();
    tap->setNumberOfTouchesRequired(1);
    tap->setNumberOfTapsRequired(2);

    scene.touches.wait(1).down(1, {100, 100}).up(1, {100, 100});
    EXPECT_TRUE(states.empty());
    scene.touches.down(1, {102, 101}).up(1, {102, 101});
    EXPECT_EQ(states, std::vector<State>{State::Recognized});

    // Too slow a second tap counts as a first tap again.
    states.clear();
    scene.touches.wait(1)
        .down(1, {100, 100})
        .up(1, {100, 100})
        .wait(1)
        .down(1, {100, 100})
        .up(1, {100, 100});
    EXPECT_TRUE(states.empty());
}

TEST(PanGestureRecognizer, BeginsPastTheThresholdAndTranslatesSmoothlyFromTouchDown) {
    Scene scene;
    std::vector<State> states;
    auto pan = scene.attach<UIPanGestureRecognizer>(states);
    std::vector<CGPoint> translations;
    pan->addTarget([&](UIGestureRecognizer&) {
        translations.push_back(pan->translationInView(scene.view.get()));
    });

    scene.touches.down(1, {100, 100}).move(1, {106, 100});
    EXPECT_EQ(pan->state(), State::Possible) << "6 points is under the threshold";
    scene.touches.move(1, {112, 100}).move(1, {130, 140});
    ASSERT_EQ(states, (std::vector<State>{State::Began, State::Changed}));
    EXPECT_EQ(translations[0], (CGPoint{12, 0}));
    EXPECT_EQ(translations[1], (CGPoint{30, 40}));

    pan->setTranslation({0, 0}, scene.view.get());
    scene.touches.move(1, {140, 150}).up(1, {140, 150});
    EXPECT_EQ(states.back(), State::Ended);
    EXPECT_EQ(translations[2], (CGPoint{10, 10}));

    // A finger added during the pan does not make the translation jump.
    scene.touches.down(1, {100, 100}).drag(1, {100, 100}, {100, 140}, 4);
    ASSERT_EQ(pan->translationInView(nullptr), (CGPoint{0, 40}));
    scene.touches.down(2, {300, 300});
    EXPECT_EQ(pan->translationInView(nullptr), (CGPoint{0, 40}));
    scene.touches.send(
        {{1, UITouchPhase::Moved, {110, 150}, {}}, {2, UITouchPhase::Moved, {310, 310}, {}}});
    EXPECT_EQ(pan->translationInView(nullptr), (CGPoint{10, 50}));
}

TEST(PanGestureRecognizer, VelocityAndTranslationFollowTheViewsRotation) {
    Scene scene;
    // Turned a quarter turn anticlockwise: dragging up on screen is +x in the view.
    scene.view->setTransform(CGAffineTransform::makeRotation(-std::numbers::pi / 2));
    std::vector<State> states;
    auto pan = scene.attach<UIPanGestureRecognizer>(states);
    CGPoint translation;
    CGPoint velocity;
    pan->addTarget([&](UIGestureRecognizer&) {
        translation = pan->translationInView(scene.view.get());
        velocity = pan->velocityInView(scene.view.get());
    });

    scene.touches.setStep(0.01);
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 150}, 10);
    EXPECT_NEAR(translation.x, 50, 1e-9);
    EXPECT_NEAR(translation.y, 0, 1e-9);
    EXPECT_NEAR(velocity.x, 500, 1e-6) << "5 points every 10 ms";
    EXPECT_NEAR(velocity.y, 0, 1e-6);

    // A finger that stops before lifting leaves no speed behind.
    scene.touches.setStep(0.2);
    scene.touches.up(1, {200, 150});
    EXPECT_EQ(states.back(), State::Ended);
    EXPECT_NEAR(velocity.x, 0, 1e-9);
}

TEST(PanGestureRecognizer, RespectsMinimumAndMaximumNumberOfTouches) {
    Scene scene;
    std::vector<State> states;
    auto pan = scene.attach<UIPanGestureRecognizer>(states);
    pan->setMinimumNumberOfTouches(2);

    scene.touches.down(1, {100, 100}).drag(1, {100, 100}, {100, 200}, 5).up(1, {100, 200});
    EXPECT_TRUE(states.empty()) << "one finger does not pan a two-finger pan";

    scene.touches.down(1, {100, 100}).down(2, {200, 100});
    scene.touches.send(
        {{1, UITouchPhase::Moved, {100, 130}, {}}, {2, UITouchPhase::Moved, {200, 130}, {}}});
    ASSERT_EQ(states, std::vector<State>{State::Began});
    EXPECT_EQ(pan->translationInView(nullptr), (CGPoint{0, 30}));
    EXPECT_EQ(pan->numberOfTouches(), 2u);
    // Lifting one finger goes under the minimum: the pan ends.
    scene.touches.up(2, {200, 130});
    EXPECT_EQ(states.back(), State::Ended);
    scene.touches.up(1, {100, 130});

    states.clear();
    pan->setMinimumNumberOfTouches(1);
    pan->setMaximumNumberOfTouches(1);
    scene.touches.down(1, {100, 100}).down(2, {200, 100}).drag(1, {100, 100}, {100, 200}, 5);
    EXPECT_TRUE(states.empty()) << "a second finger before the pan begins makes it fail";
    EXPECT_EQ(pan->state(), State::Failed);
    scene.touches.up(1, {100, 200}).up(2, {200, 100});

    scene.touches.send(
        {{1, UITouchPhase::Began, {100, 100}, {}}, {2, UITouchPhase::Began, {200, 100}, {}}});
    scene.touches.drag(1, {100, 100}, {100, 200}, 5);
    EXPECT_TRUE(states.empty()) << "so do two fingers touching down together";
}

TEST(PinchGestureRecognizer, ScalesWithTheFingersDistance) {
    Scene scene;
    std::vector<State> states;
    auto pinch = scene.attach<UIPinchGestureRecognizer>(states);

    scene.touches.down(1, {150, 200}).down(2, {250, 200});
    scene.touches.send(
        {{1, UITouchPhase::Moved, {148, 200}, {}}, {2, UITouchPhase::Moved, {252, 200}, {}}});
    EXPECT_EQ(pinch->state(), State::Possible) << "4 points of change is under the threshold";
    scene.touches.send(
        {{1, UITouchPhase::Moved, {100, 200}, {}}, {2, UITouchPhase::Moved, {300, 200}, {}}});
    EXPECT_EQ(states, std::vector<State>{State::Began});
    EXPECT_DOUBLE_EQ(pinch->scale(), 2.0);
    EXPECT_GT(pinch->velocity(), 0);
    EXPECT_EQ(pinch->locationInView(nullptr), (CGPoint{200, 200}));

    // Reset to 1 as it goes: the next step reports only the new change.
    pinch->setScale(1);
    scene.touches.send(
        {{1, UITouchPhase::Moved, {150, 200}, {}}, {2, UITouchPhase::Moved, {250, 200}, {}}});
    EXPECT_DOUBLE_EQ(pinch->scale(), 0.5);
    EXPECT_LT(pinch->velocity(), 0);
    scene.touches.up(1, {150, 200});
    EXPECT_EQ(states.back(), State::Ended);
    scene.touches.up(2, {250, 200});
    EXPECT_EQ(states.size(), 3u);
}

TEST(RotationGestureRecognizer, CountsClockwiseTurnsPastHalfATurn) {
    Scene scene;
    std::vector<State> states;
    auto rotation = scene.attach<UIRotationGestureRecognizer>(states);

    // Finger 2 circles finger 1 clockwise on screen (y down), in eighths of a turn.
    const CGPoint centre{200, 200};
    scene.touches.down(1, centre).down(2, {300, 200});
    for (int i = 1; i <= 6; ++i) {
        const double angle = i * std::numbers::pi / 4;
        scene.touches.move(2, {centre.x + 100 * std::cos(angle), centre.y + 100 * std::sin(angle)});
    }
    EXPECT_EQ(states.front(), State::Began);
    EXPECT_NEAR(rotation->rotation(), 1.5 * std::numbers::pi, 1e-9);

    rotation->setRotation(0);
    scene.touches.move(2, {centre.x - 100, centre.y});
    EXPECT_NEAR(rotation->rotation(), -std::numbers::pi / 2, 1e-9);
    scene.touches.up(2, {centre.x - 100, centre.y});
    EXPECT_EQ(states.back(), State::Ended);
}

}  // namespace
