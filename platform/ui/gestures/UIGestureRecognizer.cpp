#include "platform/ui/gestures/UIGestureRecognizer.h"

#include <algorithm>

#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"
#include "platform/ui/gestures/UITouchDispatcher.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/window/UIWindow.h"

using State = UIGestureRecognizerState;

UIGestureRecognizer::UIGestureRecognizer() = default;

UIGestureRecognizer::~UIGestureRecognizer() = default;

void UIGestureRecognizer::addTarget(Action action) {
    if (action) {
        actions_.push_back(std::move(action));
    }
}

void UIGestureRecognizer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        return;
    }
    if (isActive()) {
        setState(State::Cancelled);
    } else if (state_ == State::Possible && !touches_.empty()) {
        setState(State::Failed);
    }
}

void UIGestureRecognizer::setView(const std::shared_ptr<UIView>& view) {
    view_ = view;
    if (view) {
        UITouchDispatcher::install();
        return;
    }
    // Taken off its view (perhaps as the view goes away) in the middle of a gesture: it
    // stops holding the touches it shares with others, without calling anyone.
    if (isActive()) {
        state_ = State::Cancelled;
    } else if (state_ == State::Possible && !touches_.empty()) {
        state_ = State::Failed;
    }
}

void UIGestureRecognizer::setDelegate(std::weak_ptr<UIGestureRecognizerDelegate> delegate) {
    delegate_ = std::move(delegate);
}

CGPoint UIGestureRecognizer::windowPointInView(CGPoint point, const UIView* view) const {
    if (view == nullptr) {
        return point;
    }
    const auto window = window_.lock();
    return view->convertPointFromView(point, window.get());
}

CGPoint UIGestureRecognizer::locationInView(const UIView* view) const {
    const CGPoint location = touches_.empty() ? lastLocation_ : centroidInWindow(touches_.size());
    return windowPointInView(location, view);
}

CGPoint UIGestureRecognizer::locationOfTouch(std::size_t index, const UIView* view) const {
    if (index >= touches_.size()) {
        return locationInView(view);
    }
    return touches_[index]->locationInView(view);
}

CGPoint UIGestureRecognizer::centroidInWindow(std::size_t count) const {
    count = std::min(count, touches_.size());
    if (count == 0) {
        return lastLocation_;
    }
    CGPoint sum;
    for (std::size_t i = 0; i < count; ++i) {
        const CGPoint p = touches_[i]->locationInWindow();
        sum.x += p.x;
        sum.y += p.y;
    }
    return {sum.x / static_cast<double>(count), sum.y / static_cast<double>(count)};
}

CGPoint UIGestureRecognizer::vectorInView(CGPoint vector, const UIView* view) const {
    const CGPoint base = locationInView(nullptr);
    const CGPoint from = windowPointInView(base, view);
    const CGPoint to = windowPointInView({base.x + vector.x, base.y + vector.y}, view);
    return {to.x - from.x, to.y - from.y};
}

CGPoint UIGestureRecognizer::vectorFromView(CGPoint vector, const UIView* view) const {
    if (view == nullptr) {
        return vector;
    }
    const auto window = window_.lock();
    const CGPoint base = locationInView(view);
    const CGPoint from = view->convertPointToView(base, window.get());
    const CGPoint to =
        view->convertPointToView({base.x + vector.x, base.y + vector.y}, window.get());
    return {to.x - from.x, to.y - from.y};
}

bool UIGestureRecognizer::isTracking() const {
    return state_ == State::Possible || isActive();
}

void UIGestureRecognizer::receiveTouches(UITouchPhase phase, const UITouchSet& touches,
                                         const UIEvent& event) {
    if (!enabled_ || !isTracking() || touches.empty()) {
        return;
    }
    timestamp_ = event.timestamp();
    if (window_.expired()) {
        window_ = touches.front()->window();
    }
    switch (phase) {
        case UITouchPhase::Began:
            for (const UITouchPtr& touch : touches) {
                if (std::find(touches_.begin(), touches_.end(), touch) == touches_.end()) {
                    touches_.push_back(touch);
                }
            }
            lastLocation_ = centroidInWindow(touches_.size());
            touchesBegan(touches, event);
            return;
        case UITouchPhase::Moved:
        case UITouchPhase::Stationary:
            lastLocation_ = centroidInWindow(touches_.size());
            touchesMoved(touches, event);
            return;
        case UITouchPhase::Ended:
        case UITouchPhase::Cancelled:
            break;
    }
    lastLocation_ = centroidInWindow(touches_.size());
    std::erase_if(touches_, [&](const UITouchPtr& touch) {
        return std::find(touches.begin(), touches.end(), touch) != touches.end();
    });
    if (phase == UITouchPhase::Ended) {
        touchesEnded(touches, event);
    } else {
        touchesCancelled(touches, event);
    }
}

void UIGestureRecognizer::touchesBegan(const UITouchSet&, const UIEvent&) {}

void UIGestureRecognizer::touchesMoved(const UITouchSet&, const UIEvent&) {}

void UIGestureRecognizer::touchesEnded(const UITouchSet&, const UIEvent&) {
    if (!touches_.empty()) {
        return;
    }
    if (state_ == State::Possible) {
        setState(State::Failed);
    } else if (isActive()) {
        setState(State::Ended);
    }
}

void UIGestureRecognizer::touchesCancelled(const UITouchSet&, const UIEvent&) {
    if (state_ == State::Possible) {
        setState(State::Failed);
    } else if (isActive()) {
        setState(State::Cancelled);
    }
}

void UIGestureRecognizer::reset() {
    touches_.clear();
    state_ = State::Possible;
    didReset();
}

bool UIGestureRecognizer::mayBegin() {
    if (const auto delegate = delegate_.lock()) {
        if (!delegate->gestureRecognizerShouldBegin(*this).value_or(true)) {
            return false;
        }
    }
    return UITouchDispatcher::shared().recognizerMayBegin(*this);
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    if (state == State::Possible || !isTracking()) {
        return;
    }
    const bool leavesPossible = state_ == State::Possible;
    if (leavesPossible && (state == State::Changed || state == State::Cancelled)) {
        return;
    }
    if (!leavesPossible && (state == State::Began || state == State::Failed)) {
        return;
    }
    const auto keepAlive = weak_from_this().lock();
    if (leavesPossible && state != State::Failed && !mayBegin()) {
        state = State::Failed;
    }
    state_ = state;
    if (state == State::Failed) {
        return;
    }
    if (leavesPossible) {
        UITouchDispatcher::shared().recognizerDidBegin(*this);
    }
    sendActions();
}

void UIGestureRecognizer::sendActions() {
    const auto actions = actions_;
    for (const Action& action : actions) {
        action(*this);
    }
}
