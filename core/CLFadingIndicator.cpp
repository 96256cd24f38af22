#include "core/CLFadingIndicator.h"

void CLFadingIndicator::setColor(const UIColor& color) {
    color_ = color;
    showThenFade();
}

void CLFadingIndicator::setFrame(const CGRect& frame) {
    UIView::setFrame(frame);
    showThenFade();
}

void CLFadingIndicator::setCenter(CGPoint center) {
    UIView::setCenter(center);
    showThenFade();
}

void CLFadingIndicator::setTransform(const CGAffineTransform& transform) {
    UIView::setTransform(transform);
    showThenFade();
}

void CLFadingIndicator::showThenFade() {
    setNeedsDisplay();
    setAlpha(1);
    UIView::animate(kFadeDuration, kFadeDelay, UIViewAnimationOptionAllowUserInteraction,
                    [this] { setAlpha(0); });
}
