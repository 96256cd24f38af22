#include "platform/geometry/CGAffineTransform.h"

#include <cmath>

CGAffineTransform CGAffineTransform::makeTranslation(double tx, double ty) {
    return {1, 0, 0, 1, tx, ty};
}

CGAffineTransform CGAffineTransform::makeRotation(double angle) {
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    return {cosine, sine, -sine, cosine, 0, 0};
}

CGAffineTransform CGAffineTransform::makeScale(double sx, double sy) {
    return {sx, 0, 0, sy, 0, 0};
}

bool CGAffineTransform::isIdentity() const {
    return *this == identity();
}

CGAffineTransform CGAffineTransform::translatedBy(double x, double y) const {
    return makeTranslation(x, y).concatenating(*this);
}

CGAffineTransform CGAffineTransform::rotatedBy(double angle) const {
    return makeRotation(angle).concatenating(*this);
}

CGAffineTransform CGAffineTransform::scaledBy(double sx, double sy) const {
    return makeScale(sx, sy).concatenating(*this);
}

CGAffineTransform CGAffineTransform::concatenating(const CGAffineTransform& t) const {
    return {a * t.a + b * t.c, a * t.b + b * t.d,          c * t.a + d * t.c,
            c * t.b + d * t.d, tx * t.a + ty * t.c + t.tx, tx * t.b + ty * t.d + t.ty};
}

CGAffineTransform CGAffineTransform::inverted() const {
    const double determinant = a * d - b * c;
    if (determinant == 0 || !std::isfinite(determinant)) {
        return *this;
    }
    const double ia = d / determinant;
    const double ib = -b / determinant;
    const double ic = -c / determinant;
    const double id = a / determinant;
    return {ia, ib, ic, id, -(tx * ia + ty * ic), -(tx * ib + ty * id)};
}

CGPoint CGAffineTransform::apply(CGPoint p) const {
    return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty};
}

CGSize CGAffineTransform::apply(CGSize s) const {
    return {a * s.width + c * s.height, b * s.width + d * s.height};
}
