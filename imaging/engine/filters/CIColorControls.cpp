#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor colorControlsFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIColorControls";
    descriptor.doc = "Saturation, then brightness, then contrast about middle grey.";
    descriptor.inputs = {
        {"inputSaturation", CIFilterInput::Kind::Number, 1.0, 0, 4, "0 is grey, 1 unchanged."},
        {"inputBrightness", CIFilterInput::Kind::Number, 0.0, -1, 1, "Added to every channel."},
        {"inputContrast", CIFilterInput::Kind::Number, 1.0, 0, 4, "1 unchanged, more spreads."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        const float contrast = p.number("inputContrast");
        return ColorProgram::matrix(
            ColorMatrix::saturation(p.number("inputSaturation"))
                .then(ColorMatrix::scaleAndOffset(1, p.number("inputBrightness")))
                .then(ColorMatrix::scaleAndOffset(contrast, 0.5f * (1 - contrast))));
    };
    return descriptor;
}
