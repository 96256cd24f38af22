#pragma once

#include <functional>
#include <memory>
#include <vector>

class UIView;

// The time that every animation runs on, in seconds. Nothing moves it but advance:
// an open window advances it from real time, about 60 times a second while anything
// animates and not at all otherwise; tests and programs without a window drive it
// with advance and runToEnd, so no test waits for real time to pass.
//
// Each step ends the animations whose time is up (their completions go to the main
// queue), lets the views with running animations repaint, and runs the frame
// callbacks. Main thread only.
class AnimationClock {
public:
    // Called on every step with the clock's time; returning false stops the calls.
    using FrameCallback = std::function<bool(double now)>;

    static AnimationClock& shared();

    double now() const { return now_; }
    // Moves the time on (negative steps are ignored) and processes the step.
    void advance(double seconds);
    // Advances in frame-sized steps, running the main queue between them, until
    // every animation that ends has ended and no frame callback remains (animations
    // that repeat for ever keep running). Gives up after an hour of clock time.
    void runToEnd();

    // Test seam: while manual, open windows leave the clock alone and only advance and
    // runToEnd move it.
    void setManualStepping(bool manual) { manual_ = manual; }
    bool isManualStepping() const { return manual_; }

    // True while an animation runs (repeating ones included) or a frame callback
    // remains: the window keeps stepping the clock meanwhile.
    bool isAnimating() const;

    // Views with running animations; the layer registers its view on adding one.
    void trackView(const std::shared_ptr<UIView>& view);
    // For work that moves on every frame for a while (a scroll view's deceleration).
    void addFrameCallback(FrameCallback callback);
    // Called when the clock goes from idle to animating, so a window can start
    // stepping it; the returned token keeps the observer registered.
    std::shared_ptr<void> observeWakeUps(std::function<void()> observer);

private:
    AnimationClock() = default;
    void step();
    bool hasFiniteWork() const;
    void wakeUp();

    double now_ = 0;
    bool manual_ = false;
    std::vector<std::weak_ptr<UIView>> views_;
    std::vector<FrameCallback> frameCallbacks_;
    std::vector<std::weak_ptr<std::function<void()>>> wakeObservers_;
};
