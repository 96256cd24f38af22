#include "imaging/FixedCurves.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kUnitsPerLevel = 1 << FixedCurves::kUnitBits;
constexpr std::int32_t kHalfLevel = (1 << FixedCurves::kUnitBits) / 2;
constexpr std::int32_t kLargestMiss = (1 << FixedCurves::kUnitBits) / 4;

}  // namespace

std::optional<FixedCurves> FixedCurves::fitted(const std::function<float(int, float)>& curve) {
    FixedCurves fixed{};
    std::int32_t exact[FixedColorMatrix::kIndexMax + 1];
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j <= FixedColorMatrix::kIndexMax; ++j) {
            const float v = curve(c, static_cast<float>(j) / FixedColorMatrix::kIndexMax);
            exact[j] = static_cast<std::int32_t>(
                           std::lround(std::clamp(v, 0.0f, 1.0f) * 255 * kUnitsPerLevel)) +
                       kHalfLevel;
        }
        std::copy_n(exact, kDarkCount, fixed.dark[c]);
        for (int level = 0; level < 256; ++level) {
            fixed.levels[c][level] =
                static_cast<std::int16_t>(exact[level << FixedColorMatrix::kIndexBits]);
        }
        for (int level = 0; level < 255; ++level) {
            fixed.steps[c][level] =
                static_cast<std::int16_t>(fixed.levels[c][level + 1] - fixed.levels[c][level]);
        }
        fixed.steps[c][255] = 0;
        for (int j = kDarkCount; j <= FixedColorMatrix::kIndexMax; ++j) {
            if (std::abs(fixed.units(c, j) - exact[j]) > kLargestMiss) {
                return std::nullopt;
            }
        }
    }
    return fixed;
}

void FixedCurves::tabulate(FixedColorMatrix::Curves& curves) const {
    for (int c = 0; c < 3; ++c) {
        for (int j = 0; j <= FixedColorMatrix::kIndexMax; ++j) {
            curves[c][j] = value(c, j);
        }
        std::fill(std::begin(curves[c]) + FixedColorMatrix::kIndexMax + 1, std::end(curves[c]), 0);
    }
}
