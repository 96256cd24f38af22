#include "platform/ui/animation/AnimationClock.h"

#include <algorithm>

#include "platform/dispatch/DispatchQueue.h"
#include "platform/ui/animation/LayerAnimation.h"
#include "platform/ui/view/UIView.h"

namespace {
constexpr double kFrameDuration = 1.0 / 60.0;
constexpr double kRunToEndLimit = 3600;
}  // namespace

AnimationClock& AnimationClock::shared() {
    static AnimationClock clock;
    return clock;
}

void AnimationClock::advance(double seconds) {
    if (seconds > 0) {
        now_ += seconds;
    }
    step();
}

void AnimationClock::runToEnd() {
    const double limit = now_ + kRunToEndLimit;
    drainMainQueue();
    while (hasFiniteWork() && now_ < limit) {
        advance(kFrameDuration);
        drainMainQueue();
    }
}

bool AnimationClock::isAnimating() const {
    if (!frameCallbacks_.empty()) {
        return true;
    }
    return std::any_of(views_.begin(), views_.end(), [](const std::weak_ptr<UIView>& weak) {
        const auto view = weak.lock();
        return view && view->layer().hasRunningAnimations();
    });
}

bool AnimationClock::hasFiniteWork() const {
    if (!frameCallbacks_.empty()) {
        return true;
    }
    for (const auto& weak : views_) {
        const auto view = weak.lock();
        if (!view) {
            continue;
        }
        for (const auto& animation : view->layer().runningAnimations()) {
            if (!animation->ended && animation->isFinite()) {
                return true;
            }
        }
    }
    return false;
}

void AnimationClock::trackView(const std::shared_ptr<UIView>& view) {
    if (!view) {
        return;
    }
    const bool wasAnimating = isAnimating();
    const bool tracked = std::any_of(views_.begin(), views_.end(),
                                     [&](const auto& weak) { return weak.lock() == view; });
    if (!tracked) {
        views_.push_back(view);
    }
    if (!wasAnimating) {
        wakeUp();
    }
}

void AnimationClock::addFrameCallback(FrameCallback callback) {
    const bool wasAnimating = isAnimating();
    frameCallbacks_.push_back(std::move(callback));
    if (!wasAnimating) {
        wakeUp();
    }
}

std::shared_ptr<void> AnimationClock::observeWakeUps(std::function<void()> observer) {
    auto token = std::make_shared<std::function<void()>>(std::move(observer));
    wakeObservers_.push_back(token);
    return token;
}

void AnimationClock::wakeUp() {
    std::erase_if(wakeObservers_, [](const auto& weak) { return weak.expired(); });
    const auto observers = wakeObservers_;
    for (const auto& weak : observers) {
        if (const auto observer = weak.lock()) {
            (*observer)();
        }
    }
}

void AnimationClock::step() {
    // Copies: ending an animation may add or remove views and callbacks.
    const auto views = views_;
    for (const auto& weak : views) {
        if (const auto view = weak.lock()) {
            view->layer().updateAnimations(now_);
        }
    }
    std::erase_if(views_, [](const std::weak_ptr<UIView>& weak) {
        const auto view = weak.lock();
        return !view || !view->layer().hasRunningAnimations();
    });

    auto callbacks = std::move(frameCallbacks_);
    frameCallbacks_.clear();
    std::vector<FrameCallback> continuing;
    for (auto& callback : callbacks) {
        if (callback(now_)) {
            continuing.push_back(std::move(callback));
        }
    }
    // Callbacks added during the step come after the ones that continue.
    continuing.insert(continuing.end(), std::make_move_iterator(frameCallbacks_.begin()),
                      std::make_move_iterator(frameCallbacks_.end()));
    frameCallbacks_ = std::move(continuing);
}
