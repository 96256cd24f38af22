#include "tools/color/effects/CLSpotCircle.h"

#include "platform/graphics/CGContext.h"

void CLSpotCircle::drawRect(CGContext& context, const CGRect&) {
    context.setStrokeColor(color());
    context.strokeEllipseInRect(bounds().insetBy(1, 1));
}
