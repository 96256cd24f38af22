#pragma once

#include "platform/geometry/CGPoint.h"
#include "platform/geometry/CGSize.h"

struct CGAffineTransform;

// A rectangle given by its origin and size. The "null" rectangle (the result of
// intersecting rectangles that do not meet) has an infinite origin, as on the platform.
struct CGRect {
    CGPoint origin;
    CGSize size;

    CGRect() = default;
    CGRect(CGPoint origin, CGSize size) : origin(origin), size(size) {}
    CGRect(double x, double y, double width, double height) : origin{x, y}, size{width, height} {}

    static CGRect null();

    double minX() const;
    double midX() const;
    double maxX() const;
    double minY() const;
    double midY() const;
    double maxY() const;
    double width() const;
    double height() const;

    bool isNull() const;
    bool isEmpty() const;

    // The same rectangle with a non-negative width and height.
    CGRect standardized() const;
    // Half-open on the maximum edges, so adjacent rectangles share no point.
    bool contains(CGPoint point) const;
    bool contains(const CGRect& other) const;
    bool intersects(const CGRect& other) const;
    CGRect insetBy(double dx, double dy) const;
    CGRect offsetBy(double dx, double dy) const;
    CGRect unionWith(const CGRect& other) const;
    CGRect intersection(const CGRect& other) const;
    // The smallest rectangle with whole-number edges that holds this one.
    CGRect integral() const;
    // The bounding box of the rectangle's four corners under the transform.
    CGRect applying(const CGAffineTransform& transform) const;

    friend bool operator==(const CGRect&, const CGRect&) = default;
};
