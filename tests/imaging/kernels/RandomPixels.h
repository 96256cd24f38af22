#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "imaging/kernels/ColorMatrix.h"

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

// Random pixels, a third of them any premultiplied pixel and the rest opaque, as photos
// mostly are.
inline std::vector<std::uint32_t> randomRow(std::mt19937& random, std::size_t count) {
    std::vector<std::uint32_t> row(count);
    for (auto& p : row) {
        p = random() % 3 == 0 ? randomPremultiplied(random) : (random() | 0xFF000000u);
    }
    return row;
}

// Every entry between -reach and reach.
inline ColorMatrix randomMatrix(std::mt19937& random, float reach) {
    std::uniform_real_distribution<float> value(-reach, reach);
    ColorMatrix m;
    for (float& v : m.m) {
        v = value(random);
    }
    return m;
}

}  // namespace testpictures
