#pragma once

#include "platform/geometry/CGRect.h"

// How a scroll view's content moves on by itself once the finger has lifted: a flick
// that slows down as the platform's do (its speed falls to 0.998 of itself every
// millisecond) and stops at the edges, or an eased glide to a resting place (a page,
// the edge after an overscroll). A value; the scroll view steps it on the animation
// clock.
class ScrollMotion {
public:
    static constexpr double kDecelerationPerMillisecond = 0.998;
    // Below this speed (points per second) a flick has stopped.
    static constexpr double kStopSpeed = 10;
    static constexpr double kGlideDuration = 0.3;

    // velocity: points of content offset per second.
    static ScrollMotion flick(CGPoint velocity, double startTime);
    static ScrollMotion glide(CGPoint from, CGPoint to, double startTime);

    // The offset at clock time now, from offset (where the content is now) within the
    // offsets allowed (range: origin the least offset, size the extent).
    CGPoint step(double now, CGPoint offset, const CGRect& range);
    bool isFinished() const { return finished_; }

private:
    enum class Kind { Flick, Glide };
    ScrollMotion(Kind kind, double startTime)
        : kind_(kind), startTime_(startTime), lastTime_(startTime) {}
    CGPoint stepFlick(double now, CGPoint offset, const CGRect& range);
    CGPoint stepGlide(double now);

    Kind kind_;
    double startTime_;
    double lastTime_;
    CGPoint velocity_;
    CGPoint from_;
    CGPoint to_;
    bool finished_ = false;
};
