#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The inner loop of the convolution, shared by both directions: output byte j is the
// weighted sum of byte j of every tap's source, then divided and clamped (see
// vImageConvolve.h). For a column kernel tap i's source is a row of the picture; for a
// row kernel it is one padded row shifted by i pixels.
struct ConvolutionTaps {
    ConvolutionTaps(const std::int16_t* kernel, int count, std::int32_t divisor);

    std::vector<std::int16_t> weights;
    std::int32_t divisor;
    // weights[i] == weights[count - 1 - i] for every i: the vector paths add the two
    // mirrored pixels first and halve the multiplications.
    bool symmetric;
    // For the vector paths of a symmetric kernel of n = 2·half + 1 taps: the weights of
    // the terms (mirrored pair 0, …, mirrored pair half - 1, centre, 0 when needed to make
    // the count even), two 16-bit weights to each 32-bit word, lower term in the low half.
    std::vector<std::int32_t> pairedWeights;
};

// out[j] for begin <= j < end, from sources[0 … taps.weights.size() - 1].
using ConvolveSpan = void (*)(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                              std::uint8_t* out, std::size_t begin, std::size_t end);

// The reference: a plain loop, and the path for machines without a vector path.
void convolveSpanScalar(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                        std::uint8_t* out, std::size_t begin, std::size_t end);

namespace convolution {
// The vector path for symmetric kernels at the current vector level; it finishes a span's
// last bytes with the scalar loop.
void convolveSymmetricSpan(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                           std::uint8_t* out, std::size_t begin, std::size_t end);
}  // namespace convolution

// The fastest path for these taps.
ConvolveSpan selectConvolveSpan(const ConvolutionTaps& taps);

// The division and clamp every path shares; sum already includes floor(divisor / 2).
inline std::uint8_t convolutionResult(std::int32_t sum, std::int32_t divisor) {
    if (sum <= 0) {
        return 0;
    }
    const std::int32_t quotient = sum / divisor;
    return static_cast<std::uint8_t>(quotient > 255 ? 255 : quotient);
}
