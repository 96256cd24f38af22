#pragma once

#include <cstdint>
#include <random>

// Pixels for the kernel tests, which run without the platform.
namespace testpictures {

inline int channel(std::uint32_t pixel, int index) {
    return (pixel >> (8 * index)) & 0xFF;
}

// Any premultiplied pixel: each colour at most its alpha.
inline std::uint32_t randomPremultiplied(std::mt19937& random) {
    const std::uint32_t a = random() & 0xFF;
    std::uint32_t pixel = a << 24;
    for (int c = 0; c < 3; ++c) {
        pixel |= (a == 0 ? 0 : random() % (a + 1)) << (8 * c);
    }
    return pixel;
}

}  // namespace testpictures
