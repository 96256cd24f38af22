#pragma once

#include <optional>
#include <vector>

#include "platform/ui/view/UITouch.h"

class UIWindow;

// Turns fingers, identified by numbers, into the window's touches: a UITouch per
// finger from touch-down to lift-off, hit-tested when it touches down, with tap
// counts for quick repeated taps at one place. Each batch of changes becomes one
// event sent to the window.
class TouchTracker {
public:
    struct Change {
        long id;
        UITouchPhase phase;
        CGPoint location;
        // Where a new touch is hit-tested, when not at its own location (the cursor,
        // for the two fingers of a synthetic gesture).
        std::optional<CGPoint> hitPoint;
    };

    explicit TouchTracker(UIWindow& window);

    // Began changes for fingers already down and changes for unknown fingers are
    // dropped. timestamp: seconds.
    void send(const std::vector<Change>& changes, double timestamp);
    // Ends every finger as cancelled.
    void cancelAll(double timestamp);
    bool isDown(long id) const;
    bool isEmpty() const { return touches_.empty(); }

private:
    struct Finger {
        long id;
        UITouchPtr touch;
    };
    UITouchPtr beginTouch(const Change& change, double timestamp);
    int tapCountFor(CGPoint location, double timestamp) const;

    UIWindow& window_;
    std::vector<Finger> touches_;
    // The last lift-off of a tap, to count taps.
    CGPoint lastTapLocation_;
    double lastTapTime_ = -1;
    int lastTapCount_ = 0;
};
