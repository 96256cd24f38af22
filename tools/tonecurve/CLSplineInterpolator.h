#pragma once

#include <memory>
#include <vector>

#include "platform/foundation/Vector.h"
#include "tools/tonecurve/CLSplineCalculator.h"

// A smooth parametric curve through 2-D points in their given order (it may turn
// back): a spline for x and one for y over the points' indices.
class CLSplineInterpolator {
public:
    explicit CLSplineInterpolator(const std::vector<Vector>& points);

    std::int64_t pointNum() const { return pointNum_; }
    // t is clamped to [0, 1]: 0 is the first point, 1 the last. Zeros without points.
    Vector interpolatedPoint(double t) const;

private:
    std::int64_t pointNum_;
    std::unique_ptr<CLSplineCalculator> splineX_;
    std::unique_ptr<CLSplineCalculator> splineY_;
};
