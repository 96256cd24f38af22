#include "imaging/kernels/BilinearKernels.h"

#include <cstring>

namespace bilinear {

void sampleInsideScalar(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                        std::int64_t stepV, std::uint32_t* out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, u += stepU, v += stepV) {
        prefetchNeighbourhood(source, u + kSamplesAhead * stepU, v + kSamplesAhead * stepV);
        const std::uint8_t* upperRow =
            source.pixels + source.bytesPerRow * static_cast<std::size_t>(wholePixels(v));
        std::uint32_t p[4];
        std::memcpy(p, upperRow + 4 * static_cast<std::size_t>(wholePixels(u)), 8);
        std::memcpy(
            p + 2, upperRow + source.bytesPerRow + 4 * static_cast<std::size_t>(wholePixels(u)), 8);
        const std::uint32_t tx = weight(u);
        out[i] = lerp(lerp(p[0] | source.opaqueBits, p[1] | source.opaqueBits, tx),
                      lerp(p[2] | source.opaqueBits, p[3] | source.opaqueBits, tx), weight(v));
    }
}

}  // namespace bilinear
