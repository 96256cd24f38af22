#include "tools/color/effects/CLSliderEffect.h"

CLSliderEffect::CLSliderEffect(const UIViewPtr& superview, const CGRect& imageViewFrame,
                               CLImageToolInfoPtr toolInfo)
    : CLEffectBase(superview, imageViewFrame, std::move(toolInfo)) {
    addContainerView(*superview, superview->bounds());
}

void CLSliderEffect::sliderDidChange(UIControl&) {
    notifyDelegate();
}

UISliderPtr CLSliderEffect::sliderWithValueMinimumValueMaximumValue(double value,
                                                                    double minimumValue,
                                                                    double maximumValue,
                                                                    bool continuous) {
    auto slider = std::make_shared<UISlider>(CGRect{10, 0, 260, 30});
    const double height = slider->frame().height();
    auto backing = std::make_shared<UIView>(CGRect{0, 0, kBackingWidth, height});
    backing->setBackgroundColor(UIColor::blackColor().colorWithAlphaComponent(0.3));
    backing->layer().setCornerRadius(height / 2);
    slider->setContinuous(continuous);
    slider->addTarget(action(&CLSliderEffect::sliderDidChange), UIControlEventValueChanged);
    slider->setMaximumValue(static_cast<float>(maximumValue));
    slider->setMinimumValue(static_cast<float>(minimumValue));
    slider->setValue(static_cast<float>(value));
    backing->addSubview(slider);
    containerView()->addSubview(backing);
    return slider;
}

void CLSliderEffect::placeAtBottom(const UISlider& slider) const {
    const CGRect& area = containerView()->bounds();
    slider.superview()->setCenter({area.width() * 0.5, area.height() - kBottomInset});
}
