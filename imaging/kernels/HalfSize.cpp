#include "imaging/kernels/HalfSize.h"

namespace halfsize {

void meanScalar(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
                std::size_t count, std::uint32_t opaqueBits) {
    for (std::size_t x = 0; x < count; ++x) {
        const std::uint32_t block[4] = {upper[2 * x], upper[2 * x + 1], lower[2 * x],
                                        lower[2 * x + 1]};
        std::uint32_t pixel = 0;
        for (int c = 0; c < 4; ++c) {
            std::uint32_t sum = 2;
            for (std::uint32_t p : block) {
                sum += (p >> (8 * c)) & 0xFF;
            }
            pixel |= (sum >> 2) << (8 * c);
        }
        out[x] = pixel | opaqueBits;
    }
}

}  // namespace halfsize
