#include "tools/blur/CLBlurBand.h"

#include <cmath>

#include "platform/graphics/CGContext.h"

CLBlurBand::CLBlurBand(const CGRect& frame) : CLFadingIndicator(frame) {}

void CLBlurBand::setRotation(double rotation) {
    rotation_ = rotation;
    calcTransform();
}

void CLBlurBand::setScale(double scale) {
    scale_ = scale;
    calcTransform();
}

void CLBlurBand::setOffset(double offset) {
    offset_ = offset;
    calcTransform();
}

void CLBlurBand::calcTransform() {
    setTransform(CGAffineTransform::makeTranslation(-offset_ * std::sin(rotation_),
                                                    offset_ * std::cos(rotation_))
                     .rotatedBy(rotation_)
                     .scaledBy(1, scale_));
}

void CLBlurBand::drawRect(CGContext& context, const CGRect&) {
    const CGRect b = bounds();
    // One point thick on screen after the stretch across the band.
    context.setLineWidth(1 / scale_);
    context.setStrokeColor(color());
    context.strokeRect({b.minX(), 0.3 * b.height(), b.width(), 0.4 * b.height()});
}
