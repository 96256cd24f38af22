#pragma once

#include <cstdint>
#include <vector>

#include "imaging/operations/vImageConvolve.h"
#include "platform/graphics/CGImage.h"

// Integer weights of a Gaussian: entry i of n = 2·half + 1 is the integer part of
// 255·exp(-(i - half)² / (2σ²)) with σ = half / 3 (one entry of 255 when half is 0);
// the divisor is their sum.
class GaussianKernel {
public:
    explicit GaussianKernel(int half);

    // The kernel gaussBlur uses at a level (clamped to 0 … 1) for a picture whose shorter
    // side is shortSide points: r = level · 0.1 · shortSide, rounded down to even.
    static GaussianKernel forLevel(double level, double shortSide);

    const std::vector<std::int16_t>& weights() const { return weights_; }
    std::int32_t divisor() const { return divisor_; }
    int half() const { return static_cast<int>(weights_.size() / 2); }

    // Blurs the four-byte pixels down the columns into scratch, then along the rows back
    // into pixels. Returns the first pass's error, if any, leaving pixels as they were
    // after the last pass that worked.
    vImage_Error blur(CGImage& pixels, CGImage& scratch) const;

private:
    std::vector<std::int16_t> weights_;
    std::int32_t divisor_ = 0;
};
