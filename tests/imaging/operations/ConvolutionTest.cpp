#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imaging/operations/GaussianKernel.h"
#include "imaging/operations/vImageConvolve.h"
#include "tests/imaging/kernels/ConvolutionInputs.h"

namespace {

using convolutioninputs::randomBytes;
using convolutioninputs::symmetricKernel;

// The definition, pixel by pixel, with the edges repeated.
std::vector<std::uint8_t> referenceConvolve(const std::vector<std::uint8_t>& src, int width,
                                            int height, const std::vector<std::int16_t>& kernel,
                                            bool vertical, std::int32_t divisor) {
    std::vector<std::uint8_t> out(src.size());
    const int half = static_cast<int>(kernel.size()) / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 4; ++c) {
                std::int64_t sum = divisor / 2;
                for (int i = 0; i < static_cast<int>(kernel.size()); ++i) {
                    const int sx = vertical ? x : std::clamp(x + i - half, 0, width - 1);
                    const int sy = vertical ? std::clamp(y + i - half, 0, height - 1) : y;
                    sum += kernel[i] * src[(sy * width + sx) * 4 + c];
                }
                const std::int64_t q = sum <= 0 ? 0 : std::min<std::int64_t>(255, sum / divisor);
                out[(y * width + x) * 4 + c] = static_cast<std::uint8_t>(q);
            }
        }
    }
    return out;
}

vImage_Buffer bufferOf(std::vector<std::uint8_t>& bytes, int width, int height) {
    return {bytes.data(), static_cast<std::size_t>(height), static_cast<std::size_t>(width),
            static_cast<std::size_t>(width) * 4};
}

TEST(ConvolutionTest, WholePicturesMatchThePlainDefinitionIncludingEdges) {
    std::mt19937 random(11);
    struct Case {
        int width, height, length;
    };
    // Odd widths, a kernel longer than the picture, a single row or column.
    for (const Case& c :
         {Case{37, 29, 7}, Case{5, 3, 61}, Case{1, 40, 9}, Case{40, 1, 9}, Case{301, 67, 25}}) {
        const auto kernel = symmetricKernel(c.length, random, 0);
        std::int32_t divisor = 0;
        for (auto k : kernel) {
            divisor += k;
        }
        auto src = randomBytes(static_cast<std::size_t>(c.width * c.height * 4), random);
        for (bool vertical : {true, false}) {
            std::vector<std::uint8_t> dst(src.size());
            const vImage_Error error = vImageConvolve_ARGB8888(
                bufferOf(src, c.width, c.height), bufferOf(dst, c.width, c.height), kernel.data(),
                vertical ? c.length : 1, vertical ? 1 : c.length, std::max(1, divisor));
            ASSERT_EQ(error, kvImageNoError);
            EXPECT_EQ(dst, referenceConvolve(src, c.width, c.height, kernel, vertical,
                                             std::max(1, divisor)))
                << c.width << "x" << c.height << " taps " << c.length << " vertical " << vertical;
        }
    }
    // An asymmetric kernel takes the scalar path and still follows the definition.
    const std::vector<std::int16_t> skewed{1, 2, 9};
    auto src = randomBytes(23 * 19 * 4, random);
    std::vector<std::uint8_t> dst(src.size());
    ASSERT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 23, 19), bufferOf(dst, 23, 19), skewed.data(),
                                      1, 3, 12),
              kvImageNoError);
    EXPECT_EQ(dst, referenceConvolve(src, 23, 19, skewed, false, 12));
}

TEST(ConvolutionTest, BadArgumentsAreReportedAndNothingIsWritten) {
    std::vector<std::uint8_t> src(8 * 8 * 4, 100);
    std::vector<std::uint8_t> dst(8 * 8 * 4, 7);
    const std::int16_t kernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 8, 8), bufferOf(dst, 8, 8), kernel, 2, 1, 2),
              kvImageInvalidKernelSize);
    EXPECT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 8, 8), bufferOf(dst, 8, 8), kernel, 3, 3, 9),
              kvImageInvalidKernelSize);
    EXPECT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 8, 8), bufferOf(dst, 8, 8), kernel, 3, 1, 0),
              kvImageInvalidParameter);
    EXPECT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 8, 8), bufferOf(dst, 8, 7), kernel, 3, 1, 3),
              kvImageBufferSizeMismatch);
    EXPECT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 8, 8), bufferOf(src, 8, 8), kernel, 3, 1, 3),
              kvImageInvalidParameter);
    EXPECT_EQ(vImageConvolve_ARGB8888(bufferOf(src, 8, 8), bufferOf(dst, 8, 8), nullptr, 3, 1, 3),
              kvImageNullPointerArgument);
    EXPECT_TRUE(std::all_of(dst.begin(), dst.end(), [](std::uint8_t b) { return b == 7; }));
}

TEST(ConvolutionTest, GaussianKernelsHaveTheDocumentedWeights) {
    const GaussianKernel two = GaussianKernel::forLevel(1.0, 20);  // r = 2
    EXPECT_EQ(two.weights(), (std::vector<std::int16_t>{2, 255, 2}));
    EXPECT_EQ(two.divisor(), 259);
    const GaussianKernel none = GaussianKernel::forLevel(0.0, 3000);
    EXPECT_EQ(none.weights(), (std::vector<std::int16_t>{255}));
    EXPECT_EQ(none.divisor(), 255);
    EXPECT_EQ(GaussianKernel::forLevel(1.0, 19).weights().size(), 1u);  // r = 1 rounds to 0
    // 300 × 300 at level 0.5: r = 15, e = 14, n = 15, σ = 7/3.
    const GaussianKernel fifteen = GaussianKernel::forLevel(0.5, 300);
    ASSERT_EQ(fifteen.weights().size(), 15u);
    EXPECT_EQ(fifteen.weights()[7], 255);
    EXPECT_EQ(fifteen.weights()[0],
              static_cast<std::int16_t>(255 * std::exp(-49.0 / (2 * 49.0 / 9))));
    // r = 24: n = 25, σ = 4, a = -1/32.
    const GaussianKernel twentyFive = GaussianKernel::forLevel(0.1, 2400);
    ASSERT_EQ(twentyFive.weights().size(), 25u);
    EXPECT_EQ(twentyFive.weights()[0], static_cast<std::int16_t>(255 * std::exp(-144.0 / 32)));
    // Levels beyond the range are clamped.
    EXPECT_EQ(GaussianKernel::forLevel(7.0, 300).weights(),
              GaussianKernel::forLevel(1.0, 300).weights());
    EXPECT_EQ(GaussianKernel::forLevel(-3.0, 300).weights(),
              GaussianKernel::forLevel(0.0, 300).weights());
}

}  // namespace
