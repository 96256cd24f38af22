#include "app/translucent/BoxBlur.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// One box average of a line of pixels into out, each byte lane separately.
void blurLine(const std::vector<std::uint32_t>& in, std::vector<std::uint32_t>& out, int length,
              int radius) {
    const int window = 2 * radius + 1;
    for (int shift = 0; shift < 32; shift += 8) {
        const auto lane = [&](int index) {
            return static_cast<int>(
                (in[static_cast<std::size_t>(std::clamp(index, 0, length - 1))] >> shift) & 0xFFu);
        };
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) {
            sum += lane(i);
        }
        for (int i = 0; i < length; ++i) {
            const auto value = static_cast<std::uint32_t>((sum + window / 2) / window);
            auto& pixel = out[static_cast<std::size_t>(i)];
            pixel = (pixel & ~(0xFFu << shift)) | (value << shift);
            sum += lane(i + radius + 1) - lane(i - radius);
        }
    }
}

std::uint32_t* pixelAt(CGImage& image, int x, int y) {
    return reinterpret_cast<std::uint32_t*>(image.mutableRow(y)) + x;
}

void blurRows(CGImage& image, int radius) {
    const int width = image.width();
    std::vector<std::uint32_t> line(static_cast<std::size_t>(width));
    std::vector<std::uint32_t> out(line.size());
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(line.data(), pixelAt(image, 0, y), line.size() * sizeof(std::uint32_t));
        blurLine(line, out, width, radius);
        std::memcpy(pixelAt(image, 0, y), out.data(), out.size() * sizeof(std::uint32_t));
    }
}

void blurColumns(CGImage& image, int radius) {
    const int height = image.height();
    std::vector<std::uint32_t> line(static_cast<std::size_t>(height));
    std::vector<std::uint32_t> out(line.size());
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < height; ++y) {
            line[static_cast<std::size_t>(y)] = *pixelAt(image, x, y);
        }
        blurLine(line, out, height, radius);
        for (int y = 0; y < height; ++y) {
            *pixelAt(image, x, y) = out[static_cast<std::size_t>(y)];
        }
    }
}

}  // namespace

void BoxBlur::apply(CGImage& image, int radius) {
    if (radius <= 0 || image.bytesPerPixel() != 4 || image.width() <= 0 || image.height() <= 0) {
        return;
    }
    for (int pass = 0; pass < kPasses; ++pass) {
        blurRows(image, radius);
        blurColumns(image, radius);
    }
}
