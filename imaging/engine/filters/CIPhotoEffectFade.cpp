#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectFadeFilter() {
    // A faded print: washed-out colours, grey blacks, dimmer whites.
    return fixedColorFilter("CIPhotoEffectFade", "Faded look: washed-out colours, grey blacks.",
                            ColorProgram::matrix(ColorMatrix::saturation(0.6f))
                                .then(sameCurve({{0, 0.16}, {0.5, 0.54}, {1, 0.92}})));
}
