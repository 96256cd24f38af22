#pragma once

#include "platform/geometry/CGRect.h"
#include "platform/graphics/CGImage.h"

// Pixels on their way through a render: premultiplied ARGB (or RGB32, read as opaque)
// covering an extent in engine coordinates (pixels, y axis up; row 0 is the top edge).
struct CIPixels {
    CGImageRef bitmap;
    CGRect extent;
};
