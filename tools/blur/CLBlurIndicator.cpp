#include "tools/blur/CLBlurIndicator.h"

void CLBlurIndicator::setColor(const UIColor& color) {
    color_ = color;
    changed();
}

void CLBlurIndicator::setFrame(const CGRect& frame) {
    UIView::setFrame(frame);
    changed();
}

void CLBlurIndicator::setCenter(CGPoint center) {
    UIView::setCenter(center);
    changed();
}

void CLBlurIndicator::setTransform(const CGAffineTransform& transform) {
    UIView::setTransform(transform);
    changed();
}

void CLBlurIndicator::changed() {
    setNeedsDisplay();
    setAlpha(1);
    UIView::animate(kFadeDuration, kFadeDelay, UIViewAnimationOptionAllowUserInteraction,
                    [this] { setAlpha(0); });
}
