#pragma once

#include <functional>

#include "imaging/CIFilterDescriptor.h"

// Bloom and gloom: the picture blurred (growing by the blur's reach on every side) and
// blended with the sharp picture, channel by channel on premultiplied values.
class GlowFilter {
public:
    // (sharp channel, blurred channel, sharp alpha, blurred alpha) → result channel,
    // all 0 … 255; alpha is blended too and comes last in each pixel.
    using Blend = std::function<float(float, float, float, float)>;

    // How far the blur of this radius reaches, in whole pixels.
    static int reach(float radius);
    static CGRect extent(const CGRect& input, const CIFilterParameters& p);
    static std::shared_ptr<CGImage> render(const CIPixels& input, const CGRect& outputExtent,
                                           const CIFilterParameters& p, const Blend& blend,
                                           bool blendAlpha);
    static std::vector<CIFilterInput> inputs();
};
