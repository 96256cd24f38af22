#include <cmath>

#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor colorPosterizeFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIColorPosterize";
    descriptor.doc = "Reduces each colour channel to a number of evenly spaced levels.";
    descriptor.inputs = {
        {"inputLevels", CIFilterInput::Kind::Number, 6.0, 2, 256, "Levels per channel."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        const float steps = std::round(p.number("inputLevels")) - 1;
        return ColorProgram::curves([steps](float v) { return std::round(v * steps) / steps; });
    };
    return descriptor;
}
