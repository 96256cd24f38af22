#if defined(__x86_64__)

#include <immintrin.h>

#include "imaging/ColorTables.h"

#define AVX2_TARGET __attribute__((target("avx2")))

namespace {

AVX2_TARGET inline __m256i channelOf(__m256i pixels, int shift) {
    return _mm256_and_si256(_mm256_srli_epi32(pixels, shift), _mm256_set1_epi32(0xFF));
}

AVX2_TARGET inline __m256i outputChannel(const ColorTables& t, int c, const __m256i v[3]) {
    __m256i s = _mm256_set1_epi32(t.offsets[c]);
    for (int k = 0; k < 3; ++k) {
        s = _mm256_add_epi32(s, _mm256_mullo_epi32(v[k], _mm256_set1_epi32(t.coefficients[c][k])));
    }
    s = _mm256_srai_epi32(_mm256_add_epi32(s, _mm256_set1_epi32(ColorTables::kOne / 2)),
                          ColorTables::kShift);
    s = _mm256_min_epi32(_mm256_max_epi32(s, _mm256_setzero_si256()),
                         _mm256_set1_epi32(ColorTables::kOne));
    const __m256i bytes = _mm256_i32gather_epi32(reinterpret_cast<const int*>(t.finals[c]), s, 1);
    return _mm256_and_si256(bytes, _mm256_set1_epi32(0xFF));
}

}  // namespace

AVX2_TARGET void applyColorTablesAvx2(const ColorTables& tables, const std::uint32_t* in,
                                      std::uint32_t* out, std::size_t count,
                                      std::uint32_t opaqueBits) {
    const __m256i alpha = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i forced = _mm256_set1_epi32(static_cast<int>(opaqueBits));
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i pixels =
            _mm256_or_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(in + x)), forced);
        const __m256i v[3] = {_mm256_i32gather_epi32(tables.inputs[0], channelOf(pixels, 16), 4),
                              _mm256_i32gather_epi32(tables.inputs[1], channelOf(pixels, 8), 4),
                              _mm256_i32gather_epi32(tables.inputs[2], channelOf(pixels, 0), 4)};
        __m256i result = alpha;
        result = _mm256_or_si256(result, _mm256_slli_epi32(outputChannel(tables, 0, v), 16));
        result = _mm256_or_si256(result, _mm256_slli_epi32(outputChannel(tables, 1, v), 8));
        result = _mm256_or_si256(result, outputChannel(tables, 2, v));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), result);
    }
    for (; x < count; ++x) {
        out[x] = tables.opaquePixel(in[x] | opaqueBits);
    }
}

#endif
