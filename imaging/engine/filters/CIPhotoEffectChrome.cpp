#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectChromeFilter() {
    // Chrome film: vivid colours and a gentle S-curve.
    return fixedColorFilter("CIPhotoEffectChrome", "Chrome look: vivid colours, more contrast.",
                            ColorProgram::matrix(ColorMatrix::saturation(1.35f))
                                .then(sameCurve({{0, 0}, {0.25, 0.20}, {0.75, 0.82}, {1, 1}})));
}
