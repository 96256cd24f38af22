#include "platform/ui/gestures/UILongPressGestureRecognizer.h"

#include <cmath>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/view/UITouch.h"

void UILongPressGestureRecognizer::touchesBegan(const UITouchSet& touches, const UIEvent&) {
    if (this->touches().size() > 1 || state() != UIGestureRecognizerState::Possible) {
        setState(UIGestureRecognizerState::Failed);
        return;
    }
    start_ = touches.front()->locationInWindow();
    const std::uint64_t press = ++press_;
    AnimationClock& clock = AnimationClock::shared();
    const double due = clock.now() + minimumPressDuration_;
    const std::weak_ptr<UIGestureRecognizer> weakSelf = weak_from_this();
    clock.addFrameCallback([weakSelf, press, due](double now) {
        const auto self = std::static_pointer_cast<UILongPressGestureRecognizer>(weakSelf.lock());
        if (!self || self->press_ != press || self->state() != UIGestureRecognizerState::Possible) {
            return false;
        }
        if (now < due) {
            return true;
        }
        self->setState(UIGestureRecognizerState::Began);
        return false;
    });
}

void UILongPressGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {
    if (state() == UIGestureRecognizerState::Possible) {
        const CGPoint now = touches().front()->locationInWindow();
        if (std::hypot(now.x - start_.x, now.y - start_.y) > kAllowableMovement) {
            setState(UIGestureRecognizerState::Failed);
        }
        return;
    }
    setState(UIGestureRecognizerState::Changed);
}

void UILongPressGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    if (isActive()) {
        setState(UIGestureRecognizerState::Ended);
        return;
    }
    UIGestureRecognizer::touchesEnded(touches, event);
}

void UILongPressGestureRecognizer::didReset() {
    ++press_;
}
