#include "platform/graphics/UIBezierPath.h"

#include "platform/graphics/UIGraphics.h"

UIBezierPath UIBezierPath::bezierPathWithRect(const CGRect& rect) {
    UIBezierPath path;
    path.path_.addRect(rect);
    return path;
}

UIBezierPath UIBezierPath::bezierPathWithOvalInRect(const CGRect& rect) {
    UIBezierPath path;
    path.path_.addEllipseInRect(rect);
    return path;
}

UIBezierPath UIBezierPath::bezierPathWithRoundedRect(const CGRect& rect, double cornerRadius) {
    UIBezierPath path;
    path.path_.addRoundedRect(rect, cornerRadius, cornerRadius);
    return path;
}

UIBezierPath UIBezierPath::bezierPathWithArcCenter(CGPoint center, double radius, double startAngle,
                                                   double endAngle, bool clockwise) {
    UIBezierPath path;
    path.addArcWithCenter(center, radius, startAngle, endAngle, clockwise);
    return path;
}

void UIBezierPath::moveToPoint(CGPoint point) {
    path_.moveTo(point);
}
void UIBezierPath::addLineToPoint(CGPoint point) {
    path_.addLineTo(point);
}
void UIBezierPath::addQuadCurveToPoint(CGPoint end, CGPoint control) {
    path_.addQuadCurveTo(control, end);
}
void UIBezierPath::addCurveToPoint(CGPoint end, CGPoint control1, CGPoint control2) {
    path_.addCurveTo(control1, control2, end);
}

void UIBezierPath::addArcWithCenter(CGPoint center, double radius, double startAngle,
                                    double endAngle, bool clockwise) {
    path_.addArc(center, radius, startAngle, endAngle, !clockwise);
}

void UIBezierPath::appendPath(const UIBezierPath& path) {
    path_.addPath(path.path_);
}
void UIBezierPath::closePath() {
    path_.closeSubpath();
}
void UIBezierPath::applyTransform(const CGAffineTransform& transform) {
    path_ = path_.applying(transform);
}

void UIBezierPath::fill() const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        fillIn(*context);
    }
}

void UIBezierPath::fillWithBlendMode(CGBlendMode mode, double alpha) const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->saveGState();
        context->setBlendMode(mode);
        context->setAlpha(alpha);
        fillIn(*context);
        context->restoreGState();
    }
}

void UIBezierPath::stroke() const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        strokeIn(*context);
    }
}

void UIBezierPath::strokeWithBlendMode(CGBlendMode mode, double alpha) const {
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        context->saveGState();
        context->setBlendMode(mode);
        context->setAlpha(alpha);
        strokeIn(*context);
        context->restoreGState();
    }
}

void UIBezierPath::fillIn(CGContext& context) const {
    context.beginPath();
    context.addPath(path_);
    if (evenOdd_) {
        context.eoFillPath();
    } else {
        context.fillPath();
    }
}

void UIBezierPath::strokeIn(CGContext& context) const {
    context.saveGState();
    context.setLineWidth(lineWidth_);
    context.setLineCap(lineCap_);
    context.setLineJoin(lineJoin_);
    context.beginPath();
    context.addPath(path_);
    context.strokePath();
    context.restoreGState();
}

void UIBezierPath::addClip() const {
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) {
        return;
    }
    context->beginPath();
    context->addPath(path_);
    context->clip();
}
