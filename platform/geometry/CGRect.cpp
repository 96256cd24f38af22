#include "platform/geometry/CGRect.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/geometry/CGAffineTransform.h"

CGRect CGRect::null() {
    const double inf = std::numeric_limits<double>::infinity();
    return CGRect{inf, inf, 0, 0};
}

double CGRect::minX() const {
    return std::min(origin.x, origin.x + size.width);
}
double CGRect::midX() const {
    return origin.x + size.width / 2;
}
double CGRect::maxX() const {
    return std::max(origin.x, origin.x + size.width);
}
double CGRect::minY() const {
    return std::min(origin.y, origin.y + size.height);
}
double CGRect::midY() const {
    return origin.y + size.height / 2;
}
double CGRect::maxY() const {
    return std::max(origin.y, origin.y + size.height);
}
double CGRect::width() const {
    return std::abs(size.width);
}
double CGRect::height() const {
    return std::abs(size.height);
}

bool CGRect::isNull() const {
    return std::isinf(origin.x) || std::isinf(origin.y);
}

bool CGRect::isEmpty() const {
    return isNull() || size.width == 0 || size.height == 0;
}

CGRect CGRect::standardized() const {
    if (isNull()) {
        return *this;
    }
    return CGRect{minX(), minY(), width(), height()};
}

bool CGRect::contains(CGPoint point) const {
    if (isEmpty()) {
        return false;
    }
    return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
}

bool CGRect::contains(const CGRect& other) const {
    if (isNull() || other.isNull()) {
        return false;
    }
    return other.minX() >= minX() && other.maxX() <= maxX() && other.minY() >= minY() &&
           other.maxY() <= maxY();
}

bool CGRect::intersects(const CGRect& other) const {
    return !intersection(other).isNull();
}

CGRect CGRect::insetBy(double dx, double dy) const {
    if (isNull()) {
        return *this;
    }
    CGRect r = standardized();
    r.origin.x += dx;
    r.origin.y += dy;
    r.size.width -= 2 * dx;
    r.size.height -= 2 * dy;
    return r.size.width < 0 || r.size.height < 0 ? null() : r;
}

CGRect CGRect::offsetBy(double dx, double dy) const {
    if (isNull()) {
        return *this;
    }
    return CGRect{origin.x + dx, origin.y + dy, size.width, size.height};
}

CGRect CGRect::unionWith(const CGRect& other) const {
    if (isNull()) {
        return other.standardized();
    }
    if (other.isNull()) {
        return standardized();
    }
    const double x0 = std::min(minX(), other.minX());
    const double y0 = std::min(minY(), other.minY());
    const double x1 = std::max(maxX(), other.maxX());
    const double y1 = std::max(maxY(), other.maxY());
    return CGRect{x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::intersection(const CGRect& other) const {
    if (isNull() || other.isNull()) {
        return null();
    }
    const double x0 = std::max(minX(), other.minX());
    const double y0 = std::max(minY(), other.minY());
    const double x1 = std::min(maxX(), other.maxX());
    const double y1 = std::min(maxY(), other.maxY());
    if (x1 < x0 || y1 < y0) {
        return null();
    }
    return CGRect{x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::integral() const {
    if (isNull()) {
        return *this;
    }
    const double x0 = std::floor(minX());
    const double y0 = std::floor(minY());
    const double x1 = std::ceil(maxX());
    const double y1 = std::ceil(maxY());
    return CGRect{x0, y0, x1 - x0, y1 - y0};
}

CGRect CGRect::applying(const CGAffineTransform& transform) const {
    if (isNull()) {
        return *this;
    }
    const CGPoint corners[] = {
        {minX(), minY()}, {maxX(), minY()}, {minX(), maxY()}, {maxX(), maxY()}};
    CGRect box = null();
    for (const CGPoint& corner : corners) {
        box = box.unionWith(CGRect{transform.apply(corner), CGSize{}});
    }
    return box;
}
