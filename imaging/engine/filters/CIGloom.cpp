#include <algorithm>

#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/GlowFilter.h"

namespace {

// Multiply by the blurred colour (unpremultiplied), lerped by the intensity; alpha stays.
struct Multiply {
    float intensity;

    std::uint32_t operator()(std::uint32_t sharp, std::uint32_t blurred) const {
        const std::uint32_t alphaBits = sharp & 0xFF000000u;
        const auto alpha = static_cast<float>(sharp >> 24);
        const auto blurredAlpha = static_cast<float>(blurred >> 24);
        const float perLevel = blurredAlpha > 0 ? intensity / blurredAlpha : 0.0f;
        std::uint32_t result = alphaBits;
        for (int shift = 0; shift < 24; shift += 8) {
            const auto s = static_cast<float>((sharp >> shift) & 0xFF);
            const auto b = static_cast<float>((blurred >> shift) & 0xFF);
            const float c = std::clamp(s * (1 - intensity + b * perLevel), 0.0f, alpha);
            result |= static_cast<std::uint32_t>(c + 0.5f) << shift;
        }
        return result;
    }
};

}  // namespace

CIFilterDescriptor gloomFilter() {
    return GlowFilter::descriptor<Multiply>(
        "CIGloom", "Dulled highlights: the sharp picture multiplied by its blurred colours.");
}
