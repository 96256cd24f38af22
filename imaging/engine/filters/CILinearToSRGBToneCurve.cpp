#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"
#include "imaging/kernels/ColorMath.h"

CIFilterDescriptor linearToSRGBToneCurveFilter() {
    return fixedColorFilter("CILinearToSRGBToneCurve",
                            "Reads the colours as linear light and writes them sRGB-encoded.",
                            ColorProgram::curves(colormath::linearToSrgb));
}
