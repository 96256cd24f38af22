#pragma once

#include <memory>

#include "platform/ui/gestures/UIGestureRecognizer.h"
#include "tools/color/effects/CLEffectBase.h"
#include "tools/color/effects/CLSpotCircle.h"

// A spot light: the picture darkens outside a circle that the user places with a tap
// or a one-finger drag and sizes with a pinch, on a container that covers exactly the
// displayed picture. A tap renders at once, a drag or a pinch when the fingers lift.
class CLSpotEffect : public CLEffectBase {
public:
    static constexpr const char* kClassName = "CLSpotEffect";
    // R stays within 0 and 1; radii are proportional to R + kRadiusOffset.
    static constexpr double kRadiusOffset = 0.1;

    static std::string defaultTitle();
    static bool isAvailable();

    CLSpotEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                 CLImageToolInfoPtr toolInfo);

    Render effectRender() const override;

    // The spot's centre as fractions of the container's width and height from its
    // top-left corner, and its size, all from 0 to 1.
    double X() const { return x_; }
    double Y() const { return y_; }
    double R() const { return r_; }
    const std::shared_ptr<CLSpotCircle>& circleView() const { return circleView_; }

    void drawCircleView();
    void tapContainerView(UIGestureRecognizer& sender);
    void panContainerView(UIGestureRecognizer& sender);
    void pinchContainerView(UIGestureRecognizer& sender);

private:
    void setUserInterface();
    // Moves the spot under the gesture's finger, kept on the picture.
    void moveToGesture(const UIGestureRecognizer& sender);
    void notifyWhenEnded(const UIGestureRecognizer& sender);

    double x_ = 0.5;
    double y_ = 0.5;
    double r_ = 0.5;
    // R + kRadiusOffset when the pinch began.
    double pinchBase_ = 0;
    std::shared_ptr<CLSpotCircle> circleView_;
};
