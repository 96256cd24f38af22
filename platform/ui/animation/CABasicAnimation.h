#pragma once

#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "platform/ui/animation/AnimatableValue.h"
#include "platform/ui/animation/CAMediaTimingFunction.h"

// An explicit animation of one property of a layer, from one value to another over
// a duration, added with CALayer::addAnimation. The key path names the property:
// "position", "bounds", "transform", "opacity", "backgroundColor",
// "transform.rotation.z" (a turn about the z axis, in radians, on top of the model
// transform), or any key of the layer's own values (CALayer::setValueForKey), which a
// view reads back with presentationValueForKey to draw.
class CABasicAnimation {
public:
    static constexpr double kRepeatForever = std::numeric_limits<double>::infinity();

    static CABasicAnimation animationWithKeyPath(std::string keyPath);

    const std::string& keyPath() const { return keyPath_; }
    // Without a from value the animation starts at the value presented when it is
    // added; without a to value it ends at the property's own value.
    const std::optional<AnimatableValue>& fromValue() const { return fromValue_; }
    void setFromValue(std::optional<AnimatableValue> value) { fromValue_ = std::move(value); }
    const std::optional<AnimatableValue>& toValue() const { return toValue_; }
    void setToValue(std::optional<AnimatableValue> value) { toValue_ = std::move(value); }
    double duration() const { return duration_; }
    void setDuration(double seconds) { duration_ = seconds; }
    // Seconds after being added at which it starts.
    double beginOffset() const { return beginOffset_; }
    void setBeginOffset(double seconds) { beginOffset_ = seconds; }
    // How many times the cycle runs (fractions allowed); 0 means once.
    double repeatCount() const { return repeatCount_; }
    void setRepeatCount(double count) { repeatCount_ = count; }
    bool autoreverses() const { return autoreverses_; }
    void setAutoreverses(bool autoreverses) { autoreverses_ = autoreverses; }
    // When false, the last value stays presented after the end, until removed.
    bool isRemovedOnCompletion() const { return removedOnCompletion_; }
    void setRemovedOnCompletion(bool removed) { removedOnCompletion_ = removed; }
    const CAMediaTimingFunction& timingFunction() const { return timingFunction_; }
    void setTimingFunction(const CAMediaTimingFunction& function) { timingFunction_ = function; }
    // Runs once on the main queue when the animation ends (true) or is removed early.
    const std::function<void(bool finished)>& didStop() const { return didStop_; }
    void setDidStop(std::function<void(bool finished)> didStop) { didStop_ = std::move(didStop); }

private:
    explicit CABasicAnimation(std::string keyPath);

    std::string keyPath_;
    std::optional<AnimatableValue> fromValue_;
    std::optional<AnimatableValue> toValue_;
    double duration_ = 0.25;
    double beginOffset_ = 0;
    double repeatCount_ = 0;
    bool autoreverses_ = false;
    bool removedOnCompletion_ = true;
    CAMediaTimingFunction timingFunction_ =
        CAMediaTimingFunction::functionWithName(CAMediaTimingFunction::Name::Linear);
    std::function<void(bool)> didStop_;
};
