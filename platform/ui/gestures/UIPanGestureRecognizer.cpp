#include "platform/ui/gestures/UIPanGestureRecognizer.h"

#include <algorithm>
#include <cmath>

namespace {
// Velocity is measured over this many seconds before the latest movement.
constexpr double kVelocityWindow = 0.1;
}  // namespace

std::size_t UIPanGestureRecognizer::countedTouches() const {
    return std::min(touches().size(), maximumTouches_);
}

CGPoint UIPanGestureRecognizer::centroid() const {
    return centroidInWindow(countedTouches());
}

CGPoint UIPanGestureRecognizer::translationInView(const UIView* view) const {
    const CGPoint now = centroid();
    return vectorInView({now.x - origin_.x, now.y - origin_.y}, view);
}

void UIPanGestureRecognizer::setTranslation(CGPoint translation, const UIView* view) {
    const CGPoint inWindow = vectorFromView(translation, view);
    const CGPoint now = centroid();
    origin_ = {now.x - inWindow.x, now.y - inWindow.y};
    samples_.clear();
    addSample();
}

CGPoint UIPanGestureRecognizer::velocityInView(const UIView* view) const {
    if (samples_.size() < 2) {
        return {};
    }
    const Sample& last = samples_.back();
    const Sample& first = samples_.front();
    const double elapsed = last.time - first.time;
    if (elapsed <= 0) {
        return {};
    }
    return vectorInView({(last.location.x - first.location.x) / elapsed,
                         (last.location.y - first.location.y) / elapsed},
                        view);
}

void UIPanGestureRecognizer::addSample() {
    samples_.push_back({timestamp(), centroid()});
    while (samples_.size() > 2 && samples_.back().time - samples_[1].time >= kVelocityWindow) {
        samples_.pop_front();
    }
}

void UIPanGestureRecognizer::rebaseAfter(CGPoint previousCentroid) {
    const CGPoint now = centroid();
    origin_.x += now.x - previousCentroid.x;
    origin_.y += now.y - previousCentroid.y;
    samples_.clear();
    addSample();
}

void UIPanGestureRecognizer::touchesBegan(const UITouchSet& touches, const UIEvent&) {
    // Too many fingers before it begins, whether they came one by one or together.
    if (state() == UIGestureRecognizerState::Possible && this->touches().size() > maximumTouches_) {
        setState(UIGestureRecognizerState::Failed);
        return;
    }
    if (this->touches().size() == touches.size()) {
        origin_ = centroid();
        samples_.clear();
        addSample();
        return;
    }
    // The new fingers are at the end of the list: the centroid before them is the
    // centroid of the others.
    const std::size_t before = std::min(this->touches().size() - touches.size(), maximumTouches_);
    rebaseAfter(centroidInWindow(before));
}

void UIPanGestureRecognizer::follow() {
    addSample();
    const CGPoint now = centroid();
    if (state() == UIGestureRecognizerState::Possible) {
        const bool enoughFingers = touches().size() >= minimumTouches_;
        if (enoughFingers && std::hypot(now.x - origin_.x, now.y - origin_.y) >= kBeginDistance) {
            setState(UIGestureRecognizerState::Began);
        }
        return;
    }
    setState(UIGestureRecognizerState::Changed);
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {
    follow();
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet& touches, const UIEvent& event) {
    if (this->touches().empty() || (isActive() && this->touches().size() < minimumTouches_)) {
        addSample();
        UIGestureRecognizer::touchesEnded(touches, event);
        if (isActive()) {
            setState(UIGestureRecognizerState::Ended);
        }
        return;
    }
    // The lifted fingers were part of the centroid: rebase from the centroid with them.
    CGPoint sum;
    std::size_t counted = countedTouches();
    for (std::size_t i = 0; i < counted; ++i) {
        const CGPoint p = this->touches()[i]->locationInWindow();
        sum.x += p.x;
        sum.y += p.y;
    }
    for (const UITouchPtr& touch : touches) {
        const CGPoint p = touch->locationInWindow();
        sum.x += p.x;
        sum.y += p.y;
        ++counted;
    }
    const double n = static_cast<double>(counted);
    rebaseAfter({sum.x / n, sum.y / n});
}

void UIPanGestureRecognizer::didReset() {
    samples_.clear();
    origin_ = {};
}
