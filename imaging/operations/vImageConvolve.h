#pragma once

#include <cstddef>
#include <cstdint>

// The vector image library's 8-bit, four-channel convolution, as the blur uses it.
//
// Every channel (alpha too) of every pixel becomes
//     clamp(floor((Σ kernel[i] · pixel[i] + floor(divisor / 2)) / divisor), 0, 255),
// the sum running over the kernel's taps laid over the pixel's neighbours. Pixels
// beyond the edges repeat the nearest edge pixel. The result does not depend on how
// the rows are split over the worker pool: it is the same, bit for bit, as one plain
// loop over every pixel.
//
// Supported subset: one-dimensional kernels (a column, kernelWidth 1, or a row,
// kernelHeight 1) of odd length, source and destination of the same size, in
// different memory. Anything else is reported as an error and nothing is written.

struct vImage_Buffer {
    void* data = nullptr;
    std::size_t height = 0;
    std::size_t width = 0;
    std::size_t rowBytes = 0;
};

using vImage_Error = long;

enum : vImage_Error {
    kvImageNoError = 0,
    kvImageInvalidKernelSize = -21767,
    kvImageMemoryAllocationError = -21771,
    kvImageNullPointerArgument = -21772,
    kvImageInvalidParameter = -21773,
    kvImageBufferSizeMismatch = -21774,
};

vImage_Error vImageConvolve_ARGB8888(const vImage_Buffer& src, const vImage_Buffer& dest,
                                     const std::int16_t* kernel, std::uint32_t kernelHeight,
                                     std::uint32_t kernelWidth, std::int32_t divisor);
