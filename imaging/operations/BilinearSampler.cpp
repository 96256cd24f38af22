#include "imaging/operations/BilinearSampler.h"

#include <algorithm>
#include <cstring>

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

}  // namespace

std::int64_t BilinearSampler::toFixed(double position) {
    const double scaled = (position + kOffsetPixels) * 4294967296.0 + 8388608.0;  // + 1/512
    return static_cast<std::int64_t>(scaled);
}

BilinearSampler::BilinearSampler(const CGImage& image)
    : image_(image), opaque_(image.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0) {}

std::uint32_t BilinearSampler::sample(std::int64_t u, std::int64_t v) const {
    const int x = bilinear::wholePixels(u);
    const int y = bilinear::wholePixels(v);
    const std::uint32_t tx = bilinear::weight(u);
    const std::uint32_t ty = bilinear::weight(v);
    if (x >= 0 && y >= 0 && x + 1 < image_.width() && y + 1 < image_.height()) {
        const auto* upper = reinterpret_cast<const std::uint32_t*>(image_.row(y)) + x;
        const auto* lower = reinterpret_cast<const std::uint32_t*>(image_.row(y + 1)) + x;
        return bilinear::lerp(bilinear::lerp(upper[0] | opaque_, upper[1] | opaque_, tx),
                              bilinear::lerp(lower[0] | opaque_, lower[1] | opaque_, tx), ty);
    }
    if (x < -1 || y < -1 || x >= image_.width() || y >= image_.height()) {
        return 0;
    }
    return bilinear::lerp(bilinear::lerp(at(x, y), at(x + 1, y), tx),
                          bilinear::lerp(at(x, y + 1), at(x + 1, y + 1), tx), ty);
}

void BilinearSampler::sampleRow(std::int64_t u, std::int64_t v, std::int64_t stepU,
                                std::int64_t stepV, std::uint32_t* out, std::size_t count) const {
    const auto intersect = [](Span a, Span b) {
        const Span both{std::max(a.begin, b.begin), std::min(a.end, b.end)};
        return both.begin < both.end ? both : Span{0, 0};
    };
    const int w = image_.width();
    const int h = image_.height();
    // Samples that touch the picture at all, and those whose neighbourhood is inside it.
    const Span touching =
        intersect(within(u, stepU, -1, w - 1, count), within(v, stepV, -1, h - 1, count));
    Span inside = intersect(within(u, stepU, 0, w - 2, count), within(v, stepV, 0, h - 2, count));
    if (inside.begin == inside.end) {
        inside = {touching.end, touching.end};
    }
    std::fill(out, out + touching.begin, 0u);
    for (std::size_t x = touching.begin; x < inside.begin; ++x) {
        out[x] = sample(u + static_cast<std::int64_t>(x) * stepU,
                        v + static_cast<std::int64_t>(x) * stepV);
    }
    const bilinear::Source source{image_.data(), image_.bytesPerRow(), opaque_};
    const auto first = static_cast<std::int64_t>(inside.begin);
    bilinear::sampleInside(source, u + first * stepU, v + first * stepV, stepU, stepV,
                           out + inside.begin, inside.end - inside.begin);
    for (std::size_t x = inside.end; x < touching.end; ++x) {
        out[x] = sample(u + static_cast<std::int64_t>(x) * stepU,
                        v + static_cast<std::int64_t>(x) * stepV);
    }
    std::fill(out + touching.end, out + count, 0u);
}

BilinearSampler::Span BilinearSampler::within(std::int64_t start, std::int64_t step,
                                              std::int64_t first, std::int64_t last,
                                              std::size_t count) {
    // first ≤ wholePixels(start + x · step) ≤ last, as low ≤ position < high.
    const std::int64_t low = (first + kOffsetPixels) << kFractionBits;
    const std::int64_t high = (last + 1 + kOffsetPixels) << kFractionBits;
    std::int64_t begin = 0;
    auto end = static_cast<std::int64_t>(count);
    if (step > 0) {
        begin = ceilDiv(low - start, step);
        end = ceilDiv(high - start, step);
    } else if (step < 0) {
        begin = floorDiv(start - high, -step) + 1;
        end = floorDiv(start - low, -step) + 1;
    } else if (start < low || start >= high) {
        end = 0;
    }
    begin = std::clamp<std::int64_t>(begin, 0, static_cast<std::int64_t>(count));
    end = std::clamp<std::int64_t>(end, begin, static_cast<std::int64_t>(count));
    return {static_cast<std::size_t>(begin), static_cast<std::size_t>(end)};
}

std::uint32_t BilinearSampler::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) {
        return 0;
    }
    return reinterpret_cast<const std::uint32_t*>(image_.row(y))[x] | opaque_;
}
