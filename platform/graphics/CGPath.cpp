#include "platform/graphics/CGPath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kQuarterTurn = std::numbers::pi / 2;

// The sweep of an arc from start to end in the given direction, within ±2π.
double arcSweep(double startAngle, double endAngle, bool clockwise) {
    double sweep = clockwise ? startAngle - endAngle : endAngle - startAngle;
    if (sweep >= kTwoPi) {
        sweep = kTwoPi;
    } else if (sweep < 0) {
        sweep = std::fmod(sweep, kTwoPi);
        if (sweep < 0) {
            sweep += kTwoPi;
        }
    }
    return clockwise ? -sweep : sweep;
}

CGPoint onEllipse(CGPoint center, double rx, double ry, double angle) {
    return {center.x + rx * std::cos(angle), center.y + ry * std::sin(angle)};
}
}  // namespace

CGPath CGPath::withRect(const CGRect& rect) {
    CGPath path;
    path.addRect(rect);
    return path;
}

CGPath CGPath::withEllipseInRect(const CGRect& rect) {
    CGPath path;
    path.addEllipseInRect(rect);
    return path;
}

CGPath CGPath::withRoundedRect(const CGRect& rect, double cornerWidth, double cornerHeight) {
    CGPath path;
    path.addRoundedRect(rect, cornerWidth, cornerHeight);
    return path;
}

void CGPath::moveTo(CGPoint point) {
    elements_.push_back({ElementType::MoveTo, {point}});
    current_ = point;
    subpathStart_ = point;
}

void CGPath::ensureStarted(CGPoint point) {
    if (!current_) {
        moveTo(point);
    }
}

void CGPath::addLineTo(CGPoint point) {
    ensureStarted(point);
    elements_.push_back({ElementType::LineTo, {point}});
    current_ = point;
}

void CGPath::addQuadCurveTo(CGPoint control, CGPoint end) {
    ensureStarted(control);
    elements_.push_back({ElementType::QuadCurveTo, {control, end}});
    current_ = end;
}

void CGPath::addCurveTo(CGPoint control1, CGPoint control2, CGPoint end) {
    ensureStarted(control1);
    elements_.push_back({ElementType::CurveTo, {control1, control2, end}});
    current_ = end;
}

void CGPath::appendEllipticalArc(CGPoint center, double rx, double ry, double startAngle,
                                 double sweep, const CGAffineTransform& transform) {
    const CGPoint start = transform.apply(onEllipse(center, rx, ry, startAngle));
    if (current_) {
        addLineTo(start);
    } else {
        moveTo(start);
    }
    const int segments = static_cast<int>(std::ceil(std::abs(sweep) / kQuarterTurn - 1e-9));
    const double step = segments > 0 ? sweep / segments : 0;
    // Control points at 4/3·tan(θ/4) of the radius along the tangents.
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    double angle = startAngle;
    for (int i = 0; i < segments; ++i) {
        const double next = angle + step;
        const CGPoint from = onEllipse(center, rx, ry, angle);
        const CGPoint to = onEllipse(center, rx, ry, next);
        const CGPoint control1{from.x - k * rx * std::sin(angle),
                               from.y + k * ry * std::cos(angle)};
        const CGPoint control2{to.x + k * rx * std::sin(next), to.y - k * ry * std::cos(next)};
        addCurveTo(transform.apply(control1), transform.apply(control2), transform.apply(to));
        angle = next;
    }
}

void CGPath::addArc(CGPoint center, double radius, double startAngle, double endAngle,
                    bool clockwise, const CGAffineTransform& transform) {
    appendEllipticalArc(center, radius, radius, startAngle,
                        arcSweep(startAngle, endAngle, clockwise), transform);
}

void CGPath::addRect(const CGRect& rect) {
    const CGRect r = rect.standardized();
    moveTo(r.origin);
    addLineTo({r.maxX(), r.minY()});
    addLineTo({r.maxX(), r.maxY()});
    addLineTo({r.minX(), r.maxY()});
    closeSubpath();
}

void CGPath::addEllipseInRect(const CGRect& rect) {
    const CGRect r = rect.standardized();
    current_.reset();
    appendEllipticalArc({r.midX(), r.midY()}, r.width() / 2, r.height() / 2, 0, kTwoPi);
    closeSubpath();
}

void CGPath::addRoundedRect(const CGRect& rect, double cornerWidth, double cornerHeight) {
    const CGRect r = rect.standardized();
    const double cw = std::clamp(cornerWidth, 0.0, r.width() / 2);
    const double ch = std::clamp(cornerHeight, 0.0, r.height() / 2);
    if (cw == 0 || ch == 0) {
        addRect(r);
        return;
    }
    moveTo({r.minX() + cw, r.minY()});
    appendEllipticalArc({r.maxX() - cw, r.minY() + ch}, cw, ch, -kQuarterTurn, kQuarterTurn);
    appendEllipticalArc({r.maxX() - cw, r.maxY() - ch}, cw, ch, 0, kQuarterTurn);
    appendEllipticalArc({r.minX() + cw, r.maxY() - ch}, cw, ch, kQuarterTurn, kQuarterTurn);
    appendEllipticalArc({r.minX() + cw, r.minY() + ch}, cw, ch, 2 * kQuarterTurn, kQuarterTurn);
    closeSubpath();
}

void CGPath::addPath(const CGPath& path, const CGAffineTransform& transform) {
    for (const Element& element : path.applying(transform).elements_) {
        switch (element.type) {
            case ElementType::MoveTo:
                moveTo(element.points[0]);
                break;
            case ElementType::LineTo:
                addLineTo(element.points[0]);
                break;
            case ElementType::QuadCurveTo:
                addQuadCurveTo(element.points[0], element.points[1]);
                break;
            case ElementType::CurveTo:
                addCurveTo(element.points[0], element.points[1], element.points[2]);
                break;
            case ElementType::Close:
                closeSubpath();
                break;
        }
    }
}

void CGPath::closeSubpath() {
    if (!current_) {
        return;
    }
    elements_.push_back({ElementType::Close, {}});
    current_ = subpathStart_;
}

std::optional<CGPoint> CGPath::currentPoint() const {
    return current_;
}

CGRect CGPath::boundingBox() const {
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const Element& element : elements_) {
        const int count = element.type == ElementType::Close         ? 0
                          : element.type == ElementType::QuadCurveTo ? 2
                          : element.type == ElementType::CurveTo     ? 3
                                                                     : 1;
        for (int i = 0; i < count; ++i) {
            minX = std::min(minX, element.points[i].x);
            minY = std::min(minY, element.points[i].y);
            maxX = std::max(maxX, element.points[i].x);
            maxY = std::max(maxY, element.points[i].y);
        }
    }
    if (minX > maxX) {
        return CGRect::null();
    }
    return CGRect(minX, minY, maxX - minX, maxY - minY);
}

CGPath CGPath::applying(const CGAffineTransform& transform) const {
    CGPath result = *this;
    if (transform.isIdentity()) {
        return result;
    }
    for (Element& element : result.elements_) {
        for (CGPoint& point : element.points) {
            point = transform.apply(point);
        }
    }
    if (result.current_) {
        result.current_ = transform.apply(*result.current_);
    }
    if (result.subpathStart_) {
        result.subpathStart_ = transform.apply(*result.subpathStart_);
    }
    return result;
}
