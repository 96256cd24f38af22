#include "tools/tonecurve/CLSplineCalculator.h"

#include <cmath>

std::unique_ptr<CLSplineCalculator> CLSplineCalculator::make(const std::vector<double>& samples) {
    return samples.empty() ? nullptr
                           : std::unique_ptr<CLSplineCalculator>(new CLSplineCalculator(samples));
}

CLSplineCalculator::CLSplineCalculator(const std::vector<double>& samples)
    : a_(samples), b_(samples.size()), c_(samples.size()), d_(samples.size()) {
    const std::size_t last = samples.size() - 1;
    if (last >= 2) {
        // c[i−1] + 4·c[i] + c[i+1] = 3·(a[i−1] − 2·a[i] + a[i+1]), c at both ends 0,
        // by a tridiagonal sweep.
        for (std::size_t i = 1; i < last; ++i) {
            c_[i] = 3 * (a_[i - 1] - 2 * a_[i] + a_[i + 1]);
        }
        std::vector<double> w(samples.size());
        double r = 0;
        double z = 0;
        for (std::size_t i = 1; i < last; ++i) {
            const double m = 4 - r;
            z = (c_[i] - z) / m;
            c_[i] = z;
            r = 1 / m;
            w[i] = r;
        }
        z = 0;
        for (std::size_t i = last - 1; i >= 1; --i) {
            z = c_[i] - z * w[i];
            c_[i] = z;
        }
    }
    for (std::size_t i = 0; i < last; ++i) {
        d_[i] = (c_[i + 1] - c_[i]) / 3;
        b_[i] = a_[i + 1] - a_[i] - c_[i] - d_[i];
    }
}

double CLSplineCalculator::getValue(double t) const {
    const std::int64_t n = dataNum();
    // A single sample has no piece to evaluate: the curve is that sample.
    if (n == 1) {
        return a_[0];
    }
    const auto k = static_cast<std::int64_t>(std::floor(t));
    const std::int64_t i = k < 0 ? 0 : k < n - 1 ? k : n - 2;
    const auto piece = static_cast<std::size_t>(i);
    const double u = t - static_cast<double>(i);
    return a_[piece] + u * (b_[piece] + u * (c_[piece] + u * d_[piece]));
}
