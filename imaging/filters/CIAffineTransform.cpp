#include <algorithm>
#include <cmath>

#include "imaging/RowBands.h"
#include "imaging/filters/BuiltInFilters.h"
#include "imaging/filters/PixelPlacement.h"

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

// Two 8-bit lerps at once on the red/blue and alpha/green byte pairs.
inline std::uint32_t lerp(std::uint32_t a, std::uint32_t b, std::uint32_t t) {
    const std::uint32_t u = 256 - t;
    const std::uint32_t rb =
        (((a & 0x00FF00FFu) * u + (b & 0x00FF00FFu) * t + 0x00800080u) >> 8) & 0x00FF00FFu;
    const std::uint32_t ag =
        ((((a >> 8) & 0x00FF00FFu) * u + ((b >> 8) & 0x00FF00FFu) * t + 0x00800080u) >> 8) &
        0x00FF00FFu;
    return rb | ag << 8;
}

// Source positions in fixed point with 32 fractional bits, stepped along each row;
// the bilinear weights use the top 8 of them, rounded, so whole-pixel positions (a
// quarter turn) copy pixels exactly. The offset keeps values positive, so a shift
// rounds down.
constexpr int kFractionBits = 32;
constexpr std::int64_t kOffsetPixels = 1 << 20;

inline std::int64_t toFixed(double position) {
    const double scaled = (position + kOffsetPixels) * 4294967296.0 + 8388608.0;  // + 1/512
    return static_cast<std::int64_t>(scaled);
}

class BilinearSampler {
public:
    explicit BilinearSampler(const CGImage& image)
        : image_(image), opaque_(image.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0) {}

    // The picture at fixed-point position (u, v) (pixel centres at whole numbers);
    // transparent beyond the edges, so the turned picture's edges are smooth.
    std::uint32_t sample(std::int64_t u, std::int64_t v) const {
        const auto x = static_cast<int>((u >> kFractionBits) - kOffsetPixels);
        const auto y = static_cast<int>((v >> kFractionBits) - kOffsetPixels);
        const auto tx = static_cast<std::uint32_t>((u >> (kFractionBits - 8)) & 0xFF);
        const auto ty = static_cast<std::uint32_t>((v >> (kFractionBits - 8)) & 0xFF);
        if (x >= 0 && y >= 0 && x + 1 < image_.width() && y + 1 < image_.height()) {
            const auto* upper = reinterpret_cast<const std::uint32_t*>(image_.row(y)) + x;
            const auto* lower = reinterpret_cast<const std::uint32_t*>(image_.row(y + 1)) + x;
            return lerp(lerp(upper[0] | opaque_, upper[1] | opaque_, tx),
                        lerp(lower[0] | opaque_, lower[1] | opaque_, tx), ty);
        }
        if (x < -1 || y < -1 || x >= image_.width() || y >= image_.height()) {
            return 0;
        }
        return lerp(lerp(at(x, y), at(x + 1, y), tx), lerp(at(x, y + 1), at(x + 1, y + 1), tx), ty);
    }

private:
    std::uint32_t at(int x, int y) const {
        if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
            return 0;
        }
        return reinterpret_cast<const std::uint32_t*>(image_.row(y))[x] | opaque_;
    }

    const CGImage& image_;
    std::uint32_t opaque_;
};

std::shared_ptr<CGImage> renderAffine(const CIPixels& input, const CGRect& outputExtent,
                                      const CIFilterParameters& p) {
    auto out = CGImage::create(
        static_cast<int>(outputExtent.width()), static_cast<int>(outputExtent.height()),
        CGPixelFormat::ARGB32Premultiplied, CGImage::Contents::Uninitialized);
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
            std::int64_t u = toFixed(start.x - source.minX() - 0.5);
            std::int64_t v = toFixed(source.maxY() - start.y - 0.5);
            for (std::size_t x = 0; x < width; ++x, u += stepU, v += stepV) {
                target[x] = sampler.sample(u, v);
            }
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
