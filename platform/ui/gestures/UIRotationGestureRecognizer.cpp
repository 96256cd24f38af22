#include "platform/ui/gestures/UIRotationGestureRecognizer.h"

#include <cmath>
#include <numbers>

namespace {

// The angle brought into (-pi, pi], so a turn across the half-turn line stays small.
double wrapped(double angle) {
    while (angle > std::numbers::pi) {
        angle -= 2 * std::numbers::pi;
    }
    while (angle <= -std::numbers::pi) {
        angle += 2 * std::numbers::pi;
    }
    return angle;
}

}  // namespace

double UIRotationGestureRecognizer::fingerAngle() const {
    const CGPoint a = touches()[0]->locationInWindow();
    const CGPoint b = touches()[1]->locationInWindow();
    return std::atan2(b.y - a.y, b.x - a.x);
}

void UIRotationGestureRecognizer::setRotation(double rotation) {
    rotation_ = rotation;
    turned_ = 0;
    velocity_ = 0;
}

void UIRotationGestureRecognizer::touchesBegan(const UITouchSet&, const UIEvent&) {
    if (!lastAngle_ && touches().size() >= 2) {
        lastAngle_ = fingerAngle();
        lastTime_ = timestamp();
    }
}

void UIRotationGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {
    if (!lastAngle_ || touches().size() < 2) {
        return;
    }
    const double angle = fingerAngle();
    const double step = wrapped(angle - *lastAngle_);
    lastAngle_ = angle;
    turned_ += step;
    rotation_ += step;
    if (timestamp() > lastTime_) {
        velocity_ = step / (timestamp() - lastTime_);
        lastTime_ = timestamp();
    }
    if (state() == UIGestureRecognizerState::Possible) {
        if (std::abs(turned_) >= kBeginAngle) {
            setState(UIGestureRecognizerState::Began);
        }
        return;
    }
    setState(UIGestureRecognizerState::Changed);
}

void UIRotationGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    if (this->touches().size() >= 2) {
        return;
    }
    if (isActive()) {
        setState(UIGestureRecognizerState::Ended);
        return;
    }
    lastAngle_.reset();
    rotation_ -= turned_;
    turned_ = 0;
    UIGestureRecognizer::touchesEnded(touches, event);
}

void UIRotationGestureRecognizer::didReset() {
    lastAngle_.reset();
    turned_ = 0;
    rotation_ = 0;
    velocity_ = 0;
}
