#include "tools/geometry/CLGridLayar.h"

CLGridLayar::CLGridLayar(const CGRect& frame) : UIView(frame) {
    setUserInteractionEnabled(false);
    layer().setValueForKey(kClippingRectKey, bounds());
}

CGRect CLGridLayar::clippingRect() const {
    return layer().valueForKey(kClippingRectKey)->rect();
}

void CLGridLayar::setClippingRect(const CGRect& rect) {
    // The layer redraws the view when one of its keys changes.
    layer().setValueForKey(kClippingRectKey, rect);
}

void CLGridLayar::setBgColor(const UIColor& color) {
    bgColor_ = color;
    setNeedsDisplay();
}

void CLGridLayar::setGridColor(const UIColor& color) {
    gridColor_ = color;
    setNeedsDisplay();
}

void CLGridLayar::drawRect(CGContext& context, const CGRect&) {
    const CGRect crop = layer().presentationValueForKey(kClippingRectKey)->rect();
    context.setFillColor(bgColor_);
    context.fillRect(bounds());
    context.clearRect(crop);
    context.setStrokeColor(gridColor_);
    context.setLineWidth(1);
    for (int i = 0; i <= 3; ++i) {
        const double x = crop.minX() + i * crop.width() / 3;
        const double y = crop.minY() + i * crop.height() / 3;
        context.strokeLineSegment({x, crop.minY()}, {x, crop.maxY()});
        context.strokeLineSegment({crop.minX(), y}, {crop.maxX(), y});
    }
}
