#pragma once

#include <memory>
#include <vector>

#include "platform/ui/window/TouchTracker.h"
#include "platform/ui/window/UIWindow.h"

// Scripted fingers on a window that is not shown: each call is one input event
// through the window's real touch path (hit testing, tap counts, the dispatcher),
// 1/60 s after the previous one unless told otherwise.
class TouchScript {
public:
    explicit TouchScript(const std::shared_ptr<UIWindow>& window) : tracker_(*window) {}

    TouchScript& down(long finger, CGPoint at) {
        return send({{finger, UITouchPhase::Began, at, {}}});
    }
    TouchScript& move(long finger, CGPoint to) {
        return send({{finger, UITouchPhase::Moved, to, {}}});
    }
    TouchScript& up(long finger, CGPoint at) {
        return send({{finger, UITouchPhase::Ended, at, {}}});
    }
    TouchScript& cancel(long finger, CGPoint at) {
        return send({{finger, UITouchPhase::Cancelled, at, {}}});
    }
    // Several fingers changing in one event.
    TouchScript& send(const std::vector<TouchTracker::Change>& changes) {
        time_ += step_;
        tracker_.send(changes, time_);
        return *this;
    }
    // Moves one finger from its point to another in even steps, one event each.
    TouchScript& drag(long finger, CGPoint from, CGPoint to, int steps) {
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            move(finger, {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
        }
        return *this;
    }
    // One finger on the middle of a view, a second after the last event so that it
    // never counts as a repeat tap.
    TouchScript& tap(const UIView& view) {
        const CGRect frame = view.convertRectToView(view.bounds(), nullptr);
        const CGPoint centre{frame.midX(), frame.midY()};
        return wait(1).down(1, centre).up(1, centre);
    }
    TouchScript& wait(double seconds) {
        time_ += seconds;
        return *this;
    }
    void setStep(double seconds) { step_ = seconds; }
    double time() const { return time_; }

private:
    TouchTracker tracker_;
    double time_ = 100;
    double step_ = 1.0 / 60;
};
