#include "imaging/VectorLevel.h"

#include <algorithm>
#include <atomic>

namespace {

VectorLevel processorLevel() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vnni") &&
        __builtin_cpu_supports("avx512vbmi")) {
        return VectorLevel::Avx512;
    }
    if (__builtin_cpu_supports("avx2")) {
        return VectorLevel::Avx2;
    }
#endif
    return VectorLevel::Portable;
}

std::atomic<VectorLevel>& limit() {
    static std::atomic<VectorLevel> level{VectorLevel::Avx512};
    return level;
}

}  // namespace

namespace vectorlevel {

VectorLevel current() {
    // Asked once, on first use: a static initialiser might run before the processor's
    // features are known.
    static const VectorLevel processor = processorLevel();
    return std::min(processor, limit().load(std::memory_order_relaxed));
}

void setLimit(VectorLevel level) {
    limit().store(level, std::memory_order_relaxed);
}

}  // namespace vectorlevel
