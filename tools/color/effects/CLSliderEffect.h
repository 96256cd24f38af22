#pragma once

#include "platform/ui/controls/UISlider.h"
#include "platform/ui/view/UIControl.h"
#include "tools/color/effects/CLEffectBase.h"

// The part every effect with sliders shares: the controls cover the whole superview,
// and each slider sits on a rounded dark backing view and tells the delegate when it
// changed (while dragged when continuous, else when the finger lifts).
class CLSliderEffect : public CLEffectBase {
public:
    static constexpr double kBackingWidth = 280;
    // How far the centre of the bottom slider sits above the container's bottom edge.
    static constexpr double kBottomInset = 30;

    CLSliderEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                   CLImageToolInfoPtr toolInfo);

    void sliderDidChange(UIControl& sender);

protected:
    // A slider of frame (10, 0, 260, 30) on its backing view, in the container. The
    // maximum is set first, then the minimum, then the value.
    UISliderPtr sliderWithValueMinimumValueMaximumValue(double value, double minimumValue,
                                                        double maximumValue, bool continuous);
    // Centres the slider's backing view near the container's bottom edge.
    void placeAtBottom(const UISlider& slider) const;
};
