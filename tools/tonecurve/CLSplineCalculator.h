#pragma once

#include <cstdint>
#include <memory>
#include <vector>

// A natural cubic spline through equally spaced samples, sample k at t = k. Outside
// [0, n − 1] the first and last pieces carry on. Immutable once made.
class CLSplineCalculator {
public:
    // Null for fewer than one sample.
    static std::unique_ptr<CLSplineCalculator> make(const std::vector<double>& samples);

    std::int64_t dataNum() const { return static_cast<std::int64_t>(a_.size()); }
    double getValue(double t) const;

private:
    explicit CLSplineCalculator(const std::vector<double>& samples);

    // Piece i at u in [0, 1] is a + b·u + c·u² + d·u³.
    std::vector<double> a_, b_, c_, d_;
};
