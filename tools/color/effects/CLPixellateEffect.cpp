#include "tools/color/effects/CLPixellateEffect.h"

#include <algorithm>
#include <cstdint>

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/engine/CIVector.h"
#include "imaging/operations/UIDeviceSystemVersion.h"
#include "imaging/operations/UIImageUtility.h"

namespace {

bool isOpaqueAt(const CGImage& bitmap, int x, int y) {
    return reinterpret_cast<const std::uint32_t*>(bitmap.row(y))[x] >> 24 != 0;
}

bool rowHasOpaquePixel(const CGImage& bitmap, int y) {
    for (int x = 0; x < bitmap.width(); ++x) {
        if (isOpaqueAt(bitmap, x, y)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string CLPixellateEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLPixellateEffect_DefaultTitle",
                                                          "Pixelate");
}

bool CLPixellateEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 6.0;
}

CGRect CLPixellateEffect::clippingRectForTransparentSpace(const CGImage& bitmap) {
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (!bitmap.hasAlpha()) {
        return {0, 0, static_cast<double>(width), static_cast<double>(height)};
    }
    int top = 0;
    while (top < height && !rowHasOpaquePixel(bitmap, top)) {
        ++top;
    }
    if (top == height) {
        return {0, 0, 0, 0};
    }
    int bottom = height - 1;
    while (!rowHasOpaquePixel(bitmap, bottom)) {
        --bottom;
    }
    // Each row only needs looking at outside the columns already known to hold one.
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < left; ++x) {
            if (isOpaqueAt(bitmap, x, y)) {
                left = x;
                break;
            }
        }
        for (int x = width - 1; x > right; --x) {
            if (isOpaqueAt(bitmap, x, y)) {
                right = x;
                break;
            }
        }
    }
    return {static_cast<double>(left), static_cast<double>(top),
            static_cast<double>(right - left + 1), static_cast<double>(bottom - top + 1)};
}

CLPixellateEffect::CLPixellateEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                                     CLImageToolInfoPtr toolInfo)
    : CLSliderEffect(superview, imageViewFrame, std::move(toolInfo)) {
    radiusSlider_ = sliderWithValueMinimumValueMaximumValue(0.5, 0, 1, false);
    placeAtBottom(*radiusSlider_);
}

CLEffectBase::Render CLPixellateEffect::effectRender() const {
    return [radius = static_cast<float>(radiusSlider_->value())](const UIImagePtr& image) {
        return pixellated(image, radius);
    };
}

UIImagePtr CLPixellateEffect::pixellated(const UIImagePtr& image, float radius) {
    if (!image) {
        return nullptr;
    }
    const CGSize pixels = pixelSize(*image);
    const CGImageRef bitmap =
        filteredBitmap(image, "CIPixellate",
                       {{"inputScale", radius * std::min(pixels.width, pixels.height) * 0.1},
                        {"inputCenter", CIVector::withX(pixels.width / 2, pixels.height / 2)}});
    if (!bitmap) {
        return nullptr;
    }
    const CGRect opaque = clippingRectForTransparentSpace(*bitmap);
    const UIImagePtr result = UIImage::imageWithCGImage(bitmap);
    const bool whole =
        opaque.size.width == bitmap->width() && opaque.size.height == bitmap->height();
    // A picture with nothing opaque keeps its size rather than becoming no picture.
    return whole || opaque.isEmpty() ? result : UIImageUtility::crop(result, opaque);
}
