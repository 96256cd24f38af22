#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor sepiaToneFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CISepiaTone";
    descriptor.doc = "Brown, old-photograph tones.";
    descriptor.inputs = {
        {"inputIntensity", CIFilterInput::Kind::Number, 1.0, 0, 1,
         "0 leaves the colours, 1 is full sepia."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        const ColorMatrix sepia = ColorMatrix::mix(
            {0.393f, 0.769f, 0.189f, 0.349f, 0.686f, 0.168f, 0.272f, 0.534f, 0.131f});
        return ColorProgram::matrix(sepia.withStrength(p.number("inputIntensity")));
    };
    return descriptor;
}
