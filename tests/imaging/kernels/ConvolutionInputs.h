#pragma once

#include <cstdint>
#include <random>
#include <vector>

// Rows and kernels for the convolution tests.
namespace convolutioninputs {

inline std::vector<std::uint8_t> randomBytes(std::size_t count, std::mt19937& random) {
    std::vector<std::uint8_t> bytes(count);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

// A symmetric kernel of length taps, each weight from lowest to 255.
inline std::vector<std::int16_t> symmetricKernel(int length, std::mt19937& random, int lowest) {
    std::vector<std::int16_t> kernel(length);
    for (int i = 0; i <= length / 2; ++i) {
        kernel[i] = kernel[length - 1 - i] =
            static_cast<std::int16_t>(lowest + static_cast<int>(random() % (256 - lowest)));
    }
    return kernel;
}

}  // namespace convolutioninputs
