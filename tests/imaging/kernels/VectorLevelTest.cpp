#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/kernels/VectorLevel.h"

#if defined(__aarch64__)
#include <asm/hwcap.h>
#include <sys/auxv.h>
#endif

namespace {

// What the processor reports of itself, asked another way than the engine asks.
VectorLevel reportedLevel() {
#if defined(__x86_64__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    __asm__("cpuid" : "=a"(eax), "=b"(ebx), "=c"(ecx), "=d"(edx) : "a"(7), "c"(0));
    const bool avx512 = (ebx >> 16 & 1) && (ebx >> 30 & 1) && (ebx >> 31 & 1) &&  // F, BW, VL
                        (ebx >> 17 & 1) && (ecx >> 1 & 1) && (ecx >> 11 & 1);     // DQ, VBMI, VNNI
    const bool avx2 = ebx >> 5 & 1;
    __asm__("cpuid" : "=a"(eax), "=b"(ebx), "=c"(ecx), "=d"(edx) : "a"(1), "c"(0));
    const bool sse4 = (ecx >> 20 & 1) && (ecx >> 9 & 1);  // SSE4.2, SSSE3
    return avx512 ? VectorLevel::Avx512
           : avx2 ? VectorLevel::Avx2
           : sse4 ? VectorLevel::Sse4
                  : VectorLevel::Portable;
#elif defined(__aarch64__)
    return getauxval(AT_HWCAP) & HWCAP_ASIMD ? VectorLevel::Neon : VectorLevel::Portable;
#else
    return VectorLevel::Portable;
#endif
}

TEST(VectorLevelTest, TheRunTimeChoiceIsTheBestLevelTheProcessorHas) {
    EXPECT_EQ(vectorlevel::best(), reportedLevel()) << vectorlevel::name(vectorlevel::best());
    EXPECT_EQ(vectorlevel::current(), vectorlevel::best());
    const std::vector<VectorLevel> levels = vectorlevel::available();
    EXPECT_EQ(levels.front(), VectorLevel::Portable);
    EXPECT_EQ(levels.back(), vectorlevel::best());
    EXPECT_TRUE(std::is_sorted(levels.begin(), levels.end()));
}

TEST(VectorLevelTest, ALimitLowersTheLevelWhileItLasts) {
    {
        const vectorlevel::ScopedLimit portable(VectorLevel::Portable);
        EXPECT_EQ(vectorlevel::current(), VectorLevel::Portable);
        EXPECT_EQ(vectorlevel::highwayTarget(), 0);
        {
            // A limit above the processor's best changes nothing of it.
            const vectorlevel::ScopedLimit wide(VectorLevel::Avx512);
            EXPECT_EQ(vectorlevel::current(), vectorlevel::best());
        }
        EXPECT_EQ(vectorlevel::current(), VectorLevel::Portable);
    }
    EXPECT_EQ(vectorlevel::current(), vectorlevel::best());
    // Another architecture's level runs the plain loops.
    const vectorlevel::ScopedLimit other(
        vectorlevel::best() == VectorLevel::Neon ? VectorLevel::Portable : VectorLevel::Neon);
    EXPECT_EQ(vectorlevel::current(), VectorLevel::Portable);
}

}  // namespace
