#pragma once

#include <array>
#include <optional>

#include "platform/geometry/CATransform3D.h"
#include "platform/geometry/CGPoint.h"

// What a layer transform does to the plane z = 0: a 3×3 projective map in row-vector
// form, (x, y, 1)·M = (X, Y, W), the point being (X / W, Y / W). It keeps the
// transform's perspective, so it can be inverted to map screen points back onto a
// view turned in 3-D.
class PlanarProjection {
public:
    explicit PlanarProjection(const CATransform3D& transform);

    CGPoint apply(CGPoint point) const;
    // None for a transform that flattens the plane onto a line or a point.
    std::optional<PlanarProjection> inverted() const;

    // Rows: (m11, m12, m14), (m21, m22, m24), (m41, m42, m44).
    const std::array<std::array<double, 3>, 3>& matrix() const { return m_; }

private:
    PlanarProjection() = default;

    std::array<std::array<double, 3>, 3> m_{};
};
