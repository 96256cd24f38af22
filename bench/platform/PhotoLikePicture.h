#pragma once

#include <algorithm>
#include <random>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

// A picture with the texture of a photo, so codecs work as hard as on real ones: a
// sky-to-ground gradient, soft translucent shapes and sensor-like noise.
inline UIImagePtr makePhotoLikePicture(int width, int height) {
    const CGContextRef context = CGContext::createBitmap(width, height, CGPixelFormat::RGB32);
    const CGGradientRef sky = CGGradient::createWithColorComponents(
        {0.15, 0.25, 0.55, 1, 0.55, 0.7, 0.9, 1, 0.35, 0.45, 0.2, 1}, {0, 0.6, 1});
    context->drawLinearGradient(sky, {0, static_cast<double>(height)}, {0, 0}, 0);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 60; ++i) {
        context->setFillColor(UIColor::colorWithHue(unit(random), 0.6, 0.8, 0.35));
        const double size = (0.05 + 0.25 * unit(random)) * width;
        context->fillEllipseInRect(CGRect(unit(random) * width - size / 2,
                                          unit(random) * height - size / 2, size, size * 0.7));
    }
    const CGImageRef drawn = context->makeImage();
    std::shared_ptr<CGImage> noisy = drawn->copy();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = noisy->mutableRow(y);
        for (int x = 0; x < 4 * width; ++x) {
            if (x % 4 != 3) {
                const int value = row[x] + static_cast<int>(random() % 13) - 6;
                row[x] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
            }
        }
    }
    return UIImage::imageWithCGImage(noisy);
}
