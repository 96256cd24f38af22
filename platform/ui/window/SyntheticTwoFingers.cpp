#include "platform/ui/window/SyntheticTwoFingers.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/window/TouchTracker.h"

namespace {
// Half the distance between the fingers as a pinch or turn starts, and as a pan runs.
constexpr double kGestureRadius = 50;
constexpr double kPanRadius = 10;
constexpr double kMinimumRadius = 5;
constexpr double kMaximumRadius = 5000;
}  // namespace

SyntheticTwoFingers::SyntheticTwoFingers(TouchTracker& tracker) : tracker_(tracker) {}

CGPoint SyntheticTwoFingers::fingerLocation(int which) const {
    const double direction = which == 0 ? -1 : 1;
    return {center_.x + offset_.x + direction * radius_ * std::cos(angle_),
            center_.y + offset_.y + direction * radius_ * std::sin(angle_)};
}

void SyntheticTwoFingers::startIfNeeded(Kind kind, CGPoint center, double timestamp) {
    if (kind_ == kind) {
        return;
    }
    end(timestamp);
    kind_ = kind;
    center_ = center;
    radius_ = kind == Kind::Pan ? kPanRadius : kGestureRadius;
    angle_ = 0;
    offset_ = {};
    tracker_.send({{kFirstFinger, UITouchPhase::Began, fingerLocation(0), center},
                   {kSecondFinger, UITouchPhase::Began, fingerLocation(1), center}},
                  timestamp);
}

void SyntheticTwoFingers::moveFingers(double timestamp) {
    tracker_.send({{kFirstFinger, UITouchPhase::Moved, fingerLocation(0), {}},
                   {kSecondFinger, UITouchPhase::Moved, fingerLocation(1), {}}},
                  timestamp);
}

void SyntheticTwoFingers::pinch(CGPoint center, double factor, double timestamp) {
    startIfNeeded(Kind::Pinch, center, timestamp);
    if (factor > 0) {
        radius_ = std::clamp(radius_ * factor, kMinimumRadius, kMaximumRadius);
    }
    moveFingers(timestamp);
}

void SyntheticTwoFingers::rotate(CGPoint center, double radians, double timestamp) {
    startIfNeeded(Kind::Rotate, center, timestamp);
    angle_ += radians;
    moveFingers(timestamp);
}

void SyntheticTwoFingers::pan(CGPoint center, CGPoint delta, double timestamp) {
    startIfNeeded(Kind::Pan, center, timestamp);
    offset_.x += delta.x;
    offset_.y += delta.y;
    moveFingers(timestamp);
}

void SyntheticTwoFingers::end(double timestamp) {
    if (kind_ == Kind::None) {
        return;
    }
    kind_ = Kind::None;
    tracker_.send({{kFirstFinger, UITouchPhase::Ended, fingerLocation(0), {}},
                   {kSecondFinger, UITouchPhase::Ended, fingerLocation(1), {}}},
                  timestamp);
}
