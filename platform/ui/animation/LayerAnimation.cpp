#include "platform/ui/animation/LayerAnimation.h"

#include <cmath>

#include "platform/dispatch/DispatchQueue.h"

LayerAnimation::LayerAnimation(std::string key, CABasicAnimation animation, AnimatableValue from,
                               AnimatableValue to, double beginTime)
    : key(std::move(key)),
      animation(std::move(animation)),
      from(std::move(from)),
      to(std::move(to)),
      beginTime(beginTime) {}

double LayerAnimation::activeDuration() const {
    const double cycles = animation.repeatCount() > 0 ? animation.repeatCount() : 1.0;
    const double cycle = std::max(animation.duration(), 0.0) * (animation.autoreverses() ? 2 : 1);
    if (cycle == 0) {
        return 0;
    }
    return cycle * cycles;
}

bool LayerAnimation::hasEndedAt(double time) const {
    constexpr double kClockSlack = 1e-9;
    return time - beginTime + kClockSlack >= activeDuration();
}

bool LayerAnimation::isFinite() const {
    return std::isfinite(activeDuration());
}

std::optional<AnimatableValue> LayerAnimation::valueAt(double time) const {
    if (time < beginTime) {
        if (implicit) {
            return from;
        }
        return std::nullopt;
    }
    const double duration = animation.duration();
    const double elapsed = time - beginTime;
    if (hasEndedAt(time) || duration <= 0) {
        if (animation.isRemovedOnCompletion()) {
            return std::nullopt;
        }
        // The last cycle's end: back at the start when it reverses.
        return animation.autoreverses() ? from : to;
    }
    const double halfCycles = elapsed / duration;
    double fraction = halfCycles - std::floor(halfCycles);
    if (animation.autoreverses() && static_cast<long long>(std::floor(halfCycles)) % 2 == 1) {
        fraction = 1 - fraction;
    }
    const double progress = animation.timingFunction().progressAtTime(fraction);
    return AnimatableValue::interpolate(from, to, progress);
}

void LayerAnimation::finish(bool finished) {
    if (completion) {
        completion->animationEnded(finished);
        completion.reset();
    }
    if (animation.didStop()) {
        DispatchQueue::main().async(
            [didStop = animation.didStop(), finished] { didStop(finished); });
        animation.setDidStop({});
    }
}
