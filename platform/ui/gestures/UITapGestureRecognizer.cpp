#include "platform/ui/gestures/UITapGestureRecognizer.h"

#include <algorithm>
#include <cmath>

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, const UIEvent&) {
    for (const UITouchPtr& touch : touches) {
        starts_.push_back({touch, touch->locationInWindow()});
    }
    mostTouches_ = std::max(mostTouches_, this->touches().size());
    if (mostTouches_ > static_cast<std::size_t>(touchesRequired_)) {
        setState(UIGestureRecognizerState::Failed);
    }
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {
    for (const Start& start : starts_) {
        const CGPoint now = start.touch->locationInWindow();
        if (std::hypot(now.x - start.location.x, now.y - start.location.y) > kAllowableMovement) {
            setState(UIGestureRecognizerState::Failed);
            return;
        }
    }
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    touchesMoved(touches, event);
    if (!this->touches().empty() || state() != UIGestureRecognizerState::Possible) {
        return;
    }
    const int tapCount = touches.back()->tapCount();
    if (mostTouches_ == static_cast<std::size_t>(touchesRequired_) &&
        tapCount % tapsRequired_ == 0) {
        setState(UIGestureRecognizerState::Recognized);
        return;
    }
    UIGestureRecognizer::touchesEnded(touches, event);
}

void UITapGestureRecognizer::didReset() {
    starts_.clear();
    mostTouches_ = 0;
}
