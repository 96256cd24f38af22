#include "imaging/BitmapConversion.h"

#include <cstring>

#include "imaging/RowBands.h"

namespace {

void convertRow(const CGImage& source, int y, std::uint32_t* out) {
    const auto width = static_cast<std::size_t>(source.width());
    const std::uint8_t* in = source.row(y);
    switch (source.format()) {
        case CGPixelFormat::ARGB32Premultiplied:
            std::memcpy(out, in, width * 4);
            break;
        case CGPixelFormat::RGB32: {
            const auto* pixels = reinterpret_cast<const std::uint32_t*>(in);
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = pixels[x] | 0xFF000000u;
            }
            break;
        }
        case CGPixelFormat::Grey8:
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = 0xFF000000u | in[x] * 0x010101u;
            }
            break;
    }
}

}  // namespace

std::shared_ptr<CGImage> BitmapConversion::toPremultipliedARGB(const CGImage& source) {
    auto result =
        CGImage::create(source.width(), source.height(), CGPixelFormat::ARGB32Premultiplied,
                        CGImage::Contents::Uninitialized);
    if (!result) {
        return nullptr;
    }
    const auto width = static_cast<std::size_t>(source.width());
    forEachRowBand(source.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
            convertRow(source, y, reinterpret_cast<std::uint32_t*>(result->mutableRow(y)));
        }
    });
    return result;
}

std::shared_ptr<CGImage> BitmapConversion::toGrey(const CGImage& source) {
    if (source.format() == CGPixelFormat::Grey8) {
        return source.copy();
    }
    auto result = CGImage::create(source.width(), source.height(), CGPixelFormat::Grey8,
                                  CGImage::Contents::Uninitialized);
    if (!result) {
        return nullptr;
    }
    const auto width = static_cast<std::size_t>(source.width());
    forEachRowBand(source.height(), rowsPerBandFor(width), [&](std::size_t first, std::size_t end) {
        for (auto y = static_cast<int>(first); y < static_cast<int>(end); ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(source.row(y));
            std::uint8_t* out = result->mutableRow(y);
            for (std::size_t x = 0; x < width; ++x) {
                out[x] = luma(in[x]);
            }
        }
    });
    return result;
}
