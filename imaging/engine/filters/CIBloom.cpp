#include <algorithm>

#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/GlowFilter.h"

namespace {

// Screen: brightens, never beyond white; alpha is screened too.
struct Screen {
    float intensity;

    float channel(std::uint32_t sharp, std::uint32_t blurred, int shift) const {
        const auto s = static_cast<float>((sharp >> shift) & 0xFF);
        const float glow = intensity * static_cast<float>((blurred >> shift) & 0xFF);
        return s + glow - s * glow / 255;
    }

    std::uint32_t operator()(std::uint32_t sharp, std::uint32_t blurred) const {
        const float alpha = std::clamp(channel(sharp, blurred, 24), 0.0f, 255.0f);
        std::uint32_t result = static_cast<std::uint32_t>(alpha + 0.5f) << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            const float c = std::clamp(channel(sharp, blurred, shift), 0.0f, alpha);
            result |= static_cast<std::uint32_t>(c + 0.5f) << shift;
        }
        return result;
    }
};

}  // namespace

CIFilterDescriptor bloomFilter() {
    return GlowFilter::descriptor<Screen>(
        "CIBloom", "A soft glow: the blurred picture screened over the sharp one.");
}
