#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/kernels/BilinearKernels.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"
#include "tests/imaging/kernels/RandomPixels.h"

namespace {

std::int64_t fixed(double position) {
    return static_cast<std::int64_t>((position + bilinear::kOffsetPixels) * 4294967296.0);
}

// Rows across a picture at several angles, steps and lengths (odd ones leave a tail),
// translucent pixels and RGB32 read as opaque.
TEST(BilinearKernelsTest, EveryLevelGivesTheScalarSamples) {
    std::mt19937 random(13);
    const int width = 40;
    const int height = 30;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (auto& p : pixels) {
        p = testpictures::randomPremultiplied(random);
    }
    const double steps[][2] = {{1, 0}, {0.37, 0.21}, {-0.8, 0.45}, {0.05, -0.6}};
    for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
        const bilinear::Source source{reinterpret_cast<const std::uint8_t*>(pixels.data()),
                                      static_cast<std::size_t>(width) * 4, opaqueBits};
        for (const auto& step : steps) {
            for (std::size_t count : {1u, 2u, 7u, 20u}) {
                SCOPED_TRACE(::testing::Message() << step[0] << "," << step[1] << " × " << count);
                const std::int64_t u = fixed(19.3);
                const std::int64_t v = fixed(14.6);
                std::vector<std::uint32_t> scalar(count);
                bilinear::sampleInsideScalar(source, u, v, fixed(step[0]) - fixed(0),
                                             fixed(step[1]) - fixed(0), scalar.data(), count);
                atEveryVectorLevel([&] {
                    std::vector<std::uint32_t> fast(count);
                    bilinear::sampleInside(source, u, v, fixed(step[0]) - fixed(0),
                                           fixed(step[1]) - fixed(0), fast.data(), count);
                    EXPECT_EQ(fast, scalar);
                });
            }
        }
    }
}

}  // namespace
