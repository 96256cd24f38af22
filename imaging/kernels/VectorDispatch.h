#pragma once

#include <cstddef>

#include "hwy/highway.h"
#include "imaging/kernels/VectorLevel.h"

// How a kernel written once with Highway picks its version: the engine's own level
// chooses the target, so tests can lower it, and nothing needs Highway's library.

// A kernel's versions for the targets compiled in, laid out as Highway's dispatch tables
// (the first entry, Highway's own chooser, left empty).
#define VECTOR_KERNEL_TABLE(FUNCTION) \
    { nullptr, HWY_CHOOSE_TARGET_LIST(FUNCTION) }

namespace vectordispatch {

// The version for the current level, or portable, the plain loops.
template <typename Function, std::size_t N>
Function chosen(Function const (&table)[N], Function portable) {
    const std::int64_t target = vectorlevel::highwayTarget();
    if (target == 0) {
        return portable;
    }
    const auto compiled = static_cast<std::uint64_t>(HWY_CHOSEN_TARGET_SHIFT(target) &
                                                     HWY_CHOSEN_TARGET_MASK_TARGETS);
    if (compiled == 0) {
        return portable;
    }
    const std::size_t index = hwy::Num0BitsBelowLS1Bit_Nonzero64(compiled);
    return index < N && table[index] != nullptr ? table[index] : portable;
}

}  // namespace vectordispatch
