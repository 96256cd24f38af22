#pragma once

#include <array>
#include <optional>

#include "platform/geometry/CATransform3D.h"

// A 3-D transform split into the parts an animation can interpolate one by one:
// perspective, translation, rotation (a unit quaternion), skew and scale. Turning
// between two transforms through these parts keeps a rotation a rotation, where
// interpolating the matrix entries would shrink the picture half-way.
struct TransformDecomposition {
    std::array<double, 4> perspective{0, 0, 0, 1};
    std::array<double, 3> translation{};
    std::array<double, 4> quaternion{0, 0, 0, 1};
    std::array<double, 3> skew{};
    std::array<double, 3> scale{1, 1, 1};

    // Empty for a transform that flattens everything (a zero scale, say).
    static std::optional<TransformDecomposition> decompose(const CATransform3D& transform);
    CATransform3D recompose() const;
    // Parts in a straight line, the rotation along the great circle.
    static TransformDecomposition interpolate(const TransformDecomposition& from,
                                              const TransformDecomposition& to, double progress);
};
