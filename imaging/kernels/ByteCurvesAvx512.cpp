#if defined(__x86_64__)

// GCC 12's AVX-512 headers fill unused lanes with _mm512_undefined_*(), which its own
// warnings then report as uninitialised.
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <immintrin.h>

#include "imaging/kernels/ByteCurves.h"
#include "imaging/kernels/Prefetch.h"

// Sixteen pixels a step. A byte permute over two registers reads 128 entries of a table,
// so each colour takes two; each permute writes only its colour's bytes of its half of
// the levels and passes the rest through, so the next permute reads them unchanged.

#define AVX512_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))

namespace {

// Byte c of every pixel.
constexpr __mmask64 kColourBytes[3] = {0x1111111111111111ull, 0x2222222222222222ull,
                                       0x4444444444444444ull};

}  // namespace

AVX512_TARGET std::uint32_t applyByteCurvesAvx512(const ByteCurves& curves, const std::uint32_t* in,
                                                  std::uint32_t* out, std::size_t count,
                                                  std::uint32_t opaqueBits) {
    __m512i tables[3][4];
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < 4; ++k) {
            tables[c][k] = _mm512_loadu_si512(curves.levels[c] + 64 * k);
        }
    }
    const __m512i forced = _mm512_set1_epi32(static_cast<int>(opaqueBits));
    __m512i all = _mm512_set1_epi32(-1);
    for (std::size_t x = 0; x + ByteCurves::kGroup <= count; x += ByteCurves::kGroup) {
        prefetch::ahead(in + x, out + x);
        __m512i pixels = _mm512_or_si512(_mm512_loadu_si512(in + x), forced);
        all = _mm512_and_si512(all, pixels);
        const __mmask64 upper = _mm512_movepi8_mask(pixels);
        for (int c = 0; c < 3; ++c) {
            pixels = _mm512_mask2_permutex2var_epi8(
                tables[c][0], pixels, _kandn_mask64(upper, kColourBytes[c]), tables[c][1]);
            pixels = _mm512_mask2_permutex2var_epi8(
                tables[c][2], pixels, _kand_mask64(upper, kColourBytes[c]), tables[c][3]);
        }
        _mm512_storeu_si512(out + x, pixels);
    }
    return static_cast<std::uint32_t>(_mm512_reduce_and_epi32(all));
}

#endif
