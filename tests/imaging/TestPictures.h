#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <random>

#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"
#include "tests/imaging/kernels/RandomPixels.h"

// Small pictures with known pixels for the imaging tests.
namespace testpictures {

inline std::uint32_t pixelAt(const CGImage& image, int x, int y) {
    std::uint32_t pixel;
    std::memcpy(&pixel, image.row(y) + 4 * x, 4);
    return pixel;
}

inline std::uint32_t pixelAt(const UIImagePtr& image, int x, int y) {
    return pixelAt(*image->CGImage(), x, y);
}

inline std::shared_ptr<CGImage> makeBitmap(
    int width, int height, const std::function<std::uint32_t(int, int)>& pixel,
    CGPixelFormat format = CGPixelFormat::ARGB32Premultiplied) {
    auto bitmap = CGImage::create(width, height, format);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = pixel(x, y);
            std::memcpy(bitmap->mutableRow(y) + 4 * x, &value, 4);
        }
    }
    return bitmap;
}

inline UIImagePtr makePicture(int width, int height,
                              const std::function<std::uint32_t(int, int)>& pixel,
                              double scale = 1.0,
                              UIImageOrientation orientation = UIImageOrientation::Up) {
    return UIImage::imageWithCGImage(makeBitmap(width, height, pixel), scale, orientation);
}

// Opaque, smoothly varying colours with some texture: what a photo offers a filter.
inline UIImagePtr makePhoto(int width, int height) {
    return makePicture(width, height, [=](int x, int y) {
        const auto r = static_cast<std::uint32_t>(255 * x / std::max(1, width - 1));
        const auto g = static_cast<std::uint32_t>(255 * y / std::max(1, height - 1));
        const auto b = static_cast<std::uint32_t>(((x * 7) ^ (y * 13)) & 0xFF);
        return 0xFF000000u | r << 16 | g << 8 | b;
    });
}

inline bool samePixels(const CGImage& a, const CGImage& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.row(y), b.row(y),
                        static_cast<std::size_t>(a.width()) * a.bytesPerPixel()) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace testpictures
