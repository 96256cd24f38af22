#pragma once

#include <memory>
#include <vector>

#include "platform/ui/view/UITouch.h"

// The touches of one input event: every finger currently down, in the order they
// touched down. Handlers receive the touches that changed and this event.
class UIEvent {
public:
    explicit UIEvent(std::vector<UITouchPtr> allTouches = {}, double timestamp = 0)
        : allTouches_(std::move(allTouches)), timestamp_(timestamp) {}

    const std::vector<UITouchPtr>& allTouches() const { return allTouches_; }
    double timestamp() const { return timestamp_; }

private:
    std::vector<UITouchPtr> allTouches_;
    double timestamp_;
};

using UITouchSet = std::vector<UITouchPtr>;
