#pragma once

#include <memory>

#include "platform/ui/controls/UISlider.h"

// A slider as tools lay it over the picture: continuous, at (10, 0) on a backing 20
// points wider and as tall, black at alpha 0.3 with corners rounded by half its height.
// The backing is the slider's superview; place, turn and remove that.
class CLBackedSlider {
public:
    static constexpr double kInset = 10;

    // Sets the maximum, then the minimum, then the value; changes call action.
    static std::shared_ptr<UISlider> make(CGSize sliderSize, double value, double minimum,
                                          double maximum, UIControl::Action action, UIView& parent);
};
