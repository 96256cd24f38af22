#include "tools/paint/CLStrokeCanvas.h"

#include <cmath>

namespace {

// Whole pixels for a length in points, as image contexts count them: a hair over a
// whole number is rounding noise.
int pixelsFor(double points, double scale) {
    return static_cast<int>(std::ceil(points * scale - 1e-6));
}

}  // namespace

CLStrokeCanvas::CLStrokeCanvas(CGSize size, double scale, CGPixelFormat format)
    : size_(size),
      scale_(scale),
      context_(CGContext::createBitmap(pixelsFor(size.width, scale), pixelsFor(size.height, scale),
                                       format)) {
    if (context_) {
        // y-down points, as in the view.
        context_->translateCTM(0, context_->height());
        context_->scaleCTM(scale, -scale);
    }
}

void CLStrokeCanvas::drawLine(CGPoint from, CGPoint to, double width, const UIColor& color,
                              CGBlendMode mode) {
    if (!context_) {
        return;
    }
    context_->saveGState();
    context_->setLineWidth(width);
    context_->setStrokeColor(color);
    context_->setLineCap(CGLineCap::Round);
    context_->setBlendMode(mode);
    context_->beginPath();
    context_->moveToPoint(from);
    context_->addLineToPoint(to);
    context_->strokePath();
    context_->restoreGState();
}

UIImagePtr CLStrokeCanvas::image() {
    return context_ ? UIImage::imageWithCGImage(context_->makeImage(), scale_) : nullptr;
}
