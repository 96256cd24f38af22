#pragma once

#include "platform/geometry/CGAffineTransform.h"

// A 4×4 layer transform in the platform's row-vector form (p' = p·M), so
// "t.concatenating(u)" is t·u: t applies first. m34 carries the perspective.
struct CATransform3D {
    double m11 = 1, m12 = 0, m13 = 0, m14 = 0;
    double m21 = 0, m22 = 1, m23 = 0, m24 = 0;
    double m31 = 0, m32 = 0, m33 = 1, m34 = 0;
    double m41 = 0, m42 = 0, m43 = 0, m44 = 1;

    static CATransform3D identity() { return {}; }
    static CATransform3D makeTranslation(double tx, double ty, double tz);
    static CATransform3D makeScale(double sx, double sy, double sz);
    // Rotation by angle about the axis (x, y, z); a zero axis gives the identity.
    static CATransform3D makeRotation(double angle, double x, double y, double z);
    static CATransform3D makeAffineTransform(const CGAffineTransform& transform);

    bool isIdentity() const;
    // True when the transform maps the plane z = 0 onto itself without perspective.
    bool isAffine() const;
    CGAffineTransform affineTransform() const;

    CATransform3D translatedBy(double tx, double ty, double tz) const;
    CATransform3D scaledBy(double sx, double sy, double sz) const;
    CATransform3D rotatedBy(double angle, double x, double y, double z) const;
    CATransform3D concatenating(const CATransform3D& then) const;

    // Maps a point of the plane z = 0, dividing by w for perspective.
    CGPoint apply(CGPoint point) const;

    friend bool operator==(const CATransform3D&, const CATransform3D&) = default;
};
