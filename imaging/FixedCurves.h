#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "imaging/FixedColorMatrix.h"

// Three curves on the fine indexes of FixedColorMatrix (memory order: blue, green, red),
// held small enough for a vector path to look them up in registers: each curve's value at
// every byte level with the step to the next level, read in between by linear
// interpolation, and the exact values of the darkest indexes, where a curve such as a small
// power rises too steeply to interpolate. Values are in 1/64 of a level and held half a
// level high, so dropping the fraction rounds. Every path computes exactly value().
struct FixedCurves {
    static constexpr int kUnitBits = 6;
    static constexpr int kDarkCount = 64;

    alignas(64) std::int16_t dark[3][kDarkCount];
    alignas(64) std::int16_t levels[3][256];
    alignas(64) std::int16_t steps[3][256];

    // curve(c, v) for colour c (memory order) and v on 0 … 1. Gives nothing when the
    // interpolation would miss the curve by more than a quarter of a level at some index
    // (the steps of a posterize curve, say).
    static std::optional<FixedCurves> fitted(const std::function<float(int, float)>& curve);

    // Colour c at fine index 0 … kIndexMax, as a byte.
    std::uint8_t value(int c, int index) const {
        return static_cast<std::uint8_t>(units(c, index) >> kUnitBits);
    }

    // value() at every fine index, for the paths that look the bytes up directly.
    void tabulate(FixedColorMatrix::Curves& curves) const;

private:
    std::int32_t units(int c, int index) const {
        if (index < kDarkCount) {
            return dark[c][index];
        }
        const int level = index >> FixedColorMatrix::kIndexBits;
        const int fraction = index & ((1 << FixedColorMatrix::kIndexBits) - 1);
        // A rounded multiply-high, as the vector path's.
        const std::int32_t between =
            (steps[c][level] * (fraction << (15 - FixedColorMatrix::kIndexBits)) + (1 << 14)) >> 15;
        return levels[c][level] + between;
    }
};
