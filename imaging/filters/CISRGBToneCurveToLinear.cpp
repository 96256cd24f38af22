#include "imaging/ColorMath.h"
#include "imaging/filters/BuiltInFilters.h"
#include "imaging/filters/PhotoLook.h"

CIFilterDescriptor sRGBToneCurveToLinearFilter() {
    return fixedColorFilter("CISRGBToneCurveToLinear",
                            "Reads the colours as sRGB and writes their linear-light values.",
                            ColorProgram::curves(colormath::srgbToLinear));
}
