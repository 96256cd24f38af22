#include "imaging/filters/GlowFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "imaging/GaussianKernel.h"
#include "imaging/RowBands.h"

namespace {

// The sharp pixels laid in the middle of a transparent bitmap of the output's size.
std::shared_ptr<CGImage> padded(const CGImage& in, int margin) {
    auto result = CGImage::create(in.width() + 2 * margin, in.height() + 2 * margin,
                                  CGPixelFormat::ARGB32Premultiplied);
    if (!result) {
        return nullptr;
    }
    const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    for (int y = 0; y < in.height(); ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(in.row(y));
        auto* target = reinterpret_cast<std::uint32_t*>(result->mutableRow(y + margin)) + margin;
        for (int x = 0; x < in.width(); ++x) {
            target[x] = source[x] | opaque;
        }
    }
    return result;
}

}  // namespace

int GlowFilter::reach(float radius) {
    return static_cast<int>(std::ceil(std::max(radius, 0.0f)));
}

CGRect GlowFilter::extent(const CGRect& input, const CIFilterParameters& p) {
    const double margin = reach(p.number("inputRadius"));
    return input.insetBy(-margin, -margin);
}

std::shared_ptr<CGImage> GlowFilter::render(const CIPixels& input, const CGRect&,
                                            const CIFilterParameters& p, const Blend& blend,
                                            bool blendAlpha) {
    const int margin = reach(p.number("inputRadius"));
    const CGImage& in = *input.bitmap;
    auto blurred = padded(in, margin);
    if (!blurred) {
        return nullptr;
    }
    // The blur's scratch picture becomes the output once the blur is done.
    auto out =
        CGImage::create(blurred->width(), blurred->height(), CGPixelFormat::ARGB32Premultiplied,
                        CGImage::Contents::Uninitialized);
    if (!out || GaussianKernel(margin).blur(*blurred, *out) != kvImageNoError) {
        return nullptr;
    }
    const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    const auto width = static_cast<std::size_t>(out->width());
    forEachRowBand(out->height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
            const int sharpRow = y - margin;
            const bool rowInside = sharpRow >= 0 && sharpRow < in.height();
            const auto* sharp =
                rowInside ? reinterpret_cast<const std::uint32_t*>(in.row(sharpRow)) : nullptr;
            const auto* glow = reinterpret_cast<const std::uint32_t*>(blurred->row(y));
            auto* target = reinterpret_cast<std::uint32_t*>(out->mutableRow(y));
            for (int x = 0; x < static_cast<int>(width); ++x) {
                const int sharpColumn = x - margin;
                const bool inside = rowInside && sharpColumn >= 0 && sharpColumn < in.width();
                const std::uint32_t s = inside ? (sharp[sharpColumn] | opaque) : 0;
                const std::uint32_t g = glow[x];
                const auto sa = static_cast<float>(s >> 24);
                const auto ga = static_cast<float>(g >> 24);
                const float alpha =
                    blendAlpha ? std::clamp(blend(sa, ga, sa, ga), 0.0f, 255.0f) : sa;
                std::uint32_t result = static_cast<std::uint32_t>(alpha + 0.5f) << 24;
                for (int shift = 0; shift < 24; shift += 8) {
                    const float c = blend(static_cast<float>((s >> shift) & 0xFF),
                                          static_cast<float>((g >> shift) & 0xFF), sa, ga);
                    result |= static_cast<std::uint32_t>(std::clamp(c, 0.0f, alpha) + 0.5f)
                              << shift;
                }
                target[x] = result;
            }
        }
    });
    return out;
}

std::vector<CIFilterInput> GlowFilter::inputs() {
    return {
        {"inputRadius", CIFilterInput::Kind::Number, 10.0, 0, 1000,
         "Reach of the blur in pixels; the output grows by it on every side."},
        {"inputIntensity", CIFilterInput::Kind::Number, 0.5, 0, 1,
         "Strength of the effect: 0 leaves the picture."},
    };
}
