#include "platform/graphics/CGImageMask.h"

#include <cstring>

#include "platform/graphics/MaskCoverage.h"

CGImageRef CGImageCreateWithMask(const CGImageRef& image, const CGImageRef& mask) {
    if (!image || !mask) {
        return nullptr;
    }
    QImage coverage = maskCoverage(*mask);
    if (coverage.size() != QSize(image->width(), image->height())) {
        coverage = coverage.scaled(image->width(), image->height(), Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
    }
    std::shared_ptr<CGImage> result =
        CGImage::create(image->width(), image->height(), CGPixelFormat::ARGB32Premultiplied,
                        CGImage::Contents::Uninitialized);
    if (!result || coverage.isNull()) {
        return nullptr;
    }
    for (int y = 0; y < image->height(); ++y) {
        const std::uint8_t* keep = coverage.constScanLine(y);
        const std::uint8_t* in = image->row(y);
        std::uint8_t* out = result->mutableRow(y);
        for (int x = 0; x < image->width(); ++x) {
            std::uint32_t pixel;
            if (image->format() == CGPixelFormat::Grey8) {
                pixel = 0xFF000000u | 0x010101u * in[x];
            } else {
                std::memcpy(&pixel, in + 4 * x, 4);
                if (image->format() == CGPixelFormat::RGB32) {
                    pixel |= 0xFF000000u;
                }
            }
            // Scaling all four premultiplied channels by the coverage keeps them premultiplied.
            std::uint32_t masked = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const std::uint32_t channel = (pixel >> shift) & 0xFF;
                masked |= ((channel * keep[x] + 127) / 255) << shift;
            }
            std::memcpy(out + 4 * x, &masked, 4);
        }
    }
    return result;
}
