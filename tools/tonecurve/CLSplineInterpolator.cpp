#include "tools/tonecurve/CLSplineInterpolator.h"

#include <algorithm>

CLSplineInterpolator::CLSplineInterpolator(const std::vector<Vector>& points)
    : pointNum_(static_cast<std::int64_t>(points.size())) {
    std::vector<double> xs;
    std::vector<double> ys;
    for (const Vector& point : points) {
        xs.push_back(point.x());
        ys.push_back(point.y());
    }
    splineX_ = CLSplineCalculator::make(xs);
    splineY_ = CLSplineCalculator::make(ys);
}

Vector CLSplineInterpolator::interpolatedPoint(double t) const {
    if (!splineX_ || !splineY_) {
        return Vector{0, 0};
    }
    const double s = std::clamp(t, 0.0, 1.0) * static_cast<double>(pointNum_ - 1);
    return Vector{splineX_->getValue(s), splineY_->getValue(s)};
}
