#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/animation/AnimatableValue.h"
#include "platform/ui/animation/AnimationCompletion.h"
#include "platform/ui/animation/CABasicAnimation.h"

// An animation as it runs on a layer: the description it was added with, its end
// values resolved when it was added, and its place on the animation clock.
struct LayerAnimation {
    std::string key;
    CABasicAnimation animation;
    AnimatableValue from;
    AnimatableValue to;
    // Clock time at which the first cycle starts.
    double beginTime = 0;
    // Made by a view animation block: it shows its from value while it waits for its
    // delay, a direct change of the property ends it, and it may keep the view from
    // taking touches.
    bool implicit = false;
    bool blocksInteraction = false;
    std::shared_ptr<AnimationCompletion> completion;
    // Ended, but kept presenting its last value (not removed on completion).
    bool ended = false;

    LayerAnimation(std::string key, CABasicAnimation animation, AnimatableValue from,
                   AnimatableValue to, double beginTime);

    // Seconds from begin to end, every repetition included; infinite for ever.
    double activeDuration() const;
    // True from the end on. A nanosecond of slack absorbs the rounding of the clock's
    // steps, so an animation of 0.3 s is over after steps of 0.15 s and 0.15 s.
    bool hasEndedAt(double time) const;
    bool isFinite() const;
    // The value to present at time, or none when the animation shows nothing then.
    std::optional<AnimatableValue> valueAt(double time) const;
    // Tells the completion, once.
    void finish(bool finished);
};
