// The convolution's span of symmetric taps, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/ConvolutionVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/ConvolutionSpan.h"
#include "imaging/kernels/PairSums-inl.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace convolution::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;
using vectorkernels::HWY_NAMESPACE::PairSums;

using D16 = hn::ScalableTag<std::int16_t>;
using D32 = hn::Repartition<std::int32_t, D16>;
using V32 = hn::Vec<D32>;

// floor(sum / divisor) exactly: a single-precision estimate is off by at most one in the
// range that matters (results near 0 … 255), and one exact remainder corrects it.
class Divider {
public:
    explicit Divider(std::int32_t divisor)
        : divisor_(hn::Set(D32(), divisor)),
          reciprocal_(hn::Set(hn::Repartition<float, D32>(), 1.0f / static_cast<float>(divisor))) {}

    V32 operator()(V32 sum) const {
        const D32 d;
        const hn::Repartition<float, D32> df;
        const V32 one = hn::Set(d, 1);
        V32 q = hn::ConvertTo(d, hn::Mul(hn::ConvertTo(df, sum), reciprocal_));
        const V32 r = hn::Sub(sum, hn::Mul(q, divisor_));
        q = hn::Add(q, hn::IfThenElseZero(hn::Gt(r, hn::Sub(divisor_, one)), one));
        return hn::Sub(q, hn::IfThenElseZero(hn::Lt(r, hn::Zero(d)), one));
    }

private:
    V32 divisor_;
    hn::Vec<hn::Repartition<float, D32>> reciprocal_;
};

// The two mirrored taps of a term are added first, in 16-bit lanes; then the terms are
// multiplied in pairs. Interleaving and the demotion at the end both work within 128-bit
// blocks, so the results come out in order.
void convolveSymmetricSpan(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                           std::uint8_t* out, std::size_t begin, std::size_t end) {
    const D16 d16;
    const D32 d32;
    const hn::Rebind<std::uint8_t, D16> d8;
    const int count = static_cast<int>(taps.weights.size());
    const int half = count / 2;
    const int mirroredPairs = half / 2;
    const std::int32_t* paired = taps.pairedWeights.data();
    const V32 bias = hn::Set(d32, taps.divisor / 2);
    const Divider divide(taps.divisor);
    const auto widen = [&](int t, std::size_t j) {
        return hn::BitCast(
            d16, hn::PromoteTo(hn::Rebind<std::uint16_t, D16>(), hn::LoadU(d8, sources[t] + j)));
    };
    const auto mirrored = [&](int t, std::size_t j) {
        return hn::Add(widen(t, j), widen(count - 1 - t, j));
    };
    const std::size_t n = hn::Lanes(d16);
    std::size_t j = begin;
    for (; j + n <= end; j += n) {
        PairSums<D32> lower(d32);
        PairSums<D32> upper(d32);
        const auto add = [&](hn::Vec<D16> a, hn::Vec<D16> b, std::int32_t weights) {
            const auto w = hn::BitCast(d16, hn::Set(d32, weights));
            lower.add(hn::InterleaveLower(d16, a, b), w);
            upper.add(hn::InterleaveUpper(d16, a, b), w);
        };
        for (int p = 0; p < mirroredPairs; ++p) {
            add(mirrored(2 * p, j), mirrored(2 * p + 1, j), paired[p]);
        }
        if (half % 2 == 0) {
            add(widen(half, j), hn::Zero(d16), paired[mirroredPairs]);
        } else {
            add(mirrored(half - 1, j), widen(half, j), paired[mirroredPairs]);
        }
        const auto words = hn::ReorderDemote2To(d16, divide(hn::Add(lower.total(), bias)),
                                                divide(hn::Add(upper.total(), bias)));
        hn::StoreU(hn::DemoteTo(d8, words), d8, out + j);
    }
    convolveSpanScalar(taps, sources, out, j, end);
}

#endif
}  // namespace convolution::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace convolution {

void convolveSymmetricSpan(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                           std::uint8_t* out, std::size_t begin, std::size_t end) {
    static decltype(&convolveSpanScalar) const versions[] =
        VECTOR_KERNEL_TABLE(convolveSymmetricSpan);
    vectordispatch::chosen(versions, &convolveSpanScalar)(taps, sources, out, begin, end);
}

}  // namespace convolution
#endif
