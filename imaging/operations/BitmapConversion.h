#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/graphics/CGImage.h"

// Pixel format changes between the platform's bitmap formats.
class BitmapConversion {
public:
    // A premultiplied four-channel copy; grey becomes opaque grey, and the unused byte of
    // RGB32 is read as opaque. Null when memory is short.
    static std::shared_ptr<CGImage> toPremultipliedARGB(const CGImage& source);

    // A four-byte opaque copy (RGB32): premultiplied colour as drawn over black.
    static std::shared_ptr<CGImage> toOpaqueRGB(const CGImage& source);

    // One grey byte per pixel from the colour as drawn over black (so a transparent pixel
    // is black), with the usual luma weights 0.299, 0.587, 0.114.
    static std::shared_ptr<CGImage> toGrey(const CGImage& source);

    // A new bitmap of the source's size in format, each row written by writeRow(y, row),
    // rows split over the worker pool; null when memory is short.
    static std::shared_ptr<CGImage> mapRows(
        const CGImage& source, CGPixelFormat format,
        const std::function<void(int y, std::uint8_t* row)>& writeRow);

    // Grey level of one 0xAARRGGBB pixel, as toGrey computes it.
    static std::uint8_t luma(std::uint32_t pixel) {
        const std::uint32_t r = (pixel >> 16) & 0xFF;
        const std::uint32_t g = (pixel >> 8) & 0xFF;
        const std::uint32_t b = pixel & 0xFF;
        return static_cast<std::uint8_t>((r * 19595 + g * 38470 + b * 7471 + 32768) >> 16);
    }
};
