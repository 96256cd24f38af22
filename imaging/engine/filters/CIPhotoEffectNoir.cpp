#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectNoirFilter() {
    // Film noir: black and white, red-filtered, with hard contrast.
    return fixedColorFilter(
        "CIPhotoEffectNoir", "Black and white with dramatic contrast.",
        ColorProgram::matrix(
            ColorMatrix::mix({0.40f, 0.50f, 0.10f, 0.40f, 0.50f, 0.10f, 0.40f, 0.50f, 0.10f}))
            .then(sameCurve({{0, 0}, {0.2, 0.08}, {0.5, 0.5}, {0.8, 0.92}, {1, 1}})));
}
