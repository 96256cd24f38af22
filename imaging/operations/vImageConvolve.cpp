#include "imaging/operations/vImageConvolve.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "imaging/kernels/ConvolutionSpan.h"
#include "imaging/operations/RowBands.h"

namespace {

constexpr std::size_t kBytesPerPixel = 4;
// Rows handed to one worker at a time: enough work to pay for the hand-over, small
// enough that two workers finish together.
constexpr std::size_t kRowsPerBand = 16;
// A column pass walks down strips this wide, so the rows under the kernel stay in the
// first-level cache from one output row to the next.
constexpr std::size_t kStripBytes = 1024;
// Every sum must stay far inside 32 bits, in every path.
constexpr std::int64_t kLargestSum = std::int64_t{1} << 30;

struct Pass {
    const std::uint8_t* source;
    std::size_t sourceRowBytes;
    std::uint8_t* destination;
    std::size_t destinationRowBytes;
    std::size_t width;
    std::size_t height;
    ConvolutionTaps taps;
    ConvolveSpan span;
};

void convolveColumns(const Pass& pass) {
    const std::size_t count = pass.taps.weights.size();
    const auto half = static_cast<std::ptrdiff_t>(count / 2);
    const auto lastRow = static_cast<std::ptrdiff_t>(pass.height) - 1;
    const std::size_t rowBytes = pass.width * kBytesPerPixel;
    forEachRowBand(pass.height, kRowsPerBand, [&](std::size_t first, std::size_t end) {
        std::vector<const std::uint8_t*> sources(count);
        for (std::size_t strip = 0; strip < rowBytes; strip += kStripBytes) {
            const std::size_t stripEnd = std::min(rowBytes, strip + kStripBytes);
            for (std::size_t y = first; y < end; ++y) {
                for (std::size_t i = 0; i < count; ++i) {
                    const std::ptrdiff_t row = std::clamp(static_cast<std::ptrdiff_t>(y + i) - half,
                                                          std::ptrdiff_t{0}, lastRow);
                    sources[i] = pass.source + static_cast<std::size_t>(row) * pass.sourceRowBytes;
                }
                pass.span(pass.taps, sources.data(),
                          pass.destination + y * pass.destinationRowBytes, strip, stripEnd);
            }
        }
    });
}

// A row with the edge pixels repeated half a kernel beyond each end.
void padRow(const std::uint8_t* row, std::size_t width, std::size_t half, std::uint8_t* padded) {
    for (std::size_t x = 0; x < half; ++x) {
        std::memcpy(padded + x * kBytesPerPixel, row, kBytesPerPixel);
        std::memcpy(padded + (half + width + x) * kBytesPerPixel,
                    row + (width - 1) * kBytesPerPixel, kBytesPerPixel);
    }
    std::memcpy(padded + half * kBytesPerPixel, row, width * kBytesPerPixel);
}

void convolveRows(const Pass& pass) {
    const std::size_t count = pass.taps.weights.size();
    const std::size_t half = count / 2;
    forEachRowBand(pass.height, kRowsPerBand, [&](std::size_t first, std::size_t end) {
        std::vector<std::uint8_t> padded((pass.width + 2 * half) * kBytesPerPixel);
        std::vector<const std::uint8_t*> sources(count);
        for (std::size_t i = 0; i < count; ++i) {
            sources[i] = padded.data() + i * kBytesPerPixel;
        }
        for (std::size_t y = first; y < end; ++y) {
            padRow(pass.source + y * pass.sourceRowBytes, pass.width, half, padded.data());
            pass.span(pass.taps, sources.data(), pass.destination + y * pass.destinationRowBytes, 0,
                      pass.width * kBytesPerPixel);
        }
    });
}

vImage_Error validate(const vImage_Buffer& src, const vImage_Buffer& dest,
                      const std::int16_t* kernel, std::uint32_t kernelHeight,
                      std::uint32_t kernelWidth, std::int32_t divisor) {
    if (src.data == nullptr || dest.data == nullptr || kernel == nullptr) {
        return kvImageNullPointerArgument;
    }
    const bool column = kernelWidth == 1 && kernelHeight % 2 == 1;
    const bool row = kernelHeight == 1 && kernelWidth % 2 == 1;
    if (!column && !row) {
        return kvImageInvalidKernelSize;
    }
    if (src.width != dest.width || src.height != dest.height) {
        return kvImageBufferSizeMismatch;
    }
    if (divisor <= 0 || src.data == dest.data || src.rowBytes < src.width * kBytesPerPixel ||
        dest.rowBytes < dest.width * kBytesPerPixel) {
        return kvImageInvalidParameter;
    }
    std::int64_t reach = divisor;
    for (std::uint32_t i = 0; i < kernelHeight * kernelWidth; ++i) {
        reach += 255 * std::int64_t{std::abs(kernel[i])};
    }
    return reach < kLargestSum ? kvImageNoError : kvImageInvalidParameter;
}

}  // namespace

vImage_Error vImageConvolve_ARGB8888(const vImage_Buffer& src, const vImage_Buffer& dest,
                                     const std::int16_t* kernel, std::uint32_t kernelHeight,
                                     std::uint32_t kernelWidth, std::int32_t divisor) {
    if (const vImage_Error error =
            validate(src, dest, kernel, kernelHeight, kernelWidth, divisor)) {
        return error;
    }
    if (src.width == 0 || src.height == 0) {
        return kvImageNoError;
    }
    const auto count = static_cast<int>(kernelHeight * kernelWidth);
    Pass pass{static_cast<const std::uint8_t*>(src.data),
              src.rowBytes,
              static_cast<std::uint8_t*>(dest.data),
              dest.rowBytes,
              src.width,
              src.height,
              ConvolutionTaps(kernel, count, divisor),
              nullptr};
    pass.span = selectConvolveSpan(pass.taps);
    if (kernelWidth == 1) {
        convolveColumns(pass);
    } else {
        convolveRows(pass);
    }
    return kvImageNoError;
}
