// The 2 × 2 mean, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/HalfSizeVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/HalfSize.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace halfsize::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;

// The two rows' bytes added in 16-bit lanes, so a source pixel is one 64-bit lane; the
// even and odd lanes of two such vectors are the left and right pixels of every block.
void mean(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
          std::size_t count, std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::uint8_t> d8;
    const hn::Repartition<std::uint16_t, decltype(d8)> d16;
    const hn::Repartition<std::uint64_t, decltype(d8)> d64;
    const hn::Half<decltype(d8)> halfBytes;
    const hn::Repartition<std::uint32_t, decltype(halfBytes)> outPixels;
    const auto forced = hn::Set(outPixels, opaqueBits);
    const auto two = hn::Set(d16, 2);
    // Output pixels a step: half of the source pixels in a vector of bytes.
    const std::size_t n = hn::Lanes(d8) / 8;
    const auto bytesOf = [](const std::uint32_t* p) {
        return reinterpret_cast<const std::uint8_t*>(p);
    };
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        const auto top = hn::LoadU(d8, bytesOf(upper + 2 * x));
        const auto bottom = hn::LoadU(d8, bytesOf(lower + 2 * x));
        const auto first = hn::BitCast(d64, hn::Add(hn::PromoteTo(d16, hn::LowerHalf(top)),
                                                    hn::PromoteTo(d16, hn::LowerHalf(bottom))));
        const auto second =
            hn::BitCast(d64, hn::Add(hn::PromoteTo(d16, hn::UpperHalf(halfBytes, top)),
                                     hn::PromoteTo(d16, hn::UpperHalf(halfBytes, bottom))));
        const auto sums = hn::Add(hn::BitCast(d16, hn::ConcatEven(d64, second, first)),
                                  hn::BitCast(d16, hn::ConcatOdd(d64, second, first)));
        const auto means =
            hn::DemoteTo(halfBytes, hn::BitCast(hn::RebindToSigned<decltype(d16)>(),
                                                hn::ShiftRight<2>(hn::Add(sums, two))));
        hn::StoreU(hn::Or(hn::BitCast(outPixels, means), forced), outPixels, out + x);
    }
    meanScalar(upper + 2 * x, lower + 2 * x, out + x, count - x, opaqueBits);
}

#endif
}  // namespace halfsize::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace halfsize {

void mean(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
          std::size_t count, std::uint32_t opaqueBits) {
    static decltype(&meanScalar) const versions[] = VECTOR_KERNEL_TABLE(mean);
    vectordispatch::chosen(versions, &meanScalar)(upper, lower, out, count, opaqueBits);
}

}  // namespace halfsize
#endif
