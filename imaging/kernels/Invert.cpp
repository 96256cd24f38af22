#include "imaging/kernels/Invert.h"
#include "imaging/kernels/Prefetch.h"

namespace invert {

void applyScalar(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                 std::uint32_t opaqueBits) {
    prefetch::eachPixel(in, out, count, [&](std::size_t x) {
        const std::uint32_t pixel = in[x] | opaqueBits;
        const std::uint32_t alpha = pixel >> 24;
        std::uint32_t result = pixel & 0xFF000000u;
        for (int c = 0; c < 3; ++c) {
            const std::uint32_t colour = (pixel >> (8 * c)) & 0xFF;
            result |= (colour < alpha ? alpha - colour : 0) << (8 * c);
        }
        out[x] = result;
    });
}

}  // namespace invert
