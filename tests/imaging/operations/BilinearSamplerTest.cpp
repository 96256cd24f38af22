#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "imaging/operations/BilinearSampler.h"
#include "tests/imaging/TestPictures.h"

namespace {

std::shared_ptr<CGImage> randomBitmap(std::mt19937& random, int width, int height,
                                      CGPixelFormat format) {
    return testpictures::makeBitmap(
        width, height, [&](int, int) { return testpictures::randomPremultiplied(random); }, format);
}

// A row sampled in one go gives every pixel that sampling each position alone gives,
// whatever part of it lies inside, on the edges or beyond the picture.
TEST(BilinearSamplerTest, RowsMatchPixelBySamplingAtEveryAngleAndSize) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {37, 21}, {130, 67}};
    for (const auto& size : sizes) {
        for (CGPixelFormat format : {CGPixelFormat::ARGB32Premultiplied, CGPixelFormat::RGB32}) {
            const auto bitmap = randomBitmap(random, size[0], size[1], format);
            const BilinearSampler sampler(*bitmap);
            for (int trial = 0; trial < 40; ++trial) {
                // Turns (including none and quarter turns), scales and shifts.
                const double angle =
                    trial % 5 == 0 ? trial / 10 * 1.5707963267948966 : unit(random) * 6.3;
                const double scale = 0.3 + 2 * unit(random);
                const double du = std::cos(angle) / scale;
                const double dv = std::sin(angle) / scale;
                const std::int64_t u = BilinearSampler::toFixed(unit(random) * 60 - 25);
                const std::int64_t v = BilinearSampler::toFixed(unit(random) * 60 - 25);
                const auto stepU = static_cast<std::int64_t>(std::llround(du * 4294967296.0));
                const auto stepV = static_cast<std::int64_t>(std::llround(dv * 4294967296.0));
                const std::size_t count = 1 + random() % 150;
                std::vector<std::uint32_t> row(count);
                sampler.sampleRow(u, v, stepU, stepV, row.data(), count);
                for (std::size_t x = 0; x < count; ++x) {
                    const auto i = static_cast<std::int64_t>(x);
                    ASSERT_EQ(row[x], sampler.sample(u + i * stepU, v + i * stepV))
                        << size[0] << "x" << size[1] << " trial " << trial << " x " << x;
                }
            }
        }
    }
}

}  // namespace
