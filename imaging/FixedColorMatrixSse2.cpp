#if defined(__x86_64__)

#include <emmintrin.h>

#include "imaging/FixedColorMatrix.h"

namespace {

// Pixels 0 … 3 as (s_blue, s_green, s_red) vectors of four sums each.
struct Sums {
    __m128i channel[3];
};

inline __m128i weightsOf(const FixedColorMatrix& m, int c) {
    const __m128i four = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(m.weights[c]));
    return _mm_unpacklo_epi64(four, four);
}

// Adds neighbouring 32-bit lanes: (a0 + a1, a2 + a3, b0 + b1, b2 + b3).
inline __m128i pairSums(__m128i a, __m128i b) {
    const __m128 fa = _mm_castsi128_ps(a);
    const __m128 fb = _mm_castsi128_ps(b);
    return _mm_add_epi32(_mm_castps_si128(_mm_shuffle_ps(fa, fb, _MM_SHUFFLE(2, 0, 2, 0))),
                         _mm_castps_si128(_mm_shuffle_ps(fa, fb, _MM_SHUFFLE(3, 1, 3, 1))));
}

inline Sums sumsOf(const __m128i weights[3], __m128i pixels) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_unpacklo_epi8(pixels, zero);
    const __m128i high = _mm_unpackhi_epi8(pixels, zero);
    Sums sums;
    for (int c = 0; c < 3; ++c) {
        sums.channel[c] =
            pairSums(_mm_madd_epi16(low, weights[c]), _mm_madd_epi16(high, weights[c]));
    }
    return sums;
}

inline __m128i rounded(__m128i sum, int shift) {
    return _mm_sra_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (shift - 1))),
                         _mm_cvtsi32_si128(shift));
}

// Every byte of a pixel set to its alpha.
inline __m128i alphaBytes(__m128i pixels) {
    const __m128i alpha = _mm_srli_epi32(pixels, 24);
    const __m128i twice = _mm_or_si128(alpha, _mm_slli_epi32(alpha, 8));
    return _mm_or_si128(twice, _mm_slli_epi32(twice, 16));
}

}  // namespace

namespace fixedcolormatrix {

void applySse2(const FixedColorMatrix& m, const std::uint32_t* in, std::uint32_t* out,
               std::size_t count, std::uint32_t opaqueBits) {
    const __m128i weights[3] = {weightsOf(m, 0), weightsOf(m, 1), weightsOf(m, 2)};
    const __m128i forced = _mm_set1_epi32(static_cast<int>(opaqueBits));
    std::size_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128i pixels =
            _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x)), forced);
        const Sums sums = sumsOf(weights, pixels);
        const __m128i blueRed =
            _mm_packs_epi32(rounded(sums.channel[0], m.shift), rounded(sums.channel[2], m.shift));
        const __m128i greenAlpha =
            _mm_packs_epi32(rounded(sums.channel[1], m.shift), _mm_srli_epi32(pixels, 24));
        // b0-3 r0-3 g0-3 a0-3, clamped to bytes, then interleaved into b g r a per pixel.
        const __m128i planes = _mm_packus_epi16(blueRed, greenAlpha);
        const __m128i pairs = _mm_unpacklo_epi8(planes, _mm_srli_si128(planes, 8));
        const __m128i result = _mm_unpacklo_epi16(pairs, _mm_srli_si128(pairs, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                         _mm_min_epu8(result, alphaBytes(pixels)));
    }
    applyScalar(m, in + x, out + x, count - x, opaqueBits);
}

std::uint32_t indexesSse2(const FixedColorMatrix& m, const std::uint32_t* in,
                          std::uint16_t* indexes, std::size_t count, std::uint32_t opaqueBits) {
    const __m128i weights[3] = {weightsOf(m, 0), weightsOf(m, 1), weightsOf(m, 2)};
    const __m128i forced = _mm_set1_epi32(static_cast<int>(opaqueBits));
    const __m128i zero = _mm_setzero_si128();
    const __m128i top = _mm_set1_epi16(FixedColorMatrix::kIndexMax);
    const int shift = m.shift - FixedColorMatrix::kIndexBits;
    const auto load = [&](const std::uint32_t* p) {
        return _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), forced);
    };
    __m128i all = _mm_set1_epi32(-1);
    std::size_t x = 0;
    for (; x + kGroup <= count; x += kGroup) {
        const __m128i firstPixels = load(in + x);
        const __m128i secondPixels = load(in + x + 4);
        all = _mm_and_si128(all, _mm_and_si128(firstPixels, secondPixels));
        const Sums first = sumsOf(weights, firstPixels);
        const Sums second = sumsOf(weights, secondPixels);
        std::uint16_t* group = indexes + indexPosition(x, 0);
        for (int c = 0; c < 3; ++c) {
            const __m128i eight = _mm_packs_epi32(rounded(first.channel[c], shift),
                                                  rounded(second.channel[c], shift));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(group + kGroup * c),
                             _mm_min_epi16(_mm_max_epi16(eight, zero), top));
        }
    }
    all = _mm_and_si128(all, _mm_shuffle_epi32(all, _MM_SHUFFLE(1, 0, 3, 2)));
    all = _mm_and_si128(all, _mm_shuffle_epi32(all, _MM_SHUFFLE(2, 3, 0, 1)));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(all)) &
           indexesScalar(m, in + x, indexes + 3 * x, count - x, opaqueBits);
}

}  // namespace fixedcolormatrix

#endif
