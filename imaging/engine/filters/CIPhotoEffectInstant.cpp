#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectInstantFilter() {
    // Instant film: a little muted, warm, with lifted blacks and soft highlights.
    return fixedColorFilter("CIPhotoEffectInstant",
                            "Instant-film look: warm, muted, with faded blacks.",
                            ColorProgram::matrix(ColorMatrix::saturation(0.85f))
                                .then(channelCurves({{0, 0.08}, {0.5, 0.56}, {1, 0.98}},
                                                    {{0, 0.06}, {0.5, 0.52}, {1, 0.95}},
                                                    {{0, 0.10}, {0.5, 0.45}, {1, 0.85}})));
}
