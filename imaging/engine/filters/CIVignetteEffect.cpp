#include <algorithm>
#include <cmath>

#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PixelPlacement.h"
#include "imaging/operations/RowBands.h"

namespace {

float smoothstep(float edge0, float edge1, float x) {
    if (edge1 <= edge0) {
        return x < edge0 ? 0.0f : 1.0f;
    }
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

std::shared_ptr<CGImage> renderVignette(const CIPixels& input, const CGRect&,
                                        const CIFilterParameters& p) {
    const CGImage& in = *input.bitmap;
    auto out = CGImage::create(in.width(), in.height(), CGPixelFormat::ARGB32Premultiplied,
                               CGImage::Contents::Uninitialized);
    if (!out) {
        return nullptr;
    }
    const CIVector centre = p.vector("inputCenter");
    const float radius = p.number("inputRadius");
    const float intensity = p.number("inputIntensity");
    const float falloff = p.number("inputFalloff");
    const float inner = radius * (1 - falloff);
    const float outer = radius * (1 + falloff);
    const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    const auto width = static_cast<std::size_t>(in.width());
    forEachRowBand(in.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto row = static_cast<int>(first); row < static_cast<int>(end); ++row) {
            const auto* source = reinterpret_cast<const std::uint32_t*>(in.row(row));
            auto* target = reinterpret_cast<std::uint32_t*>(out->mutableRow(row));
            const auto dy = static_cast<float>(pixelCentre(input.extent, 0, row).y - centre.y());
            for (std::size_t x = 0; x < width; ++x) {
                const auto dx =
                    static_cast<float>(pixelCentre(input.extent, x, row).x - centre.x());
                const float factor =
                    1 - intensity * smoothstep(inner, outer, std::sqrt(dx * dx + dy * dy));
                const std::uint32_t pixel = source[x] | opaque;
                const std::uint32_t alpha = pixel >> 24;
                std::uint32_t result = alpha << 24;
                for (int shift = 0; shift < 24; shift += 8) {
                    const float c = static_cast<float>((pixel >> shift) & 0xFF) * factor + 0.5f;
                    result |= std::min(alpha, static_cast<std::uint32_t>(std::max(c, 0.0f)))
                              << shift;
                }
                target[x] = result;
            }
        }
    });
    return out;
}

}  // namespace

CIFilterDescriptor vignetteEffectFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIVignetteEffect";
    descriptor.doc = "Darkens the picture with the distance from a centre, beyond a radius.";
    descriptor.inputs = {
        {"inputCenter", CIFilterInput::Kind::Vector, CIVector::withX(150, 150), 0, 0,
         "Centre of the light area, in pixels, y up."},
        {"inputRadius", CIFilterInput::Kind::Number, 150.0, 0, 1e5,
         "Distance in pixels where the darkening is half done."},
        {"inputIntensity", CIFilterInput::Kind::Number, 1.0, -1, 1,
         "How dark the outside gets: 1 black, 0 unchanged, negative brightens."},
        {"inputFalloff", CIFilterInput::Kind::Number, 0.5, 0, 1,
         "Width of the soft edge as a fraction of the radius, each side."},
    };
    descriptor.render = renderVignette;
    return descriptor;
}
