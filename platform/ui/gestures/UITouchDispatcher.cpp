#include "platform/ui/gestures/UITouchDispatcher.h"

#include <algorithm>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "platform/ui/gestures/UIGestureRecognizerDelegate.h"
#include "platform/ui/view/UIView.h"
#include "platform/ui/window/UIWindow.h"

namespace {

bool isFinal(UITouchPhase phase) {
    return phase == UITouchPhase::Ended || phase == UITouchPhase::Cancelled;
}

bool contains(const UITouchSet& touches, const UITouchPtr& touch) {
    return std::find(touches.begin(), touches.end(), touch) != touches.end();
}

template <typename T>
bool contains(const std::vector<std::shared_ptr<T>>& list, const T* item) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::shared_ptr<T>& entry) { return entry.get() == item; });
}

}  // namespace

UITouchDispatcher& UITouchDispatcher::shared() {
    static UITouchDispatcher dispatcher;
    return dispatcher;
}

void UITouchDispatcher::install() {
    UIWindow::setTouchDispatcher(
        [](UIWindow& window, const UITouchSet& changed, const UIEvent& event) {
            shared().dispatch(window, changed, event);
        });
}

void UITouchDispatcher::dispatch(UIWindow&, const UITouchSet& changed, const UIEvent& event) {
    lastEvent_ = event;
    for (const UITouchPtr& touch : changed) {
        if (touch->phase() == UITouchPhase::Began && recordFor(touch) == nullptr) {
            addRecord(touch);
        }
    }
    deliverToRecognizers(changed, event);
    deliverToViews(changed, event);
    endGestureIfAllLifted(event);
}

UITouchDispatcher::TouchRecord* UITouchDispatcher::recordFor(const UITouchPtr& touch) {
    const auto found =
        std::find_if(records_.begin(), records_.end(),
                     [&](const TouchRecord& record) { return record.touch == touch; });
    return found == records_.end() ? nullptr : &*found;
}

void UITouchDispatcher::addRecord(const UITouchPtr& touch) {
    TouchRecord record;
    record.touch = touch;
    for (UIViewPtr view = touch->view(); view; view = view->superview()) {
        for (const auto& recognizer : view->gestureRecognizers()) {
            if (recognizer->isEnabled()) {
                record.recognizers.push_back(recognizer);
            }
        }
    }
    for (const auto& recognizer : record.recognizers) {
        if (!contains(recognizers_, recognizer.get())) {
            recognizers_.push_back(recognizer);
        }
    }
    records_.push_back(std::move(record));
}

void UITouchDispatcher::deliverToRecognizers(const UITouchSet& changed, const UIEvent& event) {
    const UITouchPhase phases[] = {UITouchPhase::Began, UITouchPhase::Moved, UITouchPhase::Ended,
                                   UITouchPhase::Cancelled};
    const auto recognizers = recognizers_;
    for (const auto& recognizer : recognizers) {
        for (const UITouchPhase phase : phases) {
            if (!recognizer->view() || !recognizer->isTracking()) {
                break;
            }
            UITouchSet touches;
            for (const UITouchPtr& touch : changed) {
                const TouchRecord* record = recordFor(touch);
                if (touch->phase() == phase && record != nullptr &&
                    contains(record->recognizers, recognizer.get())) {
                    touches.push_back(touch);
                }
            }
            if (!touches.empty()) {
                recognizer->receiveTouches(phase, touches, event);
            }
        }
    }
}

bool UITouchDispatcher::isHeld(TouchRecord& record) const {
    return std::any_of(record.recognizers.begin(), record.recognizers.end(),
                       [](const auto& recognizer) {
                           return recognizer->delaysTouchesBegan() &&
                                  recognizer->state() == UIGestureRecognizerState::Possible &&
                                  recognizer->isEnabled() && recognizer->view();
                       });
}

void UITouchDispatcher::planDelivery(TouchRecord& record, bool changed,
                                     std::vector<ViewDelivery>& plan) {
    const UITouchPhase phase = record.touch->phase();
    if (record.viewState == ViewState::Finished || record.viewState == ViewState::Cancelled) {
        return;
    }
    if (changed && phase != UITouchPhase::Began) {
        record.movedUnseen = true;
    }
    if (record.viewState == ViewState::NotBegun) {
        if (!record.heldSince && isHeld(record)) {
            record.heldSince = AnimationClock::shared().now();
            startHoldTimer();
        }
        if (record.heldSince && isHeld(record) && !isFinal(phase)) {
            return;
        }
        plan.push_back({record.touch->view(), UITouchPhase::Began, {record.touch}});
        record.viewState = ViewState::Began;
    }
    if (!record.movedUnseen) {
        return;
    }
    record.movedUnseen = false;
    const UITouchPhase next = phase == UITouchPhase::Stationary ? UITouchPhase::Moved : phase;
    plan.push_back({record.touch->view(), next, {record.touch}});
    if (isFinal(phase)) {
        record.viewState = ViewState::Finished;
    }
}

void UITouchDispatcher::deliverToViews(const UITouchSet& changed, const UIEvent& event) {
    std::vector<ViewDelivery> plan;
    for (TouchRecord& record : records_) {
        planDelivery(record, contains(changed, record.touch), plan);
    }
    // Touches that began before the dispatcher was installed go straight to their views.
    for (const UITouchPtr& touch : changed) {
        if (recordFor(touch) == nullptr) {
            plan.push_back({touch->view(), touch->phase(), {touch}});
        }
    }
    sendToViews(plan, event);
}

void UITouchDispatcher::sendToViews(const std::vector<ViewDelivery>& plan, const UIEvent& event) {
    // Touches of one phase for one view go together, the phases in the platform's order.
    const UITouchPhase phases[] = {UITouchPhase::Began, UITouchPhase::Moved, UITouchPhase::Ended,
                                   UITouchPhase::Cancelled};
    for (const UITouchPhase phase : phases) {
        std::vector<ViewDelivery> groups;
        for (const ViewDelivery& delivery : plan) {
            if (delivery.phase != phase || !delivery.view) {
                continue;
            }
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&](const auto& g) { return g.view == delivery.view; });
            if (group == groups.end()) {
                groups.push_back({delivery.view, phase, {}});
                group = std::prev(groups.end());
            }
            group->touches.insert(group->touches.end(), delivery.touches.begin(),
                                  delivery.touches.end());
        }
        for (const ViewDelivery& group : groups) {
            switch (phase) {
                case UITouchPhase::Began:
                    group.view->touchesBegan(group.touches, event);
                    break;
                case UITouchPhase::Moved:
                    group.view->touchesMoved(group.touches, event);
                    break;
                case UITouchPhase::Ended:
                    group.view->touchesEnded(group.touches, event);
                    break;
                default:
                    group.view->touchesCancelled(group.touches, event);
                    break;
            }
        }
    }
}

void UITouchDispatcher::startHoldTimer() {
    if (holdTimerRunning_) {
        return;
    }
    holdTimerRunning_ = true;
    AnimationClock::shared().addFrameCallback([this](double now) {
        holdTimerRunning_ = releaseHeldTouches(now);
        return holdTimerRunning_;
    });
}

bool UITouchDispatcher::releaseHeldTouches(double now) {
    if (!lastEvent_) {
        return false;
    }
    std::vector<ViewDelivery> plan;
    bool stillHeld = false;
    for (TouchRecord& record : records_) {
        if (record.viewState != ViewState::NotBegun || !record.heldSince) {
            continue;
        }
        if (isHeld(record) && now - *record.heldSince < kTouchDelay) {
            stillHeld = true;
            continue;
        }
        record.heldSince.reset();
        plan.push_back({record.touch->view(), UITouchPhase::Began, {record.touch}});
        record.viewState = ViewState::Began;
    }
    sendToViews(plan, *lastEvent_);
    return stillHeld;
}

bool UITouchDispatcher::shareTouch(const UIGestureRecognizer& a,
                                   const UIGestureRecognizer& b) const {
    return std::any_of(records_.begin(), records_.end(), [&](const TouchRecord& record) {
        return contains(record.recognizers, &a) && contains(record.recognizers, &b);
    });
}

bool UITouchDispatcher::maySimultaneously(UIGestureRecognizer& a, UIGestureRecognizer& b) {
    const auto asks = [](UIGestureRecognizer& self, UIGestureRecognizer& other) {
        const auto delegate = self.delegate();
        return delegate && delegate->gestureRecognizerShouldRecognizeSimultaneouslyWith(self, other)
                               .value_or(false);
    };
    return asks(a, b) || asks(b, a);
}

bool UITouchDispatcher::recognizerMayBegin(UIGestureRecognizer& recognizer) const {
    return std::none_of(recognizers_.begin(), recognizers_.end(), [&](const auto& other) {
        return other.get() != &recognizer && other->isActive() && shareTouch(recognizer, *other) &&
               !maySimultaneously(recognizer, *other);
    });
}

void UITouchDispatcher::recognizerDidBegin(UIGestureRecognizer& recognizer) {
    const auto recognizers = recognizers_;
    for (const auto& other : recognizers) {
        if (other.get() != &recognizer && other->state() == UIGestureRecognizerState::Possible &&
            shareTouch(recognizer, *other) && !maySimultaneously(recognizer, *other)) {
            other->setState(UIGestureRecognizerState::Failed);
        }
    }
    if (recognizer.cancelsTouchesInView()) {
        cancelViewTouches(recognizer);
    }
}

void UITouchDispatcher::cancelViewTouches(const UIGestureRecognizer& recognizer) {
    std::vector<ViewDelivery> plan;
    for (TouchRecord& record : records_) {
        if (!contains(record.recognizers, &recognizer)) {
            continue;
        }
        if (record.viewState == ViewState::Began) {
            plan.push_back({record.touch->view(), UITouchPhase::Cancelled, {record.touch}});
        }
        if (record.viewState != ViewState::Finished) {
            record.viewState = ViewState::Cancelled;
        }
    }
    if (lastEvent_) {
        sendToViews(plan, *lastEvent_);
    }
}

void UITouchDispatcher::endGestureIfAllLifted(const UIEvent& event) {
    const bool allLifted =
        std::all_of(event.allTouches().begin(), event.allTouches().end(),
                    [](const UITouchPtr& touch) { return isFinal(touch->phase()); });
    if (!allLifted) {
        return;
    }
    const auto recognizers = std::move(recognizers_);
    recognizers_.clear();
    records_.clear();
    lastEvent_.reset();
    for (const auto& recognizer : recognizers) {
        recognizer->reset();
    }
}
