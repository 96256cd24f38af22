#include "platform/ui/animation/CAMediaTimingFunction.h"

#include <algorithm>
#include <cmath>

CAMediaTimingFunction CAMediaTimingFunction::functionWithName(Name name) {
    switch (name) {
        case Name::Linear:
            return {0, 0, 1, 1};
        case Name::EaseIn:
            return {0.42, 0, 1, 1};
        case Name::EaseOut:
            return {0, 0, 0.58, 1};
        case Name::EaseInEaseOut:
            return {0.42, 0, 0.58, 1};
        case Name::Default:
            break;
    }
    return {0.25, 0.1, 0.25, 1};
}

CAMediaTimingFunction::CAMediaTimingFunction(double x1, double y1, double x2, double y2)
    : x1_(std::clamp(x1, 0.0, 1.0)), y1_(y1), x2_(std::clamp(x2, 0.0, 1.0)), y2_(y2) {}

// Bézier coordinates with the end points (0, 0) and (1, 1).
static double bezier(double t, double p1, double p2) {
    const double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

double CAMediaTimingFunction::curveX(double t) const {
    return bezier(t, x1_, x2_);
}

double CAMediaTimingFunction::curveY(double t) const {
    return bezier(t, y1_, y2_);
}

double CAMediaTimingFunction::curveXDerivative(double t) const {
    const double u = 1 - t;
    return 3 * u * u * x1_ + 6 * u * t * (x2_ - x1_) + 3 * t * t * (1 - x2_);
}

double CAMediaTimingFunction::progressAtTime(double time) const {
    time = std::clamp(time, 0.0, 1.0);
    if (x1_ == y1_ && x2_ == y2_) {
        return time;
    }
    // x(t) rises monotonically (control x values lie in 0…1): Newton's method, with
    // bisection where the slope is too flat to trust.
    double t = time;
    for (int i = 0; i < 8; ++i) {
        const double error = curveX(t) - time;
        if (std::abs(error) < 1e-9) {
            return curveY(t);
        }
        const double slope = curveXDerivative(t);
        if (std::abs(slope) < 1e-6) {
            break;
        }
        t = std::clamp(t - error / slope, 0.0, 1.0);
    }
    double low = 0;
    double high = 1;
    t = time;
    for (int i = 0; i < 60 && high - low > 1e-12; ++i) {
        t = (low + high) / 2;
        (curveX(t) < time ? low : high) = t;
    }
    return curveY(t);
}
