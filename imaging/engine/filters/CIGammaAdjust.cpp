#include <cmath>

#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor gammaAdjustFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIGammaAdjust";
    descriptor.doc = "Raises each colour channel to a power: above 1 darkens the midtones.";
    descriptor.inputs = {
        {"inputPower", CIFilterInput::Kind::Number, 1.0, 0.01, 10, "The exponent."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        const float power = p.number("inputPower");
        return ColorProgram::curves([power](float v) { return std::pow(v, power); });
    };
    return descriptor;
}
