#pragma once

#include <optional>

#include "platform/ui/gestures/UIGestureRecognizer.h"

// A continuous two-finger gesture: the line through the fingers turns. It begins once
// it has turned by kBeginAngle since the second finger touched down, and ends when
// fewer than two fingers remain. Fingers beyond two are ignored.
class UIRotationGestureRecognizer : public UIGestureRecognizer {
public:
    static constexpr double kBeginAngle = 0.05;

    // Radians turned since touch-down (plus the rotation last set), clockwise on screen
    // positive; it keeps counting past a half turn.
    double rotation() const { return rotation_; }
    void setRotation(double rotation);
    // Radians per second at the latest movement.
    double velocity() const { return velocity_; }

protected:
    void touchesBegan(const UITouchSet& touches, const UIEvent& event) override;
    void touchesMoved(const UITouchSet& touches, const UIEvent& event) override;
    void touchesEnded(const UITouchSet& touches, const UIEvent& event) override;
    void didReset() override;

private:
    double fingerAngle() const;

    // The fingers' angle at the previous event, once two fingers are down.
    std::optional<double> lastAngle_;
    double turned_ = 0;
    double rotation_ = 0;
    double velocity_ = 0;
    double lastTime_ = 0;
};
