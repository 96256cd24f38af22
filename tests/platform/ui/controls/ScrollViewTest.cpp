#include <gtest/gtest.h>

#include <algorithm>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/controls/UIScrollView.h"
#include "tests/platform/ui/gestures/TouchScript.h"

namespace {

class ScrollRecorder : public UIScrollViewDelegate {
public:
    UIViewPtr zoomedView;
    int scrolls = 0;
    int zooms = 0;
    std::vector<std::string> events;

    void scrollViewDidScroll(UIScrollView&) override { ++scrolls; }
    void scrollViewDidZoom(UIScrollView&) override { ++zooms; }
    std::optional<UIViewPtr> viewForZoomingInScrollView(UIScrollView&) override {
        return zoomedView;
    }
    void scrollViewWillBeginDragging(UIScrollView&) override { events.push_back("will drag"); }
    void scrollViewDidEndDraggingWillDecelerate(UIScrollView&, bool decelerate) override {
        events.push_back(decelerate ? "end drag, decelerate" : "end drag");
    }
    void scrollViewDidEndDecelerating(UIScrollView&) override {
        events.push_back("end decelerating");
    }
    void scrollViewDidEndZoomingWithViewAtScale(UIScrollView&, UIView* view,
                                                double scale) override {
        EXPECT_EQ(view, zoomedView.get());
        events.push_back("end zoom at " + std::to_string(scale));
    }
};

struct Scene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>(CGRect{0, 0, 320, 400});
    UIScrollViewPtr scrollView = std::make_shared<UIScrollView>(CGRect{0, 0, 320, 400});
    std::shared_ptr<ScrollRecorder> recorder = std::make_shared<ScrollRecorder>();
    TouchScript touches{window};

    Scene() {
        AnimationClock::shared().setManualStepping(true);
        window->addSubview(scrollView);
        scrollView->setDelegate(recorder);
    }
    ~Scene() { AnimationClock::shared().runToEnd(); }

    // A picture fitted as the editor fits a 2:1 picture in the viewport.
    void addZoomedView() {
        recorder->zoomedView = std::make_shared<UIView>(CGRect{0, 120, 320, 160});
        scrollView->addSubview(recorder->zoomedView);
        scrollView->setContentSize({320, 160});
        scrollView->setMinimumZoomScale(1);
        scrollView->setMaximumZoomScale(6.25);
    }
};

TEST(ScrollView, ZoomScalesTheZoomedViewAndTheContentFollows) {
    Scene scene;
    scene.addZoomedView();

    scene.scrollView->setZoomScale(2);
    EXPECT_EQ(scene.scrollView->zoomScale(), 2);
    EXPECT_EQ(scene.recorder->zoomedView->frame(), (CGRect{0, 0, 640, 320}));
    EXPECT_EQ(scene.recorder->zoomedView->bounds().size, (CGSize{320, 160}));
    EXPECT_EQ(scene.scrollView->contentSize(), (CGSize{640, 320}));
    EXPECT_EQ(scene.recorder->zooms, 1);
    // The middle of the visible area stays put where the content allows it.
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{160, 0}));

    scene.scrollView->setZoomScale(10);
    EXPECT_EQ(scene.scrollView->zoomScale(), 6.25);
    EXPECT_EQ(scene.scrollView->contentSize(), (CGSize{2000, 1000}));
    scene.scrollView->setZoomScale(0.5);
    EXPECT_EQ(scene.scrollView->zoomScale(), 1);
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{0, 0}));

    // A locked range (the tools' fixed zoom) leaves no room for the pinch.
    scene.scrollView->setMinimumZoomScale(0.95);
    scene.scrollView->setMaximumZoomScale(0.95);
    EXPECT_FALSE(scene.scrollView->pinchGestureRecognizer()->isEnabled());
    scene.scrollView->setZoomScale(0.95);
    EXPECT_NEAR(scene.recorder->zoomedView->frame().width(), 304, 1e-9);
    EXPECT_EQ(scene.recorder->zooms, 4);
}

TEST(ScrollView, AnimatedZoomMovesOnTheClockAndReportsItsEndOnce) {
    Scene scene;
    scene.addZoomedView();
    scene.scrollView->setZoomScale(2, true);
    EXPECT_EQ(scene.scrollView->zoomScale(), 2) << "the model takes the end value at once";
    AnimationClock::shared().advance(UIScrollView::kAnimationDuration / 2);
    const double shownScale = scene.recorder->zoomedView->presentationLayerTransform().m11;
    EXPECT_GT(shownScale, 1);
    EXPECT_LT(shownScale, 2);
    EXPECT_TRUE(scene.recorder->events.empty());
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(scene.recorder->events, std::vector<std::string>{"end zoom at 2.000000"});

    scene.recorder->events.clear();
    scene.scrollView->zoomToRect({0, 0, 80, 40}, false);
    EXPECT_EQ(scene.scrollView->zoomScale(), 4);
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{0, 0}));
    EXPECT_TRUE(scene.recorder->events.empty());
}

TEST(ScrollView, PinchingZoomsAboutTheFingers) {
    Scene scene;
    scene.addZoomedView();
    scene.touches.down(1, {110, 200}).down(2, {210, 200});
    scene.touches.send(
        {{1, UITouchPhase::Moved, {60, 200}, {}}, {2, UITouchPhase::Moved, {260, 200}, {}}});
    EXPECT_TRUE(scene.scrollView->isZooming());
    EXPECT_DOUBLE_EQ(scene.scrollView->zoomScale(), 2);
    // The point between the fingers (x 160 of the picture) stays between them.
    const CGPoint under =
        scene.recorder->zoomedView->convertPointFromView({160, 200}, scene.window.get());
    EXPECT_NEAR(under.x, 160, 1e-9);
    scene.touches.up(1, {60, 200}).up(2, {260, 200});
    EXPECT_FALSE(scene.scrollView->isZooming());
    ASSERT_FALSE(scene.recorder->events.empty());
    EXPECT_EQ(scene.recorder->events.back(), "end zoom at 2.000000");
}

TEST(ScrollView, PagingSettlesOnPageMultiples) {
    Scene scene;
    scene.scrollView->setFrame({0, 0, 100, 400});
    scene.scrollView->setContentSize({500, 400});
    scene.scrollView->setPagingEnabled(true);

    // Dragged more than half a page, then held still: the next page.
    scene.touches.down(1, {90, 100}).drag(1, {90, 100}, {30, 100}, 6).wait(0.3).up(1, {30, 100});
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{60, 0}));
    EXPECT_TRUE(scene.scrollView->isDecelerating());
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{100, 0}));
    EXPECT_EQ(scene.recorder->events,
              (std::vector<std::string>{"will drag", "end drag, decelerate", "end decelerating"}));

    // Less than half a page: back to where it was.
    scene.touches.down(1, {90, 100}).drag(1, {90, 100}, {60, 100}, 3).wait(0.3).up(1, {60, 100});
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{100, 0}));

    // A quick short flick turns one page, and never more than one.
    scene.touches.down(1, {90, 100}).drag(1, {90, 100}, {60, 100}, 2).up(1, {60, 100});
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{200, 0}));
}

TEST(ScrollView, AFlickDeceleratesOnTheClockAndStopsAtTheEdge) {
    Scene scene;
    scene.scrollView->setContentSize({320, 4000});
    scene.touches.setStep(0.01);
    scene.touches.down(1, {160, 300}).drag(1, {160, 300}, {160, 200}, 5).up(1, {160, 200});
    EXPECT_EQ(scene.recorder->events.back(), "end drag, decelerate");
    const double released = scene.scrollView->contentOffset().y;
    EXPECT_EQ(released, 100);

    AnimationClock::shared().advance(0.1);
    const double after = scene.scrollView->contentOffset().y;
    EXPECT_GT(after, released);
    EXPECT_TRUE(scene.scrollView->isDecelerating());
    AnimationClock::shared().runToEnd();
    EXPECT_FALSE(scene.scrollView->isDecelerating());
    EXPECT_EQ(scene.recorder->events.back(), "end decelerating");
    // 100 points in 60 ms is 1667 points per second; decaying at 0.998 per
    // millisecond it carries 1667 / 2.002 = 833 points, less the last few once slow.
    EXPECT_NEAR(scene.scrollView->contentOffset().y, released + 828, 6);

    // A flick towards the near edge stops at it.
    scene.touches.down(1, {160, 100}).drag(1, {160, 100}, {160, 300}, 5).up(1, {160, 300});
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(scene.scrollView->contentOffset().y, 0);
    EXPECT_EQ(std::count(scene.recorder->events.begin(), scene.recorder->events.end(),
                         "end decelerating"),
              2);
}

TEST(ScrollView, OverscrollGlidesBackAndTwoFingerPanLeavesOneFingerAlone) {
    Scene scene;
    scene.scrollView->setContentSize({320, 800});
    scene.touches.down(1, {160, 100}).drag(1, {160, 100}, {160, 160}, 6);
    EXPECT_EQ(scene.scrollView->contentOffset().y, -30) << "past the edge at half speed";
    scene.touches.wait(0.3).up(1, {160, 160});
    AnimationClock::shared().runToEnd();
    EXPECT_EQ(scene.scrollView->contentOffset().y, 0);

    scene.scrollView->setBounces(false);
    scene.touches.down(1, {160, 100}).drag(1, {160, 100}, {160, 160}, 6);
    EXPECT_EQ(scene.scrollView->contentOffset().y, 0);
    scene.touches.up(1, {160, 160});

    scene.scrollView->panGestureRecognizer()->setMinimumNumberOfTouches(2);
    scene.touches.down(1, {160, 300}).drag(1, {160, 300}, {160, 200}, 5).up(1, {160, 200});
    EXPECT_EQ(scene.scrollView->contentOffset().y, 0);
    scene.touches.down(1, {100, 300}).down(2, {200, 300});
    scene.touches.send(
        {{1, UITouchPhase::Moved, {100, 250}, {}}, {2, UITouchPhase::Moved, {200, 250}, {}}});
    EXPECT_EQ(scene.scrollView->contentOffset().y, 50);
    scene.touches.up(1, {100, 250}).up(2, {200, 250});
}

TEST(ScrollView, AnimatedOffsetAndScrollingToARectangle) {
    Scene scene;
    scene.scrollView->setContentSize({320, 1000});
    scene.scrollView->setContentOffset({0, 300}, true);
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{0, 300}));
    EXPECT_EQ(scene.recorder->scrolls, 1);
    AnimationClock::shared().advance(UIScrollView::kAnimationDuration / 2);
    EXPECT_GT(scene.scrollView->presentationBounds().origin.y, 0);
    EXPECT_LT(scene.scrollView->presentationBounds().origin.y, 300);

    scene.scrollView->scrollRectToVisible({0, 900, 10, 50}, false);
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{0, 550}));
    scene.scrollView->scrollRectToVisible({0, 600, 10, 50}, false);
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{0, 550})) << "already visible";
    scene.scrollView->scrollRectToVisible({0, 100, 10, 50}, false);
    EXPECT_EQ(scene.scrollView->contentOffset(), (CGPoint{0, 100}));
}

}  // namespace
