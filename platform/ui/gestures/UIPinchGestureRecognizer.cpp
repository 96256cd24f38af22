#include "platform/ui/gestures/UIPinchGestureRecognizer.h"

#include <cmath>

double UIPinchGestureRecognizer::fingerDistance() const {
    const CGPoint a = touches()[0]->locationInWindow();
    const CGPoint b = touches()[1]->locationInWindow();
    return std::hypot(b.x - a.x, b.y - a.y);
}

void UIPinchGestureRecognizer::setScale(double scale) {
    scale_ = scale;
    scaleAtStart_ = scale;
    if (startDistance_ && touches().size() >= 2 && fingerDistance() > 0) {
        startDistance_ = fingerDistance();
    }
    velocity_ = 0;
}

void UIPinchGestureRecognizer::touchesBegan(const UITouchSet&, const UIEvent&) {
    if (!startDistance_ && touches().size() >= 2 && fingerDistance() > 0) {
        startDistance_ = fingerDistance();
        lastTime_ = timestamp();
    }
}

void UIPinchGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {
    if (!startDistance_ || touches().size() < 2) {
        return;
    }
    const double distance = fingerDistance();
    const double scale = scaleAtStart_ * distance / *startDistance_;
    if (timestamp() > lastTime_) {
        velocity_ = (scale - scale_) / (timestamp() - lastTime_);
        lastTime_ = timestamp();
    }
    scale_ = scale;
    if (state() == UIGestureRecognizerState::Possible) {
        if (std::abs(distance - *startDistance_) >= kBeginDistance) {
            setState(UIGestureRecognizerState::Began);
        }
        return;
    }
    setState(UIGestureRecognizerState::Changed);
}

void UIPinchGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    if (this->touches().size() >= 2) {
        return;
    }
    if (isActive()) {
        setState(UIGestureRecognizerState::Ended);
        return;
    }
    startDistance_.reset();
    scale_ = scaleAtStart_;
    UIGestureRecognizer::touchesEnded(touches, event);
}

void UIPinchGestureRecognizer::didReset() {
    startDistance_.reset();
    scaleAtStart_ = 1;
    scale_ = 1;
    velocity_ = 0;
}
