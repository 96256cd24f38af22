#include "tools/overlay/pickers/CLCircleView.h"

CLCircleView::CLCircleView(const CGRect& frame) : UIView(frame) {
    setBackgroundColor(UIColor::clearColor());
}

void CLCircleView::setColor(const UIColor& color) {
    if (color != color_) {
        color_ = color;
        setNeedsDisplay();
    }
}

void CLCircleView::setBorderColor(const UIColor& color) {
    if (color != borderColor_) {
        borderColor_ = color;
        setNeedsDisplay();
    }
}

void CLCircleView::setBorderWidth(double width) {
    if (width != borderWidth_) {
        borderWidth_ = width;
        setNeedsDisplay();
    }
}

void CLCircleView::drawRect(CGContext& context, const CGRect&) {
    const double width = bounds().width();
    const double height = bounds().height();
    const CGRect disc{(width - width * radius_) / 2, (height - height * radius_) / 2,
                      width * radius_, height * radius_};
    context.setFillColor(color_);
    context.fillEllipseInRect(disc);
    context.setStrokeColor(borderColor_);
    context.setLineWidth(borderWidth_);
    context.strokeEllipseInRect(disc);
}
