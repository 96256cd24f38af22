// Sums of 16-bit products taken two at a time into 32-bit lanes, the step most kernels
// share: lane i gathers a[2i]·b[2i] + a[2i+1]·b[2i+1] of everything added. Included by
// kernel sources once for each target (Highway's guard below).
#if defined(IMAGING_PAIR_SUMS_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef IMAGING_PAIR_SUMS_INL_H_
#undef IMAGING_PAIR_SUMS_INL_H_
#else
#define IMAGING_PAIR_SUMS_INL_H_
#endif

#include <cstdint>

#include "hwy/highway.h"

HWY_BEFORE_NAMESPACE();
namespace vectorkernels::HWY_NAMESPACE {

namespace hn = hwy::HWY_NAMESPACE;

// Two 16-bit factors in every 32-bit lane, low first.
template <class D32>
hn::Vec<hn::Repartition<std::int16_t, D32>> factorPairs(D32 d, std::int16_t low,
                                                        std::int16_t high) {
    const auto both =
        static_cast<std::uint16_t>(low) | std::uint32_t{static_cast<std::uint16_t>(high)} << 16;
    return hn::BitCast(hn::Repartition<std::int16_t, D32>(),
                       hn::Set(d, static_cast<std::int32_t>(both)));
}

template <class D32>
class PairSums {
public:
    using V = hn::Vec<D32>;
    using V16 = hn::Vec<hn::Repartition<std::int16_t, D32>>;

    explicit PairSums(D32 d) : sums_(hn::Zero(d)), other_(hn::Zero(d)) {}

    void add(V16 a, V16 b) { sums_ = hn::ReorderWidenMulAccumulate(D32(), a, b, sums_, other_); }

    // The products are held in an order of the target's choosing until here.
    V total() const { return hn::RearrangeToOddPlusEven(sums_, other_); }

private:
    V sums_;
    V other_;
};

}  // namespace vectorkernels::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#endif
