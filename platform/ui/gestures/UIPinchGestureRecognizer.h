#pragma once

#include <optional>

#include "platform/ui/gestures/UIGestureRecognizer.h"

// A continuous two-finger gesture: the fingers move apart or together. It begins once
// their distance has changed by kBeginDistance points since the second finger touched
// down, and ends when fewer than two fingers remain. Fingers beyond two are ignored.
class UIPinchGestureRecognizer : public UIGestureRecognizer {
public:
    static constexpr double kBeginDistance = 8;

    // The fingers' distance relative to their distance at touch-down (times the scale
    // last set).
    double scale() const { return scale_; }
    // Makes the current distance count as scale, for gestures that reset it as they go.
    void setScale(double scale);
    // Scale change per second at the latest movement.
    double velocity() const { return velocity_; }

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void didReset() override;

private:
    double fingerDistance() const;

    // The fingers' distance when the pinch started, and the scale at that distance.
    std::optional<double> startDistance_;
    double scaleAtStart_ = 1;
    double scale_ = 1;
    double velocity_ = 0;
    double lastTime_ = 0;
};
