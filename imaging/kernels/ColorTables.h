#pragma once

#include <cstddef>
#include <cstdint>

// A colour program of the form curves → matrix → curves, laid out in fixed point for
// opaque 8-bit pixels (see ColorProgram): every path computes exactly
//     v_k = inputs[k][byte_k]                       (the first curves, 1.0 = kOne)
//     s_c = Σ_k coefficients[c][k] · v_k + offsets[c]
//     out_c = finals[c][clamp((s_c + kOne / 2) >> kShift, 0, kOne)]
struct ColorTables {
    static constexpr int kShift = 12;
    static constexpr std::int32_t kOne = 1 << kShift;

    std::int32_t inputs[3][256];
    std::int32_t coefficients[3][3];
    std::int32_t offsets[3];
    // Three spare bytes at the end let a vector path read four bytes at any index.
    std::uint8_t finals[3][kOne + 4];

    std::uint32_t opaquePixel(std::uint32_t pixel) const {
        const std::int32_t v[3] = {inputs[0][(pixel >> 16) & 0xFF], inputs[1][(pixel >> 8) & 0xFF],
                                   inputs[2][pixel & 0xFF]};
        std::uint32_t result = 0xFF000000u;
        for (int c = 0; c < 3; ++c) {
            std::int32_t s = offsets[c];
            for (int k = 0; k < 3; ++k) {
                s += coefficients[c][k] * v[k];
            }
            s = (s + kOne / 2) >> kShift;
            s = s < 0 ? 0 : (s > kOne ? kOne : s);
            result |= std::uint32_t{finals[c][s]} << (16 - 8 * c);
        }
        return result;
    }
};

// Every pixel of the row as if opaque (with opaqueBits ORed in); the caller redoes
// translucent ones.
namespace colortables {

void applyScalar(const ColorTables& tables, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits);
// The fastest path the current vector level runs.
void apply(const ColorTables& tables, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits);

}  // namespace colortables
