// The resample's two passes, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/ResampleKernelsVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/PairSums-inl.h"
#include "imaging/kernels/ResampleKernels.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace resample::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;
using vectorkernels::HWY_NAMESPACE::factorPairs;
using vectorkernels::HWY_NAMESPACE::PairSums;

// Two taps at a time: their bytes side by side in 16-bit lanes, multiplied in pairs. The
// interleave works within 128-bit blocks, and so does the demotion at the end, which puts
// the sums back in order.
void vertical(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
              std::int16_t* sums, std::size_t begin, std::size_t end) {
    const hn::ScalableTag<std::int16_t> d16;
    const hn::Repartition<std::int32_t, decltype(d16)> d32;
    const hn::Rebind<std::uint8_t, decltype(d16)> d8;
    const auto rounding = hn::Set(d32, 1 << (kVerticalShift - 1));
    const std::size_t n = hn::Lanes(d16);
    const auto bytes = [&](int t, std::size_t j) {
        return t < taps ? hn::BitCast(d16, hn::PromoteTo(hn::Rebind<std::uint16_t, decltype(d8)>(),
                                                         hn::LoadU(d8, rows[t] + j)))
                        : hn::Zero(d16);
    };
    std::size_t j = begin;
    for (; j + n <= end; j += n) {
        PairSums<decltype(d32)> lower(d32);
        PairSums<decltype(d32)> upper(d32);
        for (int t = 0; t < taps; t += 2) {
            const auto a = bytes(t, j);
            const auto b = bytes(t + 1, j);
            const auto w = factorPairs(d32, weights[t], t + 1 < taps ? weights[t + 1] : 0);
            lower.add(hn::InterleaveLower(d16, a, b), w);
            upper.add(hn::InterleaveUpper(d16, a, b), w);
        }
        const auto first = hn::ShiftRight<kVerticalShift>(hn::Add(lower.total(), rounding));
        const auto second = hn::ShiftRight<kVerticalShift>(hn::Add(upper.total(), rounding));
        hn::StoreU(hn::ReorderDemote2To(d16, first, second), d16, sums + j);
    }
    verticalScalar(rows, weights, taps, sums, j, end);
}

// One output pixel at a time: its four channels in 32-bit lanes, two taps a step.
void horizontal(const HorizontalRow& row, std::uint32_t* out, std::ptrdiff_t step) {
    const hn::FixedTag<std::int16_t, 8> d16;
    const hn::FixedTag<std::int16_t, 4> pixel16;
    const hn::FixedTag<std::int32_t, 4> d32;
    const hn::FixedTag<std::uint8_t, 4> d8;
    const auto rounding = hn::Set(d32, 1 << (kHorizontalShift - 1));
    const ResampleWeights& columns = row.columns;
    for (int i = 0; i < columns.count(); ++i, out += step) {
        const int taps = row.rowInside ? columns.tapCount(i) : 0;
        if (taps == 0) {
            *out = 0;
            continue;
        }
        const std::int16_t* in = row.sums + 4 * columns.start(i);
        const std::int16_t* weights = columns.weights(i);
        const auto sumsOf = [&](int t) {
            return t < taps ? hn::ZeroExtendVector(d16, hn::LoadU(pixel16, in + 4 * t))
                            : hn::Zero(d16);
        };
        PairSums<decltype(d32)> channels(d32);
        for (int t = 0; t < taps; t += 2) {
            channels.add(hn::InterleaveLower(d16, sumsOf(t), sumsOf(t + 1)),
                         factorPairs(d32, weights[t], t + 1 < taps ? weights[t + 1] : 0));
        }
        const auto v = hn::ShiftRight<kHorizontalShift>(hn::Add(channels.total(), rounding));
        std::uint32_t pixel;
        hn::StoreU(hn::DemoteTo(d8, v), d8, reinterpret_cast<std::uint8_t*>(&pixel));
        *out = pixel | row.opaqueBits;
    }
}

#endif
}  // namespace resample::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace resample {

void vertical(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
              std::int16_t* sums, std::size_t begin, std::size_t end) {
    static decltype(&verticalScalar) const versions[] = VECTOR_KERNEL_TABLE(vertical);
    vectordispatch::chosen(versions, &verticalScalar)(rows, weights, taps, sums, begin, end);
}

void horizontal(const HorizontalRow& row, std::uint32_t* out, std::ptrdiff_t step) {
    static decltype(&horizontalScalar) const versions[] = VECTOR_KERNEL_TABLE(horizontal);
    vectordispatch::chosen(versions, &horizontalScalar)(row, out, step);
}

}  // namespace resample
#endif
