#pragma once

#include "platform/graphics/UIImage.h"

class UIView;

// Pictures of what lies behind a view: everything of its tree that is painted before
// it (the ancestors' own backgrounds and pictures, and the subtrees of the siblings
// behind each view on the way down from the root), cut to the ancestors that clip,
// over the view's bounds. The tree is not changed on the way, so sampling while the
// window paints asks for no new paint.
//
// Ancestors' corner radii, alpha and own drawing (drawRect) are left out: the views
// that a backdrop sits in are plain containers in practice.
class BackdropSampler {
public:
    // The view's bounds at scale pixels per point; null when that size gives no
    // bitmap (a view of no size, or one far too large).
    static UIImagePtr renderBehind(UIView& view, double scale);
};
