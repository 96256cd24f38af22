#include "imaging/kernels/ColorTables.h"

namespace colortables {

void applyScalar(const ColorTables& tables, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits) {
    for (std::size_t x = 0; x < count; ++x) {
        out[x] = tables.opaquePixel(in[x] | opaqueBits);
    }
}

}  // namespace colortables
