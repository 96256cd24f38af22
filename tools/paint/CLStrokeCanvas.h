#pragma once

#include "platform/geometry/CGPoint.h"
#include "platform/geometry/CGSize.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"

// The bitmap the painting tools paint strokes into: the draw tool's overlay, the splash
// tool's mask. Its user space is y-down points, like the view it lies over, at a scale
// of pixels per point. It lives on between strokes, so a stroke costs the segment it
// paints, not a redraw of everything painted before; a picture taken of it keeps its
// pixels, since the next stroke paints into a copy.
class CLStrokeCanvas {
public:
    // Transparent to begin with, or black in the opaque formats (a grey mask).
    CLStrokeCanvas(CGSize size, double scale,
                   CGPixelFormat format = CGPixelFormat::ARGB32Premultiplied);

    // A straight stroke of width points with round caps, so a stroke from a point to
    // itself is a dot of that diameter. Clear makes what it covers transparent.
    void drawLine(CGPoint from, CGPoint to, double width, const UIColor& color, CGBlendMode mode);
    // What has been painted so far, at the canvas's scale; null for an empty size.
    UIImagePtr image();

private:
    CGSize size_;
    double scale_;
    CGContextRef context_;
};
