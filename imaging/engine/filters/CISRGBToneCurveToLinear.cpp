#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"
#include "imaging/kernels/ColorMath.h"

CIFilterDescriptor sRGBToneCurveToLinearFilter() {
    return fixedColorFilter("CISRGBToneCurveToLinear",
                            "Reads the colours as sRGB and writes their linear-light values.",
                            ColorProgram::curves(colormath::srgbToLinear));
}
