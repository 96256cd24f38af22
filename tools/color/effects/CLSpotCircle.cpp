#include "tools/color/effects/CLSpotCircle.h"

void CLSpotCircle::setColor(const UIColor& color) {
    color_ = color;
    setNeedsDisplay();
}

void CLSpotCircle::setFrame(const CGRect& frame) {
    UIView::setFrame(frame);
    showThenFade();
}

void CLSpotCircle::setCenter(CGPoint center) {
    UIView::setCenter(center);
    showThenFade();
}

void CLSpotCircle::drawRect(CGContext& context, const CGRect&) {
    context.setStrokeColor(color_);
    context.strokeEllipseInRect(bounds().insetBy(1, 1));
}

void CLSpotCircle::showThenFade() {
    setNeedsDisplay();
    setAlpha(1);
    UIView::animate(kFadeDuration, kFadeDelay, UIViewAnimationOptionAllowUserInteraction,
                    [this] { setAlpha(0); });
}
