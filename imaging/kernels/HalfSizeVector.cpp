// The 2 × 2 mean, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/HalfSizeVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/HalfSize.h"
#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace halfsize::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;

// The sums of the four pixels of each 2 × 2 block whose halves are in top and bottom,
// 16 bits a channel. Every step keeps to the 128-bit blocks, where each target's
// shuffles are cheapest: a block of four source pixels gives two sums, in order.
template <class D8>
hn::Vec<hn::RepartitionToWide<D8>> blockSums(D8 d8, hn::Vec<D8> top, hn::Vec<D8> bottom) {
    const hn::RepartitionToWide<D8> d16;
    const hn::Repartition<std::uint64_t, D8> d64;
    const auto zero = hn::Zero(d8);
    const auto widened = [&](hn::Vec<D8> bytes) { return hn::BitCast(d16, bytes); };
    // Pixels 0 and 1, and 2 and 3, of every block: each a 64-bit lane of column sums.
    const auto firstPair =
        hn::BitCast(d64, hn::Add(widened(hn::InterleaveLower(d8, top, zero)),
                                 widened(hn::InterleaveLower(d8, bottom, zero))));
    const auto secondPair =
        hn::BitCast(d64, hn::Add(widened(hn::InterleaveUpper(d8, top, zero)),
                                 widened(hn::InterleaveUpper(d8, bottom, zero))));
    return hn::Add(hn::BitCast(d16, hn::InterleaveLower(d64, firstPair, secondPair)),
                   hn::BitCast(d16, hn::InterleaveUpper(d64, firstPair, secondPair)));
}

void mean(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
          std::size_t count, std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::uint8_t> d8;
    const hn::RepartitionToWide<decltype(d8)> d16;
    const hn::RebindToSigned<decltype(d16)> signed16;
    const hn::Repartition<std::uint32_t, decltype(d8)> pixels;
    const auto forced = hn::Set(pixels, opaqueBits);
    // (sum · 2¹³ + 2¹⁴) >> 15, which is (sum + 2) >> 2: the rounded mean in one step.
    const auto quarter = hn::Set(signed16, 1 << 13);
    const auto meanOf = [&](hn::Vec<decltype(d16)> sums) {
        return hn::BitCast(d8, hn::MulFixedPoint15(hn::BitCast(signed16, sums), quarter));
    };
    const auto bytesOf = [](const std::uint32_t* p) {
        return reinterpret_cast<const std::uint8_t*>(p);
    };
    // Output pixels a step: one vector's worth, from two vectors of each row.
    const std::size_t n = hn::Lanes(pixels);
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        const auto* top = bytesOf(upper + 2 * x);
        const auto* bottom = bytesOf(lower + 2 * x);
        // Both vectors of each row: a line each at the widest vectors.
        for (const auto* row : {top, bottom}) {
            prefetch::ahead(row);
            prefetch::ahead(row + hn::Lanes(d8));
        }
        prefetch::ahead(out + x);
        const auto first = meanOf(blockSums(d8, hn::LoadU(d8, top), hn::LoadU(d8, bottom)));
        const auto second = meanOf(blockSums(d8, hn::LoadU(d8, top + hn::Lanes(d8)),
                                             hn::LoadU(d8, bottom + hn::Lanes(d8))));
        // The means fit a byte, so the even bytes of the 16-bit lanes are the pixels.
        const auto means = hn::ConcatEven(d8, second, first);
        hn::StoreU(hn::Or(hn::BitCast(pixels, means), forced), pixels, out + x);
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
