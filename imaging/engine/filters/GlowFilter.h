#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "imaging/engine/CIFilterDescriptor.h"
#include "imaging/operations/RowBands.h"

// Bloom and gloom: the picture blurred (growing by the blur's reach on every side) and
// blended with the sharp picture, pixel by pixel on premultiplied values.
class GlowFilter {
public:
    // The filter named name: the glow's inputs and extent, and Blend{intensity} giving
    // each output pixel from the sharp and the blurred one.
    template <typename Blend>
    static CIFilterDescriptor descriptor(std::string name, std::string doc) {
        CIFilterDescriptor descriptor;
        descriptor.name = std::move(name);
        descriptor.doc = std::move(doc);
        descriptor.inputs = inputs();
        descriptor.extent = extent;
        descriptor.render = [](const CIPixels& input, const CGRect&, const CIFilterParameters& p) {
            return render(input, p, Blend{p.number("inputIntensity")});
        };
        return descriptor;
    }

private:
    // How far the blur of this radius reaches, in whole pixels.
    static int reach(float radius);
    static CGRect extent(const CGRect& input, const CIFilterParameters& p);
    static std::vector<CIFilterInput> inputs();

    // blend(sharp pixel, blurred pixel) gives each output pixel; beyond the input the
    // sharp pixel is transparent. One pass over the rows, on the worker pool.
    template <typename Blend>
    static std::shared_ptr<CGImage> render(const CIPixels& input, const CIFilterParameters& p,
                                           const Blend& blend) {
        const int margin = reach(p.number("inputRadius"));
        const Blurred blurred = blur(*input.bitmap, margin);
        if (!blurred.glow) {
            return nullptr;
        }
        const CGImage& in = *input.bitmap;
        CGImage& out = *blurred.out;
        const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
        const auto width = static_cast<std::size_t>(out.width());
        const auto sharpBegin = static_cast<std::size_t>(margin);
        const std::size_t sharpEnd = sharpBegin + static_cast<std::size_t>(in.width());
        forEachRowBand(
            out.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
                std::vector<std::uint32_t> glowRow;
                for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
                    const std::uint32_t* g = blurred.row(y, glowRow);
                    auto* target = reinterpret_cast<std::uint32_t*>(out.mutableRow(y));
                    const int sharpRow = y - margin;
                    if (sharpRow < 0 || sharpRow >= in.height()) {
                        for (std::size_t x = 0; x < width; ++x) {
                            target[x] = blend(0u, g[x]);
                        }
                        continue;
                    }
                    const auto* sharp =
                        reinterpret_cast<const std::uint32_t*>(in.row(sharpRow)) - sharpBegin;
                    for (std::size_t x = 0; x < sharpBegin; ++x) {
                        target[x] = blend(0u, g[x]);
                    }
                    for (std::size_t x = sharpBegin; x < sharpEnd; ++x) {
                        target[x] = blend(sharp[x] | opaque, g[x]);
                    }
                    for (std::size_t x = sharpEnd; x < width; ++x) {
                        target[x] = blend(0u, g[x]);
                    }
                }
            });
        return blurred.out;
    }

    // From this reach on, the blur runs at half resolution: a quarter of the pixels and
    // half the taps, for a glow that looks the same.
    static constexpr int kHalvedFrom = 8;

    struct Blurred {
        std::shared_ptr<CGImage> glow;  // the padded, blurred picture, maybe at half size
        std::shared_ptr<CGImage> out;   // the output, its size, to be filled
        bool halved = false;

        // Row y of the glow at the output's size; a half-size glow is stretched into
        // buffer, between the centres of its pixels.
        const std::uint32_t* row(int y, std::vector<std::uint32_t>& buffer) const;
    };
    static Blurred blur(const CGImage& in, int margin);
};
