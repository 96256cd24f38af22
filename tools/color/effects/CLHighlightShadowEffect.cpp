#include "tools/color/effects/CLHighlightShadowEffect.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"

std::string CLHighlightShadowEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLHighlightSadowEffect_DefaultTitle",
                                                          "Highlight");
}

bool CLHighlightShadowEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 5.0;
}

CLHighlightShadowEffect::CLHighlightShadowEffect(const UIViewPtr& superview,
                                                 const CGRect& imageViewFrame,
                                                 CLImageToolInfoPtr toolInfo)
    : CLSliderEffect(superview, imageViewFrame, std::move(toolInfo)) {
    shadowSlider_ = sliderWithValueMinimumValueMaximumValue(0, -1, 1, true);
    placeAtBottom(*shadowSlider_);
}

CLEffectBase::Render CLHighlightShadowEffect::effectRender() const {
    return [amount = static_cast<float>(shadowSlider_->value())](const UIImagePtr& image) {
        return filteredImage(image, "CIHighlightShadowAdjust", {{"inputShadowAmount", amount}});
    };
}
