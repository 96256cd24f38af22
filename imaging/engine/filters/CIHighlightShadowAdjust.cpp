#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor highlightShadowAdjustFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIHighlightShadowAdjust";
    descriptor.doc = "Lifts (or deepens) the shadows, leaving black, white and highlights.";
    descriptor.inputs = {
        {"inputShadowAmount", CIFilterInput::Kind::Number, 0.0, -1, 1,
         "Positive lifts the shadows, negative deepens them."},
    };
    descriptor.program = [](const CIFilterParameters& p) {
        // x (1 - x)² peaks in the shadows (at a third) and vanishes at black and white;
        // scaled so the curve stays rising for every amount.
        const float amount = 0.94f * p.number("inputShadowAmount");
        return ColorProgram::curves(
            [amount](float v) { return v + amount * v * (1 - v) * (1 - v); });
    };
    return descriptor;
}
