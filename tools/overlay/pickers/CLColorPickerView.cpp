#include "tools/overlay/pickers/CLColorPickerView.h"

#include <functional>
#include <numbers>

#include "platform/graphics/UIGraphics.h"

namespace {

constexpr double kSliderLengthPerHeight = 0.9;
// Centre of the saturation slider from the ring's right edge, of the opacity slider
// from the saturation slider, and of the picker's right edge from the opacity slider.
constexpr double kSaturationSliderOffset = 20;
constexpr double kSliderSpacing = 40;
constexpr double kTrailingMargin = 30;
constexpr double kCheckerWhite = 0.9;

// Red, green and blue of a colour at full opacity (a grey w gives w, w, w).
UIColor opaqueRgbOf(const UIColor& color) {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;
    color.getRed(&red, &green, &blue, &alpha);
    return UIColor::colorWithRed(red, green, blue, 1);
}

// A track picture of size (a slider's unturned bounds) at the screen's scale, painted
// inside the rounded track band.
UIImagePtr trackImage(CGSize size, const std::function<void(CGContext&)>& paint) {
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    const CGContextRef context = UIGraphicsGetCurrentContext();
    UIImagePtr image;
    if (context) {
        const double inset = CLColorPickerView::kTrackInset;
        const double band = CLColorPickerView::kTrackHeight;
        context->addPath(CGPath::withRoundedRect(
            {inset, (size.height - band) / 2, size.width - 2 * inset, band}, band / 2, band / 2));
        context->clip();
        paint(*context);
        image = UIGraphicsGetImageFromCurrentImageContext();
    }
    UIGraphicsEndImageContext();
    return image;
}

// Left to right along the track, ending at width − 10 and holding the end colour
// beyond it.
void drawTrackGradient(CGContext& context, double width, const UIColor& start, const UIColor& end) {
    const double inset = CLColorPickerView::kTrackInset;
    context.drawLinearGradient(CGGradient::createWithColors({start, end}, {0.0, 1.0}), {inset, 0},
                               {width - 2 * inset, 0}, kCGGradientDrawsAfterEndLocation);
}

}  // namespace

std::shared_ptr<CLColorPickerView> CLColorPickerView::create() {
    return create({0, 0, 0, kDefaultHeight});
}

std::shared_ptr<CLColorPickerView> CLColorPickerView::create(const CGRect& frame) {
    auto picker = std::make_shared<CLColorPickerView>(Token{}, frame);
    picker->customeInit();
    return picker;
}

CLColorPickerView::CLColorPickerView(Token, const CGRect& frame) : UIView(frame) {
    setBackgroundColor(UIColor::clearColor());
}

void CLColorPickerView::customeInit() {
    const double height = frame().height();
    hueCircle_ = _CLHueCircleView::create({0, 0, height, height});
    hueCircle_->setDelegate(std::static_pointer_cast<CLColorPickerView>(shared_from_this()));
    addSubview(hueCircle_);

    const double length = kSliderLengthPerHeight * height;
    const CGPoint saturationCenter{height + kSaturationSliderOffset, height / 2};
    saturationSlider_ =
        addSlider(length, saturationCenter, &CLColorPickerView::saturationSliderDidChange);
    const CGPoint alphaCenter{saturationCenter.x + kSliderSpacing, height / 2};
    alphaSlider_ = addSlider(length, alphaCenter, &CLColorPickerView::alphaSliderDidChange);

    CGRect widened = frame();
    widened.size.width = alphaCenter.x + kTrailingMargin;
    setFrame(widened);
    refreshSliderTracks();
}

// Stood upright: value 0 at the bottom, 1 at the top. No track of its own is drawn;
// the background pattern is the track.
UISliderPtr CLColorPickerView::defaultSliderWithWidth(double width) {
    auto slider = std::make_shared<UISlider>(CGRect{0, 0, width, kSliderThickness});
    slider->setValue(1);
    slider->setMinimumTrackTintColor(UIColor::clearColor());
    slider->setMaximumTrackTintColor(UIColor::clearColor());
    slider->setMinimumTrackImage(nullptr, UIControlStateNormal);
    slider->setMaximumTrackImage(nullptr, UIControlStateNormal);
    slider->setThumbTintColor(UIColor::whiteColor());
    slider->setTransform(CGAffineTransform::makeRotation(-std::numbers::pi / 2));
    return slider;
}

UISliderPtr CLColorPickerView::addSlider(double width, CGPoint center,
                                         void (CLColorPickerView::*action)(UISlider&)) {
    auto slider = defaultSliderWithWidth(width);
    slider->setCenter(center);
    const std::weak_ptr<UIView> weak = weak_from_this();
    slider->addTarget(
        [weak, action](UIControl& sender) {
            if (const auto self = std::static_pointer_cast<CLColorPickerView>(weak.lock())) {
                (self.get()->*action)(static_cast<UISlider&>(sender));
            }
        },
        UIControlEventValueChanged);
    addSubview(slider);
    return slider;
}

void CLColorPickerView::setColor(const UIColor& color) {
    if (const auto components = _CLHueCircleView::componentsOfColor(color)) {
        setSliderValues(components->saturation, components->brightness, components->alpha);
    }
    hueCircle_->setColor(color);
}

void CLColorPickerView::setColorWithHueSaturationBrightnessAlpha(double hue, double saturation,
                                                                 double brightness, double alpha) {
    setSliderValues(saturation, brightness, alpha);
    hueCircle_->setColorWithHueSaturationBrightnessAlpha(hue, saturation, brightness, alpha);
}

// Black keeps a full saturation, as the ring does.
void CLColorPickerView::setSliderValues(double saturation, double brightness, double alpha) {
    saturationSlider_->setValue(brightness == 0 ? 1.0 : saturation);
    alphaSlider_->setValue(alpha);
}

void CLColorPickerView::saturationSliderDidChange(UISlider& slider) {
    hueCircle_->setColorSaturation(slider.value());
}

void CLColorPickerView::alphaSliderDidChange(UISlider& slider) {
    hueCircle_->setColorAlpha(slider.value());
}

void CLColorPickerView::hueCircleViewDidChange(_CLHueCircleView& hueCircle) {
    refreshSliderTracks();
    if (const auto listener = delegate_.lock()) {
        listener->colorPickerViewColorDidChange(*this, hueCircle.color());
    }
}

void CLColorPickerView::refreshSliderTracks() {
    if (saturationSlider_ && alphaSlider_) {
        saturationSlider_->setBackgroundColor(
            UIColor::colorWithPatternImage(saturationSliderBackground()));
        alphaSlider_->setBackgroundColor(UIColor::colorWithPatternImage(alphaSliderBackground()));
    }
}

UIImagePtr CLColorPickerView::saturationSliderBackground() const {
    const CGSize size = saturationSlider_->bounds().size;
    const UIColor fullySaturated =
        opaqueRgbOf(UIColor::colorWithHue(hueCircle_->hue(), 1, hueCircle_->brightness(), 1));
    return trackImage(size, [&](CGContext& context) {
        drawTrackGradient(context, size.width, UIColor::colorWithRed(1, 1, 1, 1), fullySaturated);
    });
}

UIImagePtr CLColorPickerView::alphaSliderBackground() const {
    const CGSize size = alphaSlider_->bounds().size;
    const UIColor chosen = opaqueRgbOf(hueCircle_->color());
    return trackImage(size, [&](CGContext& context) {
        // Squares alternate between the band's upper and lower halves.
        context.beginPath();
        for (int k = 0; k < size.width / kCheckerSide; ++k) {
            const double y = size.height / 2 - (k % 2) * kCheckerSide;
            context.addRect({kCheckerSide * k, y, kCheckerSide, kCheckerSide});
        }
        context.setFillColor(UIColor::colorWithWhite(kCheckerWhite, 1));
        context.fillPath();
        drawTrackGradient(context, size.width, chosen.colorWithAlphaComponent(0), chosen);
    });
}
