#include "platform/graphics/BlockMeans.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/dispatch/DispatchQueue.h"

namespace {

// Output rows per task: enough work to be worth a task, few enough to share out.
constexpr int kRowsPerTask = 16;

// Sums of each column's bytes over a band of rows, then of the bands' columns over each
// block: the first pass, over every source byte, is a plain loop the compiler vectorises.
void shrinkRow(const CGImage& source, CGImage& target, int factor, int y,
               std::vector<std::uint32_t>& columns) {
    const int channels = source.bytesPerPixel();
    const int firstRow = y * factor;
    const int rows = std::min(factor, source.height() - firstRow);
    const std::size_t rowBytes = static_cast<std::size_t>(source.width()) * channels;
    std::fill(columns.begin(), columns.end(), 0);
    for (int r = 0; r < rows; ++r) {
        const std::uint8_t* in = source.row(firstRow + r);
        for (std::size_t i = 0; i < rowBytes; ++i) {
            columns[i] += in[i];
        }
    }
    std::uint8_t* out = target.mutableRow(y);
    for (int x = 0; x < target.width(); ++x) {
        const int first = x * factor;
        const int count = std::min(factor, source.width() - first);
        const auto pixels = static_cast<std::uint32_t>(rows * count);
        for (int c = 0; c < channels; ++c) {
            std::uint32_t sum = 0;
            for (int i = 0; i < count; ++i) {
                sum += columns[static_cast<std::size_t>(first + i) * channels + c];
            }
            out[x * channels + c] = static_cast<std::uint8_t>((sum + pixels / 2) / pixels);
        }
    }
}

}  // namespace

CGImageRef shrinkByBlockMeans(const CGImage& source, int factor) {
    if (factor < 1) {
        return nullptr;
    }
    const int width = (source.width() + factor - 1) / factor;
    const int height = (source.height() + factor - 1) / factor;
    auto target = CGImage::create(width, height, source.format(), CGImage::Contents::Uninitialized);
    if (!target) {
        return nullptr;
    }
    const std::size_t tasks = static_cast<std::size_t>((height + kRowsPerTask - 1) / kRowsPerTask);
    dispatchApply(tasks, [&](std::size_t task) {
        std::vector<std::uint32_t> columns(static_cast<std::size_t>(source.width()) *
                                           source.bytesPerPixel());
        const int first = static_cast<int>(task) * kRowsPerTask;
        for (int y = first; y < std::min(height, first + kRowsPerTask); ++y) {
            shrinkRow(source, *target, factor, y, columns);
        }
    });
    return target;
}
