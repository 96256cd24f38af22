#pragma once

#include "platform/ui/view/UIView.h"

// One rule of a constraint layout, along one axis. Distances are in points; "start"
// is the left or top edge, "end" the right or bottom edge.
struct LayoutConstraint {
    enum class Axis { Horizontal, Vertical };
    enum class Kind {
        // view's start lies constant after the container's start
        LeadingPin,
        // view's end lies constant before the container's end
        TrailingPin,
        // view's length is constant
        Length,
        // view's start lies constant after the end of previous
        Spacing,
    };

    Axis axis;
    Kind kind;
    UIViewPtr view;
    double constant = 0;
    // Spacing only: the view before view along the axis.
    UIViewPtr previous;
};
