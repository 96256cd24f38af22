#include "platform/graphics/MaskCoverage.h"

#include <cstring>

namespace {
// Rec. 601 luma in 8-bit fixed point: the weights add up to 256.
std::uint8_t luma(std::uint32_t pixel) {
    const std::uint32_t r = (pixel >> 16) & 0xFF;
    const std::uint32_t g = (pixel >> 8) & 0xFF;
    const std::uint32_t b = pixel & 0xFF;
    return static_cast<std::uint8_t>((77 * r + 150 * g + 29 * b) >> 8);
}
}  // namespace

QImage maskCoverage(const CGImage& mask) {
    QImage coverage(mask.width(), mask.height(), QImage::Format_Grayscale8);
    if (coverage.isNull()) {
        return coverage;
    }
    for (int y = 0; y < mask.height(); ++y) {
        std::uint8_t* out = coverage.scanLine(y);
        const std::uint8_t* in = mask.row(y);
        if (mask.format() == CGPixelFormat::Grey8) {
            for (int x = 0; x < mask.width(); ++x) {
                out[x] = static_cast<std::uint8_t>(255 - in[x]);
            }
            continue;
        }
        for (int x = 0; x < mask.width(); ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, in + 4 * x, 4);
            // Premultiplied colour is the colour laid over black.
            out[x] = static_cast<std::uint8_t>(255 - luma(pixel));
        }
    }
    return coverage;
}
