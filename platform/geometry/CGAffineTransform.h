#pragma once

#include "platform/geometry/CGPoint.h"
#include "platform/geometry/CGSize.h"

// A 2-D affine transform in the platform's row-vector form:
//   x' = a·x + c·y + tx,   y' = b·x + d·y + ty.
// "t.concatenating(u)" applies t first, then u. The "…By" forms put the new
// step in front of the transform, as the platform's translate/rotate/scale do.
struct CGAffineTransform {
    double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;

    static CGAffineTransform identity() { return {}; }
    static CGAffineTransform makeTranslation(double tx, double ty);
    static CGAffineTransform makeRotation(double angle);
    static CGAffineTransform makeScale(double sx, double sy);

    bool isIdentity() const;
    CGAffineTransform translatedBy(double tx, double ty) const;
    CGAffineTransform rotatedBy(double angle) const;
    CGAffineTransform scaledBy(double sx, double sy) const;
    CGAffineTransform concatenating(const CGAffineTransform& then) const;
    // A singular transform has no inverse and is returned unchanged.
    CGAffineTransform inverted() const;

    CGPoint apply(CGPoint point) const;
    // Sizes ignore the translation.
    CGSize apply(CGSize size) const;

    friend bool operator==(const CGAffineTransform&, const CGAffineTransform&) = default;
};
