// Bilinear samples inside the picture, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/BilinearKernelsVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/BilinearKernels.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace bilinear::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;

using D8 = hn::FixedTag<std::uint8_t, 16>;
using D16 = hn::FixedTag<std::uint16_t, 8>;
using D32 = hn::FixedTag<std::uint32_t, 4>;
using V16 = hn::Vec<D16>;

// (a · (256 - t) + b · t + 128) >> 8 on 16-bit lanes: the same rounding as lerp, and
// no lane can overflow (255 · 256 + 128 < 65536).
V16 lerp16(V16 a, V16 b, V16 t) {
    const D16 d;
    const V16 sum = hn::Add(hn::Mul(a, hn::Sub(hn::Set(d, 256), t)), hn::Mul(b, t));
    return hn::ShiftRight<8>(hn::Add(sum, hn::Set(d, 128)));
}

struct Neighbours {
    const std::uint8_t* upper;  // the upper-left pixel; upper-right follows it
    std::uint16_t tx;
    std::uint16_t ty;
};

Neighbours neighboursAt(const Source& source, std::int64_t u, std::int64_t v) {
    const auto x = static_cast<std::size_t>(wholePixels(u));
    const auto y = static_cast<std::size_t>(wholePixels(v));
    return {source.pixels + source.bytesPerRow * y + 4 * x, static_cast<std::uint16_t>(weight(u)),
            static_cast<std::uint16_t>(weight(v))};
}

// Two samples, each channel in a 16-bit lane: (sample a, sample b).
V16 samplePair(const Source& source, const Neighbours& a, const Neighbours& b) {
    const D8 d8;
    const D16 d16;
    const D32 d32;
    const hn::FixedTag<std::uint32_t, 2> pair;
    const auto opaque = hn::Set(d32, source.opaqueBits);
    // (left a, left b, right a, right b) of a row.
    const auto row = [&](std::size_t offset) {
        const auto left = hn::ZeroExtendVector(
            d32, hn::LoadU(pair, reinterpret_cast<const std::uint32_t*>(a.upper + offset)));
        const auto right = hn::ZeroExtendVector(
            d32, hn::LoadU(pair, reinterpret_cast<const std::uint32_t*>(b.upper + offset)));
        return hn::BitCast(d8, hn::Or(hn::InterleaveLower(d32, left, right), opaque));
    };
    const auto spread = [&](std::uint16_t wa, std::uint16_t wb) {
        const hn::FixedTag<std::uint16_t, 4> four;
        return hn::Combine(d16, hn::Set(four, wb), hn::Set(four, wa));
    };
    const V16 tx = spread(a.tx, b.tx);
    const auto across = [&](hn::Vec<D8> bytes) {
        return lerp16(hn::PromoteTo(d16, hn::LowerHalf(bytes)),
                      hn::PromoteTo(d16, hn::UpperHalf(hn::Half<D8>(), bytes)), tx);
    };
    return lerp16(across(row(0)), across(row(source.bytesPerRow)), spread(a.ty, b.ty));
}

void sampleInside(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                  std::int64_t stepV, std::uint32_t* out, std::size_t count) {
    const hn::FixedTag<std::int16_t, 8> signedWords;
    const hn::FixedTag<std::uint8_t, 8> twoPixels;
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        prefetchNeighbourhood(source, u + kSamplesAhead * stepU, v + kSamplesAhead * stepV);
        const Neighbours a = neighboursAt(source, u, v);
        const Neighbours b = neighboursAt(source, u + stepU, v + stepV);
        u += 2 * stepU;
        v += 2 * stepV;
        const auto bytes =
            hn::DemoteTo(twoPixels, hn::BitCast(signedWords, samplePair(source, a, b)));
        hn::StoreU(bytes, twoPixels, reinterpret_cast<std::uint8_t*>(out + i));
    }
    sampleInsideScalar(source, u, v, stepU, stepV, out + i, count - i);
}

#endif
}  // namespace bilinear::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace bilinear {

void sampleInside(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                  std::int64_t stepV, std::uint32_t* out, std::size_t count) {
    static decltype(&sampleInsideScalar) const versions[] = VECTOR_KERNEL_TABLE(sampleInside);
    vectordispatch::chosen(versions, &sampleInsideScalar)(source, u, v, stepU, stepV, out, count);
}

}  // namespace bilinear
#endif
