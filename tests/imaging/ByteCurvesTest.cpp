#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/ByteCurves.h"
#include "tests/imaging/TestPictures.h"

namespace {

#if defined(__x86_64__)
TEST(ByteCurvesTest, TheVectorPathGivesEveryOpaquePixelItsCurves) {
    if (!__builtin_cpu_supports("avx512vbmi")) {
        GTEST_SKIP() << "no AVX-512 VBMI on this processor: the scalar tables serve instead";
    }
    std::mt19937 random(17);
    ByteCurves curves{};
    for (auto& table : curves.levels) {
        for (auto& level : table) {
            level = static_cast<std::uint8_t>(random());
        }
    }
    for (std::size_t count : {0u, 15u, 16u, 17u, 48u, 1003u}) {
        SCOPED_TRACE(count);
        std::vector<std::uint32_t> in(count);
        for (auto& p : in) {
            p = random() % 4 == 0 ? testpictures::randomPremultiplied(random)
                                  : (random() | 0xFF000000u);
        }
        for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
            std::vector<std::uint32_t> out(count);
            const std::size_t whole = count - count % ByteCurves::kGroup;
            const std::uint32_t all =
                applyByteCurvesAvx512(curves, in.data(), out.data(), whole, opaqueBits);
            std::uint32_t expectedAll = 0xFFFFFFFFu;
            for (std::size_t x = 0; x < whole; ++x) {
                const std::uint32_t pixel = in[x] | opaqueBits;
                expectedAll &= pixel;
                if (pixel >= 0xFF000000u) {
                    ASSERT_EQ(out[x], curves.opaquePixel(pixel)) << x;
                }
            }
            EXPECT_EQ(all, expectedAll);
            // Nothing past the whole groups is written.
            for (std::size_t x = whole; x < count; ++x) {
                ASSERT_EQ(out[x], 0u);
            }
        }
    }
}
#endif

}  // namespace
