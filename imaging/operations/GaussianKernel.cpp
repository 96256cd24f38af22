#include "imaging/operations/GaussianKernel.h"

#include <algorithm>
#include <cmath>

GaussianKernel::GaussianKernel(int half) {
    const double sigma = half / 3.0;
    const double exponent = half == 0 ? 0.0 : -1.0 / (2 * sigma * sigma);
    for (int i = 0; i <= 2 * half; ++i) {
        const double distance = i - half;
        const auto weight =
            static_cast<std::int16_t>(255 * std::exp(exponent * distance * distance));
        weights_.push_back(weight);
        divisor_ += weight;
    }
}

GaussianKernel GaussianKernel::forLevel(double level, double shortSide) {
    const double clamped = level > 0 ? std::min(level, 1.0) : 0.0;  // NaN reads as 0
    const auto r = static_cast<int>(clamped * 0.1 * std::max(shortSide, 0.0));
    return GaussianKernel((r & ~1) / 2);
}

namespace {
vImage_Buffer bufferOf(CGImage& image) {
    return {image.mutableData(), static_cast<std::size_t>(image.height()),
            static_cast<std::size_t>(image.width()), image.bytesPerRow()};
}
}  // namespace

vImage_Error GaussianKernel::blur(CGImage& pixels, CGImage& scratch) const {
    const vImage_Buffer source = bufferOf(pixels);
    const vImage_Buffer between = bufferOf(scratch);
    const auto length = static_cast<std::uint32_t>(weights_.size());
    if (const vImage_Error error =
            vImageConvolve_ARGB8888(source, between, weights_.data(), length, 1, divisor_)) {
        return error;
    }
    return vImageConvolve_ARGB8888(between, source, weights_.data(), 1, length, divisor_);
}
