#if defined(__x86_64__)

#include <immintrin.h>

#include "imaging/ConvolutionSpan.h"

// Built for any x86-64 processor; these functions run only where AVX2 was found at run
// time (selectConvolveSpan), so each one carries the target itself.
#define AVX2_TARGET __attribute__((target("avx2")))

namespace {

// Sixteen source bytes widened to sixteen 16-bit lanes.
AVX2_TARGET inline __m256i widen(const std::uint8_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

AVX2_TARGET inline __m256i mirroredTerm(const std::uint8_t* const* sources, int count, int t,
                                        std::size_t j) {
    return _mm256_add_epi16(widen(sources[t] + j), widen(sources[count - 1 - t] + j));
}

// acc0 gathers outputs 0-3 and 8-11, acc1 outputs 4-7 and 12-15: the order in which
// unpack splits the 256-bit lanes, undone by the pack in storeResults.
AVX2_TARGET inline void accumulate(__m256i a, __m256i b, std::int32_t weights, __m256i& acc0,
                                   __m256i& acc1) {
    const __m256i w = _mm256_set1_epi32(weights);
    acc0 = _mm256_add_epi32(acc0, _mm256_madd_epi16(_mm256_unpacklo_epi16(a, b), w));
    acc1 = _mm256_add_epi32(acc1, _mm256_madd_epi16(_mm256_unpackhi_epi16(a, b), w));
}

// floor(sum / divisor) exactly: a single-precision estimate is off by at most one in the
// range that matters (results near 0 … 255), and one exact remainder corrects it.
AVX2_TARGET inline __m256i divide(__m256i sum, __m256i divisor, __m256 reciprocal) {
    __m256i q = _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_cvtepi32_ps(sum), reciprocal));
    const __m256i r = _mm256_sub_epi32(sum, _mm256_mullo_epi32(q, divisor));
    q = _mm256_sub_epi32(q, _mm256_cmpgt_epi32(r, _mm256_sub_epi32(divisor, _mm256_set1_epi32(1))));
    return _mm256_add_epi32(q, _mm256_cmpgt_epi32(_mm256_setzero_si256(), r));
}

AVX2_TARGET inline void storeResults(__m256i q0, __m256i q1, std::uint8_t* out) {
    const __m256i words = _mm256_packs_epi32(q0, q1);
    const __m256i bytes = _mm256_packus_epi16(words, words);
    const __m256i packed = _mm256_permute4x64_epi64(bytes, 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(packed));
}

}  // namespace

AVX2_TARGET void convolveSymmetricSpanAvx2(const ConvolutionTaps& taps,
                                           const std::uint8_t* const* sources, std::uint8_t* out,
                                           std::size_t begin, std::size_t end) {
    const int count = static_cast<int>(taps.weights.size());
    const int half = count / 2;
    const int mirroredPairs = half / 2;
    const std::int32_t* paired = taps.pairedWeights.data();
    const __m256i bias = _mm256_set1_epi32(taps.divisor / 2);
    const __m256i divisor = _mm256_set1_epi32(taps.divisor);
    const __m256 reciprocal = _mm256_set1_ps(1.0f / static_cast<float>(taps.divisor));
    const __m256i zero = _mm256_setzero_si256();

    std::size_t j = begin;
    for (; j + 16 <= end; j += 16) {
        __m256i acc0 = bias;
        __m256i acc1 = bias;
        for (int p = 0; p < mirroredPairs; ++p) {
            accumulate(mirroredTerm(sources, count, 2 * p, j),
                       mirroredTerm(sources, count, 2 * p + 1, j), paired[p], acc0, acc1);
        }
        const __m256i centre = widen(sources[half] + j);
        if (half % 2 == 0) {
            accumulate(centre, zero, paired[mirroredPairs], acc0, acc1);
        } else {
            accumulate(mirroredTerm(sources, count, half - 1, j), centre, paired[mirroredPairs],
                       acc0, acc1);
        }
        storeResults(divide(acc0, divisor, reciprocal), divide(acc1, divisor, reciprocal), out + j);
    }
    convolveSpanScalar(taps, sources, out, j, end);
}

#endif
