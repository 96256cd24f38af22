#include "platform/ui/controls/UISlider.h"

#include <algorithm>

namespace {

// The value's key among the layer's own values, which the thumb is drawn from, so an
// animated change moves it on the animation clock.
constexpr const char* kValueKey = "value";
// How far around the thumb a touch still grabs it.
constexpr double kThumbTouchMargin = 12;

}  // namespace

UISlider::UISlider(const CGRect& frame) : UIControl(frame) {
    layer().setValueForKey(kValueKey, value_);
}

void UISlider::storeValue(double value) {
    value_ = std::clamp(value, minimumValue_, maximumValue_);
    layer().setValueForKey(kValueKey, value_);
    setNeedsDisplay();
}

void UISlider::setValue(double value) {
    storeValue(value);
}

void UISlider::setValue(double value, bool animated) {
    if (!animated) {
        storeValue(value);
        return;
    }
    UIView::animate(kAnimationDuration, [&] { storeValue(value); });
}

void UISlider::setMinimumValue(double value) {
    minimumValue_ = value;
    maximumValue_ = std::max(maximumValue_, value);
    storeValue(value_);
}

void UISlider::setMaximumValue(double value) {
    maximumValue_ = value;
    minimumValue_ = std::min(minimumValue_, value);
    storeValue(value_);
}

void UISlider::setMinimumTrackImage(UIImagePtr image, unsigned state) {
    minimumTrackImages_[state] = std::move(image);
    setNeedsDisplay();
}

void UISlider::setMaximumTrackImage(UIImagePtr image, unsigned state) {
    maximumTrackImages_[state] = std::move(image);
    setNeedsDisplay();
}

void UISlider::setThumbImage(UIImagePtr image, unsigned state) {
    thumbImages_[state] = std::move(image);
    setNeedsDisplay();
}

const UIImagePtr* UISlider::imageFor(const ImagesByState& images, unsigned state) {
    auto found = images.find(state);
    if (found == images.end()) {
        found = images.find(UIControlStateNormal);
    }
    return found == images.end() ? nullptr : &found->second;
}

UIImagePtr UISlider::thumbImageForState(unsigned state) const {
    const UIImagePtr* image = imageFor(thumbImages_, state);
    return image ? *image : nullptr;
}

void UISlider::setMinimumTrackTintColor(const UIColor& color) {
    minimumTrackTint_ = color;
    setNeedsDisplay();
}

void UISlider::setMaximumTrackTintColor(const UIColor& color) {
    maximumTrackTint_ = color;
    setNeedsDisplay();
}

void UISlider::setThumbTintColor(const UIColor& color) {
    thumbTint_ = color;
    setNeedsDisplay();
}

// Geometry.

CGSize UISlider::thumbSize() const {
    const UIImagePtr image = thumbImageForState(state());
    if (image && image->size().width > 0 && image->size().height > 0) {
        return image->size();
    }
    return {kThumbDiameter, kThumbDiameter};
}

CGRect UISlider::thumbRectForValue(double value) const {
    const CGSize thumb = thumbSize();
    const double range = maximumValue_ - minimumValue_;
    const double fraction =
        range > 0 ? (std::clamp(value, minimumValue_, maximumValue_) - minimumValue_) / range : 0;
    const double travel = std::max(0.0, bounds().width() - thumb.width);
    const double centerX = bounds().minX() + thumb.width / 2 + fraction * travel;
    return {centerX - thumb.width / 2, bounds().midY() - thumb.height / 2, thumb.width,
            thumb.height};
}

double UISlider::valueForThumbCenter(double x) const {
    const double halfThumb = thumbSize().width / 2;
    const double travel = bounds().width() - 2 * halfThumb;
    if (travel <= 0) {
        return value_;
    }
    const double fraction = std::clamp((x - bounds().minX() - halfThumb) / travel, 0.0, 1.0);
    return minimumValue_ + fraction * (maximumValue_ - minimumValue_);
}

CGSize UISlider::sizeThatFits(CGSize size) const {
    return {std::max(size.width, thumbSize().width), std::max(thumbSize().height, 34.0)};
}

// Tracking, in the slider's own coordinates.

bool UISlider::beginTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    const CGPoint point = touch.locationInView(this);
    const CGRect thumb = thumbRectForValue(value_);
    if (!thumb.insetBy(-kThumbTouchMargin, -kThumbTouchMargin).contains(point)) {
        return false;
    }
    grabOffset_ = point.x - thumb.midX();
    valueAtGrab_ = value_;
    return true;
}

bool UISlider::continueTrackingWithTouch(const UITouch& touch, const UIEvent&) {
    const double before = value_;
    storeValue(valueForThumbCenter(touch.locationInView(this).x - grabOffset_));
    if (continuous_ && value_ != before) {
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
    return true;
}

void UISlider::endTrackingWithTouch(const UITouch& touch, const UIEvent& event) {
    continueTrackingWithTouch(touch, event);
    if (!continuous_ && value_ != valueAtGrab_) {
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
}

void UISlider::cancelTrackingWithEvent(const UIEvent&) {
    if (!continuous_ && value_ != valueAtGrab_) {
        sendActionsForControlEvents(UIControlEventValueChanged);
    }
}

// Drawing.

void UISlider::drawRect(CGContext& context, const CGRect&) {
    const double shown =
        layer().presentationValueForKey(kValueKey).value_or(AnimatableValue(value_)).number();
    const CGRect thumb = thumbRectForValue(shown);
    drawTrack(context, thumb.midX());
    drawThumb(context, thumb);
}

void UISlider::drawTrack(CGContext& context, double thumbCenter) const {
    const CGRect& b = bounds();
    const double inset = thumbSize().width / 2;
    const CGRect track{b.minX() + 2, b.midY() - kTrackHeight / 2, b.width() - 4, kTrackHeight};
    const CGRect before{track.minX(), track.minY(), thumbCenter - track.minX(), kTrackHeight};
    const CGRect after{thumbCenter, track.minY(), track.maxX() - thumbCenter, kTrackHeight};
    const auto drawPart = [&](const ImagesByState& images, const UIColor& tint, const CGRect& part,
                              const CGRect& imageRect) {
        if (const UIImagePtr* image = imageFor(images, state())) {
            if (*image) {
                (*image)->drawInContext(context, imageRect);
            }
            return;
        }
        context.saveGState();
        context.clipToRect(part);
        context.setFillColor(tint);
        context.beginPath();
        context.addPath(CGPath::withRoundedRect(track, kTrackHeight / 2, kTrackHeight / 2));
        context.fillPath();
        context.restoreGState();
    };
    const double imageHeight = std::min(b.height(), 2 * inset);
    const CGRect band{b.minX(), b.midY() - imageHeight / 2, b.width(), imageHeight};
    drawPart(minimumTrackImages_, minimumTrackTint_, before,
             {band.minX(), band.minY(), thumbCenter - band.minX(), band.height()});
    drawPart(maximumTrackImages_, maximumTrackTint_, after,
             {thumbCenter, band.minY(), band.maxX() - thumbCenter, band.height()});
}

void UISlider::drawThumb(CGContext& context, const CGRect& thumb) const {
    const UIImagePtr image = thumbImageForState(state());
    if (image && image->size().width > 0) {
        image->drawInContext(context, thumb);
        return;
    }
    const CGRect disc = thumb.insetBy(1, 1);
    context.setFillColor(UIColor::colorWithWhite(0, 0.12));
    context.fillEllipseInRect(disc.offsetBy(0, 1));
    context.setFillColor(thumbTint_);
    context.fillEllipseInRect(disc);
    context.setStrokeColor(UIColor::colorWithWhite(0, 0.15));
    context.setLineWidth(0.5);
    context.strokeEllipseInRect(disc);
}
