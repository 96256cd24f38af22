#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "imaging/kernels/Invert.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"
#include "tests/imaging/kernels/RandomPixels.h"

namespace {

TEST(InvertTest, EveryLevelTakesEachColourFromItsAlpha) {
    std::mt19937 random(9);
    std::vector<std::uint32_t> in(301);
    for (auto& p : in) {
        p = testpictures::randomPremultiplied(random);
    }
    in[0] = 0x80FF0010u;  // a colour above its alpha
    for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
        std::vector<std::uint32_t> expected(in.size());
        for (std::size_t x = 0; x < in.size(); ++x) {
            const std::uint32_t p = in[x] | opaqueBits;
            const int a = static_cast<int>(p >> 24);
            expected[x] = p & 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                expected[x] |=
                    static_cast<std::uint32_t>(std::max(0, a - testpictures::channel(p, c)))
                    << (8 * c);
            }
        }
        atEveryVectorLevel([&] {
            std::vector<std::uint32_t> out(in.size());
            invert::apply(in.data(), out.data(), in.size(), opaqueBits);
            EXPECT_EQ(out, expected);
        });
    }
}

}  // namespace
