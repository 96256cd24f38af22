#pragma once

#include <vector>

#include "platform/geometry/CGPoint.h"

// A smooth curve through points ordered by x (monotone cubic Hermite: it never
// overshoots between points, so rising points give a rising curve, and points on a line
// give that line). Flat before the first point and after the last.
class MonotoneCurve {
public:
    explicit MonotoneCurve(std::vector<CGPoint> points);

    float operator()(float x) const;

private:
    std::vector<CGPoint> points_;
    std::vector<double> tangents_;
};
