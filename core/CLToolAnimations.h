#pragma once

#include <functional>

#include "platform/ui/view/UIView.h"

// The motions every tool shares: strips and panels slide in from below the editor's
// screen and slide out again before they are removed; a tapped strip item flashes.
class CLToolAnimations {
public:
    static constexpr double kDuration = 0.3;
    static constexpr double kTappedAlpha = 0.2;

    // Starts panel just below root's bottom edge and moves it to its own place, then
    // calls arrived (if any).
    static void slideInFromBelow(const UIViewPtr& panel, const UIView& root,
                                 std::function<void()> arrived = nullptr);
    // Moves panel below root's bottom edge, then takes it out of its superview.
    static void slideOutAndRemove(const UIViewPtr& panel, const UIView& root);
    // Alpha to kTappedAlpha at once, back to 1 over kDuration.
    static void flash(UIView& item);

private:
    // How far down panel must move to be out of sight below root.
    static double distanceBelow(const UIView& panel, const UIView& root);
};
