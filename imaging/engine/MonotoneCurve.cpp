#include "imaging/engine/MonotoneCurve.h"

#include <algorithm>
#include <cmath>

MonotoneCurve::MonotoneCurve(std::vector<CGPoint> points) : points_(std::move(points)) {
    std::stable_sort(points_.begin(), points_.end(),
                     [](const CGPoint& a, const CGPoint& b) { return a.x < b.x; });
    const std::size_t n = points_.size();
    std::vector<double> secants;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double dx = points_[i + 1].x - points_[i].x;
        secants.push_back(dx > 0 ? (points_[i + 1].y - points_[i].y) / dx : 0.0);
    }
    tangents_.assign(n, 0.0);
    for (std::size_t i = 0; i < n && n > 1; ++i) {
        if (i == 0) {
            tangents_[i] = secants.front();
        } else if (i == n - 1) {
            tangents_[i] = secants.back();
        } else if (secants[i - 1] * secants[i] > 0) {
            tangents_[i] = (secants[i - 1] + secants[i]) / 2;
        }
    }
    // Fritsch–Carlson: shorten tangents that would make a segment overshoot.
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (secants[i] == 0) {
            tangents_[i] = tangents_[i + 1] = 0;
            continue;
        }
        const double a = tangents_[i] / secants[i];
        const double b = tangents_[i + 1] / secants[i];
        const double length = std::hypot(a, b);
        if (length > 3) {
            tangents_[i] = 3 * a / length * secants[i];
            tangents_[i + 1] = 3 * b / length * secants[i];
        }
    }
}

float MonotoneCurve::operator()(float value) const {
    if (points_.empty()) {
        return value;
    }
    const double x = value;
    if (x <= points_.front().x) {
        return static_cast<float>(points_.front().y);
    }
    if (x >= points_.back().x) {
        return static_cast<float>(points_.back().y);
    }
    std::size_t i = 0;
    while (x > points_[i + 1].x) {
        ++i;
    }
    const double h = points_[i + 1].x - points_[i].x;
    if (h <= 0) {
        return static_cast<float>(points_[i + 1].y);
    }
    const double t = (x - points_[i].x) / h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return static_cast<float>(
        (2 * t3 - 3 * t2 + 1) * points_[i].y + (t3 - 2 * t2 + t) * h * tangents_[i] +
        (-2 * t3 + 3 * t2) * points_[i + 1].y + (t3 - t2) * h * tangents_[i + 1]);
}
