#pragma once

#include "tools/color/effects/CLSliderEffect.h"

// Reduces each colour channel to a number of levels: 10 at the slider's left end, 2
// at its right end, 4 at the start. Renders when the finger lifts.
class CLPosterizeEffect : public CLSliderEffect {
public:
    static constexpr const char* kClassName = "CLPosterizeEffect";

    static std::string defaultTitle();
    static bool isAvailable();

    CLPosterizeEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                      CLImageToolInfoPtr toolInfo);

    Render effectRender() const override;

    const UISliderPtr& levelSlider() const { return levelSlider_; }

private:
    UISliderPtr levelSlider_;
};
