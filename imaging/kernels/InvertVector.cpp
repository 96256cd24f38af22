// The inverse colours, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/InvertVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/Invert.h"
#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace invert::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;

// Alpha copied into every byte of its pixel, less the pixel, bytes saturating at 0.
void apply(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
           std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::uint32_t> d;
    const hn::Repartition<std::uint8_t, decltype(d)> d8;
    const auto forced = hn::Set(d, opaqueBits);
    const auto alphaMask = hn::Set(d, 0xFF000000u);
    const auto everyByte = hn::Set(d, 0x01010101u);
    const std::size_t n = hn::Lanes(d);
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        prefetch::ahead(in + x, out + x);
        const auto pixels = hn::Or(hn::LoadU(d, in + x), forced);
        const auto alphas = hn::Mul(hn::ShiftRight<24>(pixels), everyByte);
        const auto inverse =
            hn::BitCast(d, hn::SaturatedSub(hn::BitCast(d8, alphas), hn::BitCast(d8, pixels)));
        hn::StoreU(hn::Or(inverse, hn::And(pixels, alphaMask)), d, out + x);
    }
    applyScalar(in + x, out + x, count - x, opaqueBits);
}

#endif
}  // namespace invert::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace invert {

void apply(const std::uint32_t* in, std::uint32_t* out, std::size_t count,
           std::uint32_t opaqueBits) {
    static decltype(&applyScalar) const versions[] = VECTOR_KERNEL_TABLE(apply);
    vectordispatch::chosen(versions, &applyScalar)(in, out, count, opaqueBits);
}

}  // namespace invert
#endif
