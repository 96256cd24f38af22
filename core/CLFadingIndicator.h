#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// An outline drawn over the picture (a spot, a circle, a band) that shows fully
// whenever it moves or changes and fades out a second later, so it never hides the
// picture for long.
class CLFadingIndicator : public UIView {
public:
    static constexpr double kFadeDelay = 1;
    static constexpr double kFadeDuration = 0.2;

    using UIView::UIView;

    const UIColor& color() const { return color_; }
    void setColor(const UIColor& color);

    void setFrame(const CGRect& frame) override;
    void setCenter(CGPoint center) override;
    void setTransform(const CGAffineTransform& transform) override;

    // Redraws, shows fully, and fades out a second later.
    void showThenFade();

private:
    UIColor color_ = UIColor::whiteColor();
};
