#include "imaging/engine/filters/GlowFilter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "imaging/operations/BitmapRecycler.h"
#include "imaging/operations/GaussianKernel.h"

namespace {

// The sharp pixels laid in the middle of a transparent bitmap of the output's size.
std::shared_ptr<CGImage> padded(const CGImage& in, int margin) {
    auto result = CGImage::create(in.width() + 2 * margin, in.height() + 2 * margin,
                                  CGPixelFormat::ARGB32Premultiplied);
    if (!result) {
        return nullptr;
    }
    const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    const auto width = static_cast<std::size_t>(in.width());
    forEachRowBand(in.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
            const auto* source = reinterpret_cast<const std::uint32_t*>(in.row(y));
            auto* target =
                reinterpret_cast<std::uint32_t*>(result->mutableRow(y + margin)) + margin;
            for (std::size_t x = 0; x < width; ++x) {
                target[x] = source[x] | opaque;
            }
        }
    });
    return result;
}

// The padded picture at half size: each pixel the mean of a 2 × 2 block of it.
std::shared_ptr<CGImage> halfPadded(const CGImage& in, int margin) {
    const int width = (in.width() + 2 * margin + 1) / 2;
    const int height = (in.height() + 2 * margin + 1) / 2;
    auto result = CGImage::create(width, height, CGPixelFormat::ARGB32Premultiplied,
                                  CGImage::Contents::Uninitialized);
    if (!result) {
        return nullptr;
    }
    const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    const auto sharp = [&](int x, int y) -> std::uint32_t {
        x -= margin;
        y -= margin;
        if (x < 0 || y < 0 || x >= in.width() || y >= in.height()) {
            return 0;
        }
        return reinterpret_cast<const std::uint32_t*>(in.row(y))[x] | opaque;
    };
    forEachRowBand(
        static_cast<std::size_t>(height), rowsPerBandFor(static_cast<std::size_t>(width)),
        [&](std::size_t first, std::size_t end) {
            for (auto j = static_cast<int>(first); j < static_cast<int>(end); ++j) {
                auto* target = reinterpret_cast<std::uint32_t*>(result->mutableRow(j));
                for (int i = 0; i < width; ++i) {
                    // Channel pairs in 16 bits each: four bytes sum to at most 1020.
                    std::uint32_t rb = 0x00020002u;
                    std::uint32_t ag = 0x00020002u;
                    for (int k = 0; k < 4; ++k) {
                        const std::uint32_t p = sharp(2 * i + k % 2, 2 * j + k / 2);
                        rb += p & 0x00FF00FFu;
                        ag += (p >> 8) & 0x00FF00FFu;
                    }
                    target[i] = ((rb >> 2) & 0x00FF00FFu) | ((ag >> 2) & 0x00FF00FFu) << 8;
                }
            }
        });
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

std::vector<CIFilterInput> GlowFilter::inputs() {
    return {
        {"inputRadius", CIFilterInput::Kind::Number, 10.0, 0, 1000,
         "Reach of the blur in pixels; the output grows by it on every side."},
        {"inputIntensity", CIFilterInput::Kind::Number, 0.5, 0, 1,
         "Strength of the effect: 0 leaves the picture."},
    };
}

GlowFilter::Blurred GlowFilter::blur(const CGImage& in, int margin) {
    const bool halved = margin >= kHalvedFrom;
    auto out = BitmapRecycler::create(in.width() + 2 * margin, in.height() + 2 * margin);
    auto glow = halved ? halfPadded(in, margin) : padded(in, margin);
    if (!out || !glow) {
        return {};
    }
    // At full size the output is the blur's scratch picture, overwritten by the blend.
    auto scratch =
        halved ? CGImage::create(glow->width(), glow->height(), CGPixelFormat::ARGB32Premultiplied,
                                 CGImage::Contents::Uninitialized)
               : out;
    const GaussianKernel kernel(halved ? (margin + 1) / 2 : margin);
    if (!scratch || kernel.blur(*glow, *scratch) != kvImageNoError) {
        return {};
    }
    return {std::move(glow), std::move(out), halved};
}

const std::uint32_t* GlowFilter::Blurred::row(int y, std::vector<std::uint32_t>& buffer) const {
    if (!halved) {
        return reinterpret_cast<const std::uint32_t*>(glow->row(y));
    }
    // Output pixel x sits at x / 2 - 1/4 in the half-size picture: weights 3/4 on the
    // nearest pixel, 1/4 on the next one on its side, both ways.
    const auto nearAndFar = [](int i, int size) {
        const int near = i / 2;
        const int far = std::clamp(i % 2 == 0 ? near - 1 : near + 1, 0, size - 1);
        return std::pair{near, far};
    };
    const auto [nearRow, farRow] = nearAndFar(y, glow->height());
    const auto* near = reinterpret_cast<const std::uint32_t*>(glow->row(nearRow));
    const auto* far = reinterpret_cast<const std::uint32_t*>(glow->row(farRow));
    const auto columns = static_cast<std::size_t>(glow->width());
    // Red/blue and alpha/green channel pairs, each channel in 16 bits: 3·near + far.
    std::vector<std::uint32_t> pairs(2 * columns);
    for (std::size_t i = 0; i < columns; ++i) {
        pairs[2 * i] = 3 * (near[i] & 0x00FF00FFu) + (far[i] & 0x00FF00FFu);
        pairs[2 * i + 1] = 3 * ((near[i] >> 8) & 0x00FF00FFu) + ((far[i] >> 8) & 0x00FF00FFu);
    }
    const auto width = static_cast<std::size_t>(out->width());
    buffer.resize(width);
    for (std::size_t x = 0; x < width; ++x) {
        const auto [nearColumn, farColumn] =
            nearAndFar(static_cast<int>(x), static_cast<int>(columns));
        const auto n = static_cast<std::size_t>(nearColumn);
        const auto f = static_cast<std::size_t>(farColumn);
        const std::uint32_t rb = (3 * pairs[2 * n] + pairs[2 * f] + 0x00080008u) >> 4;
        const std::uint32_t ag = (3 * pairs[2 * n + 1] + pairs[2 * f + 1] + 0x00080008u) >> 4;
        buffer[x] = (rb & 0x00FF00FFu) | (ag & 0x00FF00FFu) << 8;
    }
    return buffer.data();
}
