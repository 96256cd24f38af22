#pragma once

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGPath.h"

// A path with its own line style, drawn into the current context (UIGraphics) with
// that context's fill and stroke colours, as the platform's bezier paths are.
class UIBezierPath {
public:
    UIBezierPath() = default;
    static UIBezierPath bezierPathWithRect(const CGRect& rect);
    static UIBezierPath bezierPathWithOvalInRect(const CGRect& rect);
    static UIBezierPath bezierPathWithRoundedRect(const CGRect& rect, double cornerRadius);
    // UIKit's meaning: clockwise runs towards increasing angles, clockwise on screen
    // in a y-down context (the opposite flag of CGPath::addArc).
    static UIBezierPath bezierPathWithArcCenter(CGPoint center, double radius, double startAngle,
                                                double endAngle, bool clockwise);

    void moveToPoint(CGPoint point);
    void addLineToPoint(CGPoint point);
    void addQuadCurveToPoint(CGPoint end, CGPoint control);
    void addCurveToPoint(CGPoint end, CGPoint control1, CGPoint control2);
    void addArcWithCenter(CGPoint center, double radius, double startAngle, double endAngle,
                          bool clockwise);
    void appendPath(const UIBezierPath& path);
    void closePath();
    void applyTransform(const CGAffineTransform& transform);

    double lineWidth() const { return lineWidth_; }
    void setLineWidth(double width) { lineWidth_ = width; }
    CGLineCap lineCapStyle() const { return lineCap_; }
    void setLineCapStyle(CGLineCap cap) { lineCap_ = cap; }
    CGLineJoin lineJoinStyle() const { return lineJoin_; }
    void setLineJoinStyle(CGLineJoin join) { lineJoin_ = join; }
    bool usesEvenOddFillRule() const { return evenOdd_; }
    void setUsesEvenOddFillRule(bool evenOdd) { evenOdd_ = evenOdd; }

    const ::CGPath& cgPath() const { return path_; }
    CGRect bounds() const { return path_.boundingBox(); }
    bool isEmpty() const { return path_.isEmpty(); }

    // Into the current context, with its blend mode and alpha unless given; nothing
    // happens without a current context.
    void fill() const;
    void fillWithBlendMode(CGBlendMode mode, double alpha) const;
    void stroke() const;
    void strokeWithBlendMode(CGBlendMode mode, double alpha) const;
    // Narrows the current context's clip to the path.
    void addClip() const;

private:
    void fillIn(CGContext& context) const;
    void strokeIn(CGContext& context) const;

    CGPath path_;
    double lineWidth_ = 1.0;
    CGLineCap lineCap_ = CGLineCap::Butt;
    CGLineJoin lineJoin_ = CGLineJoin::Miter;
    bool evenOdd_ = false;
};
