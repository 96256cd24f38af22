#include "tools/color/effects/CLGlowEffect.h"

#include <algorithm>
#include <numbers>

#include "imaging/operations/UIViewFrame.h"

CLGlowEffect::CLGlowEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                           CLImageToolInfoPtr toolInfo, std::string filterName)
    : CLSliderEffect(superview, imageViewFrame, std::move(toolInfo)),
      filterName_(std::move(filterName)) {
    radiusSlider_ = sliderWithValueMinimumValueMaximumValue(0.5, 0, 1, false);
    intensitySlider_ = sliderWithValueMinimumValueMaximumValue(1, 0, 1, false);
    placeAtBottom(*radiusSlider_);
    const UIViewPtr intensityBacking = intensitySlider_->superview();
    intensityBacking->setCenter(
        {containerView()->bounds().width() - kIntensityRightInset,
         UIViewFrame::top(*radiusSlider_->superview()) - kIntensityAboveRadius});
    intensityBacking->setTransform(CGAffineTransform::makeRotation(-std::numbers::pi / 2));
}

CLEffectBase::Render CLGlowEffect::effectRender() const {
    return [filterName = filterName_, radius = static_cast<float>(radiusSlider_->value()),
            intensity = static_cast<float>(intensitySlider_->value())](const UIImagePtr& image) {
        if (!image) {
            return UIImagePtr();
        }
        const CGSize pixels = pixelSize(*image);
        return filteredImage(
            image, filterName,
            {{"inputRadius", radius * std::min(pixels.width, pixels.height) * 0.05},
             {"inputIntensity", intensity}},
            Area::Input);
    };
}
