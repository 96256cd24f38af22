#if defined(__x86_64__)

#include <immintrin.h>

#include "imaging/FixedColorMatrix.h"

// The SSE2 path's steps on eight pixels at a time; every step stays within a 128-bit
// lane, so each lane is the SSE2 path on four pixels.

#define AVX2_TARGET __attribute__((target("avx2")))

namespace {

AVX2_TARGET inline __m256i weightsOf(const FixedColorMatrix& m, int c) {
    const __m128i four = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(m.weights[c]));
    return _mm256_broadcastsi128_si256(_mm_unpacklo_epi64(four, four));
}

AVX2_TARGET inline __m256i pairSums(__m256i a, __m256i b) {
    const __m256 fa = _mm256_castsi256_ps(a);
    const __m256 fb = _mm256_castsi256_ps(b);
    return _mm256_add_epi32(
        _mm256_castps_si256(_mm256_shuffle_ps(fa, fb, _MM_SHUFFLE(2, 0, 2, 0))),
        _mm256_castps_si256(_mm256_shuffle_ps(fa, fb, _MM_SHUFFLE(3, 1, 3, 1))));
}

struct Sums {
    __m256i channel[3];  // blue, green, red sums of pixels 0 … 7, in order
};

AVX2_TARGET inline Sums sumsOf(const __m256i weights[3], __m256i pixels) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i low = _mm256_unpacklo_epi8(pixels, zero);
    const __m256i high = _mm256_unpackhi_epi8(pixels, zero);
    Sums sums;
    for (int c = 0; c < 3; ++c) {
        sums.channel[c] =
            pairSums(_mm256_madd_epi16(low, weights[c]), _mm256_madd_epi16(high, weights[c]));
    }
    return sums;
}

AVX2_TARGET inline __m256i rounded(__m256i sum, int shift) {
    return _mm256_sra_epi32(_mm256_add_epi32(sum, _mm256_set1_epi32(1 << (shift - 1))),
                            _mm_cvtsi32_si128(shift));
}

AVX2_TARGET inline __m256i alphaBytes(__m256i pixels) {
    const __m256i alpha = _mm256_srli_epi32(pixels, 24);
    const __m256i twice = _mm256_or_si256(alpha, _mm256_slli_epi32(alpha, 8));
    return _mm256_or_si256(twice, _mm256_slli_epi32(twice, 16));
}

AVX2_TARGET inline __m256i loadPixels(const std::uint32_t* in, __m256i forced) {
    return _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in)), forced);
}

// Indexes from the sums of eight pixels: a0-7 then b0-7, clamped to 0 … kIndexMax.
AVX2_TARGET inline __m256i orderedIndexes(__m256i a, __m256i b, int shift) {
    // The pack gives (a0-3 b0-3 | a4-7 b4-7).
    const __m256i packed = _mm256_permute4x64_epi64(
        _mm256_packs_epi32(rounded(a, shift), rounded(b, shift)), _MM_SHUFFLE(3, 1, 2, 0));
    return _mm256_min_epi16(_mm256_max_epi16(packed, _mm256_setzero_si256()),
                            _mm256_set1_epi16(FixedColorMatrix::kIndexMax));
}

}  // namespace

namespace fixedcolormatrix {

AVX2_TARGET void applyAvx2(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
                           std::size_t count, std::uint32_t opaqueBits) {
    const __m256i weights[3] = {weightsOf(m, 0), weightsOf(m, 1), weightsOf(m, 2)};
    const __m256i forced = _mm256_set1_epi32(static_cast<int>(opaqueBits));
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i pixels = loadPixels(in + x, forced);
        const Sums sums = sumsOf(weights, pixels);
        const __m256i blueRed = _mm256_packs_epi32(rounded(sums.channel[0], m.shift),
                                                   rounded(sums.channel[2], m.shift));
        const __m256i greenAlpha =
            _mm256_packs_epi32(rounded(sums.channel[1], m.shift), _mm256_srli_epi32(pixels, 24));
        const __m256i planes = _mm256_packus_epi16(blueRed, greenAlpha);
        const __m256i pairs = _mm256_unpacklo_epi8(planes, _mm256_srli_si256(planes, 8));
        const __m256i result = _mm256_unpacklo_epi16(pairs, _mm256_srli_si256(pairs, 8));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x),
                            _mm256_min_epu8(result, alphaBytes(pixels)));
    }
    applyScalar(m, in + x, out + x, count - x, opaqueBits);
}

AVX2_TARGET std::uint32_t indexesAvx2(const FixedColorMatrix& m, const std::uint32_t* in,
                                      std::uint16_t* indexes, std::size_t count,
                                      std::uint32_t opaqueBits) {
    const __m256i weights[3] = {weightsOf(m, 0), weightsOf(m, 1), weightsOf(m, 2)};
    const __m256i forced = _mm256_set1_epi32(static_cast<int>(opaqueBits));
    const int shift = m.shift - FixedColorMatrix::kIndexBits;
    __m256i all = _mm256_set1_epi32(-1);
    std::size_t x = 0;
    for (; x + kGroup <= count; x += kGroup) {
        const __m256i pixels = loadPixels(in + x, forced);
        all = _mm256_and_si256(all, pixels);
        const Sums sums = sumsOf(weights, pixels);
        std::uint16_t* group = indexes + indexPosition(x, 0);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(group),
                            orderedIndexes(sums.channel[0], sums.channel[1], shift));
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(group + 2 * kGroup),
            _mm256_castsi256_si128(orderedIndexes(sums.channel[2], sums.channel[2], shift)));
    }
    __m128i half = _mm_and_si128(_mm256_castsi256_si128(all), _mm256_extracti128_si256(all, 1));
    half = _mm_and_si128(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(1, 0, 3, 2)));
    half = _mm_and_si128(half, _mm_shuffle_epi32(half, _MM_SHUFFLE(2, 3, 0, 1)));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(half)) &
           indexesScalar(m, in + x, indexes + 3 * x, count - x, opaqueBits);
}

}  // namespace fixedcolormatrix

#endif
