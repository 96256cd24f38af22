#include "platform/graphics/Transparency.h"

#include <cstring>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIScreen.h"

namespace {

constexpr double kLightSquareWhite = 1.0;
constexpr double kDarkSquareWhite = 0.85;

}  // namespace

bool Transparency::hasTransparentPixels(const CGImage& bitmap) {
    if (!bitmap.hasAlpha()) {
        return false;
    }
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = bitmap.row(y);
        // Alpha is the top byte of each 32-bit pixel: an opaque row ANDs to 0xFF.
        std::uint8_t alphas = 0xFF;
        for (int x = 0; x < bitmap.width(); ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, row + 4 * x, 4);
            alphas &= static_cast<std::uint8_t>(pixel >> 24);
        }
        if (alphas != 0xFF) {
            return true;
        }
    }
    return false;
}

UIColor Transparency::checkerboard() {
    UIGraphicsBeginImageContextWithOptions({2 * kSquare, 2 * kSquare}, true, UIScreen::scale());
    CGContext& context = *UIGraphicsGetCurrentContext();
    context.setFillColor(UIColor::colorWithWhite(kLightSquareWhite));
    context.fillRect({0, 0, 2 * kSquare, 2 * kSquare});
    context.setFillColor(UIColor::colorWithWhite(kDarkSquareWhite));
    context.fillRect({kSquare, 0, kSquare, kSquare});
    context.fillRect({0, kSquare, kSquare, kSquare});
    const UIImagePtr tile = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return UIColor::colorWithPatternImage(tile);
}
