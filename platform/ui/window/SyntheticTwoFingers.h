#pragma once

#include "platform/geometry/CGPoint.h"

class TouchTracker;

// Two fingers made up from a desktop's wheel and trackpad input, so that pinch, turn
// and two-finger pan gestures can be made without a touch screen. Both fingers touch
// down around the cursor and hit the view under it; each call moves them; end lifts
// them. A call of another kind ends the running gesture and starts a new one.
class SyntheticTwoFingers {
public:
    explicit SyntheticTwoFingers(TouchTracker& tracker);

    // Spreads (factor > 1) or closes the fingers about center.
    void pinch(CGPoint center, double factor, double timestamp);
    // Turns them about center, clockwise on screen for positive radians.
    void rotate(CGPoint center, double radians, double timestamp);
    // Moves both by delta.
    void pan(CGPoint center, CGPoint delta, double timestamp);
    void end(double timestamp);
    bool isActive() const { return kind_ != Kind::None; }

    // Ids of the two fingers in the tracker.
    static constexpr long kFirstFinger = 1'000'001;
    static constexpr long kSecondFinger = 1'000'002;

private:
    enum class Kind { None, Pinch, Rotate, Pan };
    void startIfNeeded(Kind kind, CGPoint center, double timestamp);
    void moveFingers(double timestamp);
    CGPoint fingerLocation(int which) const;

    TouchTracker& tracker_;
    Kind kind_ = Kind::None;
    CGPoint center_;
    double radius_ = 0;
    double angle_ = 0;
    CGPoint offset_;
};
