#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectMonoFilter() {
    // Classic monochrome film: grey with slightly lifted shadows and a cool tint.
    return fixedColorFilter("CIPhotoEffectMono", "Monochrome film look, slightly cool.",
                            ColorProgram::matrix(ColorMatrix::saturation(0))
                                .then(channelCurves({{0, 0.05}, {1, 0.96}}, {{0, 0.06}, {1, 0.97}},
                                                    {{0, 0.08}, {1, 1.0}})));
}
