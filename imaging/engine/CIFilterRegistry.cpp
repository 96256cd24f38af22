#include "imaging/engine/CIFilterRegistry.h"

#include "imaging/engine/filters/BuiltInFilters.h"

namespace {

// Every filter of the engine, in one place.
std::vector<CIFilterDescriptor> makeFilters() {
    return {
        sRGBToneCurveToLinearFilter(),
        linearToSRGBToneCurveFilter(),
        photoEffectInstantFilter(),
        photoEffectProcessFilter(),
        photoEffectTransferFilter(),
        photoEffectChromeFilter(),
        photoEffectFadeFilter(),
        photoEffectTonalFilter(),
        photoEffectNoirFilter(),
        photoEffectMonoFilter(),
        sepiaToneFilter(),
        colorInvertFilter(),
        colorPosterizeFilter(),
        colorControlsFilter(),
        exposureAdjustFilter(),
        gammaAdjustFilter(),
        hueAdjustFilter(),
        highlightShadowAdjustFilter(),
        toneCurveFilter(),
        vignetteEffectFilter(),
        bloomFilter(),
        gloomFilter(),
        pixellateFilter(),
        affineTransformFilter(),
    };
}

}  // namespace

const std::vector<const CIFilterDescriptor*>& CIFilterRegistry::allDescriptors() {
    static const std::vector<CIFilterDescriptor> filters = makeFilters();
    static const std::vector<const CIFilterDescriptor*> pointers = [] {
        std::vector<const CIFilterDescriptor*> result;
        for (const CIFilterDescriptor& filter : filters) {
            result.push_back(&filter);
        }
        return result;
    }();
    return pointers;
}

const CIFilterDescriptor* CIFilterRegistry::descriptorNamed(const std::string& name) {
    for (const CIFilterDescriptor* filter : allDescriptors()) {
        if (filter->name == name) {
            return filter;
        }
    }
    return nullptr;
}
