#if defined(__x86_64__)

#include <emmintrin.h>

#include "imaging/ResampleKernels.h"

// SSE2 is the baseline of every x86-64 processor: this path needs no run-time check.

namespace {

// Two 16-bit weights to each 32-bit lane, the first in the low half, for _mm_madd_epi16.
inline __m128i weightPair(std::int16_t first, std::int16_t second) {
    return _mm_set1_epi32(
        static_cast<int>(static_cast<std::uint16_t>(first) |
                         static_cast<std::uint32_t>(static_cast<std::uint16_t>(second)) << 16));
}

}  // namespace

namespace resample {

void verticalSse2(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
                  std::int16_t* sums, std::size_t begin, std::size_t end) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i rounding = _mm_set1_epi32(1 << (kVerticalShift - 1));
    std::size_t j = begin;
    for (; j + 16 <= end; j += 16) {
        __m128i acc[4] = {zero, zero, zero, zero};
        for (int t = 0; t < taps; t += 2) {
            const bool pair = t + 1 < taps;
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t] + j));
            const __m128i b =
                pair ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[t + 1] + j)) : zero;
            const __m128i w = weightPair(weights[t], pair ? weights[t + 1] : 0);
            const __m128i aLow = _mm_unpacklo_epi8(a, zero);
            const __m128i bLow = _mm_unpacklo_epi8(b, zero);
            const __m128i aHigh = _mm_unpackhi_epi8(a, zero);
            const __m128i bHigh = _mm_unpackhi_epi8(b, zero);
            acc[0] = _mm_add_epi32(acc[0], _mm_madd_epi16(_mm_unpacklo_epi16(aLow, bLow), w));
            acc[1] = _mm_add_epi32(acc[1], _mm_madd_epi16(_mm_unpackhi_epi16(aLow, bLow), w));
            acc[2] = _mm_add_epi32(acc[2], _mm_madd_epi16(_mm_unpacklo_epi16(aHigh, bHigh), w));
            acc[3] = _mm_add_epi32(acc[3], _mm_madd_epi16(_mm_unpackhi_epi16(aHigh, bHigh), w));
        }
        for (__m128i& a : acc) {
            a = _mm_srai_epi32(_mm_add_epi32(a, rounding), kVerticalShift);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + j), _mm_packs_epi32(acc[0], acc[1]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(sums + j + 8), _mm_packs_epi32(acc[2], acc[3]));
    }
    verticalScalar(rows, weights, taps, sums, j, end);
}

void horizontalSse2(const HorizontalRow& row, std::uint32_t* out, std::ptrdiff_t step) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i rounding = _mm_set1_epi32(1 << (kHorizontalShift - 1));
    const ResampleWeights& columns = row.columns;
    for (int i = 0; i < columns.count(); ++i, out += step) {
        const int taps = row.rowInside ? columns.tapCount(i) : 0;
        if (taps == 0) {
            *out = 0;
            continue;
        }
        const std::int16_t* in = row.sums + 4 * columns.start(i);
        const std::int16_t* weights = columns.weights(i);
        __m128i acc = zero;
        for (int t = 0; t < taps; t += 2) {
            const bool pair = t + 1 < taps;
            const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + 4 * t));
            const __m128i b =
                pair ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in + 4 * t + 4)) : zero;
            acc = _mm_add_epi32(acc,
                                _mm_madd_epi16(_mm_unpacklo_epi16(a, b),
                                               weightPair(weights[t], pair ? weights[t + 1] : 0)));
        }
        acc = _mm_srai_epi32(_mm_add_epi32(acc, rounding), kHorizontalShift);
        const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(acc, zero), zero);
        *out = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes)) | row.opaqueBits;
    }
}

}  // namespace resample

#endif
