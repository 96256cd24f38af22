#include "tools/color/effects/CLPosterizeEffect.h"

#include "core/ZOZuzazOzarozTheme.h"
#include "imaging/operations/UIDeviceSystemVersion.h"

std::string CLPosterizeEffect::defaultTitle() {
    return ZOZuzazOzarozTheme::localizedStringWithDefault("CLPosterizeEffect_DefaultTitle",
                                                          "Posterize");
}

bool CLPosterizeEffect::isAvailable() {
    return UIDeviceSystemVersion::iosVersion() >= 6.0;
}

CLPosterizeEffect::CLPosterizeEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                                     CLImageToolInfoPtr toolInfo)
    : CLSliderEffect(superview, imageViewFrame, std::move(toolInfo)) {
    // Negative, so that moving right lowers the number of levels.
    levelSlider_ = sliderWithValueMinimumValueMaximumValue(-4, -10, -2, false);
    placeAtBottom(*levelSlider_);
}

CLEffectBase::Render CLPosterizeEffect::effectRender() const {
    return [levels = -static_cast<float>(levelSlider_->value())](const UIImagePtr& image) {
        return filteredImage(image, "CIColorPosterize", {{"inputLevels", levels}});
    };
}
