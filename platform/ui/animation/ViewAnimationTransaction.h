#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/animation/AnimatableValue.h"

class UIView;

// One animation block of UIView::animate while its animations function runs: it
// collects every animatable property the block changes (first value before, last
// value after) and, when the block returns, starts one animation per changed property.
// Blocks nest; the innermost one records.
class ViewAnimationTransaction {
public:
    struct Parameters {
        double duration = 0;
        double delay = 0;
        unsigned options = 0;
    };

    static void run(const Parameters& parameters, const std::function<void()>& animations,
                    std::function<void(bool)> completion);
    // The innermost running block, or null.
    static ViewAnimationTransaction* current();

    // A view's property under keyPath is about to change from model (its value now)
    // to target.
    void record(UIView& view, const std::string& keyPath, const AnimatableValue& model,
                const AnimatableValue& target);

private:
    struct Change {
        std::weak_ptr<UIView> view;
        const UIView* address;
        std::string keyPath;
        AnimatableValue from;
        AnimatableValue to;
    };

    explicit ViewAnimationTransaction(const Parameters& parameters);
    void commit(std::function<void(bool)> completion);

    Parameters parameters_;
    std::vector<Change> changes_;
};
