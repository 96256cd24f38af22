#if defined(__x86_64__)

// GCC 12's AVX-512 headers fill unused lanes with _mm512_undefined_*(), which its own
// warnings then report as uninitialised.
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <immintrin.h>

#include "imaging/FixedColorMatrix.h"
#include "imaging/FixedCurves.h"

// The matrix takes two byte dot products a colour (its weights split into a signed high
// part and a 7-bit low part). With curves, thirty-two pixels a step, so one colour of all
// of them fills a register of 16-bit lanes, and the curves are looked up in registers: a
// 256-entry table of 16-bit values is eight registers, read with four two-register
// permutes and two blends.

#define AVX512_TARGET __attribute__((target("avx512f,avx512bw,avx512vnni")))
#define AVX512_INLINE AVX512_TARGET inline __attribute__((always_inline))

namespace {

struct SplitWeights {
    __m512i high;  // weight >> 7, four bytes a pixel
    __m512i low;   // weight & 127
};

AVX512_TARGET SplitWeights splitWeights(const FixedColorMatrix& m, int c) {
    std::uint32_t high = 0;
    std::uint32_t low = 0;
    for (int k = 0; k < 4; ++k) {
        high |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(m.weights[c][k] >> 7))
                << 8 * k;
        low |= static_cast<std::uint32_t>(m.weights[c][k] & 127) << 8 * k;
    }
    return {_mm512_set1_epi32(static_cast<int>(high)), _mm512_set1_epi32(static_cast<int>(low))};
}

// One colour of sixteen pixels through the matrix, divided by 2^shift and rounded, as
// 32-bit lanes in pixel order.
AVX512_INLINE __m512i roundedSums(__m512i pixels, SplitWeights weights, __m128i shift,
                                  __m512i half) {
    const __m512i coarse = _mm512_dpbusd_epi32(_mm512_setzero_si512(), pixels, weights.high);
    const __m512i sums = _mm512_dpbusd_epi32(_mm512_slli_epi32(coarse, 7), pixels, weights.low);
    return _mm512_sra_epi32(_mm512_add_epi32(sums, half), shift);
}

struct LevelMasks {
    __mmask32 upperHalf;     // levels 128 … 255
    __mmask32 upperQuarter;  // levels 64 … 127 and 192 … 255
};

// Entries 64k … 64k+63 of a table, at the levels' low six bits.
AVX512_INLINE __m512i lookUpQuarter(const std::int16_t* table, int k, __m512i levels) {
    return _mm512_permutex2var_epi16(_mm512_loadu_si512(table + 64 * k), levels,
                                     _mm512_loadu_si512(table + 64 * k + 32));
}

AVX512_INLINE __m512i lookUp(const std::int16_t* table, __m512i levels, LevelMasks masks) {
    const __m512i q0 = lookUpQuarter(table, 0, levels);
    const __m512i q1 = lookUpQuarter(table, 1, levels);
    const __m512i q2 = lookUpQuarter(table, 2, levels);
    const __m512i q3 = lookUpQuarter(table, 3, levels);
    return _mm512_mask_blend_epi16(masks.upperHalf,
                                   _mm512_mask_blend_epi16(masks.upperQuarter, q0, q1),
                                   _mm512_mask_blend_epi16(masks.upperQuarter, q2, q3));
}

// FixedCurves::value of colour c at 32 indexes.
AVX512_INLINE __m512i curveValues(const FixedCurves& curves, int c, __m512i indexes) {
    const __m512i levels = _mm512_srli_epi16(indexes, FixedColorMatrix::kIndexBits);
    const __m512i fractions = _mm512_slli_epi16(
        _mm512_and_si512(indexes, _mm512_set1_epi16((1 << FixedColorMatrix::kIndexBits) - 1)),
        15 - FixedColorMatrix::kIndexBits);
    const LevelMasks masks{_mm512_test_epi16_mask(levels, _mm512_set1_epi16(128)),
                           _mm512_test_epi16_mask(levels, _mm512_set1_epi16(64))};
    const __m512i between =
        _mm512_add_epi16(lookUp(curves.levels[c], levels, masks),
                         _mm512_mulhrs_epi16(lookUp(curves.steps[c], levels, masks), fractions));
    const __mmask32 isDark =
        _mm512_cmplt_epu16_mask(indexes, _mm512_set1_epi16(FixedCurves::kDarkCount));
    const __m512i units =
        _mm512_mask_blend_epi16(isDark, between, lookUpQuarter(curves.dark[c], 0, indexes));
    return _mm512_srli_epi16(units, FixedCurves::kUnitBits);
}

struct Matrix {
    SplitWeights weights[3];
    __m128i shift;
    __m512i half;
};

// Colour c of 32 pixels through the matrix and its curve: per 128-bit lane k, pixels
// 4k … 4k+3 of the first sixteen, then of the second.
AVX512_INLINE __m512i colourOf(__m512i first, __m512i second, const Matrix& matrix,
                               const FixedCurves& curves, int c) {
    const SplitWeights weights = matrix.weights[c];
    const __m512i packed =
        _mm512_packus_epi32(roundedSums(first, weights, matrix.shift, matrix.half),
                            roundedSums(second, weights, matrix.shift, matrix.half));
    return curveValues(curves, c,
                       _mm512_min_epu16(packed, _mm512_set1_epi16(FixedColorMatrix::kIndexMax)));
}

}  // namespace

namespace fixedcolormatrix {

AVX512_TARGET void applyAvx512(const FixedColorMatrix& m, const std::uint32_t* in,
                               std::uint32_t* out, std::size_t count, std::uint32_t opaqueBits) {
    const SplitWeights weights[3] = {splitWeights(m, 0), splitWeights(m, 1), splitWeights(m, 2)};
    const __m128i shift = _mm_cvtsi32_si128(m.shift);
    const __m512i half = _mm512_set1_epi32(1 << (m.shift - 1));
    const __m512i forced = _mm512_set1_epi32(static_cast<int>(opaqueBits));
    const __m512i zero = _mm512_setzero_si512();
    std::size_t x = 0;
    for (; x + 16 <= count; x += 16) {
        const __m512i pixels = _mm512_or_si512(_mm512_loadu_si512(in + x), forced);
        const __m512i alpha = _mm512_srli_epi32(pixels, 24);
        __m512i colours[3];
        for (int c = 0; c < 3; ++c) {
            const __m512i v = roundedSums(pixels, weights[c], shift, half);
            colours[c] = _mm512_min_epi32(_mm512_max_epi32(v, zero), alpha);
        }
        const __m512i result = _mm512_ternarylogic_epi32(
            colours[0], _mm512_slli_epi32(colours[1], 8), _mm512_slli_epi32(colours[2], 16),
            0xFE);  // a | b | c
        _mm512_storeu_si512(out + x, _mm512_or_si512(result, _mm512_slli_epi32(alpha, 24)));
    }
    applyScalar(m, in + x, out + x, count - x, opaqueBits);
}

AVX512_TARGET std::uint32_t applyWithCurvesAvx512(const FixedColorMatrix& m,
                                                  const FixedCurves& curves,
                                                  const std::uint32_t* in, std::uint32_t* out,
                                                  std::size_t count, std::uint32_t opaqueBits) {
    const int indexShift = m.shift - FixedColorMatrix::kIndexBits;
    const Matrix matrix{{splitWeights(m, 0), splitWeights(m, 1), splitWeights(m, 2)},
                        _mm_cvtsi32_si128(indexShift),
                        _mm512_set1_epi32(1 << (indexShift - 1))};
    const __m512i forced = _mm512_set1_epi32(static_cast<int>(opaqueBits));
    __m512i all = _mm512_set1_epi32(-1);
    for (std::size_t x = 0; x + kWideGroup <= count; x += kWideGroup) {
        const __m512i first = _mm512_or_si512(_mm512_loadu_si512(in + x), forced);
        const __m512i second = _mm512_or_si512(_mm512_loadu_si512(in + x + 16), forced);
        all = _mm512_and_si512(all, _mm512_and_si512(first, second));
        const __m512i blueGreen =
            _mm512_or_si512(colourOf(first, second, matrix, curves, 0),
                            _mm512_slli_epi16(colourOf(first, second, matrix, curves, 1), 8));
        const __m512i redAlpha = _mm512_or_si512(colourOf(first, second, matrix, curves, 2),
                                                 _mm512_set1_epi16(static_cast<short>(0xFF00)));
        // Unpacking undoes the packing's order: the low halves are the first sixteen pixels.
        _mm512_storeu_si512(out + x, _mm512_unpacklo_epi16(blueGreen, redAlpha));
        _mm512_storeu_si512(out + x + 16, _mm512_unpackhi_epi16(blueGreen, redAlpha));
    }
    return static_cast<std::uint32_t>(_mm512_reduce_and_epi32(all));
}

}  // namespace fixedcolormatrix

#endif
