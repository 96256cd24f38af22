#include <algorithm>

#include "imaging/kernels/ConvolutionSpan.h"

namespace {
// Sums are gathered for this many bytes at a time, tap by tap, so the compiler can
// vectorise the loop over the bytes.
constexpr std::size_t kChunk = 256;
}  // namespace

void convolveSpanScalar(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                        std::uint8_t* out, std::size_t begin, std::size_t end) {
    const std::int32_t bias = taps.divisor / 2;
    const std::size_t count = taps.weights.size();
    std::int32_t sums[kChunk];
    for (std::size_t start = begin; start < end; start += kChunk) {
        const std::size_t length = std::min(kChunk, end - start);
        std::fill(sums, sums + length, bias);
        for (std::size_t i = 0; i < count; ++i) {
            const std::int32_t weight = taps.weights[i];
            const std::uint8_t* source = sources[i] + start;
            for (std::size_t j = 0; j < length; ++j) {
                sums[j] += weight * source[j];
            }
        }
        for (std::size_t j = 0; j < length; ++j) {
            out[start + j] = convolutionResult(sums[j], taps.divisor);
        }
    }
}
