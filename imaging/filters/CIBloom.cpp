#include "imaging/filters/BuiltInFilters.h"
#include "imaging/filters/GlowFilter.h"

CIFilterDescriptor bloomFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIBloom";
    descriptor.doc = "A soft glow: the blurred picture screened over the sharp one.";
    descriptor.inputs = GlowFilter::inputs();
    descriptor.extent = GlowFilter::extent;
    descriptor.render = [](const CIPixels& input, const CGRect& extent,
                           const CIFilterParameters& p) {
        const float intensity = p.number("inputIntensity");
        // Screen: brightens, never beyond white.
        const auto screen = [intensity](float sharp, float blurred, float, float) {
            const float glow = intensity * blurred;
            return sharp + glow - sharp * glow / 255;
        };
        return GlowFilter::render(input, extent, p, screen, true);
    };
    return descriptor;
}
