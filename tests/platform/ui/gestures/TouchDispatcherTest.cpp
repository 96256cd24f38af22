#include <gtest/gtest.h>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"
#include "platform/ui/gestures/UIPanGestureRecognizer.h"
#include "platform/ui/gestures/UIPinchGestureRecognizer.h"
#include "platform/ui/gestures/UIRotationGestureRecognizer.h"
#include "platform/ui/gestures/UITapGestureRecognizer.h"
#include "platform/ui/gestures/UITouchDispatcher.h"
#include "tests/platform/ui/gestures/RecordingView.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

using State = UIGestureRecognizerState;
using Strings = std::vector<std::string>;

class AllowsEverything : public UIGestureRecognizerDelegate {
public:
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        UIGestureRecognizer&, UIGestureRecognizer&) override {
        return true;
    }
};

class RefusesToBegin : public UIGestureRecognizerDelegate {
public:
    std::optional<bool> gestureRecognizerShouldBegin(UIGestureRecognizer&) override {
        return false;
    }
};

struct Scene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 400, 400});
    std::shared_ptr<RecordingView> outer = std::make_shared<RecordingView>(CGRect{0, 0, 400, 400});
    std::shared_ptr<RecordingView> inner =
        std::make_shared<RecordingView>(CGRect{100, 100, 200, 200});
    TouchScript touches{window};

    Scene() {
        window->addSubview(outer);
        outer->addSubview(inner);
    }

    // Two fingers about (200, 200) that spread apart and turn a quarter turn.
    void pinchAndTurn() {
        touches.down(1, {150, 200}).down(2, {250, 200});
        touches.send(
            {{1, UITouchPhase::Moved, {200, 140}, {}}, {2, UITouchPhase::Moved, {200, 260}, {}}});
        touches.up(1, {200, 140}).up(2, {200, 260});
    }
};

template <typename Recognizer>
std::shared_ptr<Recognizer> attach(const UIViewPtr& view, Strings& log, const std::string& name) {
    auto recognizer = std::make_shared<Recognizer>();
    recognizer->addTarget([&log, name](UIGestureRecognizer& r) {
        if (r.state() == State::Began || r.state() == State::Recognized) {
            log.push_back(name + (r.state() == State::Began ? " began" : " ended"));
        }
    });
    view->addGestureRecognizer(recognizer);
    return recognizer;
}

TEST(TouchDispatcher, FirstToBeginWinsUnlessADelegateAllowsBoth) {
    Scene scene;
    Strings log;
    auto pinch = attach<UIPinchGestureRecognizer>(scene.inner, log, "pinch");
    auto rotation = attach<UIRotationGestureRecognizer>(scene.inner, log, "rotation");

    scene.pinchAndTurn();
    EXPECT_EQ(log, (Strings{"pinch began", "pinch ended"}))
        << "the pinch saw the fingers first and took them";

    auto delegate = std::make_shared<AllowsEverything>();
    rotation->setDelegate(delegate);
    log.clear();
    scene.pinchAndTurn();
    EXPECT_EQ(log, (Strings{"pinch began", "rotation began", "pinch ended", "rotation ended"}));

    // The delegate is weak: once gone, the recognisers are exclusive again.
    delegate.reset();
    log.clear();
    scene.pinchAndTurn();
    EXPECT_EQ(log, (Strings{"pinch began", "pinch ended"}));
}

TEST(TouchDispatcher, TheDeepestViewsRecognizerSeesTheTouchesFirst) {
    Scene scene;
    Strings log;
    auto innerPan = attach<UIPanGestureRecognizer>(scene.inner, log, "inner");
    auto outerPan = attach<UIPanGestureRecognizer>(scene.outer, log, "outer");

    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3);
    EXPECT_EQ(log, Strings{"inner began"});
    EXPECT_EQ(outerPan->state(), State::Failed);
    scene.touches.up(1, {200, 260});

    // Touches outside the inner view reach only the outer one's recogniser.
    log.clear();
    scene.touches.down(1, {50, 50}).drag(1, {50, 50}, {50, 110}, 3).up(1, {50, 110});
    EXPECT_EQ(log, (Strings{"outer began", "outer ended"}));

    // A recogniser whose delegate refuses fails, and leaves the touches to the others.
    auto refuses = std::make_shared<RefusesToBegin>();
    innerPan->setDelegate(refuses);
    log.clear();
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3).up(1, {200, 260});
    EXPECT_EQ(log, (Strings{"outer began", "outer ended"}));
}

TEST(TouchDispatcher, ABeginningRecognizerCancelsTheViewsTouches) {
    Scene scene;
    Strings log;
    auto pan = attach<UIPanGestureRecognizer>(scene.inner, log, "pan");

    scene.touches.down(1, {200, 200})
        .move(1, {200, 205})
        .move(1, {200, 230})
        .move(1, {200, 240})
        .up(1, {200, 240});
    EXPECT_EQ(scene.inner->log, (Strings{"began", "moved", "cancelled"}));

    scene.inner->log.clear();
    pan->setCancelsTouchesInView(false);
    scene.touches.down(1, {200, 200}).move(1, {200, 230}).up(1, {200, 230});
    EXPECT_EQ(scene.inner->log, (Strings{"began", "moved", "ended"}));

    // A tap that is recognised takes the touch-up away from the view.
    scene.inner->log.clear();
    attach<UITapGestureRecognizer>(scene.inner, log, "tap");
    scene.touches.wait(1).down(1, {200, 200}).up(1, {200, 200});
    EXPECT_EQ(scene.inner->log, (Strings{"began", "cancelled"}));
}

TEST(TouchDispatcher, DelayedTouchesReachTheViewWhenTheRecognizerFailsOrAfterAHold) {
    AnimationClock::shared().setManualStepping(true);
    Scene scene;
    Strings log;
    auto pan = attach<UIPanGestureRecognizer>(scene.outer, log, "pan");
    pan->setDelaysTouchesBegan(true);

    // A quick tap: held back while the pan might begin, delivered when it fails.
    scene.touches.down(1, {200, 200});
    EXPECT_TRUE(scene.inner->log.empty());
    scene.touches.up(1, {200, 200});
    EXPECT_EQ(scene.inner->log, (Strings{"began", "ended"}));

    // A drag: the view never hears of it.
    scene.inner->log.clear();
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3).up(1, {200, 260});
    EXPECT_TRUE(scene.inner->log.empty());
    EXPECT_EQ(log, (Strings{"pan began", "pan ended"}));

    // A finger that stays put reaches the view after the hold, on the clock.
    scene.inner->log.clear();
    scene.touches.down(1, {200, 200});
    AnimationClock::shared().advance(UITouchDispatcher::kTouchDelay / 2);
    EXPECT_TRUE(scene.inner->log.empty());
    AnimationClock::shared().advance(UITouchDispatcher::kTouchDelay);
    EXPECT_EQ(scene.inner->log, Strings{"began"});
    scene.touches.up(1, {200, 200});
    EXPECT_EQ(scene.inner->log, (Strings{"began", "ended"}));
}

TEST(TouchDispatcher, DisabledOrRemovedRecognizersSeeNothing) {
    Scene scene;
    Strings log;
    auto pan = attach<UIPanGestureRecognizer>(scene.inner, log, "pan");
    pan->setEnabled(false);
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3).up(1, {200, 260});
    EXPECT_TRUE(log.empty());

    pan->setEnabled(true);
    scene.inner->removeGestureRecognizer(pan);
    EXPECT_EQ(pan->view(), nullptr);
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3).up(1, {200, 260});
    EXPECT_TRUE(log.empty());

    // Disabling a pan that is under way cancels it.
    std::vector<State> states;
    scene.inner->addGestureRecognizer(pan);
    pan->addTarget([&](UIGestureRecognizer& r) { states.push_back(r.state()); });
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3);
    pan->setEnabled(false);
    scene.touches.up(1, {200, 260});
    EXPECT_EQ(states.back(), State::Cancelled);

    // Taken off its view, it ends quietly: no target hears of it.
    states.clear();
    pan->setEnabled(true);
    scene.touches.down(1, {200, 200}).drag(1, {200, 200}, {200, 260}, 3);
    ASSERT_EQ(states.back(), State::Changed);
    scene.inner->removeGestureRecognizer(pan);
    EXPECT_EQ(pan->state(), State::Cancelled);
    EXPECT_EQ(states.back(), State::Changed);
    scene.touches.up(1, {200, 260});
    EXPECT_EQ(pan->state(), State::Possible);
}

}  // namespace
