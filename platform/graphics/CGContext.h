#pragma once

#include <memory>

#include "platform/geometry/CGAffineTransform.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGGradient.h"
#include "platform/graphics/CGImage.h"
#include "platform/graphics/CGPath.h"
#include "platform/graphics/UIColor.h"

enum class CGLineCap { Butt, Round, Square };
enum class CGLineJoin { Miter, Round, Bevel };
// Normal paints over; Clear makes what is painted transparent (black in an opaque
// context); Copy replaces the destination with the source, alpha included.
enum class CGBlendMode { Normal, Clear, Copy };
// Default scales pictures smoothly; None samples the nearest pixel.
enum class CGInterpolationQuality { Default, None };
// How text is painted (NSStringDrawing): its glyphs filled, outlined at the line width,
// or filled and then outlined.
enum class CGTextDrawingMode { Fill, Stroke, FillStroke };
// Whether a linear gradient also paints before its start point, after its end point.
enum CGGradientDrawingOptions : unsigned {
    kCGGradientDrawsBeforeStartLocation = 1,
    kCGGradientDrawsAfterEndLocation = 2,
};

class CGContext;
using CGContextRef = std::shared_ptr<CGContext>;

// A drawing destination over a bitmap, with the platform's graphics state: current
// transform (CTM), clip, colours, line style, blend mode and alpha, saved and
// restored as a stack. Paths are antialiased; pictures scale smoothly by default.
//
// Device space is the platform's: pixels, origin at the bottom-left, y up. A bitmap
// context starts with the identity CTM, so its user space is y-up too. Image contexts
// (UIGraphicsBeginImageContextWithOptions) start with a CTM that flips and scales, so
// their user space is UIKit's: points, origin at the top-left, y down.
//
// A context belongs to one thread at a time; contexts on different threads are
// independent.
class CGContext {
public:
    // A bitmap context of width × height pixels, all zero (transparent, or black for
    // the opaque formats). Null when the size is not acceptable (CGImage limits).
    static CGContextRef createBitmap(int width, int height, CGPixelFormat format);

    ~CGContext();
    CGContext(const CGContext&) = delete;
    CGContext& operator=(const CGContext&) = delete;

    int width() const;
    int height() const;
    CGPixelFormat format() const;

    // The bitmap as drawn so far. Shares the pixels; drawing afterwards first copies
    // them, so the returned bitmap never changes.
    CGImageRef makeImage();

    // Graphics state.
    void saveGState();
    // Without a matching save, does nothing.
    void restoreGState();
    void translateCTM(double tx, double ty);
    void rotateCTM(double angle);
    void scaleCTM(double sx, double sy);
    void concatCTM(const CGAffineTransform& transform);
    // User space to device space (pixels, y up).
    CGAffineTransform getCTM() const;
    void setFillColor(const UIColor& color);
    void setStrokeColor(const UIColor& color);
    void setLineWidth(double width);
    void setLineCap(CGLineCap cap);
    void setLineJoin(CGLineJoin join);
    void setBlendMode(CGBlendMode mode);
    void setAlpha(double alpha);
    void setInterpolationQuality(CGInterpolationQuality quality);
    void setTextDrawingMode(CGTextDrawingMode mode);
    const UIColor& fillColor() const;
    const UIColor& strokeColor() const;
    double lineWidth() const;
    CGLineJoin lineJoin() const;
    CGTextDrawingMode textDrawingMode() const;

    // The current path, built in user space under the CTM of the moment, consumed by
    // fillPath, strokePath and clip.
    void beginPath();
    void moveToPoint(CGPoint point);
    void addLineToPoint(CGPoint point);
    void addQuadCurveToPoint(CGPoint control, CGPoint end);
    void addCurveToPoint(CGPoint control1, CGPoint control2, CGPoint end);
    // CGPath::addArc's meaning: clockwise runs towards decreasing angles.
    void addArc(CGPoint center, double radius, double startAngle, double endAngle, bool clockwise);
    void addRect(const CGRect& rect);
    void addEllipseInRect(const CGRect& rect);
    void addPath(const CGPath& path);
    void closePath();
    bool isPathEmpty() const;

    // Painting the current path (nonzero winding, or even-odd) and clearing it.
    void fillPath();
    void eoFillPath();
    void strokePath();
    // Conveniences that leave the current path alone.
    void fillRect(const CGRect& rect);
    void strokeRect(const CGRect& rect);
    void fillEllipseInRect(const CGRect& rect);
    void strokeEllipseInRect(const CGRect& rect);
    void strokeLineSegment(CGPoint from, CGPoint to);
    // Makes the rectangle transparent (black in an opaque context), whatever the blend mode.
    void clearRect(const CGRect& rect);

    // Clipping narrows the clip of the current graphics state.
    // Clips to the current path (nonzero winding) and clears it.
    void clip();
    void clipToRect(const CGRect& rect);
    // The mask is stretched into rect as drawImage places a picture; where it is dark
    // drawing shows, where it is light drawing is removed, and nothing shows outside
    // rect. A mask with transparency is read as laid over black.
    void clipToMask(const CGRect& rect, const CGImageRef& mask);

    // A gradient along the line from start to end, filling the clip; the options say
    // whether it also paints before start and after end (with the end colours).
    void drawLinearGradient(const CGGradientRef& gradient, CGPoint start, CGPoint end,
                            unsigned options);

    // Stretches the bitmap into rect. Its first row goes to rect's max-y edge: upright
    // in a y-up context, upside down in a y-down one, as the platform draws.
    void drawImage(const CGRect& rect, const CGImageRef& image);

    // The internals, for the platform's own sources (CGContextImpl.h).
    struct Impl;
    Impl& impl() { return *impl_; }
    static CGContextRef createWithImpl(std::unique_ptr<Impl> impl);

private:
    explicit CGContext(std::unique_ptr<Impl> impl);
    void fillCurrentPath(bool evenOdd);
    void fillUserPath(const CGPath& path);
    void strokeUserPath(const CGPath& path);

    std::unique_ptr<Impl> impl_;
};
