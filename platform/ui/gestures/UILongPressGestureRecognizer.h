#pragma once

#include <cstdint>

#include "platform/ui/gestures/UIGestureRecognizer.h"

// A continuous gesture: one finger held still for minimumPressDuration (on the
// animation clock) begins it; moving changes it; lifting ends it. Moving further than
// kAllowableMovement before it begins, a second finger, or lifting early fails it, so a
// short press stays a tap for others.
class UILongPressGestureRecognizer : public UIGestureRecognizer {
public:
    static constexpr double kAllowableMovement = 10;

    double minimumPressDuration() const { return minimumPressDuration_; }
    void setMinimumPressDuration(double seconds) { minimumPressDuration_ = seconds; }

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void didReset() override;

private:
    double minimumPressDuration_ = 0.5;
    CGPoint start_;
    // Which press the clock's wait belongs to, so a wait outliving its press does nothing.
    std::uint64_t press_ = 0;
};
