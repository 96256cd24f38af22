#include "platform/ui/window/TouchTracker.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/window/UIWindow.h"

namespace {
// A tap follows the previous one when it comes this soon and this near.
constexpr double kMultiTapInterval = 0.35;
constexpr double kMultiTapDistance = 22;
}  // namespace

TouchTracker::TouchTracker(UIWindow& window) : window_(window) {}

bool TouchTracker::isDown(long id) const {
    return std::any_of(touches_.begin(), touches_.end(),
                       [id](const Finger& finger) { return finger.id == id; });
}

int TouchTracker::tapCountFor(CGPoint location, double timestamp) const {
    const double distance =
        std::hypot(location.x - lastTapLocation_.x, location.y - lastTapLocation_.y);
    if (lastTapTime_ >= 0 && timestamp - lastTapTime_ <= kMultiTapInterval &&
        distance <= kMultiTapDistance) {
        return lastTapCount_ + 1;
    }
    return 1;
}

UITouchPtr TouchTracker::beginTouch(const Change& change, double timestamp) {
    const CGPoint hitPoint = change.hitPoint.value_or(change.location);
    const UIViewPtr view = window_.hitTest(hitPoint, nullptr);
    auto touch =
        std::make_shared<UITouch>(std::static_pointer_cast<UIWindow>(window_.shared_from_this()),
                                  view, change.location, tapCountFor(change.location, timestamp));
    touch->update(UITouchPhase::Began, change.location, timestamp);
    touches_.push_back({change.id, touch});
    return touch;
}

void TouchTracker::send(const std::vector<Change>& changes, double timestamp) {
    UITouchSet changed;
    for (const Change& change : changes) {
        const auto finger = std::find_if(touches_.begin(), touches_.end(),
                                         [&](const Finger& f) { return f.id == change.id; });
        if (change.phase == UITouchPhase::Began) {
            if (finger == touches_.end()) {
                changed.push_back(beginTouch(change, timestamp));
            }
            continue;
        }
        if (finger == touches_.end()) {
            continue;
        }
        finger->touch->update(change.phase, change.location, timestamp);
        changed.push_back(finger->touch);
    }
    if (changed.empty()) {
        return;
    }
    std::vector<UITouchPtr> all;
    for (const Finger& finger : touches_) {
        all.push_back(finger.touch);
    }
    const UIEvent event(std::move(all), timestamp);
    for (const UITouchPtr& touch : changed) {
        if (touch->phase() == UITouchPhase::Ended) {
            lastTapLocation_ = touch->locationInWindow();
            lastTapTime_ = timestamp;
            lastTapCount_ = touch->tapCount();
        }
    }
    std::erase_if(touches_, [](const Finger& finger) {
        return finger.touch->phase() == UITouchPhase::Ended ||
               finger.touch->phase() == UITouchPhase::Cancelled;
    });
    window_.sendEvent(changed, event);
}

void TouchTracker::cancelAll(double timestamp) {
    std::vector<Change> changes;
    for (const Finger& finger : touches_) {
        changes.push_back(
            {finger.id, UITouchPhase::Cancelled, finger.touch->locationInWindow(), {}});
    }
    send(changes, timestamp);
}
