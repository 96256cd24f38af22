#include "tools/paint/CLStrokeCanvas.h"

#include "platform/graphics/UIGraphics.h"

CLStrokeCanvas::CLStrokeCanvas(CGSize size, double scale) : size_(size), scale_(scale) {
    // An image context's set-up (y-down points at the scale), kept beyond its time on
    // this thread's stack.
    UIGraphicsBeginImageContextWithOptions(size, false, scale);
    context_ = UIGraphicsGetCurrentContext();
    UIGraphicsEndImageContext();
}

void CLStrokeCanvas::fill(const UIColor& color) {
    if (!context_) {
        return;
    }
    context_->saveGState();
    context_->setBlendMode(CGBlendMode::Copy);
    context_->setFillColor(color);
    context_->fillRect({{0, 0}, size_});
    context_->restoreGState();
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
