#pragma once

#include <vector>

#include "platform/ui/gestures/UIGestureRecognizer.h"

// A discrete gesture: the required number of fingers touch down and lift without
// moving far, the required number of times in quick succession (the touches' tap
// count). Recognised when the last finger of the final tap lifts.
class UITapGestureRecognizer : public UIGestureRecognizer {
public:
    // How far (points, in the window) a finger may move before the tap fails.
    static constexpr double kAllowableMovement = 10;

    int numberOfTapsRequired() const { return tapsRequired_; }
    void setNumberOfTapsRequired(int taps) { tapsRequired_ = taps < 1 ? 1 : taps; }
    int numberOfTouchesRequired() const { return touchesRequired_; }
    void setNumberOfTouchesRequired(int touches) { touchesRequired_ = touches < 1 ? 1 : touches; }

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void didReset() override;

private:
    struct Start {
        UITouchPtr touch;
        CGPoint location;
    };

    int tapsRequired_ = 1;
    int touchesRequired_ = 1;
    std::vector<Start> starts_;
    std::size_t mostTouches_ = 0;
};
