#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor hueAdjustFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIHueAdjust";
    descriptor.doc = "Turns every hue by an angle, keeping greys and brightness.";
    descriptor.inputs = {
        {"inputAngle", CIFilterInput::Kind::Number, 0.0, -1e6, 1e6, "Angle in radians."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        return ColorProgram::matrix(ColorMatrix::hueRotation(p.number("inputAngle")));
    };
    return descriptor;
}
