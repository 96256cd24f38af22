#pragma once

// The Highway targets the kernels are compiled for: one for each VectorLevel above
// Portable, whose plain loops need none. Include before any Highway header.
#define HWY_WANT_AVX3_DL
#define HWY_DISABLED_TARGETS \
    (HWY_SSSE3 | HWY_AVX3 | HWY_SVE | HWY_SVE2 | HWY_SVE_256 | HWY_SVE2_128)

#include "hwy/detect_targets.h"
