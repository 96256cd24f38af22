#pragma once

#include "tools/color/effects/CLSliderEffect.h"

// Lifts (right) or deepens (left) the shadows by the slider's amount, from −1 to 1,
// while it is dragged.
class CLHighlightShadowEffect : public CLSliderEffect {
public:
    static constexpr const char* kClassName = "CLHighlightShadowEffect";

    static std::string defaultTitle();
    static bool isAvailable();

    CLHighlightShadowEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                            CLImageToolInfoPtr toolInfo);

    Render effectRender() const override;

    const UISliderPtr& shadowSlider() const { return shadowSlider_; }

private:
    UISliderPtr shadowSlider_;
};
