#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/kernels/ColorTables.h"
#include "tests/imaging/kernels/EveryVectorLevel.h"

namespace {

TEST(ColorTablesTest, EveryVectorLevelGivesTheScalarFormulasPixels) {
    std::mt19937 random(3);
    ColorTables tables{};
    for (int c = 0; c < 3; ++c) {
        for (int i = 0; i < 256; ++i) {
            tables.inputs[c][i] = static_cast<std::int32_t>(random() % 9000) - 500;
        }
        for (int k = 0; k < 3; ++k) {
            tables.coefficients[c][k] = static_cast<std::int32_t>(random() % 12000) - 4000;
        }
        tables.offsets[c] = (static_cast<std::int32_t>(random() % 4000) - 2000) * ColorTables::kOne;
        for (auto& b : tables.finals[c]) {
            b = static_cast<std::uint8_t>(random());
        }
    }
    std::vector<std::uint32_t> in(1003);
    for (auto& p : in) {
        p = random();
    }
    for (std::uint32_t opaqueBits : {0u, 0xFF000000u}) {
        atEveryVectorLevel([&] {
            std::vector<std::uint32_t> out(in.size());
            colortables::apply(tables, in.data(), out.data(), in.size(), opaqueBits);
            for (std::size_t x = 0; x < in.size(); ++x) {
                ASSERT_EQ(out[x], tables.opaquePixel(in[x] | opaqueBits)) << x;
            }
        });
    }
}

}  // namespace
