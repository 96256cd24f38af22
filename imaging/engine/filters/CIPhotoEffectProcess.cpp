#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PhotoLook.h"

CIFilterDescriptor photoEffectProcessFilter() {
    // Cross-processed film: cool, green-tinted shadows, warm highlights, more contrast.
    return fixedColorFilter("CIPhotoEffectProcess",
                            "Cross-processed look: cool shadows, warm highlights.",
                            channelCurves({{0, 0.0}, {0.25, 0.18}, {0.75, 0.82}, {1, 1}},
                                          {{0, 0.05}, {0.25, 0.26}, {0.75, 0.78}, {1, 0.96}},
                                          {{0, 0.15}, {0.5, 0.5}, {1, 0.80}}));
}
