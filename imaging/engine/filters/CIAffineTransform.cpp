#include <algorithm>
#include <cmath>

#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PixelPlacement.h"
#include "imaging/operations/BilinearSampler.h"
#include "imaging/operations/BitmapRecycler.h"
#include "imaging/operations/RowBands.h"

namespace {

// Edges that miss a whole pixel only by rounding (a quarter turn's cos(π/2)) are taken
// as whole, so such a turn keeps the picture's exact size.
double snapped(double v) {
    const double nearest = std::round(v);
    return std::abs(v - nearest) < 1e-6 ? nearest : v;
}

CGRect transformedExtent(const CGRect& input, const CIFilterParameters& p) {
    const CGRect box = input.applying(p.transform("inputTransform"));
    const double minX = std::floor(snapped(box.minX()));
    const double minY = std::floor(snapped(box.minY()));
    return {minX, minY, std::ceil(snapped(box.maxX())) - minX,
            std::ceil(snapped(box.maxY())) - minY};
}

std::shared_ptr<CGImage> renderAffine(const CIPixels& input, const CGRect& outputExtent,
                                      const CIFilterParameters& p) {
    auto out = BitmapRecycler::create(static_cast<int>(outputExtent.width()),
                                      static_cast<int>(outputExtent.height()));
    if (!out) {
        return nullptr;
    }
    const CGAffineTransform inverse = p.transform("inputTransform").inverted();
    const BilinearSampler sampler(*input.bitmap);
    const CGRect& source = input.extent;
    // One output pixel to the right moves the source position by (a, -b) pixels.
    const auto stepU = static_cast<std::int64_t>(std::llround(inverse.a * 4294967296.0));
    const auto stepV = static_cast<std::int64_t>(std::llround(-inverse.b * 4294967296.0));
    const auto width = static_cast<std::size_t>(out->width());
    forEachRowBand(out->height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto row = static_cast<int>(first); row < static_cast<int>(end); ++row) {
            auto* target = reinterpret_cast<std::uint32_t*>(out->mutableRow(row));
            const CGPoint start = inverse.apply(pixelCentre(outputExtent, 0, row));
            // Source position in pixels (u right, v down) of the row's first pixel.
            sampler.sampleRow(BilinearSampler::toFixed(start.x - source.minX() - 0.5),
                              BilinearSampler::toFixed(source.maxY() - start.y - 0.5), stepU, stepV,
                              target, width);
        }
    });
    return out;
}

}  // namespace

CIFilterDescriptor affineTransformFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIAffineTransform";
    descriptor.doc = "Moves, turns and scales the picture; samples bilinearly.";
    descriptor.inputs = {
        {"inputTransform", CIFilterInput::Kind::Transform, CGAffineTransform::identity(), 0, 0,
         "The transform, y up; the output covers the transformed picture's bounding box."},
    };
    descriptor.extent = transformedExtent;
    descriptor.render = renderAffine;
    return descriptor;
}
