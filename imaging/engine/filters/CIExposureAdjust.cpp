#include <cmath>

#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/kernels/ColorMath.h"

CIFilterDescriptor exposureAdjustFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIExposureAdjust";
    descriptor.doc = "Multiplies the light by 2 to the power of the stops, in linear light.";
    descriptor.inputs = {
        {"inputEV", CIFilterInput::Kind::Number, 0.0, -10, 10, "Exposure change in stops."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        const float gain = std::exp2(p.number("inputEV"));
        return ColorProgram::curves(
            [gain](float v) { return colormath::linearToSrgb(colormath::srgbToLinear(v) * gain); });
    };
    return descriptor;
}
