#pragma once

#include "platform/ui/window/TouchTracker.h"
#include "platform/ui/window/UIWindow.h"

// Taps through the window's own touch handling, half a second apart, each lasting a
// sixtieth of a second: how the offscreen tour and the benchmarks play a person.
class WindowTaps {
public:
    explicit WindowTaps(UIWindow& window) : tracker_(window) {}

    void operator()(CGPoint point) {
        time_ += 0.5;
        tracker_.send({{1, UITouchPhase::Began, point, {}}}, time_);
        time_ += 1.0 / 60;
        tracker_.send({{1, UITouchPhase::Ended, point, {}}}, time_);
    }

private:
    TouchTracker tracker_;
    double time_ = 0;
};
