#include "tools/geometry/CLClippingCircle.h"

void CLClippingCircle::setBgColor(const UIColor& color) {
    bgColor_ = color;
    setNeedsDisplay();
}

void CLClippingCircle::drawRect(CGContext& context, const CGRect&) {
    const double w = bounds().width();
    const double h = bounds().height();
    context.setFillColor(bgColor_);
    context.fillEllipseInRect({w / 2 - w / 6, h / 2 - h / 6, w / 3, h / 3});
}
