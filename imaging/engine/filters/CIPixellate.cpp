#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/engine/filters/BuiltInFilters.h"
#include "imaging/engine/filters/PixelPlacement.h"
#include "imaging/operations/RowBands.h"

namespace {

// Where the blocks along one axis begin: a pixel belongs to the block whose centre,
// on a grid of the scale through the centre, is nearest to the pixel's centre.
// positions(i) is pixel i's centre along the axis; the last entry is the count.
template <typename Position>
std::vector<int> blockStarts(int count, double centre, double scale, const Position& position) {
    std::vector<int> starts;
    double previous = 0;
    for (int i = 0; i < count; ++i) {
        const double block = std::floor((position(i) - centre) / scale + 0.5);
        if (i == 0 || block != previous) {
            starts.push_back(i);
        }
        previous = block;
    }
    starts.push_back(count);
    return starts;
}

std::shared_ptr<CGImage> renderPixellate(const CIPixels& input, const CGRect&,
                                         const CIFilterParameters& p) {
    const CGImage& in = *input.bitmap;
    auto out = CGImage::create(in.width(), in.height(), CGPixelFormat::ARGB32Premultiplied,
                               CGImage::Contents::Uninitialized);
    if (!out) {
        return nullptr;
    }
    const CIVector centre = p.vector("inputCenter");
    const double scale = p.number("inputScale");
    const CGRect& extent = input.extent;
    const std::vector<int> columns = blockStarts(
        in.width(), centre.x(), scale, [&](int i) { return pixelCentre(extent, i, 0).x; });
    const std::vector<int> rows = blockStarts(in.height(), centre.y(), scale,
                                              [&](int i) { return pixelCentre(extent, 0, i).y; });
    const std::uint32_t opaque = in.format() == CGPixelFormat::RGB32 ? 0xFF000000u : 0;
    const std::size_t blockColumns = columns.size() - 1;
    dispatchApply(rows.size() - 1, [&](std::size_t band) {
        std::vector<std::uint64_t> sums(blockColumns * 4, 0);
        for (int y = rows[band]; y < rows[band + 1]; ++y) {
            const auto* source = reinterpret_cast<const std::uint32_t*>(in.row(y));
            for (std::size_t b = 0; b < blockColumns; ++b) {
                for (int x = columns[b]; x < columns[b + 1]; ++x) {
                    const std::uint32_t pixel = source[x] | opaque;
                    for (int c = 0; c < 4; ++c) {
                        sums[4 * b + c] += (pixel >> (8 * c)) & 0xFF;
                    }
                }
            }
        }
        const auto height = static_cast<std::uint64_t>(rows[band + 1] - rows[band]);
        for (std::size_t b = 0; b < blockColumns; ++b) {
            const std::uint64_t area =
                height * static_cast<std::uint64_t>(columns[b + 1] - columns[b]);
            std::uint32_t average = 0;
            for (int c = 0; c < 4; ++c) {
                average |= static_cast<std::uint32_t>((sums[4 * b + c] + area / 2) / area)
                           << (8 * c);
            }
            for (int y = rows[band]; y < rows[band + 1]; ++y) {
                auto* target = reinterpret_cast<std::uint32_t*>(out->mutableRow(y));
                std::fill(target + columns[b], target + columns[b + 1], average);
            }
        }
    });
    return out;
}

}  // namespace

CIFilterDescriptor pixellateFilter() {
    CIFilterDescriptor descriptor;
    descriptor.name = "CIPixellate";
    descriptor.doc = "Square blocks of the average colour, on a grid through a centre.";
    descriptor.inputs = {
        {"inputCenter", CIFilterInput::Kind::Vector, CIVector::withX(150, 150), 0, 0,
         "Centre of one block, in pixels, y up."},
        {"inputScale", CIFilterInput::Kind::Number, 8.0, 1, 1e5, "Block size in pixels."},
    };
    descriptor.render = renderPixellate;
    return descriptor;
}
