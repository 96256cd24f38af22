#pragma once

#include "platform/geometry/CGRect.h"

enum class UIViewContentMode;

// Where content of a given size goes inside bounds under a content mode. Redraw
// stretches like ScaleToFill (the content is redrawn at the new size anyway).
class ContentModeLayout {
public:
    static CGRect placement(UIViewContentMode mode, CGSize contentSize, const CGRect& bounds);
};
