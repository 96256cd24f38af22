#pragma once

#include <string>

#include "tools/color/effects/CLSliderEffect.h"

// Bloom and gloom: a blur of the picture blended with it, with a radius slider at the
// bottom (up to a twentieth of the shorter side) and an upright intensity slider at
// the right edge. Both render when the finger lifts. The blur grows the filter's
// output; the result keeps the picture's own area, so it has the picture's size.
class CLGlowEffect : public CLSliderEffect {
public:
    // How far the intensity slider's centre sits left of the container's right edge,
    // and above the top of the radius slider's backing view.
    static constexpr double kIntensityRightInset = 20;
    static constexpr double kIntensityAboveRadius = 150;

    CLGlowEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                 CLImageToolInfoPtr toolInfo, std::string filterName);

    Render effectRender() const override;

    const UISliderPtr& radiusSlider() const { return radiusSlider_; }
    const UISliderPtr& intensitySlider() const { return intensitySlider_; }

private:
    std::string filterName_;
    UISliderPtr radiusSlider_;
    UISliderPtr intensitySlider_;
};
