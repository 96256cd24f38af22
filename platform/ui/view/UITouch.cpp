#include "platform/ui/view/UITouch.h"

#include "platform/ui/view/UIView.h"
#include "platform/ui/window/UIWindow.h"

UITouch::UITouch(std::weak_ptr<UIWindow> window, std::weak_ptr<UIView> view,
                 CGPoint locationInWindow, int tapCount)
    : window_(std::move(window)),
      view_(std::move(view)),
      location_(locationInWindow),
      previousLocation_(locationInWindow),
      tapCount_(tapCount) {}

CGPoint UITouch::locationInView(const UIView* view) const {
    return convertFromWindow(location_, view);
}

CGPoint UITouch::previousLocationInView(const UIView* view) const {
    return convertFromWindow(previousLocation_, view);
}

CGPoint UITouch::convertFromWindow(CGPoint point, const UIView* view) const {
    if (view == nullptr) {
        return point;
    }
    const auto window = window_.lock();
    return view->convertPointFromView(point, window.get());
}

void UITouch::update(UITouchPhase phase, CGPoint locationInWindow, double timestamp) {
    previousLocation_ = location_;
    location_ = locationInWindow;
    phase_ = phase;
    timestamp_ = timestamp;
}
