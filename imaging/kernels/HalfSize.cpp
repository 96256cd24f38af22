#include "imaging/kernels/HalfSize.h"

#include "imaging/kernels/Prefetch.h"

namespace halfsize {

namespace {

// The rounded means of two channels at once, each in a 16-bit half of a word: four
// sums of a byte and the rounding stay below 1024, so neither half carries into the other.
std::uint32_t evenChannelsMean(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    constexpr std::uint32_t kEvenBytes = 0x00FF00FF;
    constexpr std::uint32_t kRounding = 0x00020002;
    const std::uint32_t sums =
        (a & kEvenBytes) + (b & kEvenBytes) + (c & kEvenBytes) + (d & kEvenBytes) + kRounding;
    return (sums >> 2) & kEvenBytes;
}

}  // namespace

void meanScalar(const std::uint32_t* upper, const std::uint32_t* lower, std::uint32_t* out,
                std::size_t count, std::uint32_t opaqueBits) {
    for (std::size_t x = 0; x < count; ++x) {
        if (x % (prefetch::kLinePixels / 2) == 0) {
            prefetch::ahead(upper + 2 * x, lower + 2 * x);
        }
        const std::uint32_t a = upper[2 * x], b = upper[2 * x + 1];
        const std::uint32_t c = lower[2 * x], d = lower[2 * x + 1];
        out[x] = evenChannelsMean(a, b, c, d) |
                 evenChannelsMean(a >> 8, b >> 8, c >> 8, d >> 8) << 8 | opaqueBits;
    }
}

}  // namespace halfsize
