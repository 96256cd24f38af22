#pragma once

#include "platform/graphics/CGImage.h"
#include "platform/graphics/UIColor.h"

// How pictures with transparent areas are told apart and shown.
class Transparency {
public:
    // Size of a square of the checkerboard, in points.
    static constexpr double kSquare = 8;

    // True when any pixel is less than fully opaque; false at once for formats without
    // alpha. Stops at the first row with such a pixel.
    static bool hasTransparentPixels(const CGImage& bitmap);

    // The checkerboard of white and light grey shown behind transparent areas, the
    // same on every screen: a pattern colour at the screen's scale.
    static UIColor checkerboard();
};
