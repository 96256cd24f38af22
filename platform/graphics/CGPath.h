#pragma once

#include <array>
#include <optional>
#include <vector>

#include "platform/geometry/CGAffineTransform.h"
#include "platform/geometry/CGRect.h"

// A path of straight and curved segments in its own coordinates, a value type.
// Arcs and ellipses are stored as cubic curves.
class CGPath {
public:
    enum class ElementType { MoveTo, LineTo, QuadCurveTo, CurveTo, Close };
    struct Element {
        ElementType type;
        // MoveTo and LineTo use points[0]; QuadCurveTo the control point then the end;
        // CurveTo two control points then the end; Close none.
        std::array<CGPoint, 3> points;
    };

    static CGPath withRect(const CGRect& rect);
    static CGPath withEllipseInRect(const CGRect& rect);
    static CGPath withRoundedRect(const CGRect& rect, double cornerWidth, double cornerHeight);

    // A segment without a current point starts a subpath at its first point.
    void moveTo(CGPoint point);
    void addLineTo(CGPoint point);
    void addQuadCurveTo(CGPoint control, CGPoint end);
    void addCurveTo(CGPoint control1, CGPoint control2, CGPoint end);
    // An arc of the circle about center, from angle start to end (radians, measured
    // from +x towards +y). clockwise true runs towards decreasing angles: clockwise in a
    // y-up space, anticlockwise on screen in a y-down one. A sweep of 2π or more is a
    // full circle. With a current point, a line joins it to the arc's start. The arc's
    // points are mapped by transform, as if it were drawn in that transform's space.
    void addArc(CGPoint center, double radius, double startAngle, double endAngle, bool clockwise,
                const CGAffineTransform& transform = {});
    // Closed subpaths: the rectangle from its origin, the ellipse from its rightmost point.
    void addRect(const CGRect& rect);
    void addEllipseInRect(const CGRect& rect);
    // Corners of radius cornerWidth across and cornerHeight down, each at most half the side.
    void addRoundedRect(const CGRect& rect, double cornerWidth, double cornerHeight);
    void addPath(const CGPath& path, const CGAffineTransform& transform = {});
    void closeSubpath();

    bool isEmpty() const { return elements_.empty(); }
    std::optional<CGPoint> currentPoint() const;
    // The smallest rectangle holding every point, control points included; null when empty.
    CGRect boundingBox() const;
    CGPath applying(const CGAffineTransform& transform) const;
    const std::vector<Element>& elements() const { return elements_; }

private:
    void ensureStarted(CGPoint point);
    // Joins the current point (if any) to the arc's start with a line, then adds the
    // arc of the ellipse with radii rx, ry as cubic curves of at most a quarter turn,
    // its points mapped by transform.
    void appendEllipticalArc(CGPoint center, double rx, double ry, double startAngle, double sweep,
                             const CGAffineTransform& transform = {});

    std::vector<Element> elements_;
    std::optional<CGPoint> current_;
    std::optional<CGPoint> subpathStart_;
};
