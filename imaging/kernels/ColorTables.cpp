#include "imaging/kernels/ColorTables.h"
#include "imaging/kernels/Prefetch.h"

namespace colortables {

void applyScalar(const ColorTables& tables, const std::uint32_t* in, std::uint32_t* out,
                 std::size_t count, std::uint32_t opaqueBits) {
    prefetch::eachPixel(in, out, count,
                        [&](std::size_t x) { out[x] = tables.opaquePixel(in[x] | opaqueBits); });
}

}  // namespace colortables
