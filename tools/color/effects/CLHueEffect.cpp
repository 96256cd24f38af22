#include "tools/color/effects/CLHueEffect.h"

#include <numbers>

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"

std::string CLHueEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLHueEffect_DefaultTitle", "Hue");
}

bool CLHueEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

CLHueEffect::CLHueEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                         CLImageToolInfoPtr toolInfo)
    : CLSliderEffect(superview, imageViewFrame, std::move(toolInfo)) {
    containerView()->setClipsToBounds(true);
    hueSlider_ =
        sliderWithValueMinimumValueMaximumValue(0, -std::numbers::pi, std::numbers::pi, true);
    placeAtBottom(*hueSlider_);
}

CLEffectBase::Render CLHueEffect::effectRender() const {
    return [angle = static_cast<float>(hueSlider_->value())](const UIImagePtr& image) {
        return filteredImage(image, "CIHueAdjust", {{"inputAngle", angle}});
    };
}
