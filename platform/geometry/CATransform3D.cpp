#include "platform/geometry/CATransform3D.h"

#include <cmath>

CATransform3D CATransform3D::makeTranslation(double tx, double ty, double tz) {
    CATransform3D t;
    t.m41 = tx;
    t.m42 = ty;
    t.m43 = tz;
    return t;
}

CATransform3D CATransform3D::makeScale(double sx, double sy, double sz) {
    CATransform3D t;
    t.m11 = sx;
    t.m22 = sy;
    t.m33 = sz;
    return t;
}

CATransform3D CATransform3D::makeRotation(double angle, double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length == 0) {
        return identity();
    }
    x /= length;
    y /= length;
    z /= length;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double k = 1 - c;
    // The transpose of the column-vector rotation about the unit axis (Rodrigues).
    CATransform3D t;
    t.m11 = c + k * x * x;
    t.m12 = k * x * y + s * z;
    t.m13 = k * x * z - s * y;
    t.m21 = k * x * y - s * z;
    t.m22 = c + k * y * y;
    t.m23 = k * y * z + s * x;
    t.m31 = k * x * z + s * y;
    t.m32 = k * y * z - s * x;
    t.m33 = c + k * z * z;
    return t;
}

CATransform3D CATransform3D::makeAffineTransform(const CGAffineTransform& a) {
    CATransform3D t;
    t.m11 = a.a;
    t.m12 = a.b;
    t.m21 = a.c;
    t.m22 = a.d;
    t.m41 = a.tx;
    t.m42 = a.ty;
    return t;
}

bool CATransform3D::isIdentity() const {
    return *this == identity();
}

bool CATransform3D::isAffine() const {
    return m13 == 0 && m14 == 0 && m23 == 0 && m24 == 0 && m31 == 0 && m32 == 0 && m33 == 1 &&
           m34 == 0 && m43 == 0 && m44 == 1;
}

CGAffineTransform CATransform3D::affineTransform() const {
    return {m11, m12, m21, m22, m41, m42};
}

CATransform3D CATransform3D::translatedBy(double tx, double ty, double tz) const {
    return makeTranslation(tx, ty, tz).concatenating(*this);
}

CATransform3D CATransform3D::scaledBy(double sx, double sy, double sz) const {
    return makeScale(sx, sy, sz).concatenating(*this);
}

CATransform3D CATransform3D::rotatedBy(double angle, double x, double y, double z) const {
    return makeRotation(angle, x, y, z).concatenating(*this);
}

CATransform3D CATransform3D::concatenating(const CATransform3D& b) const {
    const double l[4][4] = {
        {m11, m12, m13, m14}, {m21, m22, m23, m24}, {m31, m32, m33, m34}, {m41, m42, m43, m44}};
    const double r[4][4] = {{b.m11, b.m12, b.m13, b.m14},
                            {b.m21, b.m22, b.m23, b.m24},
                            {b.m31, b.m32, b.m33, b.m34},
                            {b.m41, b.m42, b.m43, b.m44}};
    double p[4][4] = {};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            for (int k = 0; k < 4; ++k) {
                p[i][j] += l[i][k] * r[k][j];
            }
        }
    }
    return {p[0][0], p[0][1], p[0][2], p[0][3], p[1][0], p[1][1], p[1][2], p[1][3],
            p[2][0], p[2][1], p[2][2], p[2][3], p[3][0], p[3][1], p[3][2], p[3][3]};
}

CGPoint CATransform3D::apply(CGPoint p) const {
    const double x = p.x * m11 + p.y * m21 + m41;
    const double y = p.x * m12 + p.y * m22 + m42;
    const double w = p.x * m14 + p.y * m24 + m44;
    if (w == 0) {
        return {x, y};
    }
    return {x / w, y / w};
}
