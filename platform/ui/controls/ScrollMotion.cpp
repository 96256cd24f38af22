#include "platform/ui/controls/ScrollMotion.h"

#include <algorithm>
#include <cmath>

namespace {

// Clamps one coordinate to [least, least + extent], zeroing the speed at an edge.
double clampAxis(double value, double least, double extent, double& speed) {
    if (value < least) {
        speed = 0;
        return least;
    }
    if (value > least + extent) {
        speed = 0;
        return least + extent;
    }
    return value;
}

}  // namespace

ScrollMotion ScrollMotion::flick(CGPoint velocity, double startTime) {
    ScrollMotion motion(Kind::Flick, startTime);
    motion.velocity_ = velocity;
    return motion;
}

ScrollMotion ScrollMotion::glide(CGPoint from, CGPoint to, double startTime) {
    ScrollMotion motion(Kind::Glide, startTime);
    motion.from_ = from;
    motion.to_ = to;
    return motion;
}

CGPoint ScrollMotion::step(double now, CGPoint offset, const CGRect& range) {
    if (finished_) {
        return offset;
    }
    return kind_ == Kind::Flick ? stepFlick(now, offset, range) : stepGlide(now);
}

CGPoint ScrollMotion::stepFlick(double now, CGPoint offset, const CGRect& range) {
    const double elapsed = std::max(0.0, now - lastTime_);
    lastTime_ = now;
    // The exact integral of a speed that decays exponentially over the step.
    const double decay = std::pow(kDecelerationPerMillisecond, elapsed * 1000);
    const double rate = -std::log(kDecelerationPerMillisecond) * 1000;
    const double travelled = (1 - decay) / rate;
    CGPoint next{offset.x + velocity_.x * travelled, offset.y + velocity_.y * travelled};
    velocity_ = {velocity_.x * decay, velocity_.y * decay};
    next.x = clampAxis(next.x, range.origin.x, range.size.width, velocity_.x);
    next.y = clampAxis(next.y, range.origin.y, range.size.height, velocity_.y);
    finished_ = std::hypot(velocity_.x, velocity_.y) < kStopSpeed;
    return next;
}

CGPoint ScrollMotion::stepGlide(double now) {
    const double t = std::clamp((now - startTime_) / kGlideDuration, 0.0, 1.0);
    // Ease out: fast at first, settling gently.
    const double eased = 1 - std::pow(1 - t, 3);
    finished_ = t >= 1;
    return {from_.x + (to_.x - from_.x) * eased, from_.y + (to_.y - from_.y) * eased};
}
