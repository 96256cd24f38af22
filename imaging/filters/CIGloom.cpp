#include "imaging/filters/BuiltInFilters.h"
#include "imaging/filters/GlowFilter.h"

CIFilterDescriptor gloomFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIGloom";
    descriptor.doc = "Dulled highlights: the sharp picture multiplied by its blurred colours.";
    descriptor.inputs = GlowFilter::inputs();
    descriptor.extent = GlowFilter::extent;
    descriptor.render = [](const CIPixels& input, const CGRect& extent,
                           const CIFilterParameters& p) {
        const float intensity = p.number("inputIntensity");
        // Multiply by the blurred colour (unpremultiplied), lerped by the intensity.
        const auto multiply = [intensity](float sharp, float blurred, float, float blurredAlpha) {
            const float colour = blurredAlpha > 0 ? blurred / blurredAlpha : 0.0f;
            return sharp * (1 - intensity + intensity * colour);
        };
        return GlowFilter::render(input, extent, p, multiply, false);
    };
    return descriptor;
}
