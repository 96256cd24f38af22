// The matrix's row kernels, written once for every vector target.
#include "imaging/kernels/VectorTargets.h"

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "imaging/kernels/FixedColorMatrixVector.cpp"
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "imaging/kernels/FixedColorMatrix.h"
#include "imaging/kernels/PairSums-inl.h"
#include "imaging/kernels/Prefetch.h"
#include "imaging/kernels/VectorDispatch.h"

HWY_BEFORE_NAMESPACE();
namespace fixedcolormatrix::HWY_NAMESPACE {
#if HWY_TARGET != HWY_SCALAR

namespace hn = hwy::HWY_NAMESPACE;
using vectorkernels::HWY_NAMESPACE::factorPairs;
using vectorkernels::HWY_NAMESPACE::PairSums;

// FixedColorMatrix::sum of every pixel, in its 32-bit lane. Each lane read as two 16-bit
// halves holds blue and red under a mask, green and alpha shifted down a byte, so two
// multiply-adds of 16-bit pairs make a pixel's sum.
template <class D>
class Matrix {
public:
    using V = hn::Vec<D>;
    using D16 = hn::Repartition<std::int16_t, D>;
    using V16 = hn::Vec<D16>;

    Matrix(D d, const FixedColorMatrix& m, int shift)
        : half_(hn::Set(d, 1 << (shift - 1))), shift_(shift), shifts_(hn::Set(d, shift)) {
        for (int c = 0; c < 3; ++c) {
            blueRed_[c] = factorPairs(d, m.weights[c][0], m.weights[c][2]);
            greenAlpha_[c] = factorPairs(d, m.weights[c][1], m.weights[c][3]);
        }
    }

    struct Split {
        V16 blueRed;
        V16 greenAlpha;
    };

    static Split split(D d, V pixels) {
        const D16 d16;
        const V lowBytes = hn::Set(d, 0x00FF00FF);
        return {hn::BitCast(d16, hn::And(pixels, lowBytes)),
                hn::BitCast(d16, hn::And(hn::ShiftRight<8>(pixels), lowBytes))};
    }

    // (sum + half) >> shift of colour c.
    V rounded(D d, int c, const Split& pixels) const {
        PairSums<D> sums(d);
        sums.add(pixels.blueRed, blueRed_[c]);
        sums.add(pixels.greenAlpha, greenAlpha_[c]);
        return shiftDown(hn::Add(sums.total(), half_));
    }

    // Colour c clamped to an index, 0 … kIndexMax.
    V index(D d, int c, const Split& pixels) const {
        return hn::Min(hn::Max(rounded(d, c, pixels), hn::Zero(d)),
                       hn::Set(d, FixedColorMatrix::kIndexMax));
    }

private:
    // x86 shifts by a count in a register with two instructions, by a vector of counts
    // (AVX2 and up) with one.
    V shiftDown(V v) const {
#if HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX2
        return v >> shifts_;
#else
        return hn::ShiftRightSame(v, shift_);
#endif
    }

    V16 blueRed_[3];
    V16 greenAlpha_[3];
    V half_;
    int shift_;
    V shifts_;
};

// Reads N pixels a step, with opaqueBits ORed in, and keeps the AND of all it read.
template <class D>
class PixelReader {
public:
    using V = hn::Vec<D>;

    PixelReader(D d, std::uint32_t opaqueBits)
        : forced_(hn::Set(d, static_cast<std::int32_t>(opaqueBits))), all_(hn::Set(d, -1)) {}

    V read(const std::uint32_t* p) {
        const V pixels = hn::Or(hn::BitCast(D(), hn::LoadU(hn::RebindToUnsigned<D>(), p)), forced_);
        all_ = hn::And(all_, pixels);
        return pixels;
    }

    // The AND of every pixel read and of rest.
    std::uint32_t all(std::uint32_t rest) const {
        HWY_ALIGN std::int32_t lanes[hn::MaxLanes(D())];
        hn::Store(all_, D(), lanes);
        for (std::size_t k = 0; k < hn::Lanes(D()); ++k) {
            rest &= static_cast<std::uint32_t>(lanes[k]);
        }
        return rest;
    }

private:
    V forced_;
    V all_;
};

void apply(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::int32_t> d;
    const hn::RebindToUnsigned<decltype(d)> du;
    using V = hn::Vec<decltype(d)>;
    const Matrix<decltype(d)> matrix(d, m, m.shift);
    const V forced = hn::Set(d, static_cast<std::int32_t>(opaqueBits));
    const V zero = hn::Zero(d);
    const std::size_t n = hn::Lanes(d);
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        prefetch::ahead(in + x, out + x);
        const V pixels = hn::Or(hn::BitCast(d, hn::LoadU(du, in + x)), forced);
        const V alpha = hn::BitCast(d, hn::ShiftRight<24>(hn::BitCast(du, pixels)));
        const auto split = matrix.split(d, pixels);
        V result = hn::ShiftLeft<24>(alpha);
#pragma GCC unroll 3
        for (int c = 0; c < 3; ++c) {
            const V v = hn::Min(hn::Max(matrix.rounded(d, c, split), zero), alpha);
            result = hn::Or(result, hn::ShiftLeftSame(v, 8 * c));
        }
        hn::StoreU(hn::BitCast(du, result), du, out + x);
    }
    applyScalar(m, in + x, out + x, count - x, opaqueBits);
}

std::uint32_t indexes(const FixedColorMatrix& m, const std::uint32_t* in, std::uint16_t* indexes,
                      std::size_t count, std::uint32_t opaqueBits) {
    // No more pixels a step than a group holds, so every store stays in one group.
    const hn::CappedTag<std::int32_t, kGroup> d;
    const hn::Rebind<std::uint16_t, decltype(d)> d16;
    const Matrix<decltype(d)> matrix(d, m, m.shift - FixedColorMatrix::kIndexBits);
    PixelReader<decltype(d)> reader(d, opaqueBits);
    const std::size_t n = hn::Lanes(d);
    std::size_t x = 0;
    for (; x + kGroup <= count; x += kGroup) {
        prefetch::ahead(in + x);
        for (std::size_t first = x; first < x + kGroup; first += n) {
            const auto split = matrix.split(d, reader.read(in + first));
#pragma GCC unroll 3
            for (int c = 0; c < 3; ++c) {
                hn::StoreU(hn::DemoteTo(d16, matrix.index(d, c, split)), d16,
                           indexes + indexPosition(first, c));
            }
        }
    }
    return reader.all(indexesScalar(m, in + x, indexes + 3 * x, count - x, opaqueBits));
}

// Each colour's index stays in its lane and picks its byte with a gather of the four
// bytes there (the tables have three to spare at the end).
std::uint32_t gatherCurves(const FixedColorMatrix& m, const FixedColorMatrix::Curves& curves,
                           const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                           std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::int32_t> d;
    using V = hn::Vec<decltype(d)>;
    const Matrix<decltype(d)> matrix(d, m, m.shift - FixedColorMatrix::kIndexBits);
    PixelReader<decltype(d)> reader(d, opaqueBits);
    const V bytes = hn::Set(d, 0xFF);
    const std::size_t n = hn::Lanes(d);
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        prefetch::ahead(in + x, out + x);
        const auto split = matrix.split(d, reader.read(in + x));
        V result = hn::Set(d, static_cast<std::int32_t>(0xFF000000u));
#pragma GCC unroll 3
        for (int c = 0; c < 3; ++c) {
            const auto* table = reinterpret_cast<const std::int32_t*>(curves[c]);
            const V value = hn::GatherOffset(d, table, matrix.index(d, c, split));
            result = hn::Or(result, hn::ShiftLeftSame(hn::And(value, bytes), 8 * c));
        }
        hn::StoreU(result, d, reinterpret_cast<std::int32_t*>(out + x));
    }
    return reader.all(applyWithCurvesScalar(m, curves, in + x, out + x, count - x, opaqueBits));
}

// A grey matrix: one index a pixel, and the whole pixel gathered at it.
std::uint32_t gatherGreyCurves(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                               const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                               std::uint32_t opaqueBits) {
    const hn::ScalableTag<std::int32_t> d;
    const Matrix<decltype(d)> matrix(d, m, m.shift - FixedColorMatrix::kIndexBits);
    PixelReader<decltype(d)> reader(d, opaqueBits);
    const auto* table = reinterpret_cast<const std::int32_t*>(greyCurves);
    const std::size_t n = hn::Lanes(d);
    std::size_t x = 0;
    for (; x + n <= count; x += n) {
        prefetch::ahead(in + x, out + x);
        const auto index = matrix.index(d, 0, matrix.split(d, reader.read(in + x)));
        hn::StoreU(hn::GatherIndex(d, table, index), d, reinterpret_cast<std::int32_t*>(out + x));
    }
    return reader.all(
        applyWithGreyCurvesScalar(m, greyCurves, in + x, out + x, count - x, opaqueBits));
}

#endif
}  // namespace fixedcolormatrix::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace fixedcolormatrix {

void apply(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
           std::size_t count, std::uint32_t opaqueBits) {
#if defined(__x86_64__)
    if (vectorlevel::current() == VectorLevel::Avx512) {
        applyAvx512(m, in, out, count, opaqueBits);
        return;
    }
#endif
    static decltype(&applyScalar) const versions[] = VECTOR_KERNEL_TABLE(apply);
    vectordispatch::chosen(versions, &applyScalar)(m, in, out, count, opaqueBits);
}

std::uint32_t indexes(const FixedColorMatrix& m, const std::uint32_t* in, std::uint16_t* indexes,
                      std::size_t count, std::uint32_t opaqueBits) {
    static decltype(&indexesScalar) const versions[] = VECTOR_KERNEL_TABLE(indexes);
    return vectordispatch::chosen(versions, &indexesScalar)(m, in, indexes, count, opaqueBits);
}

std::uint32_t gatherCurves(const FixedColorMatrix& m, const FixedColorMatrix::Curves& curves,
                           const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                           std::uint32_t opaqueBits) {
    static decltype(&applyWithCurvesScalar) const versions[] = VECTOR_KERNEL_TABLE(gatherCurves);
    return vectordispatch::chosen(versions, &applyWithCurvesScalar)(m, curves, in, out, count,
                                                                    opaqueBits);
}

std::uint32_t gatherGreyCurves(const FixedColorMatrix& m, const std::uint32_t* greyCurves,
                               const std::uint32_t* in, std::uint32_t* out, std::size_t count,
                               std::uint32_t opaqueBits) {
    static decltype(&applyWithGreyCurvesScalar) const versions[] =
        VECTOR_KERNEL_TABLE(gatherGreyCurves);
    return vectordispatch::chosen(versions, &applyWithGreyCurvesScalar)(m, greyCurves, in, out,
                                                                        count, opaqueBits);
}

}  // namespace fixedcolormatrix
#endif
