#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>

#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIImage.h"

namespace viewtest {

struct Rgba {
    int red;
    int green;
    int blue;
    int alpha;
};

// A pixel of a premultiplied 32-bit picture, at pixel (x, y) from the top-left.
inline Rgba pixelAt(const UIImage& image, int x, int y) {
    std::uint32_t value;
    std::memcpy(&value, image.CGImage()->row(y) + 4 * x, 4);
    return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
            static_cast<int>(value & 0xFF), static_cast<int>(value >> 24)};
}

inline bool near(const Rgba& actual, const Rgba& expected, int tolerance = 3) {
    auto close = [tolerance](int a, int b) { return a - b <= tolerance && b - a <= tolerance; };
    return close(actual.red, expected.red) && close(actual.green, expected.green) &&
           close(actual.blue, expected.blue) && close(actual.alpha, expected.alpha);
}

struct PixelCheck {
    int x;
    int y;
    Rgba expected;
};

// Checks each listed pixel, naming the one that differs.
inline void expectPixels(const UIImage& image, std::span<const PixelCheck> checks,
                         int tolerance = 3) {
    for (const PixelCheck& check : checks) {
        EXPECT_TRUE(near(pixelAt(image, check.x, check.y), check.expected, tolerance))
            << "pixel " << check.x << "," << check.y;
    }
}
inline void expectPixels(const UIImage& image, std::initializer_list<PixelCheck> checks,
                         int tolerance = 3) {
    expectPixels(image, std::span<const PixelCheck>(checks.begin(), checks.size()), tolerance);
}

inline const Rgba kWhite{255, 255, 255, 255};
inline const Rgba kRed{255, 0, 0, 255};
inline const Rgba kGreen{0, 255, 0, 255};
inline const Rgba kBlue{0, 0, 255, 255};
inline const Rgba kBlack{0, 0, 0, 255};
inline const Rgba kClear{0, 0, 0, 0};

// A picture of four quadrants, width × height pixels at scale 1: red top-left, green
// top-right, blue bottom-left, white bottom-right.
inline UIImagePtr quadrantPicture(int width, int height) {
    auto bitmap = CGImage::create(width, height, CGPixelFormat::ARGB32Premultiplied);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            const std::uint32_t value =
                bottom ? (right ? 0xFFFFFFFFu : 0xFF0000FFu) : (right ? 0xFF00FF00u : 0xFFFF0000u);
            std::memcpy(bitmap->mutableRow(y) + 4 * x, &value, 4);
        }
    }
    return UIImage::imageWithCGImage(std::move(bitmap));
}

}  // namespace viewtest
