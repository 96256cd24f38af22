#pragma once

#include "platform/geometry/CGPoint.h"
#include "platform/geometry/CGRect.h"

// Engine coordinates (y up) of the centre of pixel (column, row) of a bitmap that
// covers extent; row 0 is the top edge.
inline CGPoint pixelCentre(const CGRect& extent, double column, double row) {
    return {extent.minX() + column + 0.5, extent.maxY() - row - 0.5};
}
