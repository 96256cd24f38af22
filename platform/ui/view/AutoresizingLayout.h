#pragma once

#include "platform/geometry/CGRect.h"

// Where a subview goes when its superview's bounds size changes, by its autoresizing
// mask. Along each axis the change is shared by the flexible parts (leading margin,
// size, trailing margin) in proportion to their sizes before, equally when those are
// all zero; with no flexible part the view keeps its place and size.
class AutoresizingLayout {
public:
    static CGRect resizedFrame(const CGRect& frame, unsigned mask, CGSize oldSuperviewSize,
                               CGSize newSuperviewSize);
};
