#include "core/CLBackedSlider.h"

std::shared_ptr<UISlider> CLBackedSlider::make(CGSize sliderSize, double value, double minimum,
                                               double maximum, UIControl::Action action,
                                               UIView& parent) {
    auto slider = std::make_shared<UISlider>(CGRect{{kInset, 0}, sliderSize});
    slider->setContinuous(true);
    slider->addTarget(std::move(action), UIControlEventValueChanged);
    auto backing =
        std::make_shared<UIView>(CGRect{0, 0, sliderSize.width + 2 * kInset, sliderSize.height});
    backing->setBackgroundColor(UIColor::blackColor().colorWithAlphaComponent(0.3));
    backing->layer().setCornerRadius(sliderSize.height / 2);
    slider->setMaximumValue(maximum);
    slider->setMinimumValue(minimum);
    slider->setValue(value);
    backing->addSubview(slider);
    parent.addSubview(backing);
    return slider;
}
