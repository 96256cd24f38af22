#include <gtest/gtest.h>

#if defined(__x86_64__)
#include <cpuid.h>

#include <cstdint>

namespace {

// Whether the processor reports which parts of the vector state are in use (XINUSE).
bool reportsStateInUse() {
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __get_cpuid_count(0xD, 1, &a, &b, &c, &d) && (a & (1u << 2)) != 0;
}

std::uint64_t stateInUse() {
    std::uint32_t low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return std::uint64_t{high} << 32 | low;
}

// The test program starts with a Runtime, as the app does.
TEST(RuntimeTest, StartUpLeavesTheUpperHalvesOfTheVectorRegistersClear) {
    if (!reportsStateInUse()) {
        GTEST_SKIP() << "the processor doesn't report the vector state in use";
    }
    constexpr std::uint64_t kUpperHalves = 1u << 2;
    EXPECT_EQ(stateInUse() & kUpperHalves, 0u);
}

}  // namespace
#endif
