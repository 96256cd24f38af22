#pragma once

#include "platform/graphics/UIColor.h"
#include "platform/ui/view/UIView.h"

// The outline of the spot over the picture. It shows whenever it is moved or resized
// and fades out a second after the last change.
class CLSpotCircle : public UIView {
public:
    static constexpr double kFadeDelay = 1.0;
    static constexpr double kFadeDuration = 0.2;

    using UIView::UIView;

    const UIColor& color() const { return color_; }
    void setColor(const UIColor& color);

    void setFrame(const CGRect& frame) override;
    void setCenter(CGPoint center) override;
    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    // Redraws at full opacity, then fades.
    void showThenFade();

    UIColor color_ = UIColor::whiteColor();
};
