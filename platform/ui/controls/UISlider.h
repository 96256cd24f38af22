#pragma once

#include <map>

#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/view/UIControl.h"

// A horizontal bar with a round thumb that the user drags to pick a value between the
// minimum and the maximum. Dragging works in the slider's own coordinates, so a
// slider turned upright by a transform is dragged along its turned length. The thumb
// must be grabbed (the track alone does not move it); it then keeps its offset from
// the finger. Value changes go to UIControlEventValueChanged: on every change while
// dragging when continuous, else once when the finger lifts.
//
// Drawn like a phone's slider: a thin rounded track, the part before the thumb in the
// minimum track tint, the rest in the maximum track tint, and a white (or thumb-tinted)
// disc. Images replace those parts; a null image set for a track part draws nothing
// there, as an empty picture would.
class UISlider : public UIControl {
public:
    static constexpr double kThumbDiameter = 28;
    static constexpr double kTrackHeight = 4;
    // Seconds of setValue(value, true).
    static constexpr double kAnimationDuration = 0.25;

    explicit UISlider(const CGRect& frame = CGRect{});

    double value() const { return value_; }
    // Clamped to the range; sends no event.
    void setValue(double value);
    void setValue(double value, bool animated);
    // Setting a bound moves the other one and the value inside it when needed.
    double minimumValue() const { return minimumValue_; }
    void setMinimumValue(double value);
    double maximumValue() const { return maximumValue_; }
    void setMaximumValue(double value);
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool continuous) { continuous_ = continuous; }

    // Pictures per control state; a state without its own uses the normal one.
    void setMinimumTrackImage(UIImagePtr image, unsigned state);
    void setMaximumTrackImage(UIImagePtr image, unsigned state);
    void setThumbImage(UIImagePtr image, unsigned state);
    UIImagePtr thumbImageForState(unsigned state) const;
    const UIColor& minimumTrackTintColor() const { return minimumTrackTint_; }
    void setMinimumTrackTintColor(const UIColor& color);
    const UIColor& maximumTrackTintColor() const { return maximumTrackTint_; }
    void setMaximumTrackTintColor(const UIColor& color);
    // Colours the default thumb (white without one).
    const UIColor& thumbTintColor() const { return thumbTint_; }
    void setThumbTintColor(const UIColor& color);

    // Where the thumb is drawn for a value, in the slider's bounds.
    CGRect thumbRectForValue(double value) const;
    CGSize sizeThatFits(CGSize size) const override;

    bool beginTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    bool continueTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    void endTrackingWithTouch(const UITouch& touch, const UIEvent& event) override;
    void cancelTrackingWithEvent(const UIEvent& event) override;
    void drawRect(CGContext& context, const CGRect& rect) override;

private:
    using ImagesByState = std::map<unsigned, UIImagePtr>;
    static const UIImagePtr* imageFor(const ImagesByState& images, unsigned state);
    CGSize thumbSize() const;
    double valueForThumbCenter(double x) const;
    void storeValue(double value);
    void drawTrack(CGContext& context, double thumbCenter) const;
    void drawThumb(CGContext& context, const CGRect& thumb) const;

    double value_ = 0;
    double minimumValue_ = 0;
    double maximumValue_ = 1;
    bool continuous_ = true;
    ImagesByState minimumTrackImages_;
    ImagesByState maximumTrackImages_;
    ImagesByState thumbImages_;
    UIColor minimumTrackTint_ = UIColor::colorWithRed(0, 122.0 / 255, 1);
    UIColor maximumTrackTint_ = UIColor::colorWithWhite(0.85);
    UIColor thumbTint_ = UIColor::whiteColor();
    // While tracking: the finger's distance from the thumb's centre, and the value at
    // touch-down.
    double grabOffset_ = 0;
    double valueAtGrab_ = 0;
};

using UISliderPtr = std::shared_ptr<UISlider>;
