#pragma once

#include "tools/color/effects/CLSliderEffect.h"

// Square blocks of the average colour on a grid through the picture's centre; the
// slider sets the block size, up to a tenth of the shorter side. Renders when the
// finger lifts. Transparent borders of the result are cut away.
class CLPixellateEffect : public CLSliderEffect {
public:
    static constexpr const char* kClassName = "CLPixellateEffect";

    static std::string defaultTitle();
    static bool isAvailable();
    // The smallest rectangle (pixels, from the top-left) that holds every pixel of
    // bitmap with a non-zero alpha, its last column and row included; (0, 0, 0, 0)
    // when there is none.
    static CGRect clippingRectForTransparentSpace(const CGImage& bitmap);

    CLPixellateEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                      CLImageToolInfoPtr toolInfo);

    Render effectRender() const override;

    const UISliderPtr& radiusSlider() const { return radiusSlider_; }

private:
    static UIImagePtr pixellated(const UIImagePtr& image, float radius);

    UISliderPtr radiusSlider_;
};
