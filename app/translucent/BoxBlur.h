#pragma once

#include "platform/graphics/CGImage.h"

// A cheap stand-in for a Gaussian blur on small bitmaps: repeated box averages, each
// over radius pixels on both sides, first along the rows and then along the columns.
// Three passes come close to a Gaussian. Edges repeat their last pixel. Works on
// premultiplied colour, so averaged pixels stay valid.
class BoxBlur {
public:
    static constexpr int kPasses = 3;

    // Blurs the bitmap in place; 32-bit formats only, others are left alone.
    static void apply(CGImage& image, int radius);
};
