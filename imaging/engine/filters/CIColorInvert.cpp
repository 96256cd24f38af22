#include "imaging/engine/filters/BuiltInFilters.h"

CIFilterDescriptor colorInvertFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIColorInvert";
    descriptor.doc = "Each colour channel becomes its opposite (1 - value); alpha stays.";
    descriptor.program = [](const CIFilterParameters&) {
        return ColorProgram::curves([](float v) { return 1 - v; });
    };
    return descriptor;
}
