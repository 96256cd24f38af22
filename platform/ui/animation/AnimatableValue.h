#pragma once

#include <array>
#include <optional>

#include "platform/geometry/CATransform3D.h"
#include "platform/geometry/CGRect.h"
#include "platform/graphics/UIColor.h"

// A value that animations interpolate: a number, a point, a rectangle, a colour or a
// 3-D transform. A value type.
class AnimatableValue {
public:
    enum class Kind { Number, Point, Rect, Color, Transform };

    AnimatableValue(double number);
    AnimatableValue(CGPoint point);
    AnimatableValue(const CGRect& rect);
    AnimatableValue(const UIColor& color);
    AnimatableValue(const CATransform3D& transform);

    Kind kind() const { return kind_; }
    // Each reads the value as that kind; another kind reads as zero (identity).
    double number() const;
    CGPoint point() const;
    CGRect rect() const;
    UIColor color() const;
    CATransform3D transform() const;

    // The value at progress (0: from, 1: to; outside 0…1 it extrapolates). Numbers,
    // points, rectangles and colours move in a straight line; transforms are
    // decomposed (translation, rotation, scale, skew, perspective) so a turn stays a
    // turn. Values of different kinds, and pattern colours, jump at the end.
    static AnimatableValue interpolate(const AnimatableValue& from, const AnimatableValue& to,
                                       double progress);

    friend bool operator==(const AnimatableValue&, const AnimatableValue&) = default;

private:
    Kind kind_;
    std::array<double, 16> components_{};
    // Set for colours that are not plain components (patterns).
    std::optional<UIColor> pattern_;
};
