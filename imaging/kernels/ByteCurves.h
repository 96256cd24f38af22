#pragma once

#include <cstddef>
#include <cstdint>

// Three curves on the byte levels of opaque pixels, a table each, in memory order (blue,
// green, red).
struct ByteCurves {
    // Pixels a step of the vector path.
    static constexpr std::size_t kGroup = 16;

    alignas(64) std::uint8_t levels[3][256];

    std::uint32_t opaquePixel(std::uint32_t pixel) const {
        return 0xFF000000u | std::uint32_t{levels[2][(pixel >> 16) & 0xFF]} << 16 |
               std::uint32_t{levels[1][(pixel >> 8) & 0xFF]} << 8 | levels[0][pixel & 0xFF];
    }
};

#if defined(__x86_64__)
// Every pixel of the whole groups of kGroup in count, as if opaque (with opaqueBits ORed
// in), through the curves, alpha kept; the caller redoes translucent ones. Returns the AND
// of the pixels read. Runs only where AVX-512 VBMI was found at run time.
std::uint32_t applyByteCurvesAvx512(const ByteCurves& curves, const std::uint32_t* in,
                                    std::uint32_t* out, std::size_t count,
                                    std::uint32_t opaqueBits);
#endif
