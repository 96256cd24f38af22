#include "tools/blur/CLBlurCircle.h"

#include "platform/graphics/CGContext.h"

void CLBlurCircle::drawRect(CGContext& context, const CGRect&) {
    const double w = bounds().width();
    const double h = bounds().height();
    context.setStrokeColor(color());
    context.strokeEllipseInRect({0.35 * w, 0.35 * h, 0.3 * w, 0.3 * h});
}
