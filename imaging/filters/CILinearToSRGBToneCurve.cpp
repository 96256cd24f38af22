#include "imaging/ColorMath.h"
#include "imaging/filters/BuiltInFilters.h"
#include "imaging/filters/PhotoLook.h"

CIFilterDescriptor linearToSRGBToneCurveFilter() {
    return fixedColorFilter("CILinearToSRGBToneCurve",
                            "Reads the colours as linear light and writes them sRGB-encoded.",
                            ColorProgram::curves(colormath::linearToSrgb));
}
