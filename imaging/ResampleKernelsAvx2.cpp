#if defined(__x86_64__)

#include <immintrin.h>

#include "imaging/ResampleKernels.h"

// The SSE2 vertical pass on 32 bytes at a time; only where AVX2 was found at run time.

#define AVX2_TARGET __attribute__((target("avx2")))

namespace resample {

AVX2_TARGET void verticalAvx2(const std::uint8_t* const* rows, const std::int16_t* weights,
                              int taps, std::int16_t* sums, std::size_t begin, std::size_t end) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i rounding = _mm256_set1_epi32(1 << (kVerticalShift - 1));
    std::size_t j = begin;
    for (; j + 32 <= end; j += 32) {
        __m256i acc[4] = {zero, zero, zero, zero};
        for (int t = 0; t < taps; t += 2) {
            const bool pair = t + 1 < taps;
            const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t] + j));
            const __m256i b =
                pair ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[t + 1] + j)) : zero;
            const auto first = static_cast<std::uint16_t>(weights[t]);
            const auto second = static_cast<std::uint16_t>(pair ? weights[t + 1] : 0);
            const __m256i w =
                _mm256_set1_epi32(static_cast<int>(first | std::uint32_t{second} << 16));
            const __m256i aLow = _mm256_unpacklo_epi8(a, zero);
            const __m256i bLow = _mm256_unpacklo_epi8(b, zero);
            const __m256i aHigh = _mm256_unpackhi_epi8(a, zero);
            const __m256i bHigh = _mm256_unpackhi_epi8(b, zero);
            // Within each 128-bit lane: bytes 0-3, 4-7, 8-11, 12-15 of the lane.
            acc[0] =
                _mm256_add_epi32(acc[0], _mm256_madd_epi16(_mm256_unpacklo_epi16(aLow, bLow), w));
            acc[1] =
                _mm256_add_epi32(acc[1], _mm256_madd_epi16(_mm256_unpackhi_epi16(aLow, bLow), w));
            acc[2] =
                _mm256_add_epi32(acc[2], _mm256_madd_epi16(_mm256_unpacklo_epi16(aHigh, bHigh), w));
            acc[3] =
                _mm256_add_epi32(acc[3], _mm256_madd_epi16(_mm256_unpackhi_epi16(aHigh, bHigh), w));
        }
        for (__m256i& a : acc) {
            a = _mm256_srai_epi32(_mm256_add_epi32(a, rounding), kVerticalShift);
        }
        // (bytes 0-7 | 16-23) and (bytes 8-15 | 24-31), put back in order.
        const __m256i low = _mm256_packs_epi32(acc[0], acc[1]);
        const __m256i high = _mm256_packs_epi32(acc[2], acc[3]);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums + j),
                            _mm256_permute2x128_si256(low, high, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(sums + j + 16),
                            _mm256_permute2x128_si256(low, high, 0x31));
    }
    verticalSse2(rows, weights, taps, sums, j, end);
}

}  // namespace resample

#endif
