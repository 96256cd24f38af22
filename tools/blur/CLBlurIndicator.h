#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// What the blur tool's two indicators share: a line colour, and the flash that shows
// the indicator fully whenever it changes and fades it out a second later.
class CLBlurIndicator : public UIView {
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
    void changed();

private:
    UIColor color_ = UIColor::whiteColor();
};
