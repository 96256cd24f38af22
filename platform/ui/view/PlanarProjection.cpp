#include "platform/ui/view/PlanarProjection.h"

#include <cmath>

PlanarProjection::PlanarProjection(const CATransform3D& t)
    : m_{{{t.m11, t.m12, t.m14}, {t.m21, t.m22, t.m24}, {t.m41, t.m42, t.m44}}} {}

CGPoint PlanarProjection::apply(CGPoint p) const {
    const double x = p.x * m_[0][0] + p.y * m_[1][0] + m_[2][0];
    const double y = p.x * m_[0][1] + p.y * m_[1][1] + m_[2][1];
    const double w = p.x * m_[0][2] + p.y * m_[1][2] + m_[2][2];
    if (w == 0) {
        return {x, y};
    }
    return {x / w, y / w};
}

std::optional<PlanarProjection> PlanarProjection::inverted() const {
    const auto& a = m_;
    const double c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    const double c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    const double c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    const double determinant = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    if (std::abs(determinant) < 1e-12) {
        return std::nullopt;
    }
    PlanarProjection inverse;
    auto& r = inverse.m_;
    r[0][0] = c00 / determinant;
    r[1][0] = c01 / determinant;
    r[2][0] = c02 / determinant;
    r[0][1] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) / determinant;
    r[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) / determinant;
    r[2][1] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) / determinant;
    r[0][2] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) / determinant;
    r[1][2] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) / determinant;
    r[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) / determinant;
    return inverse;
}
