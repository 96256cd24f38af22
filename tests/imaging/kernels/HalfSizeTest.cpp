#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/kernels/HalfSize.h"
#include "imaging/kernels/ResampleKernels.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"
#include "tests/imaging/kernels/RandomPixels.h"

namespace {

// The mean is what the area resample computes for half the size, and every level gives
// it exactly, on translucent and RGB32 pixels and on rows the vector loop leaves a tail of.
TEST(HalfSizeTest, EveryLevelGivesTheAreaResamplesPixels) {
    std::mt19937 random(3);
    for (std::size_t count : {1u, 7u, 8u, 33u, 301u}) {
        std::vector<std::uint32_t> upper(2 * count), lower(2 * count);
        for (std::size_t x = 0; x < 2 * count; ++x) {
            upper[x] = testpictures::randomPremultiplied(random);
            lower[x] = x % 3 == 0 ? 0xFFFFFFFFu : testpictures::randomPremultiplied(random);
        }
        const ResampleWeights halves(static_cast<int>(2 * count), static_cast<int>(count), 0,
                                     static_cast<int>(count));
        const std::uint8_t* rows[2] = {reinterpret_cast<const std::uint8_t*>(upper.data()),
                                       reinterpret_cast<const std::uint8_t*>(lower.data())};
        const std::int16_t rowWeights[2] = {ResampleWeights::kOne / 2, ResampleWeights::kOne / 2};
        std::vector<std::int16_t> sums(8 * count);
        resample::verticalScalar(rows, rowWeights, 2, sums.data(), 0, sums.size());
        for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
            SCOPED_TRACE(::testing::Message() << count << " pixels, opaque bits " << opaqueBits);
            std::vector<std::uint32_t> resampled(count), mean(count);
            resample::horizontalScalar({sums.data(), halves, true, opaqueBits}, resampled.data(),
                                       1);
            halfsize::meanScalar(upper.data(), lower.data(), mean.data(), count, opaqueBits);
            EXPECT_EQ(mean, resampled);
            atEveryVectorLevel([&] {
                std::vector<std::uint32_t> fast(count);
                halfsize::mean(upper.data(), lower.data(), fast.data(), count, opaqueBits);
                EXPECT_EQ(fast, resampled);
            });
        }
    }
}

}  // namespace
