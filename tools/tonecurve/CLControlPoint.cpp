#include "tools/tonecurve/CLControlPoint.h"

#include "platform/graphics/CGContext.h"

CLControlPoint::CLControlPoint(const CGRect& layoutFrame)
    : UIView(CGRect{0, 0, kSide, kSide}), layoutFrame_(layoutFrame) {
    setBackgroundColor(UIColor::clearColor());
}

void CLControlPoint::setControlPoint(const Vector& point) {
    if (point == controlPoint_) {
        return;
    }
    controlPoint_ = point;
    setCenter({layoutFrame_.minX() + point.x() * layoutFrame_.width(),
               layoutFrame_.minY() + (1 - point.y()) * layoutFrame_.height()});
}

void CLControlPoint::setBgColor(const UIColor& color) {
    bgColor_ = color;
    setNeedsDisplay();
}

void CLControlPoint::drawRect(CGContext& context, const CGRect&) {
    const double w = bounds().width();
    const double h = bounds().height();
    context.setFillColor(bgColor_);
    context.fillEllipseInRect({w / 2 - w / 6, h / 2 - h / 6, w / 3, h / 3});
}
