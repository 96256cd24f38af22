#include "imaging/kernels/ResampleWeights.h"

#include <algorithm>
#include <cmath>

ResampleWeights::ResampleWeights(int sourceLength, int stretchedLength, int first, int count) {
    offsets_.push_back(0);
    const double sourcePerOutput = static_cast<double>(sourceLength) / stretchedLength;
    for (int output = first; output < first + count; ++output) {
        if (output < 0 || output >= stretchedLength) {
            std::vector<double> none;
            finishOutput(0, none);
        } else if (sourcePerOutput > 1) {
            addAreaWeights(output * sourcePerOutput, (output + 1) * sourcePerOutput, sourceLength);
        } else {
            addLinearWeights((output + 0.5) * sourcePerOutput - 0.5, sourceLength);
        }
    }
}

void ResampleWeights::addAreaWeights(double begin, double end, int sourceLength) {
    const int first = static_cast<int>(std::floor(begin));
    const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(end)) - 1);
    std::vector<double> raw;
    for (int s = first; s <= last; ++s) {
        raw.push_back(std::min<double>(s + 1, end) - std::max<double>(s, begin));
    }
    finishOutput(first, raw);
}

void ResampleWeights::addLinearWeights(double centre, int sourceLength) {
    const double left = std::floor(centre);
    const double fraction = centre - left;
    const int first = std::clamp(static_cast<int>(left), 0, sourceLength - 1);
    const int second = std::clamp(static_cast<int>(left) + 1, 0, sourceLength - 1);
    std::vector<double> raw{1 - fraction};
    if (second == first) {
        raw[0] = 1;
    } else {
        raw.push_back(fraction);
    }
    finishOutput(first, raw);
}

// Scales the weights to kOne exactly; the largest absorbs the rounding.
void ResampleWeights::finishOutput(int start, std::vector<double>& raw) {
    starts_.push_back(start);
    double total = 0;
    for (double w : raw) {
        total += w;
    }
    std::int32_t sum = 0;
    std::size_t largest = 0;
    const std::size_t base = weights_.size();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto w = static_cast<std::int16_t>(std::lround(raw[i] / total * kOne));
        weights_.push_back(w);
        sum += w;
        if (w > weights_[base + largest]) {
            largest = i;
        }
    }
    if (!raw.empty()) {
        weights_[base + largest] = static_cast<std::int16_t>(weights_[base + largest] + kOne - sum);
    }
    offsets_.push_back(static_cast<int>(weights_.size()));
}
