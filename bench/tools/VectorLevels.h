#pragma once

#include <utility>

#include "imaging/kernels/VectorLevel.h"

// The engine's vector levels by name, so a benchmark measures its vector paths at each.
inline constexpr std::pair<const char*, VectorLevel> kVectorLevels[] = {
    {"portable", VectorLevel::Portable},
    {"avx2", VectorLevel::Avx2},
    {"avx512", VectorLevel::Avx512},
};
