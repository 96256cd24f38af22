#pragma once

#include <memory>

#include "platform/geometry/CGPoint.h"

class UIView;
class UIWindow;

enum class UITouchPhase { Began, Moved, Stationary, Ended, Cancelled };

// One finger on the screen, from the moment it touches down until it lifts. The
// window keeps the same object for the whole sequence and updates it; the location
// is kept in the window's coordinates.
class UITouch {
public:
    UITouch(std::weak_ptr<UIWindow> window, std::weak_ptr<UIView> view, CGPoint locationInWindow,
            int tapCount = 1);

    UITouchPhase phase() const { return phase_; }
    int tapCount() const { return tapCount_; }
    // The view hit when the finger touched down; null once it has left the tree.
    std::shared_ptr<UIView> view() const { return view_.lock(); }
    std::shared_ptr<UIWindow> window() const { return window_.lock(); }
    // Seconds (from any fixed origin) of the input event that last changed the touch.
    double timestamp() const { return timestamp_; }

    // In view's coordinates; null means the window's.
    CGPoint locationInView(const UIView* view) const;
    CGPoint previousLocationInView(const UIView* view) const;
    CGPoint locationInWindow() const { return location_; }

    // The window moves the touch along as input arrives.
    void update(UITouchPhase phase, CGPoint locationInWindow, double timestamp);

private:
    CGPoint convertFromWindow(CGPoint point, const UIView* view) const;

    std::weak_ptr<UIWindow> window_;
    std::weak_ptr<UIView> view_;
    CGPoint location_;
    CGPoint previousLocation_;
    UITouchPhase phase_ = UITouchPhase::Began;
    int tapCount_;
    double timestamp_ = 0;
};

using UITouchPtr = std::shared_ptr<UITouch>;
