#pragma once

#include "imaging/engine/CIFilterDescriptor.h"

// One function per filter, each in its own file, each building its descriptor. The
// registry lists them (CIFilterRegistry.cpp).
CIFilterDescriptor sRGBToneCurveToLinearFilter();
CIFilterDescriptor linearToSRGBToneCurveFilter();
CIFilterDescriptor photoEffectInstantFilter();
CIFilterDescriptor photoEffectProcessFilter();
CIFilterDescriptor photoEffectTransferFilter();
CIFilterDescriptor photoEffectChromeFilter();
CIFilterDescriptor photoEffectFadeFilter();
CIFilterDescriptor photoEffectTonalFilter();
CIFilterDescriptor photoEffectNoirFilter();
CIFilterDescriptor photoEffectMonoFilter();
CIFilterDescriptor sepiaToneFilter();
CIFilterDescriptor colorInvertFilter();
CIFilterDescriptor colorPosterizeFilter();
CIFilterDescriptor colorControlsFilter();
CIFilterDescriptor exposureAdjustFilter();
CIFilterDescriptor gammaAdjustFilter();
CIFilterDescriptor hueAdjustFilter();
CIFilterDescriptor highlightShadowAdjustFilter();
CIFilterDescriptor toneCurveFilter();
CIFilterDescriptor vignetteEffectFilter();
CIFilterDescriptor bloomFilter();
CIFilterDescriptor gloomFilter();
CIFilterDescriptor pixellateFilter();
CIFilterDescriptor affineTransformFilter();
