#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectTonalFilter() {
    // Black and white with the full, even range of greys.
    return fixedColorFilter("CIPhotoEffectTonal", "Black and white with soft, even tones.",
                            ColorProgram::matrix(ColorMatrix::saturation(0))
                                .then(sameCurve({{0, 0.02}, {0.5, 0.52}, {1, 0.98}})));
}
