#pragma once

#include <cstdint>
#include <vector>

// How the pixels of one axis of a stretched picture are made from the source's pixels:
// for each output pixel, the first source pixel and fixed-point weights (summing to
// kOne) for it and the following ones. Shrinking averages the covered area, so a
// thumbnail sees every source pixel; enlarging interpolates linearly between the two
// nearest pixels. Output pixels outside the stretched picture get no weights.
class ResampleWeights {
public:
    static constexpr int kFractionBits = 14;
    static constexpr std::int32_t kOne = 1 << kFractionBits;

    // sourceLength source pixels stretched to stretchedLength; the outputs are the
    // stretched pixels first … first + count - 1 (any of them may lie outside).
    ResampleWeights(int sourceLength, int stretchedLength, int first, int count);

    int count() const { return static_cast<int>(starts_.size()); }
    int start(int output) const { return starts_[output]; }
    int tapCount(int output) const { return offsets_[output + 1] - offsets_[output]; }
    const std::int16_t* weights(int output) const { return weights_.data() + offsets_[output]; }

private:
    void addAreaWeights(double begin, double end, int sourceLength);
    void addLinearWeights(double centre, int sourceLength);
    void finishOutput(int start, std::vector<double>& raw);

    std::vector<int> starts_;
    std::vector<int> offsets_;
    std::vector<std::int16_t> weights_;
};
