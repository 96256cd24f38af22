#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imaging/kernels/ConvolutionSpan.h"
#include "tests/imaging/kernels/ConvolutionInputs.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"

namespace {

using convolutioninputs::randomBytes;
using convolutioninputs::symmetricKernel;

TEST(ConvolutionSpanTest, EveryVectorLevelMatchesTheScalarLoop) {
    std::mt19937 random(7);
    for (int length : {1, 3, 5, 7, 9, 15, 61, 303}) {
        for (int lowest : {0, -255}) {  // all positive, and with negative taps
            const auto kernel = symmetricKernel(length, random, lowest);
            std::int32_t divisor = 0;
            for (auto k : kernel) {
                divisor += k;
            }
            const ConvolutionTaps taps(kernel.data(), length, std::max(1, divisor));
            ASSERT_TRUE(taps.symmetric);
            const std::size_t bytes = 16 * 9 + 13;  // a tail the vector loop leaves over
            std::vector<std::vector<std::uint8_t>> rows;
            std::vector<const std::uint8_t*> sources;
            for (int i = 0; i < length; ++i) {
                rows.push_back(randomBytes(bytes, random));
            }
            for (const auto& row : rows) {
                sources.push_back(row.data());
            }
            std::vector<std::uint8_t> expected(bytes);
            convolveSpanScalar(taps, sources.data(), expected.data(), 0, bytes);
            atEveryVectorLevel([&] {
                std::vector<std::uint8_t> actual(bytes, 0xAB);
                selectConvolveSpan(taps)(taps, sources.data(), actual.data(), 3, bytes);
                EXPECT_TRUE(std::equal(expected.begin() + 3, expected.end(), actual.begin() + 3))
                    << "length " << length << " lowest " << lowest;
                EXPECT_EQ(actual[0], 0xAB);  // nothing written before the span
            });
        }
    }
}

}  // namespace
