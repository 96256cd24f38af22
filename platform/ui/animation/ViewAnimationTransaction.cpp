#include "platform/ui/animation/ViewAnimationTransaction.h"

#include <algorithm>

#include "platform/ui/animation/AnimationClock.h"
#include "platform/ui/animation/AnimationCompletion.h"
#include "platform/ui/animation/LayerAnimation.h"
#include "platform/ui/view/UIView.h"

namespace {

std::vector<ViewAnimationTransaction*>& openTransactions() {
    static std::vector<ViewAnimationTransaction*> transactions;
    return transactions;
}

CAMediaTimingFunction curveOf(unsigned options) {
    using Name = CAMediaTimingFunction::Name;
    switch (options & (3u << 16)) {
        case UIViewAnimationOptionCurveEaseIn:
            return CAMediaTimingFunction::functionWithName(Name::EaseIn);
        case UIViewAnimationOptionCurveEaseOut:
            return CAMediaTimingFunction::functionWithName(Name::EaseOut);
        case UIViewAnimationOptionCurveLinear:
            return CAMediaTimingFunction::functionWithName(Name::Linear);
        default:
            return CAMediaTimingFunction::functionWithName(Name::EaseInEaseOut);
    }
}

}  // namespace

ViewAnimationTransaction::ViewAnimationTransaction(const Parameters& parameters)
    : parameters_(parameters) {}

ViewAnimationTransaction* ViewAnimationTransaction::current() {
    const auto& open = openTransactions();
    return open.empty() ? nullptr : open.back();
}

void ViewAnimationTransaction::run(const Parameters& parameters,
                                   const std::function<void()>& animations,
                                   std::function<void(bool)> completion) {
    ViewAnimationTransaction transaction(parameters);
    {
        openTransactions().push_back(&transaction);
        struct Close {
            ~Close() { openTransactions().pop_back(); }
        } close;
        if (animations) {
            animations();
        }
    }
    transaction.commit(std::move(completion));
}

void ViewAnimationTransaction::record(UIView& view, const std::string& keyPath,
                                      const AnimatableValue& model, const AnimatableValue& target) {
    auto existing = std::find_if(changes_.begin(), changes_.end(), [&](const Change& change) {
        return change.address == &view && change.keyPath == keyPath;
    });
    if (existing != changes_.end()) {
        existing->to = target;
        return;
    }
    const bool fromScreen = (parameters_.options & UIViewAnimationOptionBeginFromCurrentState) != 0;
    AnimatableValue from = model;
    if (fromScreen) {
        from = view.layer().presentationValueForKey(keyPath).value_or(model);
    }
    changes_.push_back({view.weak_from_this(), &view, keyPath, from, target});
}

void ViewAnimationTransaction::commit(std::function<void(bool)> completion) {
    auto group = std::make_shared<AnimationCompletion>(std::move(completion));
    const double now = AnimationClock::shared().now();
    const bool animates = parameters_.duration > 0;
    for (const Change& change : changes_) {
        const auto view = change.view.lock();
        if (!view) {
            continue;
        }
        if (!animates || change.from == change.to) {
            view->layer().removeImplicitAnimation(change.keyPath);
            continue;
        }
        auto description = CABasicAnimation::animationWithKeyPath(change.keyPath);
        description.setDuration(parameters_.duration);
        description.setTimingFunction(curveOf(parameters_.options));
        auto animation =
            std::make_unique<LayerAnimation>(change.keyPath, std::move(description), change.from,
                                             change.to, now + std::max(parameters_.delay, 0.0));
        animation->implicit = true;
        animation->blocksInteraction =
            (parameters_.options & UIViewAnimationOptionAllowUserInteraction) == 0;
        animation->completion = group;
        group->animationStarted();
        view->layer().addRunningAnimation(std::move(animation));
    }
    group->completeWithoutAnimations();
}
