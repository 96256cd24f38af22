#pragma once

#include "platform/geometry/CGRect.h"

// Distances by which a rectangle's edges move inwards (negative values move them out).
struct UIEdgeInsets {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;

    CGRect insetRect(const CGRect& rect) const {
        return CGRect{rect.origin.x + left, rect.origin.y + top, rect.size.width - left - right,
                      rect.size.height - top - bottom}
            .standardized();
    }

    friend bool operator==(const UIEdgeInsets&, const UIEdgeInsets&) = default;
};
