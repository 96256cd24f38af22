#pragma once

#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIImage.h"

class UIView;

// Pictures of view trees, as the screen shows them at the animation clock's time.
// The tree is laid out first (layoutIfNeeded).
class UIViewRenderer {
public:
    // The view's bounds and everything in it, at scale pixels per point (0: the
    // screen's scale). Null for an empty or oversized view.
    static UIImagePtr renderToImage(UIView& view, double scale = 0);
    // Draws the view and its subviews into context in the view's bounds coordinates
    // under the context's current transform, as a layer renders into a context. The
    // views' own drawing is made at the context's pixels-per-point.
    static void render(UIView& view, CGContext& context);
};
