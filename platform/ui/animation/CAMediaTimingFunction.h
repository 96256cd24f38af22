#pragma once

// The pacing of an animation: maps the fraction of its duration that has passed to
// the fraction of the change to show, along a cubic Bézier curve from (0, 0) to
// (1, 1), as the platform's named timing functions do.
class CAMediaTimingFunction {
public:
    enum class Name { Linear, EaseIn, EaseOut, EaseInEaseOut, Default };

    static CAMediaTimingFunction functionWithName(Name name);
    CAMediaTimingFunction(double x1, double y1, double x2, double y2);

    // For time in 0…1; values outside are clamped.
    double progressAtTime(double time) const;

    friend bool operator==(const CAMediaTimingFunction&, const CAMediaTimingFunction&) = default;

private:
    double curveX(double t) const;
    double curveY(double t) const;
    double curveXDerivative(double t) const;

    double x1_;
    double y1_;
    double x2_;
    double y2_;
};
