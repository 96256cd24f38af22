#include "imaging/kernels/ConvolutionSpan.h"

ConvolutionTaps::ConvolutionTaps(const std::int16_t* kernel, int count, std::int32_t divisor)
    : weights(kernel, kernel + count), divisor(divisor), symmetric(true) {
    for (int i = 0; i < count / 2; ++i) {
        symmetric = symmetric && weights[i] == weights[count - 1 - i];
    }
    if (!symmetric) {
        return;
    }
    std::vector<std::int16_t> terms(weights.begin(), weights.begin() + count / 2 + 1);
    if (terms.size() % 2 != 0) {
        terms.push_back(0);
    }
    for (std::size_t t = 0; t < terms.size(); t += 2) {
        const auto low = static_cast<std::uint16_t>(terms[t]);
        const auto high = static_cast<std::uint16_t>(terms[t + 1]);
        pairedWeights.push_back(static_cast<std::int32_t>(low | (std::uint32_t{high} << 16)));
    }
}

ConvolveSpan selectConvolveSpan(const ConvolutionTaps& taps) {
    return taps.symmetric ? convolution::convolveSymmetricSpan : convolveSpanScalar;
}
