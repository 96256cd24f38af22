#if defined(__x86_64__)

#include <emmintrin.h>

#include "imaging/BilinearSampler.h"

// SSE2 is the baseline of every x86-64 processor: this path needs no run-time check.

namespace {

// (a · (256 - t) + b · t + 128) >> 8 on 16-bit lanes: the same rounding as lerp, and
// no lane can overflow (255 · 256 + 128 < 65536).
inline __m128i lerp16(__m128i a, __m128i b, __m128i t) {
    const __m128i u = _mm_sub_epi16(_mm_set1_epi16(256), t);
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a, u), _mm_mullo_epi16(b, t));
    return _mm_srli_epi16(_mm_add_epi16(sum, _mm_set1_epi16(128)), 8);
}

struct Neighbours {
    const std::uint8_t* upper;  // the upper-left pixel; upper-right follows it
    std::uint32_t tx;
    std::uint32_t ty;
};

inline Neighbours neighboursAt(const bilinear::Source& source, std::int64_t u, std::int64_t v) {
    const auto x = static_cast<std::size_t>(bilinear::wholePixels(u));
    const auto y = static_cast<std::size_t>(bilinear::wholePixels(v));
    return {source.pixels + source.bytesPerRow * y + 4 * x, bilinear::weight(u),
            bilinear::weight(v)};
}

// Two samples, each channel in a 16-bit lane: (sample a, sample b).
inline __m128i samplePair(const bilinear::Source& source, const Neighbours& a,
                          const Neighbours& b) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(source.opaqueBits));
    const auto load = [&](const std::uint8_t* p) {
        return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    };
    // (left a, left b, right a, right b) for the upper and the lower row.
    const __m128i upper = _mm_or_si128(_mm_unpacklo_epi32(load(a.upper), load(b.upper)), opaque);
    const __m128i lower = _mm_or_si128(
        _mm_unpacklo_epi32(load(a.upper + source.bytesPerRow), load(b.upper + source.bytesPerRow)),
        opaque);
    const auto spread = [](std::uint32_t wa, std::uint32_t wb) {
        const auto sa = static_cast<short>(wa);
        const auto sb = static_cast<short>(wb);
        return _mm_set_epi16(sb, sb, sb, sb, sa, sa, sa, sa);
    };
    const __m128i tx = spread(a.tx, b.tx);
    const __m128i top = lerp16(_mm_unpacklo_epi8(upper, zero), _mm_unpackhi_epi8(upper, zero), tx);
    const __m128i bottom =
        lerp16(_mm_unpacklo_epi8(lower, zero), _mm_unpackhi_epi8(lower, zero), tx);
    return lerp16(top, bottom, spread(a.ty, b.ty));
}

}  // namespace

namespace bilinear {

void sampleInsideSse2(const Source& source, std::int64_t u, std::int64_t v, std::int64_t stepU,
                      std::int64_t stepV, std::uint32_t* out, std::size_t count) {
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        Neighbours n[4];
        for (int k = 0; k < 4; ++k, u += stepU, v += stepV) {
            n[k] = neighboursAt(source, u, v);
        }
        const __m128i pixels =
            _mm_packus_epi16(samplePair(source, n[0], n[1]), samplePair(source, n[2], n[3]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), pixels);
    }
    sampleInsideScalar(source, u, v, stepU, stepV, out + i, count - i);
}

}  // namespace bilinear

#endif
