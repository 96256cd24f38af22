#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectTransferFilter() {
    // Old transfer print: golden and warm, with deep, slightly crushed shadows.
    return fixedColorFilter(
        "CIPhotoEffectTransfer", "Vintage transfer look: golden tones, rich shadows.",
        ColorProgram::matrix(ColorMatrix::saturation(1.1f))
            .then(channelCurves({{0, 0.02}, {0.3, 0.30}, {0.7, 0.80}, {1, 1}},
                                {{0, 0.0}, {0.3, 0.27}, {0.7, 0.73}, {1, 0.97}},
                                {{0, 0.0}, {0.3, 0.22}, {0.7, 0.60}, {1, 0.82}})));
}
