// The fixed-point colour tables on rows, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/ColorTablesVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/ColorTables.h"
#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace colortables::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;

// The table look-ups are gathers, the matrix whole vectors of 32-bit lanes.
void apply(const ColorTables& tables, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::int32_t> d;
    using V = hn::Vec<decltype(d)>;
    const V bytes = hn::Set(d, 0xFF);
    const V forced = hn::Set(d, static_cast<std::int32_t>(opaqueBits));
    const V zero = hn::Zero(d);
    const V one = hn::Set(d, ColorTables::kOne);
    const V half = hn::Set(d, ColorTables::kOne / 2);
    const std::size_t n = hn::Lanes(d);
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        prefetch::ahead(in + x, out + x);
        const V pixels =
            hn::Or(hn::LoadU(d, reinterpret_cast<const std::int32_t*>(in + x)), forced);
        // Red, green and blue: the tables' order.
        const V v[3] = {
            hn::GatherIndex(d, tables.inputs[0], hn::And(hn::ShiftRight<16>(pixels), bytes)),
            hn::GatherIndex(d, tables.inputs[1], hn::And(hn::ShiftRight<8>(pixels), bytes)),
            hn::GatherIndex(d, tables.inputs[2], hn::And(pixels, bytes))};
        V result = hn::Set(d, static_cast<std::int32_t>(0xFF000000u));
        for (int c = 0; c < 3; ++c) {
            V s = hn::Set(d, tables.offsets[c]);
            for (int k = 0; k < 3; ++k) {
                s = hn::Add(s, hn::Mul(v[k], hn::Set(d, tables.coefficients[c][k])));
            }
            s = hn::ShiftRight<ColorTables::kShift>(hn::Add(s, half));
            s = hn::Min(hn::Max(s, zero), one);
            // Four bytes at each index; the tables have three spare at the end.
            const V value = hn::And(
                hn::GatherOffset(d, reinterpret_cast<const std::int32_t*>(tables.finals[c]), s),
                bytes);
            result = hn::Or(result, hn::ShiftLeftSame(value, 16 - 8 * c));
        }
        hn::StoreU(result, d, reinterpret_cast<std::int32_t*>(out + x));
    }
    applyScalar(tables, in + x, out + x, count - x, opaqueBits);
}

#endif
}  // namespace colortables::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace colortables {

void apply(const ColorTables& tables, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits) {
    static decltype(&applyScalar) const versions[] = VECTOR_KERNEL_TABLE(apply);
    vectordispatch::chosen(versions, &applyScalar)(tables, in, out, count, opaqueBits);
}

}  // namespace colortables
#endif
