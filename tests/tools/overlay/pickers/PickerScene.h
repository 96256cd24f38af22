#pragma once

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/window/UIWindow.h"
#include "tests/platform/ui/gestures/TouchScript.h"

// A phone-sized window that is not shown, with scripted fingers and the animation
// clock under the test's control.
struct PickerScene {
    std::shared_ptr<UIWindow> window = std::make_shared<UIWindow>();
    TouchScript touches{window};

    PickerScene() { AnimationClock::shared().setManualStepping(true); }
    ~PickerScene() { AnimationClock::shared().runToEnd(); }

    // A point of view's bounds in the window.
    CGPoint inWindow(const UIView& view, CGPoint point) const {
        return view.convertPointToView(point, window.get());
    }
    // One finger dragged slowly (30 points a second, so it lifts without a flick).
    void slowDrag(CGPoint from, CGPoint to) {
        const double distance = std::hypot(to.x - from.x, to.y - from.y);
        const int steps = std::max(1, static_cast<int>(distance * 2));
        touches.wait(1).down(1, from).drag(1, from, to, steps).up(1, to);
    }
};
