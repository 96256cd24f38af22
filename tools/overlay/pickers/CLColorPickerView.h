#pragma once

#include <memory>

#include "platform/ui/controls/UISlider.h"
#include "platform/ui/view/UIView.h"
#include "tools/overlay/pickers/CLColorPickerViewDelegate.h"
#include "tools/overlay/pickers/_CLHueCircleView.h"

// A colour chooser in the hue, saturation, brightness and alpha model: a hue ring
// (angle: hue, distance from the centre: brightness) followed by two upright sliders,
// saturation and opacity, whose tracks show the colours they lead to. For a height H
// the ring fills H × H at the origin, the sliders (0.9 H long) stand at x = H + 20 and
// H + 60, and the picker is H + 90 wide. Every change reaches the delegate.
class CLColorPickerView : public UIView, public _CLHueCircleViewDelegate {
public:
    static constexpr double kDefaultHeight = 180;
    // Height of a slider before it is stood upright; its track band inside.
    static constexpr double kSliderThickness = 34;
    static constexpr double kTrackInset = 5;
    static constexpr double kTrackHeight = 10;
    // Side of the opacity track's checkerboard squares.
    static constexpr double kCheckerSide = 5;

    // (0, 0, 0, kDefaultHeight), widened to fit.
    static std::shared_ptr<CLColorPickerView> create();
    // Lays the picker out for the frame's height (customeInit).
    static std::shared_ptr<CLColorPickerView> create(const CGRect& frame);

    std::shared_ptr<CLColorPickerViewDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(std::weak_ptr<CLColorPickerViewDelegate> delegate) {
        delegate_ = std::move(delegate);
    }

    const UIColor& color() const { return hueCircle_->color(); }
    // Neither setter calls the delegate itself; the ring's change that follows does.
    void setColor(const UIColor& color);
    void setColorWithHueSaturationBrightnessAlpha(double hue, double saturation, double brightness,
                                                  double alpha);
    double hueComponent() const { return hueCircle_->hue(); }
    double saturationComponent() const { return saturationSlider_->value(); }
    double brightnessComponent() const { return hueCircle_->brightness(); }
    double alphaComponent() const { return alphaSlider_->value(); }

    const _CLHueCircleViewPtr& hueCircle() const { return hueCircle_; }
    const UISliderPtr& saturationSlider() const { return saturationSlider_; }
    const UISliderPtr& alphaSlider() const { return alphaSlider_; }

    void saturationSliderDidChange(UISlider& slider);
    void alphaSliderDidChange(UISlider& slider);
    void hueCircleViewDidChange(_CLHueCircleView& hueCircle) override;

    struct Token {};
    CLColorPickerView(Token, const CGRect& frame);

private:
    void customeInit();
    static UISliderPtr defaultSliderWithWidth(double width);
    UISliderPtr addSlider(double width, CGPoint center,
                          void (CLColorPickerView::*action)(UISlider&));
    void setSliderValues(double saturation, double brightness, double alpha);
    void refreshSliderTracks();
    // The tracks' pictures: white to the ring's hue at full saturation, and clear to
    // the chosen colour over a checkerboard.
    UIImagePtr saturationSliderBackground() const;
    UIImagePtr alphaSliderBackground() const;

    _CLHueCircleViewPtr hueCircle_;
    UISliderPtr saturationSlider_;
    UISliderPtr alphaSlider_;
    std::weak_ptr<CLColorPickerViewDelegate> delegate_;
};

using CLColorPickerViewPtr = std::shared_ptr<CLColorPickerView>;
