#include "imaging/operations/BitmapDrawing.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/kernels/HalfSize.h"
#include "imaging/kernels/ResampleKernels.h"
#include "imaging/kernels/ResampleWeights.h"
#include "imaging/operations/BitmapConversion.h"
#include "imaging/operations/BitmapRecycler.h"
#include "imaging/operations/RowBands.h"

namespace {

struct Spot {
    std::ptrdiff_t x;
    std::ptrdiff_t y;
};

// Where pixel (i, j) of a w × h window lands once the window stands upright.
Spot place(UIImageOrientation orientation, std::ptrdiff_t i, std::ptrdiff_t j, std::ptrdiff_t w,
           std::ptrdiff_t h) {
    switch (orientation) {
        case UIImageOrientation::Up:
            return {i, j};
        case UIImageOrientation::Down:
            return {w - 1 - i, h - 1 - j};
        case UIImageOrientation::Left:
            return {j, w - 1 - i};
        case UIImageOrientation::Right:
            return {h - 1 - j, i};
        case UIImageOrientation::UpMirrored:
            return {w - 1 - i, j};
        case UIImageOrientation::DownMirrored:
            return {i, h - 1 - j};
        case UIImageOrientation::LeftMirrored:
            return {j, i};
        case UIImageOrientation::RightMirrored:
            return {h - 1 - j, w - 1 - i};
    }
    return {i, j};
}

// Window pixel (i, j) is written at origin + i·stepI + j·stepJ.
struct OrientedWriter {
    std::uint32_t* origin;
    std::ptrdiff_t stepI;
    std::ptrdiff_t stepJ;
};

OrientedWriter makeWriter(CGImage& result, UIImageOrientation orientation, int w, int h) {
    const auto stride = static_cast<std::ptrdiff_t>(result.bytesPerRow() / 4);
    const Spot p00 = place(orientation, 0, 0, w, h);
    const Spot p10 = place(orientation, 1, 0, w, h);
    const Spot p01 = place(orientation, 0, 1, w, h);
    auto* pixels = reinterpret_cast<std::uint32_t*>(result.mutableData());
    return {pixels + p00.x + p00.y * stride, (p10.x - p00.x) + (p10.y - p00.y) * stride,
            (p01.x - p00.x) + (p01.y - p00.y) * stride};
}

class Resampler {
public:
    Resampler(const CGImage& source, const BitmapPlacement& placement)
        : source_(source),
          columns_(source.width(), placement.drawWidth, placement.windowX, placement.windowWidth),
          rows_(source.height(), placement.drawHeight, placement.windowY, placement.windowHeight),
          opaque_(source.format() == CGPixelFormat::RGB32) {
        firstColumn_ = source.width();
        for (int i = 0; i < columns_.count(); ++i) {
            if (columns_.tapCount(i) > 0) {
                firstColumn_ = std::min(firstColumn_, columns_.start(i));
                endColumn_ = std::max(endColumn_, columns_.start(i) + columns_.tapCount(i));
            }
        }
    }

    void run(const OrientedWriter& writer) const {
        const std::size_t width = static_cast<std::size_t>(columns_.count());
        forEachRowBand(
            rows_.count(), rowsPerBandFor(std::max<std::size_t>(width, 1) * 4),
            [&](std::size_t first, std::size_t end) {
                std::vector<std::int16_t> sums(static_cast<std::size_t>(source_.width()) * 4);
                std::vector<const std::uint8_t*> taps;
                for (auto j = static_cast<int>(first); j < static_cast<int>(end); ++j) {
                    sumRows(j, sums, taps);
                    resample::horizontal(
                        {sums.data(), columns_, rows_.tapCount(j) > 0, opaque_ ? 0xFF000000u : 0u},
                        writer.origin + j * writer.stepJ, writer.stepI);
                }
            });
    }

private:
    void sumRows(int j, std::vector<std::int16_t>& sums,
                 std::vector<const std::uint8_t*>& taps) const {
        if (endColumn_ <= firstColumn_) {
            return;
        }
        taps.clear();
        for (int t = 0; t < rows_.tapCount(j); ++t) {
            taps.push_back(source_.row(rows_.start(j) + t));
        }
        resample::vertical(taps.data(), rows_.weights(j), rows_.tapCount(j), sums.data(),
                           static_cast<std::size_t>(firstColumn_) * 4,
                           static_cast<std::size_t>(endColumn_) * 4);
    }

    const CGImage& source_;
    ResampleWeights columns_;
    ResampleWeights rows_;
    bool opaque_;
    int firstColumn_ = 0;
    int endColumn_ = 0;
};

// Whether the placement draws the whole source at exactly half its size, upright rows
// running left to right: then each pixel is a 2 × 2 mean.
bool halvesWhole(const CGImage& source, const BitmapPlacement& p, const OrientedWriter& writer) {
    return p.drawWidth * 2 == source.width() && p.drawHeight * 2 == source.height() &&
           p.windowX == 0 && p.windowY == 0 && p.windowWidth == p.drawWidth &&
           p.windowHeight == p.drawHeight && writer.stepI == 1;
}

// The 2 × 2 means: the same pixels as the resampler gives for half the size, without
// working out its weights.
void drawHalf(const CGImage& source, const OrientedWriter& writer) {
    const auto width = static_cast<std::size_t>(source.width() / 2);
    const std::uint32_t opaqueBits = source.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0u;
    const auto row = [&](std::size_t y) {
        return reinterpret_cast<const std::uint32_t*>(source.row(static_cast<int>(y)));
    };
    forEachRowBand(static_cast<std::size_t>(source.height() / 2), rowsPerBandFor(width * 4),
                   [&](std::size_t first, std::size_t end) {
                       for (std::size_t j = first; j < end; ++j) {
                           halfsize::mean(
                               row(2 * j), row(2 * j + 1),
                               writer.origin + static_cast<std::ptrdiff_t>(j) * writer.stepJ, width,
                               opaqueBits);
                       }
                   });
}

// The stored pixel that ends up at upright pixel (x, y) of a w × h (stored) bitmap.
Spot unplace(UIImageOrientation orientation, std::ptrdiff_t x, std::ptrdiff_t y, std::ptrdiff_t w,
             std::ptrdiff_t h) {
    switch (orientation) {
        case UIImageOrientation::Left:
            return {w - 1 - y, x};
        case UIImageOrientation::Right:
            return {y, h - 1 - x};
        case UIImageOrientation::RightMirrored:
            return {w - 1 - y, h - 1 - x};
        default:  // the other five are their own inverses
            return place(orientation, x, y, w, h);
    }
}

bool isAcceptablePlacement(const CGImage& source, const BitmapPlacement& p) {
    return source.width() > 0 && source.height() > 0 && p.drawWidth > 0 && p.drawHeight > 0 &&
           CGImage::isAcceptableSize(p.windowWidth, p.windowHeight);
}

}  // namespace

std::shared_ptr<CGImage> BitmapDrawing::draw(const CGImage& source,
                                             const BitmapPlacement& placement,
                                             UIImageOrientation orientation) {
    if (!isAcceptablePlacement(source, placement)) {
        return nullptr;
    }
    std::shared_ptr<CGImage> converted;
    if (source.format() == CGPixelFormat::Grey8) {
        converted = BitmapConversion::toPremultipliedARGB(source);
        if (!converted) {
            return nullptr;
        }
    }
    const CGImage& pixels = converted ? *converted : source;
    const bool turned = isQuarterTurned(orientation);
    const int width = turned ? placement.windowHeight : placement.windowWidth;
    const int height = turned ? placement.windowWidth : placement.windowHeight;
    // Every pixel is written below, so a recycled bitmap serves, as for renders.
    auto result = BitmapRecycler::create(width, height);
    if (!result) {
        return nullptr;
    }
    const OrientedWriter writer =
        makeWriter(*result, orientation, placement.windowWidth, placement.windowHeight);
    if (halvesWhole(pixels, placement, writer)) {
        drawHalf(pixels, writer);
    } else {
        Resampler(pixels, placement).run(writer);
    }
    return result;
}

std::shared_ptr<CGImage> BitmapDrawing::cropUpright(const CGImage& source,
                                                    UIImageOrientation orientation, int x, int y,
                                                    int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    const Spot a = unplace(orientation, x, y, source.width(), source.height());
    const Spot b =
        unplace(orientation, x + width - 1, y + height - 1, source.width(), source.height());
    const auto left = static_cast<int>(std::min(a.x, b.x));
    const auto top = static_cast<int>(std::min(a.y, b.y));
    const bool turned = isQuarterTurned(orientation);
    const BitmapPlacement window{source.width(),          source.height(),        left, top,
                                 turned ? height : width, turned ? width : height};
    return draw(source, window, orientation);
}

CGImageRef BitmapDrawing::upright(const CGImageRef& source, UIImageOrientation orientation) {
    if (!source) {
        return nullptr;
    }
    if (orientation == UIImageOrientation::Up &&
        source->format() == CGPixelFormat::ARGB32Premultiplied) {
        return source;
    }
    if (orientation == UIImageOrientation::Up) {
        return BitmapConversion::toPremultipliedARGB(*source);
    }
    const BitmapPlacement whole{source->width(), source->height(), 0, 0,
                                source->width(), source->height()};
    return draw(*source, whole, orientation);
}
