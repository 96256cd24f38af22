#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/kernels/ResampleKernels.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"

namespace {

TEST(ResampleKernelsTest, VectorPassesGiveTheScalarSums) {
    std::mt19937 random(17);
    for (int taps : {1, 2, 3, 7, 8}) {
        for (std::size_t end : {1u, 15u, 16u, 17u, 33u, 67u, 130u}) {
            SCOPED_TRACE(::testing::Message() << taps << " taps, " << end << " bytes");
            std::vector<std::vector<std::uint8_t>> rows(taps, std::vector<std::uint8_t>(end));
            std::vector<const std::uint8_t*> pointers;
            for (auto& row : rows) {
                for (auto& byte : row) {
                    byte = static_cast<std::uint8_t>(random());
                }
                pointers.push_back(row.data());
            }
            // Weights summing to one, as every resample's do; all on one tap is the extreme.
            std::vector<std::int16_t> weights(taps, 0);
            std::int32_t left = ResampleWeights::kOne;
            for (int t = 0; t + 1 < taps; ++t) {
                weights[t] = static_cast<std::int16_t>(random() % (left + 1));
                left -= weights[t];
            }
            weights[taps - 1] = static_cast<std::int16_t>(left);
            for (std::size_t begin : {std::size_t{0}, end / 3}) {
                std::vector<std::int16_t> scalar(end, -1);
                resample::verticalScalar(pointers.data(), weights.data(), taps, scalar.data(),
                                         begin, end);
                atEveryVectorLevel([&] {
                    std::vector<std::int16_t> fast(end, -1);
                    resample::vertical(pointers.data(), weights.data(), taps, fast.data(), begin,
                                       end);
                    EXPECT_EQ(fast, scalar);
                });
            }
        }
    }
}

TEST(ResampleKernelsTest, VectorRowsGiveTheScalarPixels) {
    std::mt19937 random(23);
    // Shrinking (area weights), enlarging (two taps), and a window beyond the picture.
    const int cases[][4] = {{4032, 640, 0, 640}, {7, 13, 0, 13}, {9, 4, -2, 8}, {1, 1, 0, 1}};
    for (const auto& c : cases) {
        const ResampleWeights columns(c[0], c[1], c[2], c[3]);
        std::vector<std::int16_t> sums(static_cast<std::size_t>(c[0]) * 4);
        for (auto& s : sums) {
            s = static_cast<std::int16_t>(random() % (255 << resample::kSumBits) + 1);
        }
        for (bool rowInside : {true, false}) {
            for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
                const resample::HorizontalRow row{sums.data(), columns, rowInside, opaqueBits};
                // Written backwards with a stride, as a turned picture's rows are.
                std::vector<std::uint32_t> scalar(2 * c[3], 7), fast(2 * c[3], 7);
                resample::horizontalScalar(row, scalar.data() + 2 * c[3] - 1, -2);
                atEveryVectorLevel([&] {
                    resample::horizontal(row, fast.data() + 2 * c[3] - 1, -2);
                    EXPECT_EQ(fast, scalar) << c[0] << " to " << c[1];
                });
            }
        }
    }
}

}  // namespace
