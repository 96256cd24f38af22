#pragma once

#include "tools/color/effects/CLSliderEffect.h"

// Turns every hue by the slider's angle, from −π to π, while it is dragged.
class CLHueEffect : public CLSliderEffect {
public:
    static constexpr const char* kClassName = "CLHueEffect";

    static std::string defaultTitle();
    static bool isAvailable();

    CLHueEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                CLImageToolInfoPtr toolInfo);

    Render effectRender() const override;

    const UISliderPtr& hueSlider() const { return hueSlider_; }

private:
    UISliderPtr hueSlider_;
};
