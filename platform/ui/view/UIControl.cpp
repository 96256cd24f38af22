#include "platform/ui/view/UIControl.h"

#include <algorithm>

namespace {
constexpr double kTrackingSlop = 70;
}  // namespace

UIControl::UIControl(const CGRect& frame) : UIView(frame) {}

int UIControl::addTarget(Action action, unsigned controlEvents) {
    const int number = nextTargetNumber_++;
    if (action && controlEvents != 0) {
        targets_.push_back({number, controlEvents, std::move(action)});
    }
    return number;
}

void UIControl::removeTarget(int action) {
    std::erase_if(targets_, [action](const Target& target) { return target.number == action; });
}

void UIControl::sendActionsForControlEvents(unsigned controlEvents) {
    // A copy: an action may add or remove actions, or drop the last owner of this control.
    const auto targets = targets_;
    const UIViewPtr keepAlive = shared_from_this();
    for (const Target& target : targets) {
        if ((target.events & controlEvents) != 0) {
            target.action(*this);
        }
    }
}

void UIControl::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    setNeedsDisplay();
}

void UIControl::setSelected(bool selected) {
    if (selected == selected_) {
        return;
    }
    selected_ = selected;
    setNeedsDisplay();
}

void UIControl::setHighlighted(bool highlighted) {
    if (highlighted == highlighted_) {
        return;
    }
    highlighted_ = highlighted;
    setNeedsDisplay();
}

unsigned UIControl::state() const {
    unsigned result = UIControlStateNormal;
    if (highlighted_) {
        result |= UIControlStateHighlighted;
    }
    if (!enabled_) {
        result |= UIControlStateDisabled;
    }
    if (selected_) {
        result |= UIControlStateSelected;
    }
    return result;
}

bool UIControl::beginTrackingWithTouch(const UITouch&, const UIEvent&) {
    return true;
}

bool UIControl::continueTrackingWithTouch(const UITouch&, const UIEvent&) {
    return true;
}

void UIControl::endTrackingWithTouch(const UITouch&, const UIEvent&) {}

void UIControl::cancelTrackingWithEvent(const UIEvent&) {}

bool UIControl::isInsideTrackingArea(const UITouch& touch) const {
    return bounds().insetBy(-kTrackingSlop, -kTrackingSlop).contains(touch.locationInView(this));
}

void UIControl::touchesBegan(const UITouchSet& touches, const UIEvent& event) {
    if (!enabled_ || tracking_ || touches.empty()) {
        return;
    }
    const UITouchPtr& touch = touches.front();
    trackedTouch_ = touch;
    touchInside_ = true;
    setHighlighted(true);
    tracking_ = beginTrackingWithTouch(*touch, event);
    sendActionsForControlEvents(touch->tapCount() > 1
                                    ? UIControlEventTouchDown | UIControlEventTouchDownRepeat
                                    : UIControlEventTouchDown);
}

void UIControl::touchesMoved(const UITouchSet& touches, const UIEvent& event) {
    const UITouchPtr touch = trackedTouch_.lock();
    if (!touch || std::find(touches.begin(), touches.end(), touch) == touches.end()) {
        return;
    }
    const bool wasInside = touchInside_;
    touchInside_ = isInsideTrackingArea(*touch);
    setHighlighted(touchInside_);
    if (tracking_) {
        tracking_ = continueTrackingWithTouch(*touch, event);
    }
    unsigned events = touchInside_ ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (wasInside != touchInside_) {
        events |= touchInside_ ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    }
    sendActionsForControlEvents(events);
}

void UIControl::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    const UITouchPtr touch = trackedTouch_.lock();
    if (!touch || std::find(touches.begin(), touches.end(), touch) == touches.end()) {
        return;
    }
    trackedTouch_.reset();
    touchInside_ = isInsideTrackingArea(*touch);
    if (tracking_) {
        endTrackingWithTouch(*touch, event);
    }
    tracking_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(touchInside_ ? UIControlEventTouchUpInside
                                             : UIControlEventTouchUpOutside);
}

void UIControl::touchesCancelled(const UITouchSet& touches, const UIEvent& event) {
    const UITouchPtr touch = trackedTouch_.lock();
    if (!touch || std::find(touches.begin(), touches.end(), touch) == touches.end()) {
        return;
    }
    trackedTouch_.reset();
    if (tracking_) {
        cancelTrackingWithEvent(event);
    }
    tracking_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel);
}
