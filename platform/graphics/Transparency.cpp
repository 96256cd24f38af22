#include "platform/graphics/Transparency.h"

#include <cstring>

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIGraphics.h"
#include "platform/graphics/UIScreen.h"

namespace {

constexpr double kLightSquareWhite = 1.0;
constexpr double kDarkSquareWhite = 0.85;

// Alpha is the top byte of each 32-bit pixel: a row is opaque when the AND of its pixels
// keeps 0xFF there. Two pixels a 64-bit word and four words a step, so that the scan of a
// large picture keeps pace with memory on the main thread.
bool isOpaqueRow(const std::uint8_t* row, std::size_t width) {
    constexpr std::uint64_t kAlphas = 0xFF000000FF000000u;
    constexpr std::size_t kWords = 4;
    std::uint64_t all[kWords] = {~0ull, ~0ull, ~0ull, ~0ull};
    const std::size_t pairs = width / 2;
    std::size_t pair = 0;
    for (; pair + kWords <= pairs; pair += kWords) {
        for (std::size_t k = 0; k < kWords; ++k) {
            std::uint64_t word;
            std::memcpy(&word, row + 8 * (pair + k), 8);
            all[k] &= word;
        }
    }
    for (; pair < pairs; ++pair) {
        std::uint64_t word;
        std::memcpy(&word, row + 8 * pair, 8);
        all[0] &= word;
    }
    std::uint64_t alphas = all[0] & all[1] & all[2] & all[3];
    if (width % 2 != 0) {
        std::uint32_t last;
        std::memcpy(&last, row + 4 * (width - 1), 4);
        alphas &= 0xFFFFFFFF00000000u | last;
    }
    return (alphas & kAlphas) == kAlphas;
}

}  // namespace

bool Transparency::hasTransparentPixels(const CGImage& bitmap) {
    if (!bitmap.hasAlpha()) {
        return false;
    }
    for (int y = 0; y < bitmap.height(); ++y) {
        if (!isOpaqueRow(bitmap.row(y), static_cast<std::size_t>(bitmap.width()))) {
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
