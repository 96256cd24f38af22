#pragma once

#include "platform/graphics/CGImage.h"
#include "platform/ui/view/UIView.h"

// A view's own drawing (drawRect) kept as a bitmap until setNeedsDisplay, as a layer's
// backing store keeps it.
struct UIView::DrawingCache {
    CGImageRef bitmap;
    // Pixels per point and bounds size the bitmap was drawn for.
    double scale = 0;
    CGSize size;
    bool valid = false;
    // Set when drawRect reached UIView's own, which draws nothing.
    bool drawsNothing = false;
};
