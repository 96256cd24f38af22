#include "imaging/kernels/VectorLevel.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

#include "imaging/kernels/VectorTargets.h"

namespace {

constexpr VectorLevel kLevels[] = {VectorLevel::Portable, VectorLevel::Neon, VectorLevel::Sse4,
                                   VectorLevel::Avx2, VectorLevel::Avx512};

// What the Highway target of each level needs beyond the one below it.
VectorLevel processorLevel() {
#if defined(__x86_64__)
    __builtin_cpu_init();
#define HAS(feature) __builtin_cpu_supports(feature)
    if (!(HAS("sse4.2") && HAS("ssse3") && HAS("pclmul") && HAS("aes"))) {
        return VectorLevel::Portable;
    }
    // Every processor with AVX2 has F16C too, which clang cannot ask for here.
    if (!(HAS("avx2") && HAS("bmi") && HAS("bmi2") && HAS("fma"))) {
        return VectorLevel::Sse4;
    }
    // VAES, which clang cannot ask for here, came with VBMI2 and BITALG in every processor.
    if (!(HAS("avx512f") && HAS("avx512vl") && HAS("avx512dq") && HAS("avx512bw") &&
          HAS("avx512vnni") && HAS("avx512vbmi") && HAS("avx512vbmi2") && HAS("avx512bitalg") &&
          HAS("avx512vpopcntdq") && HAS("vpclmulqdq"))) {
        return VectorLevel::Avx2;
    }
#undef HAS
    return VectorLevel::Avx512;
#elif defined(__aarch64__)
    return VectorLevel::Neon;
#else
    return VectorLevel::Portable;
#endif
}

VectorLevel startingLimit() {
    const char* wanted = std::getenv("PHOTOEDITOR_VECTOR_LEVEL");
    for (VectorLevel level : kLevels) {
        if (wanted != nullptr && std::strcmp(wanted, vectorlevel::name(level)) == 0) {
            return level;
        }
    }
    return VectorLevel::Avx512;
}

std::atomic<VectorLevel>& limitSetting() {
    static std::atomic<VectorLevel> level{startingLimit()};
    return level;
}

}  // namespace

namespace vectorlevel {

VectorLevel best() {
    // Asked once, on first use: a static initialiser might run before the processor's
    // features are known.
    static const VectorLevel processor = processorLevel();
    return processor;
}

VectorLevel current() {
    const VectorLevel level = std::min(best(), limit());
    // Each architecture has its own levels: an x86 processor limited to ARM64's runs the
    // plain loops.
    return level == VectorLevel::Neon && best() != VectorLevel::Neon ? VectorLevel::Portable
                                                                     : level;
}

std::vector<VectorLevel> available() {
    std::vector<VectorLevel> levels;
    for (VectorLevel level : kLevels) {
        const bool sameArchitecture = (level == VectorLevel::Neon) == (best() == VectorLevel::Neon);
        if (level == VectorLevel::Portable || (sameArchitecture && level <= best())) {
            levels.push_back(level);
        }
    }
    return levels;
}

void setLimit(VectorLevel level) {
    limitSetting().store(level, std::memory_order_relaxed);
}

VectorLevel limit() {
    return limitSetting().load(std::memory_order_relaxed);
}

const char* name(VectorLevel level) {
    switch (level) {
        case VectorLevel::Portable:
            return "portable";
        case VectorLevel::Neon:
            return "neon";
        case VectorLevel::Sse4:
            return "sse4";
        case VectorLevel::Avx2:
            return "avx2";
        case VectorLevel::Avx512:
            return "avx512";
    }
    return "";
}

std::int64_t highwayTarget() {
    switch (current()) {
        case VectorLevel::Portable:
            return 0;
        case VectorLevel::Neon:
            return HWY_NEON;
        case VectorLevel::Sse4:
            return HWY_SSE4;
        case VectorLevel::Avx2:
            return HWY_AVX2;
        case VectorLevel::Avx512:
            return HWY_AVX3_DL;
    }
    return 0;
}

}  // namespace vectorlevel
