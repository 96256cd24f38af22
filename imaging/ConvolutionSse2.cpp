#if defined(__x86_64__)

#include <emmintrin.h>

#include "imaging/ConvolutionSpan.h"

// SSE2 is the baseline of every x86-64 processor: this path needs no run-time check.

namespace {

struct Widened {
    __m128i low;   // bytes 0-7 as 16-bit lanes
    __m128i high;  // bytes 8-15
};

inline Widened widen(const std::uint8_t* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i zero = _mm_setzero_si128();
    return {_mm_unpacklo_epi8(bytes, zero), _mm_unpackhi_epi8(bytes, zero)};
}

inline Widened mirroredTerm(const std::uint8_t* const* sources, int count, int t, std::size_t j) {
    const Widened a = widen(sources[t] + j);
    const Widened b = widen(sources[count - 1 - t] + j);
    return {_mm_add_epi16(a.low, b.low), _mm_add_epi16(a.high, b.high)};
}

// acc[k] gathers outputs 4k … 4k + 3.
inline void accumulate(const Widened& a, const Widened& b, std::int32_t weights, __m128i* acc) {
    const __m128i w = _mm_set1_epi32(weights);
    acc[0] = _mm_add_epi32(acc[0], _mm_madd_epi16(_mm_unpacklo_epi16(a.low, b.low), w));
    acc[1] = _mm_add_epi32(acc[1], _mm_madd_epi16(_mm_unpackhi_epi16(a.low, b.low), w));
    acc[2] = _mm_add_epi32(acc[2], _mm_madd_epi16(_mm_unpacklo_epi16(a.high, b.high), w));
    acc[3] = _mm_add_epi32(acc[3], _mm_madd_epi16(_mm_unpackhi_epi16(a.high, b.high), w));
}

// The low 32 bits of four products; SSE2 only multiplies the even lanes at a time.
inline __m128i multiplyLow(__m128i a, __m128i b) {
    const __m128i even = _mm_mul_epu32(a, b);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                              _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

// floor(sum / divisor) exactly: a single-precision estimate corrected by one remainder.
inline __m128i divide(__m128i sum, __m128i divisor, __m128 reciprocal) {
    __m128i q = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sum), reciprocal));
    const __m128i r = _mm_sub_epi32(sum, multiplyLow(q, divisor));
    q = _mm_sub_epi32(q, _mm_cmpgt_epi32(r, _mm_sub_epi32(divisor, _mm_set1_epi32(1))));
    return _mm_add_epi32(q, _mm_cmplt_epi32(r, _mm_setzero_si128()));
}

}  // namespace

void convolveSymmetricSpanSse2(const ConvolutionTaps& taps, const std::uint8_t* const* sources,
                               std::uint8_t* out, std::size_t begin, std::size_t end) {
    const int count = static_cast<int>(taps.weights.size());
    const int half = count / 2;
    const int mirroredPairs = half / 2;
    const std::int32_t* paired = taps.pairedWeights.data();
    const __m128i divisor = _mm_set1_epi32(taps.divisor);
    const __m128 reciprocal = _mm_set1_ps(1.0f / static_cast<float>(taps.divisor));
    const Widened zero{_mm_setzero_si128(), _mm_setzero_si128()};

    std::size_t j = begin;
    for (; j + 16 <= end; j += 16) {
        __m128i acc[4];
        for (__m128i& a : acc) {
            a = _mm_set1_epi32(taps.divisor / 2);
        }
        for (int p = 0; p < mirroredPairs; ++p) {
            accumulate(mirroredTerm(sources, count, 2 * p, j),
                       mirroredTerm(sources, count, 2 * p + 1, j), paired[p], acc);
        }
        const Widened centre = widen(sources[half] + j);
        if (half % 2 == 0) {
            accumulate(centre, zero, paired[mirroredPairs], acc);
        } else {
            accumulate(mirroredTerm(sources, count, half - 1, j), centre, paired[mirroredPairs],
                       acc);
        }
        __m128i q[4];
        for (int k = 0; k < 4; ++k) {
            q[k] = divide(acc[k], divisor, reciprocal);
        }
        const __m128i bytes =
            _mm_packus_epi16(_mm_packs_epi32(q[0], q[1]), _mm_packs_epi32(q[2], q[3]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + j), bytes);
    }
    convolveSpanScalar(taps, sources, out, j, end);
}

#endif
