#if defined(__x86_64__)

// GCC 12's AVX-512 headers fill unused lanes with _mm512_undefined_*(), which its own
// warnings then report as uninitialised.
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <immintrin.h>

#include "imaging/kernels/FixedColorMatrix.h"
#include "imaging/kernels/Prefetch.h"

// The matrix takes two byte dot products a colour (its weights split into a signed high
// part and a 7-bit low part): VNNI, which Highway has no operation for.

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
        prefetch::ahead(in + x, out + x);
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

}  // namespace fixedcolormatrix

#endif
