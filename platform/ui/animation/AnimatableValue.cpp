#include "platform/ui/animation/AnimatableValue.h"

#include "platform/ui/animation/TransformDecomposition.h"

AnimatableValue::AnimatableValue(double number) : kind_(Kind::Number) {
    components_[0] = number;
}

AnimatableValue::AnimatableValue(CGPoint point) : kind_(Kind::Point) {
    components_[0] = point.x;
    components_[1] = point.y;
}

AnimatableValue::AnimatableValue(const CGRect& rect) : kind_(Kind::Rect) {
    components_[0] = rect.origin.x;
    components_[1] = rect.origin.y;
    components_[2] = rect.size.width;
    components_[3] = rect.size.height;
}

AnimatableValue::AnimatableValue(const UIColor& color) : kind_(Kind::Color) {
    if (color.kind() == UIColor::Kind::Pattern) {
        pattern_ = color;
        return;
    }
    components_[0] = color.red();
    components_[1] = color.green();
    components_[2] = color.blue();
    components_[3] = color.alpha();
}

AnimatableValue::AnimatableValue(const CATransform3D& t) : kind_(Kind::Transform) {
    components_ = {t.m11, t.m12, t.m13, t.m14, t.m21, t.m22, t.m23, t.m24,
                   t.m31, t.m32, t.m33, t.m34, t.m41, t.m42, t.m43, t.m44};
}

double AnimatableValue::number() const {
    return kind_ == Kind::Number ? components_[0] : 0;
}

CGPoint AnimatableValue::point() const {
    return kind_ == Kind::Point ? CGPoint{components_[0], components_[1]} : CGPoint{};
}

CGRect AnimatableValue::rect() const {
    return kind_ == Kind::Rect
               ? CGRect{components_[0], components_[1], components_[2], components_[3]}
               : CGRect{};
}

UIColor AnimatableValue::color() const {
    if (kind_ != Kind::Color) {
        return UIColor::clearColor();
    }
    if (pattern_) {
        return *pattern_;
    }
    return UIColor::colorWithRed(components_[0], components_[1], components_[2], components_[3]);
}

CATransform3D AnimatableValue::transform() const {
    if (kind_ != Kind::Transform) {
        return CATransform3D::identity();
    }
    const auto& c = components_;
    return {c[0], c[1], c[2],  c[3],  c[4],  c[5],  c[6],  c[7],
            c[8], c[9], c[10], c[11], c[12], c[13], c[14], c[15]};
}

AnimatableValue AnimatableValue::interpolate(const AnimatableValue& from, const AnimatableValue& to,
                                             double progress) {
    if (from.kind_ != to.kind_ || from.pattern_ || to.pattern_) {
        return progress < 1 ? from : to;
    }
    if (from.kind_ == Kind::Transform) {
        const auto fromParts = TransformDecomposition::decompose(from.transform());
        const auto toParts = TransformDecomposition::decompose(to.transform());
        if (fromParts && toParts) {
            return TransformDecomposition::interpolate(*fromParts, *toParts, progress).recompose();
        }
    }
    AnimatableValue value = from;
    for (std::size_t i = 0; i < value.components_.size(); ++i) {
        value.components_[i] += (to.components_[i] - from.components_[i]) * progress;
    }
    if (value.kind_ == Kind::Color) {
        return AnimatableValue(value.color());
    }
    return value;
}
